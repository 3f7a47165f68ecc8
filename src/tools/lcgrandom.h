#pragma once
// TLcgRandom: the random numbers of the sound tools, a 32-bit linear congruential generator.
// Its sequence for a given seed is fixed, so a bank made from a seed can be made again (the
// dialogs show the seed, and vesta-cli takes one).
#include <cstdint>

class TLcgRandom {
 public:
  explicit TLcgRandom(std::uint32_t seed = 0) : Seed(seed) {}

  // A uniform integer in 0 .. n - 1: the seed advances first, then the upper 32 bits of
  // seed × n are the result.
  int Random(int n) {
    Seed = Seed * 134775813u + 1u;
    return static_cast<int>((static_cast<std::uint64_t>(Seed) * static_cast<std::uint32_t>(n)) >>
                            32);
  }

  // A seed taken from the clock.
  static std::uint32_t ClockSeed();

  std::uint32_t Seed;
};
