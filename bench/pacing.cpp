// How close paced data sets come to their floor: every message waits MessagePauseMs first, so
// 100 data sets can take no less than 5.0 s at the real pacing. Anything above is overshoot of
// the pause plus the cost of building and sending the messages.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "midi/config.h"
#include "midi/loopbackbackend.h"
#include "midi/midisession.h"
#include "midi/sysex.h"
#include "midi/timing.h"

namespace {

constexpr int kMessages = 100;
constexpr std::uint32_t kTemporaryPatch = 0x03000000;

void PacedDataSets(benchmark::State& state) {
  auto backend = std::make_unique<TLoopbackBackend>();
  TLoopbackBackend* loopback = backend.get();
  TMidiDevices::Instance().Clear();
  TMidiDevices::Instance().Add(std::move(backend));
  Timing() = TTiming{};
  Config().MidiIn = 0;
  Config().MidiOut = 0;
  MidiSession().Create();
  if (!MidiSession().MidiOpen()) {
    state.SkipWithError("the loopback device did not open");
    return;
  }

  // A tone block: the largest message a patch edit sends.
  const std::vector<std::uint8_t> tone(129, 0x40);
  const double floorSeconds = kMessages * Timing().MessagePauseMs / 1000.0;
  double worst = 0;
  for (auto _ : state) {
    loopback->ClearSent();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kMessages; ++i)
      SendDataSet(kTemporaryPatch, 0x1000, 0, tone.data(), static_cast<int>(tone.size()));
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(elapsed.count());
    worst = std::max(worst, elapsed.count());
    if (loopback->Sent().size() != kMessages) state.SkipWithError("messages were lost");
  }
  state.counters["floor_s"] = floorSeconds;
  state.counters["worst_s"] = worst;
  state.counters["worst_over_floor_pct"] = (worst - floorSeconds) / floorSeconds * 100.0;

  MidiSession().Destroy();
  TMidiDevices::Instance().Clear();
}

// The pause alone: how far past its 50 ms each wait ends.
void PauseOvershoot(benchmark::State& state) {
  const int pauseMs = TTiming{}.MessagePauseMs;
  double total = 0;
  double worst = 0;
  std::int64_t count = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    Pause(pauseMs);
    const std::chrono::duration<double, std::micro> elapsed =
        std::chrono::steady_clock::now() - start;
    const double over = elapsed.count() - pauseMs * 1000.0;
    state.SetIterationTime(elapsed.count() / 1e6);
    total += over;
    worst = std::max(worst, over);
    ++count;
  }
  state.counters["mean_over_us"] = count ? total / count : 0;
  state.counters["worst_over_us"] = worst;
}

}  // namespace

BENCHMARK(PauseOvershoot)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);
BENCHMARK(PacedDataSets)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
