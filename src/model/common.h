#pragma once
// TCommon: the common block of a patch (72 data bytes: the name in bytes 0 to 11, the effects
// and what the four tones share), with the bookkeeping of its Common and Effects pages.
#include <array>

#include "model/blockimage.h"
#include "model/pageslot.h"

class TCommon : public TBlockImage<72> {
 public:
  enum TPage { pgCommon, pgEffects, kPageCount };
  static constexpr std::uint32_t kTemporaryBase = 0x03000000;
  static constexpr int kXpDataSize = 73;

  TCommon() { Init(); }
  // Initial contents: a blank name, byte 44 = 1, byte 45 = 4, the rest zero.
  void Init();

  // A changed byte is sent to the temporary patch area, then stored.
  void SetByte(int offset, std::uint8_t value) override;
  // Stores the bytes and always sends them in one message.
  void SetBytes(int offset, const std::uint8_t* bytes, int count) override;
  // The whole block in one message, while the MIDI ports are open.
  void SendBlock() override;

  std::array<TPageSlot, kPageCount> Pages;
};
