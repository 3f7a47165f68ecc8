#pragma once
// TPerformanceCommon: the common block of a performance (64 data bytes, the name in bytes 0 to
// 11) with the bookkeeping of its common page and effects page.
#include <array>

#include "model/blockimage.h"
#include "model/pageslot.h"

class TPerformanceCommon : public TBlockImage<64> {
 public:
  enum TPage { pgCommon, pgEffects, kPageCount };
  static constexpr std::uint32_t kTemporaryBase = 0x01000000;
  static constexpr int kXpDataSize = 66;

  TPerformanceCommon() { Init(); }
  // Initial contents: a blank name, byte 45 = 1, byte 46 = 4, the rest zero.
  void Init();

  // A changed byte is stored, then sent to the temporary performance area.
  void SetByte(int offset, std::uint8_t value) override;
  // Stores the bytes and always sends them in one message.
  void SetBytes(int offset, const std::uint8_t* bytes, int count) override;
  // The whole block in one message, while the MIDI ports are open.
  void SendBlock() override;

  std::array<TPageSlot, kPageCount> Pages;
};
