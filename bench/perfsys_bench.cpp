// The performance, rhythm and system editors: opening each window, choosing another key in a
// rhythm note window, and Revert All of each editor at the real pacing, against its floor (the
// whole object's messages × the 50 ms pause before each). For Revert All the counter
// unresponsive_ms is the longest stretch in which the program did not answer (no timer of the
// event loop ran): the time the user waits.
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <memory>

#include <QApplication>
#include <QTimer>

#include "editors/performance/formpart.h"
#include "editors/performance/formpercomm.h"
#include "editors/performance/formperformance.h"
#include "editors/rhythm/formrhythm.h"
#include "editors/rhythm/rhythmnotewindows.h"
#include "editors/system/formsystem.h"
#include "editors/system/systemwindows.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/timing.h"
#include "model/headlesshost.h"
#include "model/performance.h"

namespace {
using TClock = std::chrono::steady_clock;

double Ms(TClock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// A loopback port at the real pacing for the lifetime of the object.
struct TPort {
  explicit TPort(bool open) {
    Timing() = TTiming{};
    TMidiDevices::Instance().Clear();
    TMidiDevices::Instance().Add(std::make_unique<TLoopbackBackend>());
    MidiSession().Create();
    MidiSession().SetMidiOpen(open);
  }
  ~TPort() {
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
  }
  TScopedScriptedUI ui;
  TScopedHeadlessHost host;
};

void MakeCurrent(TPerformance* p) {
  CurrentPerformance = p;
}
void MakeCurrent(TRhythm* r) {
  CurrentRhythm = r;
}
void MakeCurrent(TSystem* s) {
  CurrentSystem = s;
}

template <class TObject, class TWindow>
void BM_Open(benchmark::State& state) {
  TPort port(state.range(0) != 0);
  TObject object(nullptr);
  object.Init();
  // Sent already (by the opening of its hub): activating the window sends nothing more.
  MakeCurrent(&object);
  for (auto _ : state) {
    auto* window = new TWindow(object);
    window->show();
    QApplication::processEvents();
    delete window;
  }
  MakeCurrent(static_cast<TObject*>(nullptr));
}
#define OPEN(object, window)                  \
  BENCHMARK_TEMPLATE(BM_Open, object, window) \
      ->ArgName("midi")                       \
      ->Arg(0)                                \
      ->Arg(1)                                \
      ->Unit(benchmark::kMillisecond)
OPEN(TPerformance, TFormPerformance);
OPEN(TPerformance, TFormPerComm);
OPEN(TPerformance, TFormPart);
OPEN(TRhythm, TFormRhythm);
OPEN(TRhythm, TFormRhyMain);
OPEN(TRhythm, TFormRhyPitch);
OPEN(TRhythm, TFormRhyTVF);
OPEN(TRhythm, TFormrhyTva);
OPEN(TSystem, TFormSystem);
OPEN(TSystem, TFormSysSetup);
OPEN(TSystem, TFormSysMidi);
OPEN(TSystem, TFormSysPreview);
OPEN(TSystem, TFormScaleTune);

template <class TWindow>
void BM_ChooseKey(benchmark::State& state) {
  TPort port(true);
  TRhythm rhythm(nullptr);
  rhythm.Init();
  TWindow window(rhythm);
  window.show();
  int key = 35;
  for (auto _ : state) {
    key = key == 35 ? 98 : 35;
    window.SelectKey(key);
    benchmark::DoNotOptimize(window.grab());  // what the user waits for: the window drawn again
  }
}
BENCHMARK_TEMPLATE(BM_ChooseKey, TFormRhyMain)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ChooseKey, TFormRhyPitch)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ChooseKey, TFormRhyTVF)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ChooseKey, TFormrhyTva)->Unit(benchmark::kMillisecond);

// Runs revert once per iteration with a 1 ms timer watching the event loop.
void MeasureRevert(benchmark::State& state, int messages, const std::function<void()>& edit,
                   const std::function<void()>& revert) {
  double worstWall = 0, worstGap = 0;
  for (auto _ : state) {
    state.PauseTiming();
    edit();
    state.ResumeTiming();
    TClock::time_point last = TClock::now();
    double gap = 0;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      const TClock::time_point now = TClock::now();
      gap = std::max(gap, Ms(now - last));
      last = now;
    });
    watch.start();
    const TClock::time_point start = TClock::now();
    revert();
    const TClock::time_point end = TClock::now();
    gap = std::max(gap, Ms(end - last));
    watch.stop();
    worstWall = std::max(worstWall, Ms(end - start));
    worstGap = std::max(worstGap, gap);
  }
  const double floor = messages * Timing().MessagePauseMs;
  state.counters["floor_ms"] = floor;
  state.counters["wall_ms"] = worstWall;
  state.counters["unresponsive_ms"] = worstGap;
}

void BM_RevertAllParts(benchmark::State& state) {
  TPort port(true);
  TPerformance performance(nullptr);
  performance.Init();
  CurrentPerformance = &performance;
  TFormPart window(performance);
  MeasureRevert(
      state, TPerformance::kPartCount, [&] { window.SendandStore(6, 100); },
      [&] { window.BtnRevertAllClick(); });
  CurrentPerformance = nullptr;
}
BENCHMARK(BM_RevertAllParts)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_RevertAllRhythmNotes(benchmark::State& state) {
  TPort port(true);
  TRhythm rhythm(nullptr);
  rhythm.Init();
  CurrentRhythm = &rhythm;
  TFormrhyTva window(rhythm);
  MeasureRevert(
      state, TRhythm::kBlockCount, [&] { window.SendandStore(41, 100); },
      [&] { window.BtnRevertAllClick(); });
  CurrentRhythm = nullptr;
}
BENCHMARK(BM_RevertAllRhythmNotes)->Iterations(2)->Unit(benchmark::kMillisecond);

void BM_RevertAllScaleTunes(benchmark::State& state) {
  TPort port(true);
  TSystem system(nullptr);
  system.Init();
  CurrentSystem = &system;
  TFormScaleTune window(system);
  MeasureRevert(
      state, 1 + TPartScaleTune::kCount, [&] { window.SendandStore(0, 10); },
      [&] { window.BtnRevertAllClick(); });
  CurrentSystem = nullptr;
}
BENCHMARK(BM_RevertAllScaleTunes)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
