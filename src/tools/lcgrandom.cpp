#include "tools/lcgrandom.h"

#include <chrono>

std::uint32_t TLcgRandom::ClockSeed() {
  // Milliseconds of the wall clock: two banks made a moment apart get different seeds.
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
  return static_cast<std::uint32_t>(ms);
}
