// Whole transfers at the real pacing against the built-in instrument, headless: how far above
// the time the pacing alone implies does each one end?
//
// Floors, from the timing record (P = MessagePauseMs, T = TransmitTickMs, C = FinishCloseMs):
// - a received rhythm set: 65 requests, each after its pause, then the close one C after the
//   last reply: 65 P + C;
// - the received user patch bank: one request per patch: 128 P + C;
// - a transmitted rhythm set: a block is queued on each timer tick and leaves its pause later
//   without holding up the next tick, and the window closes C after the last is queued:
//   64 max(P, T) + P + C.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>

#include <QCoreApplication>

#include "instrument/instrumentbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/timing.h"
#include "model/patchbank.h"
#include "model/rhythm.h"
#include "model/transfer.h"

namespace {

// Runs one transfer per iteration and reports its wall time against floorMs.
void Measure(benchmark::State& state, double floorMs, int expectedMessages,
             const std::function<void()>& transfer) {
  TMidiDevices::Instance().Clear();
  RegisterVirtualInstrument();
  Timing() = TTiming{};
  TScopedScriptedUI ui;
  MidiSession().Create();
  if (!MidiSession().MidiOpen()) {
    state.SkipWithError("the built-in instrument did not open");
    return;
  }
  double worstMs = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    transfer();
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    state.SetIterationTime(elapsed.count() / 1000.0);
    worstMs = std::max(worstMs, elapsed.count());
    const int messages =
        Transfer().Transmetting() ? Transfer().MessagesSent() : Transfer().MessagesReceived();
    if (!Transfer().Finished || !ui.Questions.empty() || messages != expectedMessages)
      state.SkipWithError("the transfer did not finish cleanly");
  }
  state.counters["floor_ms"] = floorMs;
  state.counters["worst_ms"] = worstMs;
  state.counters["over_floor_pct"] = (worstMs - floorMs) / floorMs * 100.0;
  MidiSession().Destroy();
  TMidiDevices::Instance().Clear();
}

TTiming Real() {
  return TTiming{};
}

void ReceiveRhythmSet(benchmark::State& state) {
  TRhythm rhythm(nullptr);
  rhythm.Temporary = false;
  rhythm.User = true;
  Measure(state, 65.0 * Real().MessagePauseMs + Real().FinishCloseMs, 65,
          [&rhythm] { rhythm.Receive(false); });
}

void TransmitRhythmSet(benchmark::State& state) {
  TRhythm rhythm(nullptr);
  rhythm.Init();
  rhythm.Temporary = false;
  rhythm.User = true;
  Measure(state,
          64.0 * std::max(Real().MessagePauseMs, Real().TransmitTickMs) + Real().MessagePauseMs +
              Real().FinishCloseMs,
          65, [&rhythm] { rhythm.Transmit(false); });
}

void ReceiveUserPatchBank(benchmark::State& state) {
  TPatchBank bank(nullptr);
  Measure(state, 128.0 * Real().MessagePauseMs + Real().FinishCloseMs, 640,
          [&bank] { bank.Receive(false); });
}

}  // namespace

BENCHMARK(ReceiveRhythmSet)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(TransmitRhythmSet)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ReceiveUserPatchBank)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// The transfers run on Qt's timers and event loops.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
