// Changing the EFX type against the built-in instrument at the real pacing: the type's data set,
// the type again, the request for the twelve parameters, and the answer stored in the patch.
// Floor, from the timing record (P = MessagePauseMs): three messages, each after its pause, 3 P,
// plus the answer's way back (the emulated instrument answers at once).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "instrument/instrumentbackend.h"
#include "midi/midisession.h"
#include "midi/scriptedui.h"
#include "midi/timing.h"
#include "model/efxrequest.h"
#include "model/patch.h"

namespace {

void TypeChangeRequest(benchmark::State& state) {
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
  TEfxRequest request;
  bool answered = false;
  request.OnAnswer = [&](const TEfxRequest::TParameters& parameters) {
    std::copy(parameters.begin(), parameters.end(), patch.Common.Data() + 13);
    answered = true;
  };
  const double floorMs = 3.0 * Timing().MessagePauseMs;
  double worstMs = 0;
  int type = 0;
  for (auto _ : state) {
    type = (type + 1) % 40;
    answered = false;
    const auto start = std::chrono::steady_clock::now();
    patch.Common.SetByte(12, static_cast<std::uint8_t>(type));
    request.Start(TCommon::kTemporaryBase, 12, static_cast<std::uint8_t>(type));
    while (!answered && request.Waiting())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    state.SetIterationTime(elapsed.count() / 1000.0);
    worstMs = std::max(worstMs, elapsed.count());
    if (!answered || !ui.Questions.empty()) state.SkipWithError("no answer");
  }
  state.counters["floor_ms"] = floorMs;
  state.counters["worst_ms"] = worstMs;
  state.counters["over_floor_pct"] = (worstMs - floorMs) / floorMs * 100.0;
  MidiSession().Destroy();
  TMidiDevices::Instance().Clear();
}

}  // namespace

BENCHMARK(TypeChangeRequest)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
