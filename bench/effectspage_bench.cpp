// The effects page, offscreen: rebuilding Page 2 for each of the 40 EFX types (goal: 10 ms or
// less each), and the whole type change against the built-in instrument at the real pacing, from
// the pick to the rebuilt page, against its floor: three messages after their pauses (3 P, with
// P = MessagePauseMs) plus the answer's way back.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include <QApplication>
#include <QTabWidget>

#include "editors/patch/formeffect.h"
#include "instrument/instrumentbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/timing.h"
#include "model/patch.h"

namespace {

void RebuildPageTwo(benchmark::State& state) {
  const int type = static_cast<int>(state.range(0));
  TPatch patch(nullptr);
  patch.Init();
  TFormEffect form(patch);
  form.show();
  form.Tabs()->setCurrentIndex(1);
  QApplication::processEvents();
  QWidget* page = form.Tabs()->currentWidget();
  for (auto _ : state) {
    // Another type first, so that each rebuild replaces a whole set of controls.
    state.PauseTiming();
    patch.Common.StoreByte(12, static_cast<std::uint8_t>((type + 1) % 40));
    form.RebuildParameters();
    QApplication::processEvents();
    patch.Common.StoreByte(12, static_cast<std::uint8_t>(type));
    page->repaint();
    state.ResumeTiming();
    // The new controls made, set and painted.
    form.RebuildParameters();
    QApplication::processEvents();
    page->repaint();
  }
  state.counters["controls"] = static_cast<double>(form.Params().size());
}

void TypeChange(benchmark::State& state) {
  TMidiDevices::Instance().Clear();
  RegisterVirtualInstrument();
  Timing() = TTiming{};
  TScopedScriptedUI ui;
  MidiSession().Create();
  if (!MidiSession().MidiOpen()) {
    state.SkipWithError("the built-in instrument did not open");
    return;
  }
  TPatch patch(nullptr);
  patch.Init();
  CurrentPatch = &patch;  // the page's activation sends nothing
  TFormEffect form(patch);
  form.show();
  QApplication::processEvents();
  const double floorMs = 3.0 * Timing().MessagePauseMs;
  double worstMs = 0;
  int type = 0;
  for (auto _ : state) {
    type = (type + 7) % 40;
    const int rebuilds = form.Rebuilds();
    const auto start = std::chrono::steady_clock::now();
    form.TypeChange(type);
    while (form.Rebuilds() == rebuilds && form.Request().Waiting())
      QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    state.SetIterationTime(elapsed.count() / 1000.0);
    worstMs = std::max(worstMs, elapsed.count());
    if (form.Rebuilds() == rebuilds || !ui.Questions.empty())
      state.SkipWithError("the page was not rebuilt from an answer");
  }
  state.counters["floor_ms"] = floorMs;
  state.counters["worst_ms"] = worstMs;
  state.counters["over_floor_pct"] = (worstMs - floorMs) / floorMs * 100.0;
  CurrentPatch = nullptr;
  MidiSession().Destroy();
  TMidiDevices::Instance().Clear();
}

}  // namespace

BENCHMARK(RebuildPageTwo)->DenseRange(0, 39)->Unit(benchmark::kMillisecond);
BENCHMARK(TypeChange)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  // The offscreen platform says on every show that it cannot pass size hints on.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
