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
  // Stores the bytes and always sends them in one message to the temporary rhythm area.
  void SetBytes(int offset, const std::uint8_t* bytes, int count);
};
