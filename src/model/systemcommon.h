#pragma once
// TSystemCommon: the instrument's system settings block (40 data bytes) at 00 00 00 00.
#include "model/blockimage.h"

class TSystemCommon : public TBlockImage<40> {
 public:
  static constexpr std::uint32_t kAddress = 0x00000000;
  static constexpr int kXpDataSize = 82;

  TSystemCommon() { Init(); }
  // The instrument's factory settings.
  void Init();

  // A changed byte is stored, then sent.
  void SetByte(int offset, std::uint8_t value) override;
  // Stores the bytes and always sends them in one message.
  void SetBytes(int offset, const std::uint8_t* bytes, int count) override;
  // The whole block in one message, while the MIDI ports are open.
  void SendBlock() override;
};
