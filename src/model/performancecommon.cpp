#include "model/performancecommon.h"

#include "midi/midisession.h"

void TPerformanceCommon::Init() {
  Image.fill(0);
  std::fill_n(Data(), 12, ' ');
  Data()[45] = 1;
  Data()[46] = 4;
}

void TPerformanceCommon::SetByte(int offset, std::uint8_t value) {
  if (GetByte(offset) == value) return;
  StoreByte(offset, value);
  SendDataByte(kTemporaryBase, 0, static_cast<std::uint16_t>(offset), value);
}

void TPerformanceCommon::SetBytes(int offset, const std::uint8_t* bytes, int count) {
  Store(offset, bytes, count);
  SendDataSet(kTemporaryBase, 0, static_cast<std::uint16_t>(offset), bytes, count);
}

void TPerformanceCommon::SendBlock() {
  if (!MidiSession().MidiOpen()) return;
  SendDataSet(kTemporaryBase, 0, 0, Data(), kDataSize);
}
