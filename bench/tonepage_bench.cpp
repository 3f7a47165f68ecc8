// The tone pages: opening each of the seven (its controls built from the rows, filled and
// painted) and refreshing it (UpdateView), goal 30 ms each; and a patch with every page open,
// its 28 tone pages and both common pages: the memory they take and one UpdateViews after a
// receive refreshing all 30, goal 100 ms. Inside an MDI area as in the program; the MIDI ports
// are closed, so nothing waits for the pacing. Run with QT_QPA_PLATFORM=offscreen where there is
// no display.
#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <string>

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

#include "editors/common/pagewindow.h"
#include "editors/common/partkind.h"
#include "editors/patch/effectspage.h"
#include "editors/patch/formcommon.h"
#include "editors/patch/formpatch.h"
#include "midi/scriptedui.h"
#include "model/library.h"

namespace {
struct TKind {
  TPartKind Part;
  TTone::TPage Page;
  const char* Name;
};
constexpr TKind kKinds[] = {{pkWave, TTone::pgWave, "Wave"},
                            {pkPitch, TTone::pgPitch, "Pitch"},
                            {pkTVF, TTone::pgTVF, "TVF"},
                            {pkTVA, TTone::pgTVA, "TVA"},
                            {pkLFO1, TTone::pgLFO1, "LFO 1"},
                            {pkLFO2, TTone::pgLFO2, "LFO 2"},
                            {pkControl, TTone::pgControl, "Control"}};

struct TFrame {
  TFrame() {
    window.resize(1600, 1200);
    window.setCentralWidget(area);
    window.show();
    ChildFrame().SetArea(area);
    RegisterPatchEditor();
    patch = static_cast<TPatch*>(&library.NewElement(ekPatch));
    patch->OpenEditor();
    QCoreApplication::processEvents();
  }
  ~TFrame() { ChildFrame().SetArea(nullptr); }
  static void Flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  // The page of a kind of tone n, opened as its part button does.
  TPageWindow* Open(const TKind& kind, int tone) {
    PatchPageOpener(kind.Part)(*patch, tone);
    return qobject_cast<TPageWindow*>(
        patch->Tones[static_cast<std::size_t>(tone - 1)].Pages[kind.Page].Window);
  }
  // Every byte of the patch new, as a receive copies replies over the blocks.
  void Receive(std::mt19937& random) {
    for (int b = 12; b < 72; ++b)
      patch->Common.StoreByte(b, static_cast<std::uint8_t>(random() % 128));
    patch->Common.StoreByte(12, static_cast<std::uint8_t>(random() % 40));
    for (TTone& tone : patch->Tones)
      for (int b = 0; b < 129; ++b) tone.StoreByte(b, static_cast<std::uint8_t>(random() % 128));
  }
  TScopedScriptedUI ui;
  QMainWindow window;
  QMdiArea* area = new QMdiArea(&window);
  TLibrary library;
  TPatch* patch = nullptr;
};

// Resident memory of this process in KiB.
double ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6));
  return 0;
}

void BM_OpenTonePage(benchmark::State& state) {
  const TKind& kind = kKinds[state.range(0)];
  state.SetLabel(kind.Name);
  TFrame frame;
  for (auto _ : state) {
    TPageWindow* page = frame.Open(kind, 2);
    QCoreApplication::processEvents();
    state.PauseTiming();
    if (!page) {
      state.SkipWithError("the page did not open");
      break;
    }
    page->CloseView();
    TFrame::Flush();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenTonePage)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

void BM_UpdateViewTonePage(benchmark::State& state) {
  const TKind& kind = kKinds[state.range(0)];
  state.SetLabel(kind.Name);
  TFrame frame;
  TPageWindow* page = frame.Open(kind, 2);
  if (!page) {
    state.SkipWithError("the page did not open");
    return;
  }
  QCoreApplication::processEvents();
  std::mt19937 random(7);
  for (auto _ : state) {
    // A different tone every time, as after a receive or a drop.
    state.PauseTiming();
    frame.Receive(random);
    state.ResumeTiming();
    page->UpdateView();
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_UpdateViewTonePage)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

void BM_UpdateViewsEveryPage(benchmark::State& state) {
  TFrame frame;
  TFrame::Flush();
  const double before = ResidentKiB();
  int windows = 0;
  for (int tone = 1; tone <= TPatch::kToneCount; ++tone)
    for (const TKind& kind : kKinds) windows += frame.Open(kind, tone) != nullptr;
  windows += OpenCommonPage(*frame.patch) != nullptr;
  windows += OpenEffectsPage(*frame.patch) != nullptr;
  QCoreApplication::processEvents();
  const double after = ResidentKiB();
  if (windows != 30) {
    state.SkipWithError("not every page opened");
    return;
  }
  std::mt19937 random(11);
  for (auto _ : state) {
    state.PauseTiming();
    frame.Receive(random);
    state.ResumeTiming();
    frame.patch->UpdateViews();
    QCoreApplication::processEvents();
  }
  state.counters["windows"] = windows;
  // The first opening in the process: later runs reuse the heap the earlier ones freed.
  static const double growth = after - before;
  state.counters["rss_growth_MiB"] = growth / 1024.0;
}
BENCHMARK(BM_UpdateViewsEveryPage)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
