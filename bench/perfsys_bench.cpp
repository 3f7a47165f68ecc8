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
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include "editors/patch/formcommon.h"
#include "editors/patch/formpatch.h"
#include "editors/performance/formpart.h"
#include "editors/performance/formpercomm.h"
#include "editors/performance/formperformance.h"
#include "editors/rhythm/formrhythm.h"
#include "editors/rhythm/rhythmnotewindows.h"
#include "editors/system/formsystem.h"
#include "editors/system/systemwindows.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/pacedsender.h"
#include "midi/scriptedui.h"
#include "midi/timing.h"
#include "model/headlesshost.h"
#include "model/library.h"
#include "model/patch.h"
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
    auto backend = std::make_unique<TLoopbackBackend>();
    loopback = backend.get();
    TMidiDevices::Instance().Add(std::move(backend));
    MidiSession().Create();
    MidiSession().SetMidiOpen(open);
  }
  ~TPort() {
    MidiSession().Destroy();
    TMidiDevices::Instance().Clear();
    loopback = nullptr;
  }
  static inline TLoopbackBackend* loopback = nullptr;
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

// When each message left, as the sender tells the monitor.
struct TLeaving : TMidiMonitor {
  std::vector<TClock::time_point> times;
  void AddMessage(int pane, const std::uint8_t*, int) override {
    if (pane == MonitorOutput) times.push_back(TClock::now());
  }
  void AddMessageMidi(int, const TMyMidiEvent&) override {}
  // The longest time past the pause between two messages.
  double Late() const {
    double late = 0;
    for (std::size_t i = 1; i < times.size(); ++i)
      late = std::max(late, Ms(times[i] - times[i - 1]) - Timing().MessagePauseMs);
    return late;
  }
};

// The output as the instrument sees it: how many messages have reached it so far.
std::size_t SentCount() {
  return TPort::loopback ? TPort::loopback->Sent().size() : 0;
}

// Lets whatever the edit sent leave, and its pause pass, so the measured send starts afresh.
void Settle() {
  const TClock::time_point limit = TClock::now() + std::chrono::seconds(10);
  while (Sender().Waiting() > 0 && TClock::now() < limit)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  const TClock::time_point quiet = TClock::now() + std::chrono::milliseconds(Timing().MessagePauseMs);
  while (TClock::now() < quiet) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// Runs action once per iteration with a 1 ms timer watching the event loop, until `messages`
// more messages have reached the output. wall_ms: from the action to the last message out;
// unresponsive_ms: the longest stretch in which no timer of the event loop ran (call_ms: how much
// of it the action's own call took, the rest is the machine); floor_ms: the messages times the
// pause before each.
void MeasureSend(benchmark::State& state, int messages, const std::function<void()>& edit,
                 const std::function<void()>& action) {
  double worstWall = 0, worstGap = 0, call = 0, late = 0;
  std::size_t arrived = 0;
  for (auto _ : state) {
    state.PauseTiming();
    edit();
    Settle();
    state.ResumeTiming();
    const std::size_t before = SentCount();
    const TClock::time_point start = TClock::now();
    TClock::time_point last = start, done{};
    double gap = 0;
    auto look = [&] {
      const TClock::time_point now = TClock::now();
      gap = std::max(gap, Ms(now - last));
      last = now;
      if (done == TClock::time_point{} && SentCount() >= before + messages) done = now;
    };
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, look);
    TLeaving leaving;
    MidiSession().SetMonitor(&leaving);
    watch.start();
    action();
    call = std::max(call, Ms(TClock::now() - start));
    look();
    // Whatever is still on its way out (a sender that does not block) leaves meanwhile.
    const TClock::time_point limit = TClock::now() + std::chrono::seconds(20);
    while (done == TClock::time_point{} && TClock::now() < limit)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    watch.stop();
    MidiSession().SetMonitor(nullptr);
    late = std::max(late, leaving.Late());
    if (done == TClock::time_point{}) {
      state.SkipWithError("messages did not reach the output");
      break;
    }
    arrived = SentCount() - before;
    worstWall = std::max(worstWall, Ms(done - start));
    worstGap = std::max(worstGap, gap);
  }
  const double floor = messages * Timing().MessagePauseMs;
  state.counters["floor_ms"] = floor;
  state.counters["wall_ms"] = worstWall;
  state.counters["unresponsive_ms"] = worstGap;
  state.counters["call_ms"] = call;
  state.counters["late_ms"] = late;
  state.counters["messages"] = static_cast<double>(arrived);
  state.counters["final_ok"] = arrived == static_cast<std::size_t>(messages) ? 1 : 0;
}

void MeasureRevert(benchmark::State& state, int messages, const std::function<void()>& edit,
                   const std::function<void()>& revert) {
  MeasureSend(state, messages, edit, revert);
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

// Patches in a library and their windows in an MDI area, as in the program.
struct TPatchFrame {
  TPatchFrame() {
    window.resize(1200, 900);
    window.setCentralWidget(area);
    window.show();
    ChildFrame().SetArea(area);
    RegisterPatchEditor();
    for (TPatch*& patch : patches) patch = static_cast<TPatch*>(&library.NewElement(ekPatch));
  }
  ~TPatchFrame() {
    for (TPatch* patch : patches) Views().Close(*patch);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ChildFrame().SetArea(nullptr);
    CurrentPatch = nullptr;
  }
  QMainWindow window;
  QMdiArea* area = new QMdiArea(&window);
  TLibrary library;
  TPatch* patches[2] = {};
};

// Revert of the common page: the whole common block once.
void BM_RevertPatchCommon(benchmark::State& state) {
  TPort port(true);
  TPatchFrame frame;
  frame.patches[0]->OpenEditor();
  TFormCommon* page = OpenCommonPage(*frame.patches[0]);
  QCoreApplication::processEvents();
  MeasureSend(
      state, 1, [&] { page->SendandStore(10, 100); }, [&] { page->Revert(); });
}
BENCHMARK(BM_RevertPatchCommon)->Iterations(5)->Unit(benchmark::kMillisecond);

// Activating the window of a patch that is not the current one sends it: five blocks.
void BM_ActivatePatchWindow(benchmark::State& state) {
  TPort port(true);
  TPatchFrame frame;
  QMdiSubWindow* frames[2] = {};
  for (int i = 0; i < 2; ++i) {
    frame.patches[i]->OpenEditor();
    frames[i] = qobject_cast<QMdiSubWindow*>(frame.patches[i]->Editor->parent());
  }
  QCoreApplication::processEvents();
  int next = 0;
  MeasureSend(
      state, 5,
      [&] {
        next = CurrentPatch == frame.patches[0] ? 1 : 0;
        frame.area->setActiveSubWindow(nullptr);
      },
      [&] { frame.area->setActiveSubWindow(frames[next]); });
}
BENCHMARK(BM_ActivatePatchWindow)->Iterations(4)->Unit(benchmark::kMillisecond);

// The rhythm set's whole send to the instrument's temporary area, as its windows make it.
void BM_SendRhythmSet(benchmark::State& state) {
  TPort port(true);
  TRhythm rhythm(nullptr);
  rhythm.Init();
  MeasureSend(
      state, TRhythm::kBlockCount, [] { CurrentRhythm = nullptr; },
      [&] { rhythm.Transmit(true); });
  CurrentRhythm = nullptr;
}
BENCHMARK(BM_SendRhythmSet)->Iterations(2)->Unit(benchmark::kMillisecond);

// A part's level dragged through 100 values in one second: each 10 ms the control takes the
// value the mouse has reached by then (a window that does not answer skips the values it
// missed, as the mouse moves on). messages: the data sets that reached the output; final_ok: the
// last of them carries the final value.
void BM_DragSlider(benchmark::State& state) {
  TPort port(true);
  TPerformance performance(nullptr);
  performance.Init();
  CurrentPerformance = &performance;
  TFormPart window(performance);
  constexpr int kOffset = 6, kSteps = 100, kStepMs = 10;
  double worstGap = 0, worstWall = 0;
  std::size_t worstMessages = 0;
  bool allFinal = true;
  for (auto _ : state) {
    window.SendandStore(kOffset, 0);
    Settle();
    const std::size_t before = SentCount();
    const TClock::time_point start = TClock::now();
    TClock::time_point last = start;
    double gap = 0;
    int value = 0;
    QTimer mouse;
    mouse.setTimerType(Qt::PreciseTimer);
    mouse.setInterval(kStepMs);
    QObject::connect(&mouse, &QTimer::timeout, [&] {
      const int reached = std::min(kSteps, static_cast<int>(Ms(TClock::now() - start)) / kStepMs);
      if (reached != value) window.SendandStore(kOffset, static_cast<std::uint8_t>(value = reached));
    });
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      const TClock::time_point now = TClock::now();
      gap = std::max(gap, Ms(now - last));
      last = now;
    });
    watch.start();
    mouse.start();
    while (value < kSteps) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    mouse.stop();
    // Until the last value has gone out.
    TClock::time_point done{};
    const TClock::time_point limit = TClock::now() + std::chrono::seconds(10);
    while (TClock::now() < limit) {
      const std::vector<std::vector<std::uint8_t>> sent = TPort::loopback->Sent();
      if (sent.size() > before && sent.back().size() > 9 && sent.back()[9] == kSteps) {
        done = TClock::now();
        break;
      }
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
    }
    watch.stop();
    const std::vector<std::vector<std::uint8_t>> sent = TPort::loopback->Sent();
    allFinal = allFinal && done != TClock::time_point{};
    worstMessages = std::max(worstMessages, sent.size() - before);
    worstGap = std::max(worstGap, gap);
    if (done != TClock::time_point{}) worstWall = std::max(worstWall, Ms(done - start));
  }
  state.counters["floor_ms"] = kSteps * kStepMs + Timing().MessagePauseMs;
  state.counters["wall_ms"] = worstWall;
  state.counters["unresponsive_ms"] = worstGap;
  state.counters["messages"] = static_cast<double>(worstMessages);
  state.counters["final_ok"] = allFinal ? 1 : 0;
  CurrentPerformance = nullptr;
}
BENCHMARK(BM_DragSlider)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
