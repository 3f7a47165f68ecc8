// The block operations of the rhythm set's common and note blocks.
#include "midi/midisession.h"
#include "model/rhythmcommon.h"
#include "model/rhythmnote.h"

void TRhythmCommon::SetByte(int offset, std::uint8_t value) {
  if (GetByte(offset) == value) return;
  SendDataByte(kTemporaryBase, 0, static_cast<std::uint16_t>(offset), value);
  StoreByte(offset, value);
}

void TRhythmCommon::SetBytes(int offset, const std::uint8_t* bytes, int count) {
  Store(offset, bytes, count);
  SendDataSet(kTemporaryBase, 0, static_cast<std::uint16_t>(offset), bytes, count);
}

void TRhythmCommon::SendBlock() {
  if (!MidiSession().MidiOpen()) return;
  SendDataSet(kTemporaryBase, 0, 0, Data(), kDataSize);
}

void TRhythmNote::SetByte(int offset, std::uint8_t value) {
  if (GetByte(offset) == value) return;
  SendDataByte(TRhythmCommon::kTemporaryBase, AreaOffset(), static_cast<std::uint16_t>(offset),
               value);
  StoreByte(offset, value);
}

void TRhythmNote::SetBytes(int offset, const std::uint8_t* bytes, int count) {
  Store(offset, bytes, count);
  SendDataSet(TRhythmCommon::kTemporaryBase, AreaOffset(), static_cast<std::uint16_t>(offset),
              bytes, count);
}

void TRhythmNote::SendBlock() {
  if (!MidiSession().MidiOpen()) return;
  SendDataSet(TRhythmCommon::kTemporaryBase, AreaOffset(), 0, Data(), kDataSize);
}
