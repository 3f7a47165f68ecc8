// What vesta-cli show does for a 128-patch bank: every parameter of every patch turned into its
// shown text (about 72,000 rows), with random bytes so that every text form is met; and the
// whole command as a user runs it on that bank saved as a .Syx file (start, name lists, reading,
// the listing written), against the start of the program alone.
#include <random>

#include <benchmark/benchmark.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "editors/params/paramlisting.h"
#include "model/patch.h"
#include "model/patchbank.h"

namespace {
TPatchBank& RandomBank() {
  static TPatchBank* bank = [] {
    auto* built = new TPatchBank(nullptr);
    built->Init();
    std::mt19937 random(11);
    for (auto& member : built->Members) {
      auto& patch = static_cast<TPatch&>(*member);
      for (int b = 12; b < 72; ++b)
        patch.Common.StoreByte(b, static_cast<std::uint8_t>(random() % 128));
      patch.Common.StoreByte(12, static_cast<std::uint8_t>(random() % 40));
      for (TTone& tone : patch.Tones)
        for (int b = 0; b < 129; ++b) tone.StoreByte(b, static_cast<std::uint8_t>(random() % 128));
    }
    return built;
  }();
  return *bank;
}

void BM_ShowPatchBank(benchmark::State& state) {
  TPatchBank& bank = RandomBank();
  std::size_t rows = 0;
  for (auto _ : state) {
    rows = 0;
    for (const TLibElem* sound : SoundsOf(bank)) rows += ShowSound(*sound).Parameters.size();
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_ShowPatchBank)->Unit(benchmark::kMillisecond);

#ifdef VESTA_CLI_PATH
// Runs vesta-cli with args, its listing thrown away; false when it fails.
bool RunCli(const QStringList& args) {
  QProcess cli;
  cli.setStandardOutputFile(QProcess::nullDevice());
  cli.start(QStringLiteral(VESTA_CLI_PATH), args);
  return cli.waitForFinished(-1) && cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0;
}

void BM_ShowCommand(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bank.syx"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(RandomBank().SysexBytes(false)) < 0) {
    state.SkipWithError("cannot write the bank");
    return;
  }
  file.close();
  for (auto _ : state) {
    if (!RunCli({QStringLiteral("show"), path})) {
      state.SkipWithError("vesta-cli show failed");
      break;
    }
  }
}
BENCHMARK(BM_ShowCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CliStart(benchmark::State& state) {
  for (auto _ : state) {
    if (!RunCli({QStringLiteral("help")})) {
      state.SkipWithError("vesta-cli help failed");
      break;
    }
  }
}
BENCHMARK(BM_CliStart)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif
}  // namespace

BENCHMARK_MAIN();
