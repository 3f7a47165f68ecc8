#include "model/performancepart.h"

#include "midi/midisession.h"
#include "model/performancecommon.h"

void TPerformancePart::SetByte(int offset, std::uint8_t value) {
  if (GetByte(offset) == value) return;
  SendDataByte(TPerformanceCommon::kTemporaryBase, AreaOffset(), static_cast<std::uint16_t>(offset),
               value);
  StoreByte(offset, value);
}

void TPerformancePart::SetBytes(int offset, const std::uint8_t* bytes, int count) {
  Store(offset, bytes, count);
  SendDataSet(TPerformanceCommon::kTemporaryBase, AreaOffset(), static_cast<std::uint16_t>(offset),
              bytes, count);
}

void TPerformancePart::SendBlock() {
  if (!MidiSession().MidiOpen()) return;
  SendDataSet(TPerformanceCommon::kTemporaryBase, AreaOffset(), 0, Data(), kDataSize);
}
