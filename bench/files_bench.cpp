// Saving and loading large libraries: 10,000 patches (about 9 MB) and 100 global dumps (about
// 22 MB), to and from bytes and to and from a file in /tmp. "s_per_10MB" is the CPU time per
// 10,000,000 bytes of file; "maxrss_MB" the process's peak resident memory so far.
// Peak memory of one save or one load alone, each in a fresh process:
//   vesta_bench_files --peak-save patches|globals FILE   builds the library and saves it
//   vesta_bench_files --peak-load FILE                    loads it
// print the peak resident memory before and after the work.
#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include <QFile>

#include <benchmark/benchmark.h>

#include "model/fileio.h"
#include "model/global.h"
#include "model/library.h"

namespace {
const QString kFile = QStringLiteral("/tmp/vesta_bench_files.Lib");

std::unique_ptr<TLibrary> MakeLibrary(int kind, int count) {
  auto library = std::make_unique<TLibrary>();
  for (int i = 0; i < count; ++i) {
    TLibElem& element = library->NewElement(kind);
    element.SetName(QStringLiteral("Element %1").arg(i), false);
  }
  return library;
}

const QByteArray& LibraryBytes(int kind) {
  static QByteArray patches = MakeLibrary(ekPatch, 10000)->SaveToBytes(false);
  static QByteArray globals = MakeLibrary(ekGlobal, 100)->SaveToBytes(false);
  return kind == ekPatch ? patches : globals;
}

void Report(benchmark::State& state, qint64 bytes) {
  // Inverted rate: CPU seconds per 1e7 bytes (printed with SI prefixes, 25m = 25 ms).
  state.counters["s_per_10MB"] = benchmark::Counter(
      static_cast<double>(bytes) / 1e7,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["maxrss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  state.SetBytesProcessed(state.iterations() * bytes);
}

void SaveToBytes(benchmark::State& state, int kind, int count) {
  auto library = MakeLibrary(kind, count);
  qint64 size = 0;
  for (auto _ : state) {
    const QByteArray bytes = library->SaveToBytes(false);
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.constData());
  }
  Report(state, size);
}

void LoadFromBytes(benchmark::State& state, int kind, int) {
  const QByteArray& bytes = LibraryBytes(kind);
  for (auto _ : state) {
    TLibrary library;
    if (library.LoadFromBytes(Bytes(bytes), false).Damaged()) state.SkipWithError("damaged");
    benchmark::DoNotOptimize(library.Count());
  }
  Report(state, bytes.size());
}

void SaveToFile(benchmark::State& state, int kind, int count) {
  auto library = MakeLibrary(kind, count);
  qint64 size = 0;
  for (auto _ : state) {
    const QByteArray bytes = library->SaveToBytes(false);
    size = bytes.size();
    if (!WriteFileAtomicQuiet(kFile, bytes).isEmpty()) state.SkipWithError("write failed");
  }
  Report(state, size);
  QFile::remove(kFile);
}

void LoadFromFile(benchmark::State& state, int kind, int) {
  const QByteArray& bytes = LibraryBytes(kind);
  if (!WriteFileAtomicQuiet(kFile, bytes).isEmpty()) state.SkipWithError("write failed");
  for (auto _ : state) {
    TLibrary library;
    if (!library.LoadFromFile(kFile)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(library.Count());
  }
  Report(state, bytes.size());
  QFile::remove(kFile);
}
}  // namespace

BENCHMARK_CAPTURE(SaveToBytes, Patches10000, ekPatch, 10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadFromBytes, Patches10000, ekPatch, 10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveToFile, Patches10000, ekPatch, 10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadFromFile, Patches10000, ekPatch, 10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveToBytes, Globals100, ekGlobal, 100)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadFromBytes, Globals100, ekGlobal, 100)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveToFile, Globals100, ekGlobal, 100)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadFromFile, Globals100, ekGlobal, 100)->Unit(benchmark::kMillisecond);

namespace {
double PeakMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// One save or one load in this process; 0 when it worked.
int PeakRun(const char* mode, const char* what, const char* path) {
  const double before = PeakMb();
  const QString file = QString::fromLocal8Bit(path);
  qint64 size = 0;
  if (std::strcmp(mode, "--peak-save") == 0) {
    const bool patches = std::strcmp(what, "patches") == 0;
    auto library = MakeLibrary(patches ? ekPatch : ekGlobal, patches ? 10000 : 100);
    const QByteArray bytes = library->SaveToBytes(false);
    size = bytes.size();
    if (!WriteFileAtomicQuiet(file, bytes).isEmpty()) return 1;
  } else {
    TLibrary library;
    if (!library.LoadFromFile(file)) return 1;
    size = QFile(file).size();
  }
  const double after = PeakMb();
  std::printf("%s: file %.1f MB, peak %.1f MB before, %.1f MB after: %.2f x the file\n", mode,
              size / 1e6, before, after, (after - before) / (size / 1048576.0));
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--peak-save") == 0)
    return PeakRun(argv[1], argv[2], argv[3]);
  if (argc == 3 && std::strcmp(argv[1], "--peak-load") == 0) return PeakRun(argv[1], "", argv[2]);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
