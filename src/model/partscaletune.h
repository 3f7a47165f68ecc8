#pragma once
// TPartScaleTune: the scale tune of one part (1 to 16) or of patch mode (17): twelve tunings,
// one per pitch class, centred on 40H.
#include "model/blockimage.h"

class TPartScaleTune : public TBlockImage<12> {
 public:
  static constexpr int kCount = 17;

  explicit TPartScaleTune(int number = 1) : Number(number) { Init(); }
  // Initial contents: every tuning at the centre value 40H.
  void Init() {
    Image.fill(0);
    std::fill_n(Data(), kDataSize, 0x40);
  }

  // Address of the block: 00 00 10 00 + (p - 1) x 100.
  std::uint16_t AreaOffset() const {
    return static_cast<std::uint16_t>(0x1000 + (Number - 1) * 0x100);
  }
  // A changed byte is sent, then stored.
  void SetByte(int offset, std::uint8_t value) override;
  // Stores the bytes and always sends them in one message.
  void SetBytes(int offset, const std::uint8_t* bytes, int count) override;
  // The twelve tunings in one message, while the MIDI ports are open.
  void SendBlock() override;

  int Number;
};
