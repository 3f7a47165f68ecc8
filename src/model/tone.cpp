#include "model/tone.h"

#include "midi/midisession.h"
#include "model/common.h"

void TTone::Init() {
  Image.fill(0);
  Data()[12] = 1;
  Data()[13] = 1;
  Data()[122] = 1;
}

void TTone::SetByte(int offset, std::uint8_t value) {
  if (GetByte(offset) == value) return;
  SendDataByte(TCommon::kTemporaryBase, AreaOffset(), ParameterOffset(offset), value);
  StoreByte(offset, value);
}

void TTone::SetBytes(int offset, const std::uint8_t* bytes, int count) {
  if (!Store(offset, bytes, count)) return;
  SendDataSet(TCommon::kTemporaryBase, AreaOffset(), ParameterOffset(offset), bytes, count);
}

void TTone::SendBlock() {
  if (!MidiSession().MidiOpen()) return;
  SendDataSet(TCommon::kTemporaryBase, AreaOffset(), 0, Data(), kDataSize);
}
