// The patch editor's windows: opening the patch window, opening the common page (its controls
// built from the rows and filled), and refreshing the common page (UpdateView). Inside an MDI
// area as in the program; the MIDI ports are closed, so nothing waits for the pacing.
// Run with QT_QPA_PLATFORM=offscreen where there is no display.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

#include "editors/patch/formcommon.h"
#include "editors/patch/formpatch.h"
#include "midi/scriptedui.h"
#include "model/library.h"

namespace {
struct TFrame {
  TFrame() {
    window.resize(1200, 900);
    window.setCentralWidget(area);
    window.show();
    ChildFrame().SetArea(area);
    RegisterPatchEditor();
    patch = static_cast<TPatch*>(&library.NewElement(ekPatch));
  }
  ~TFrame() { ChildFrame().SetArea(nullptr); }
  static void Flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  TScopedScriptedUI ui;
  QMainWindow window;
  QMdiArea* area = new QMdiArea(&window);
  TLibrary library;
  TPatch* patch = nullptr;
};

void BM_OpenPatchWindow(benchmark::State& state) {
  TFrame frame;
  for (auto _ : state) {
    frame.patch->OpenEditor();
    QCoreApplication::processEvents();
    state.PauseTiming();
    benchmark::DoNotOptimize(frame.patch->Editor);
    Views().Close(*frame.patch);
    TFrame::Flush();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenPatchWindow)->Unit(benchmark::kMillisecond);

void BM_OpenCommonPage(benchmark::State& state) {
  TFrame frame;
  frame.patch->OpenEditor();
  for (auto _ : state) {
    TFormCommon* page = OpenCommonPage(*frame.patch);
    QCoreApplication::processEvents();
    state.PauseTiming();
    benchmark::DoNotOptimize(page);
    page->CloseView();
    TFrame::Flush();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenCommonPage)->Unit(benchmark::kMillisecond);

void BM_UpdateViewCommonPage(benchmark::State& state) {
  TFrame frame;
  frame.patch->OpenEditor();
  TFormCommon* page = OpenCommonPage(*frame.patch);
  QCoreApplication::processEvents();
  int value = 0;
  for (auto _ : state) {
    // A different patch every time, as after a receive or a drop.
    frame.patch->Common.StoreByte(46, static_cast<std::uint8_t>(value++ & 0x7F));
    page->UpdateView();
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_UpdateViewCommonPage)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
