#include "model/common.h"

#include "midi/midisession.h"

void TCommon::Init() {
  Image.fill(0);
  std::fill_n(Data(), 12, ' ');
  Data()[44] = 1;
  Data()[45] = 4;
}

void TCommon::SetByte(int offset, std::uint8_t value) {
  if (GetByte(offset) == value) return;
  SendDataByte(kTemporaryBase, 0, static_cast<std::uint16_t>(offset), value);
  StoreByte(offset, value);
}

void TCommon::SetBytes(int offset, const std::uint8_t* bytes, int count) {
  Store(offset, bytes, count);
  SendDataSet(kTemporaryBase, 0, static_cast<std::uint16_t>(offset), bytes, count);
}

void TCommon::SendBlock() {
  if (!MidiSession().MidiOpen()) return;
  SendDataSet(kTemporaryBase, 0, 0, Data(), kDataSize);
}
