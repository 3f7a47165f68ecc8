#pragma once
// Patches and banks filled with random sound data for the sound-tool tests.
#include <random>

#include "model/patchbank.h"

// Every data byte of every block a random 7-bit value; the name bytes random letters.
inline void FillRandom(TPatch& patch, std::mt19937& gen) {
  std::uniform_int_distribution<int> byte(0, 127);
  for (int b = 0; b < TCommon::kDataSize; ++b)
    patch.Common.StoreByte(b, static_cast<std::uint8_t>(byte(gen)));
  for (TTone& tone : patch.Tones)
    for (int b = 0; b < TTone::kDataSize; ++b)
      tone.StoreByte(b, static_cast<std::uint8_t>(byte(gen)));
  std::uniform_int_distribution<int> letter(0, 25);
  for (int b = 0; b < 12; ++b)
    patch.Common.StoreByte(b, static_cast<std::uint8_t>('A' + letter(gen)));
}

inline void FillRandom(TPatchBank& bank, unsigned seed) {
  std::mt19937 gen(seed);
  for (int i = 0; i < TPatchBank::kMemberCount; ++i) FillRandom(bank.Patch(i), gen);
}
