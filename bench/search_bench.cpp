// Search and the duplicate finders over a library of 100 patch banks and 10 global dumps
// (about 15,000 sounds), against the one-by-one duplicate search on the same library.
#include <random>

#include <benchmark/benchmark.h>

#include "model/global.h"
#include "model/library.h"
#include "model/patch.h"
#include "model/patchbank.h"
#include "model/search.h"

namespace {
// Names drawn from 3,000 so that many repeat; a tenth of the patches are copies of others.
TLibrary& BigLibrary() {
  static TLibrary* library = [] {
    auto* built = new TLibrary;
    std::mt19937 random(7);
    auto fill = [&](TBank& bank) {
      for (auto& member : bank.Members) {
        member->SetName(QStringLiteral("Snd %1").arg(random() % 3000), false);
        if (auto* patch = dynamic_cast<TPatch*>(member.get()))
          patch->Tones[0].StoreByte(1, static_cast<std::uint8_t>(random() % 1280 / 10));
      }
    };
    for (int b = 0; b < 100; ++b) fill(static_cast<TBank&>(built->NewElement(ekPatchBank)));
    for (int g = 0; g < 10; ++g) {
      auto& global = static_cast<TBank&>(built->NewElement(ekGlobal));
      for (auto& bank : global.Members)
        if (bank->Kind != ekSystem) fill(static_cast<TBank&>(*bank));
    }
    return built;
  }();
  return *library;
}

TSearchOptions Options(TSearchMode mode) {
  TSearchOptions options;
  options.Mode = mode;
  options.DataCard = true;
  options.Pattern = mode == TSearchMode::Search ? QStringLiteral("snd 12") : QString();
  return options;
}

void Run(benchmark::State& state, TSearchMode mode, bool oneByOne) {
  TLibrary& library = BigLibrary();
  std::size_t found = 0;
  for (auto _ : state) {
    const auto results = oneByOne ? TSearch::RunOneByOne(library, Options(mode))
                                  : TSearch::Run(library, Options(mode));
    found = results.size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["results"] = static_cast<double>(found);
}

void BM_Search(benchmark::State& s) {
  Run(s, TSearchMode::Search, false);
}
void BM_DuplicateNames(benchmark::State& s) {
  Run(s, TSearchMode::DuplicateNames, false);
}
void BM_SameSound(benchmark::State& s) {
  Run(s, TSearchMode::SameSound, false);
}
void BM_DuplicateNamesOneByOne(benchmark::State& s) {
  Run(s, TSearchMode::DuplicateNames, true);
}
void BM_SameSoundOneByOne(benchmark::State& s) {
  Run(s, TSearchMode::SameSound, true);
}
}  // namespace

BENCHMARK(BM_Search)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DuplicateNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SameSound)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DuplicateNamesOneByOne)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SameSoundOneByOne)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
