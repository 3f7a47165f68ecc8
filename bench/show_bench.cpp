// What vesta-cli show does for a 128-patch bank: every parameter of every patch turned into its
// shown text (about 72,000 rows), with random bytes so that every text form is met.
#include <random>

#include <benchmark/benchmark.h>

#include "editors/params/paramlisting.h"
#include "model/patch.h"
#include "model/patchbank.h"

namespace {
TPatchBank& RandomBank() {
  static TPatchBank* bank = [] {
    auto* built = new TPatchBank(nullptr);
    built->Init();
    std::mt19937 random(11);
    for (auto& member : built->Members) {
      auto& patch = static_cast<TPatch&>(*member);
      for (int b = 12; b < 72; ++b)
        patch.Common.StoreByte(b, static_cast<std::uint8_t>(random() % 128));
      patch.Common.StoreByte(12, static_cast<std::uint8_t>(random() % 40));
      for (TTone& tone : patch.Tones)
        for (int b = 0; b < 129; ++b) tone.StoreByte(b, static_cast<std::uint8_t>(random() % 128));
    }
    return built;
  }();
  return *bank;
}

void BM_ShowPatchBank(benchmark::State& state) {
  TPatchBank& bank = RandomBank();
  std::size_t rows = 0;
  for (auto _ : state) {
    rows = 0;
    for (const TLibElem* sound : SoundsOf(bank)) rows += ShowSound(*sound).Parameters.size();
    benchmark::DoNotOptimize(rows);
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_ShowPatchBank)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
