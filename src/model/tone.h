#pragma once
// TTone: one tone block of a patch (129 data bytes), its number 1 to 4, and the bookkeeping of
// its seven page windows.
#include <array>

#include "model/blockimage.h"
#include "model/pageslot.h"

class TTone : public TBlockImage<129> {
 public:
  enum TPage { pgWave, pgTVA, pgTVF, pgPitch, pgLFO1, pgLFO2, pgControl, kPageCount };

  explicit TTone(int number = 1) : Number(number) { Init(); }
  // Initial contents: bytes 12 and 13 = 1, byte 122 = 1, the rest zero.
  void Init();

  // Offset of the tone's area from the patch base: 10 00, 12 00, 14 00, 16 00.
  std::uint16_t AreaOffset() const {
    return static_cast<std::uint16_t>(0x1000 + (Number - 1) * 0x200);
  }
  // Addresses advance in 7-bit steps, so byte 128 lies 01 00 past the start of the tone.
  static std::uint16_t ParameterOffset(int offset) {
    return static_cast<std::uint16_t>(offset < 128 ? offset : 0x100 + (offset - 128));
  }

  // A changed byte is sent to the temporary patch area, then stored.
  void SetByte(int offset, std::uint8_t value) override;
  // Stores the bytes; sends them in one message only when at least one of them changed.
  void SetBytes(int offset, const std::uint8_t* bytes, int count) override;
  // The whole block in one message, while the MIDI ports are open.
  void SendBlock() override;

  int Number;
  std::array<TPageSlot, kPageCount> Pages;
};
