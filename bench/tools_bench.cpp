// The sound tools: Randomize Bank and the morph bank (goal 20 ms each), and the MIDI-file
// player's timing over a one-minute file on the real clock and event loop (goal: mean error
// 1 ms, worst 5 ms). Run with --benchmark_filter=Player for the minute-long measurement alone.
#include <algorithm>
#include <cmath>
#include <random>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include "model/patchbank.h"
#include "tools/bankrandomizer.h"
#include "tools/midifileplayer.h"
#include "tools/patchmorph.h"

namespace {
void Fill(TPatch& patch, std::mt19937& gen) {
  for (int b = 0; b < 72; ++b) patch.Common.StoreByte(b, static_cast<std::uint8_t>(gen() % 128));
  for (TTone& tone : patch.Tones)
    for (int b = 0; b < 129; ++b) tone.StoreByte(b, static_cast<std::uint8_t>(gen() % 128));
  patch.SetName(QStringLiteral("Sound %1 Pad").arg(gen() % 1000), false);
}

void BM_RandomizeBank(benchmark::State& state) {
  std::mt19937 gen(1);
  TPatchBank source(nullptr), result(nullptr);
  for (int i = 0; i < 128; ++i) Fill(source.Patch(i), gen);
  TBankRandomizer randomizer;
  randomizer.Options.ToneCommonOriented = state.range(0) != 0;
  std::uint32_t seed = 1;
  for (auto _ : state) {
    randomizer.RandomizeBank(source, result, seed++);
    benchmark::DoNotOptimize(result.Patch(127).Tones[3].Image[20]);
  }
}
BENCHMARK(BM_RandomizeBank)->ArgName("toneCommon")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MorphBank(benchmark::State& state) {
  std::mt19937 gen(2);
  TPatch a(nullptr), b(nullptr);
  Fill(a, gen);
  Fill(b, gen);
  TPatchMorph morph;
  morph.SetPatches(a, b);
  TPatchBank bank(nullptr);
  for (auto _ : state) {
    morph.FillBank(bank);
    benchmark::DoNotOptimize(bank.Patch(64).Tones[0].Image[30]);
  }
}
BENCHMARK(BM_MorphBank)->Unit(benchmark::kMillisecond);

// One minute at 480 ticks per quarter: sixteenth notes on four channels with chords, the tempo
// changing every eight bars between 90 and 150 beats per minute.
std::vector<std::uint8_t> MinuteFile() {
  std::vector<std::uint8_t> track;
  auto vlq = [&](std::uint32_t v) {
    std::uint8_t buf[4];
    int n = 0;
    do {
      buf[n++] = static_cast<std::uint8_t>(v & 0x7F);
    } while (v >>= 7);
    while (n-- > 0) track.push_back(static_cast<std::uint8_t>(buf[n] | (n ? 0x80 : 0)));
  };
  std::int64_t us = 0;
  std::uint32_t tempo = 0;
  for (int step = 0; us < 60000000; ++step) {
    if (step % 128 == 0) {
      tempo = 60000000 / (90 + (step / 128) % 4 * 20);
      vlq(0);
      track.insert(track.end(),
                   {0xFF, 0x51, 3, static_cast<std::uint8_t>(tempo >> 16),
                    static_cast<std::uint8_t>(tempo >> 8), static_cast<std::uint8_t>(tempo)});
    }
    for (int c = 0; c < 4; ++c) {
      vlq(0);
      track.insert(track.end(), {static_cast<std::uint8_t>(0x90 | c),
                                 static_cast<std::uint8_t>(48 + (step * 7 + c * 4) % 36), 90});
    }
    for (int c = 0; c < 4; ++c) {
      vlq(c == 0 ? 120 : 0);  // a sixteenth later
      track.insert(track.end(), {static_cast<std::uint8_t>(0x80 | c),
                                 static_cast<std::uint8_t>(48 + (step * 7 + c * 4) % 36), 0});
    }
    us += 120LL * tempo / 480;
  }
  vlq(0);
  track.insert(track.end(), {0xFF, 0x2F, 0});
  std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd',  0,    0,   0,   6,   0,
                                    0,   0,   1,   0x01, 0xE0, 'M', 'T', 'r', 'k'};
  const auto n = static_cast<std::uint32_t>(track.size());
  file.insert(file.end(), {static_cast<std::uint8_t>(n >> 24), static_cast<std::uint8_t>(n >> 16),
                           static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n)});
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

void BM_PlayerTimingOneMinute(benchmark::State& state) {
  const TMidiFile file = TMidiFile::Read(MinuteFile());
  if (!file.Ok()) {
    state.SkipWithError(file.Error.toStdString().c_str());
    return;
  }
  double sum = 0, worst = 0, early = 0;
  std::vector<double> errors;
  std::size_t count = 0;
  for (auto _ : state) {
    TMidiFilePlayer player;
    std::size_t index = 0;
    TMidiFilePlayer::TClock::time_point start;
    player.Send = [&](const std::uint8_t*, std::size_t) {
      if (index >= file.Events.size()) return;  // the closing note-offs
      const double error =
          std::chrono::duration<double, std::micro>(TMidiFilePlayer::TClock::now() - start)
              .count() -
          static_cast<double>(file.Events[index++].TimeUs);
      errors.push_back(std::abs(error));
      sum += std::abs(error);
      worst = std::max(worst, std::abs(error));
      early = std::min(early, error);
      ++count;
    };
    QEventLoop loop;
    QObject::connect(&player, &TMidiFilePlayer::Finished, &loop, &QEventLoop::quit);
    start = TMidiFilePlayer::TClock::now();
    player.Play(file);
    loop.exec();
  }
  state.counters["events"] = static_cast<double>(count);
  state.counters["mean_error_ms"] = sum / static_cast<double>(count) / 1000;
  state.counters["worst_error_ms"] = worst / 1000;
  state.counters["most_early_ms"] = early / 1000;
  std::sort(errors.begin(), errors.end());
  if (!errors.empty()) {
    state.counters["median_error_ms"] = errors[errors.size() / 2] / 1000;
    state.counters["p99_error_ms"] = errors[errors.size() * 99 / 100] / 1000;
  }
}
BENCHMARK(BM_PlayerTimingOneMinute)->Iterations(1)->Unit(benchmark::kSecond);
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
