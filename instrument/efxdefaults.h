#pragma once
// The twelve EFX parameter values that the instrument loads when an EFX type is selected.
#include <array>
#include <cstdint>

inline constexpr int kEfxTypes = 40;

// The parameters of type (0 to kEfxTypes - 1), in parameter order; bytes a type does not use
// are 0. Null for a type out of range.
const std::array<std::uint8_t, 12>* EfxDefaults(int type);
