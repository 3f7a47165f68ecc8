// The sound catalog over 100,000 generated patches (780 patch banks of 128 with every parameter
// drawn at random within its range, names from a list of sound words): a cold scan, a rescan
// with nothing changed, queries of each kind of term, the nearest 20 sounds, and the database's
// size per distinct sound. VESTA_CATALOG_BENCH_DIR keeps the generated folder and catalog there
// (to try vesta-cli on them); otherwise a scratch folder is used.
#include <memory>
#include <random>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "catalog/catalog.h"
#include "catalog/likeness.h"
#include "catalog/query.h"
#include "catalog/soundfile.h"
#include "editors/params/params.h"
#include "model/pagenames.h"
#include "model/patchbank.h"

namespace {
constexpr int kBanks = 780;

void Randomise(const std::vector<TParamRow>& rows, std::uint8_t* data, std::mt19937& random) {
  for (const TParamRow& row : rows) {
    if (row.Size > 2 || row.Control == TParamControl::Name) continue;
    const int stored = row.Min + static_cast<int>(random() % static_cast<unsigned>(row.Max - row.Min + 1));
    ParamSplit(row, stored, data + row.Offset);
  }
}

void FillPatch(TPatch& patch, std::mt19937& random) {
  static const char* const kWords[] = {"Pad", "Str", "Lead", "Bass", "Brass", "Bell", "Organ",
                                       "Piano", "Synth", "Pluck", "Vox", "FX", "Warm", "Bright",
                                       "Dark", "Soft", "Fat", "Glass", "Saw", "Choir"};
  std::vector<TParamRow> common(PatchCommonRows().begin(), PatchCommonRows().end());
  const auto page = EffectPageRows();
  common.insert(common.end(), page.begin(), page.end());
  Randomise(common, patch.Common.Data(), random);
  const int type = patch.Common.GetByte(12);
  const auto& typeRows = EffectTypes()[static_cast<std::size_t>(type)].Rows;
  Randomise(std::vector<TParamRow>(typeRows.begin(), typeRows.end()), patch.Common.Data(), random);
  const std::vector<TParamRow> tone(ToneRows().begin(), ToneRows().end());
  for (TTone& t : patch.Tones) Randomise(tone, t.Data(), random);
  patch.SetName(QStringLiteral("%1 %2 %3")
                    .arg(QLatin1String(kWords[random() % 20]), QLatin1String(kWords[random() % 20]))
                    .arg(random() % 100),
                false);
}

struct TBenchState {
  std::unique_ptr<QTemporaryDir> scratch;
  QString root;
  QString folder;
  QString catalogPath;
  std::unique_ptr<TCatalog> catalog;
  std::unique_ptr<TCatalogIndex> index;
  std::unique_ptr<TLikeness> likeness;

  TBenchState() {
    root = qEnvironmentVariable("VESTA_CATALOG_BENCH_DIR");
    if (root.isEmpty()) {
      scratch = std::make_unique<QTemporaryDir>();
      root = scratch->path();
    }
    folder = QDir(root).filePath(QStringLiteral("sounds"));
    catalogPath = QDir(root).filePath(QStringLiteral("catalog.db"));
    QFile::remove(catalogPath);
    QFile::remove(catalogPath + QStringLiteral("-wal"));
    QFile::remove(catalogPath + QStringLiteral("-shm"));
    QDir().mkpath(folder);
    std::mt19937 random(21);
    TPatchBank bank(nullptr);
    for (int b = 0; b < kBanks; ++b) {
      for (int i = 0; i < bank.Count(); ++i) FillPatch(bank.Patch(i), random);
      const QString path =
          QDir(folder).filePath(QStringLiteral("set%1/bank%2.syx").arg(b / 100).arg(b, 3, 10, QLatin1Char('0')));
      QDir().mkpath(QFileInfo(path).absolutePath());
      QFile file(path);
      if (file.open(QIODevice::WriteOnly)) file.write(bank.SysexBytes(false));
    }
    PageNames().Load();
  }
};

TBenchState& State() {
  static TBenchState state;
  return state;
}

void BM_ColdScan(benchmark::State& state) {
  TBenchState& s = State();
  for (auto _ : state) {
    s.catalog = std::make_unique<TCatalog>(s.catalogPath);
    s.catalog->AddFolder(s.folder);
    const TScanReport report = s.catalog->Scan();
    benchmark::DoNotOptimize(report.FilesRead);
  }
  const TCatalogCounts counts = s.catalog->Counts();
  state.counters["sounds"] = counts.Places;
  state.counters["distinct"] = counts.Distinct;
  state.counters["bytes_per_sound"] =
      static_cast<double>(counts.Bytes) / std::max(1, counts.Distinct);
}
BENCHMARK(BM_ColdScan)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RescanUnchanged(benchmark::State& state) {
  TBenchState& s = State();
  int read = 0;
  for (auto _ : state) read = s.catalog->Scan().FilesRead;
  state.counters["files_read"] = read;
}
BENCHMARK(BM_RescanUnchanged)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadIndex(benchmark::State& state) {
  TBenchState& s = State();
  for (auto _ : state) s.index = std::make_unique<TCatalogIndex>(s.catalog->LoadIndex());
  // The checkpointed file: what the catalog takes on the disk once no program has it open.
  s.catalog.reset();
  s.catalog = std::make_unique<TCatalog>(s.catalogPath);
  state.counters["bytes_per_sound"] =
      static_cast<double>(QFileInfo(s.catalogPath).size()) /
      static_cast<double>(std::max<std::size_t>(1, s.index->Sounds.size()));
}
BENCHMARK(BM_LoadIndex)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

const char* const kQueries[] = {
    "pad",
    "-pad kind:patch",
    "cat:strings fav",
    "\"bright pad\" file:set3",
    "dup",
    "\"p:tone/Cutoff Frequency>=100\"",
    "\"p:tone/Wave Name=Int-A 001\"",
    "\"p:common/EFX Type=18 : Modulation-Delay\"",
    "\"p:tone/Cutoff Frequency!=64\" \"p:tone/Resonance<10\"",
    "kind:patch \"p:tone/Cutoff Frequency>=100\" \"p:common/EFX Type=18 : Modulation-Delay\" pad",
};

void BM_Query(benchmark::State& state) {
  TBenchState& s = State();
  const QString text = QString::fromUtf8(kQueries[state.range(0)]);
  state.SetLabel(text.toStdString());
  std::size_t found = 0;
  for (auto _ : state) {
    // Parsed afresh each time: a query remembers the rows' tests it has made.
    found = TQuery::Parse(text).Run(*s.index).size();
  }
  state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_Query)->DenseRange(0, 9)->Unit(benchmark::kMillisecond);

void BM_LikenessMatrix(benchmark::State& state) {
  TBenchState& s = State();
  for (auto _ : state) s.likeness = std::make_unique<TLikeness>(*s.index);
}
BENCHMARK(BM_LikenessMatrix)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SimilarTop20(benchmark::State& state) {
  TBenchState& s = State();
  const TIndexedSound& asked = s.index->Sounds[s.index->Sounds.size() / 2];
  for (auto _ : state) benchmark::DoNotOptimize(s.likeness->Nearest(asked.Kind, asked.Data, 20));
}
BENCHMARK(BM_SimilarTop20)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
