#pragma once
// TRhythmNote: the block of one drum key (58 data bytes) and its key number 35 to 98.
#include "model/blockimage.h"

class TRhythmNote : public TBlockImage<58> {
 public:
  static constexpr int kFirstKey = 35;
  static constexpr int kLastKey = 98;

  explicit TRhythmNote(int key = kFirstKey) : Key(key) { Init(); }
  // Initial contents: byte 53 = 1, the rest zero.
  void Init() {
    Image.fill(0);
    Data()[53] = 1;
  }

  // Offset of the note's area from the rhythm set base: the key number as third address byte.
  std::uint16_t AreaOffset() const {
    return static_cast<std::uint16_t>(0x2300 + (Key - kFirstKey) * 0x100);
  }
  // A changed byte is sent to the temporary rhythm area, then stored.
  void SetByte(int offset, std::uint8_t value) override;
  // Stores the bytes and always sends them in one message.
  void SetBytes(int offset, const std::uint8_t* bytes, int count) override;
  // The note's data in one message, while the MIDI ports are open.
  void SendBlock() override;

  int Key;
};
