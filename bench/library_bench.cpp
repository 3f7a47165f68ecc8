// A library window on large libraries: reading the .Lib bytes, opening the window on them
// (rows counted, sorted by creation and scrolled to the end), each sort button, and painting
// the visible rows with masks that make every row walk the list.
#include <benchmark/benchmark.h>

#include <random>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QToolButton>

#include "librarian/formlibrary.h"
#include "librarian/librarygrid.h"
#include "model/library.h"

namespace {
// A library of patches and performances with mixed names and dates, as saved bytes.
QByteArray LibraryBytes(int count) {
  static std::map<int, QByteArray> cache;
  if (auto found = cache.find(count); found != cache.end()) return found->second;
  TLibrary library;
  std::mt19937 random(count);
  for (int i = 0; i < count; ++i) {
    TLibElem& element = library.NewElement(i % 5 == 4 ? ekPerformance : ekPatch);
    element.SetName(QStringLiteral("Sound %1").arg(random() % 100000), false);
    element.ModifiedDate = 45000 + random() % 2000;
    element.ModifiedTime = (random() % 1000) / 1000.0;
    element.CreatedDate = 44000 + random() % 2000;
  }
  return cache[count] = library.SaveToBytes(false);
}

std::unique_ptr<TLibrary> Load(const QByteArray& bytes) {
  auto library = std::make_unique<TLibrary>();
  library->LoadFromBytes(
      {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())}, false);
  return library;
}

void ReadLibrary(benchmark::State& state) {
  const QByteArray bytes = LibraryBytes(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(Load(bytes));
}

void OpenWindow(benchmark::State& state) {
  const QByteArray bytes = LibraryBytes(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TFormLibrary window(Load(bytes).release());
    window.Prepare();
    benchmark::DoNotOptimize(window.Grid()->TopRow());
  }
}

// Pressing a sort button on a library in creation order (0 Type, 1 Name, 2 Date).
void SortButton(benchmark::State& state) {
  const QByteArray bytes = LibraryBytes(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<TFormLibrary>(Load(bytes).release());
    window->Prepare();
    state.ResumeTiming();
    window->SortButton(static_cast<int>(state.range(1)))->click();
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
}

// Painting the grid scrolled to the end, with performances masked.
void PaintGrid(benchmark::State& state) {
  const QByteArray bytes = LibraryBytes(static_cast<int>(state.range(0)));
  TFormLibrary window(Load(bytes).release());
  window.Prepare();
  window.SetMasked(ekPerformance, true);
  window.PosizionaOtt();
  QImage image(window.Grid()->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) window.Grid()->viewport()->render(&image);
}

BENCHMARK(ReadLibrary)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenWindow)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(SortButton)
    ->ArgsProduct({{1000, 10000}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(PaintGrid)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
