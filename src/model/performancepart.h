#pragma once
// TPerformancePart: one part block of a performance (19 data bytes) and its number 1 to 16.
#include "model/blockimage.h"

class TPerformancePart : public TBlockImage<19> {
 public:
  static constexpr int kXpDataSize = 25;

  explicit TPerformancePart(int number = 1) : Number(number) {}
  void Init() { Image.fill(0); }

  // Offset of the part's area from the performance base: 10 00 + (p - 1) x 100.
  std::uint16_t AreaOffset() const {
    return static_cast<std::uint16_t>(0x1000 + (Number - 1) * 0x100);
  }
  // A changed byte is sent to the temporary performance area, then stored.
  void SetByte(int offset, std::uint8_t value) override;
  // Stores the bytes and always sends them in one message.
  void SetBytes(int offset, const std::uint8_t* bytes, int count) override;
  // The part's data in one message, while the MIDI ports are open.
  void SendBlock() override;

  int Number;
};
