#pragma once
// TRhythmCommon: the common block of a rhythm set, which holds only its name (12 data bytes).
#include "model/blockimage.h"

class TRhythmCommon : public TBlockImage<12> {
 public:
  static constexpr std::uint32_t kTemporaryBase = 0x02090000;

  TRhythmCommon() { Init(); }
  // Initial contents: a blank name.
  void Init() {
    Image.fill(0);
    std::fill_n(Data(), 12, ' ');
  }
  // A changed byte is sent to the temporary rhythm area, then stored.
  void SetByte(int offset, std::uint8_t value) override;
  // Stores the bytes and always sends them in one message to the temporary rhythm area.
  void SetBytes(int offset, const std::uint8_t* bytes, int count) override;
  // The name in one message, while the MIDI ports are open.
  void SendBlock() override;
};
