// The block operations of the system's common and scale tune blocks.
#include "midi/midisession.h"
#include "model/partscaletune.h"
#include "model/systemcommon.h"

void TSystemCommon::Init() {
  struct TInitial {
    int Offset;
    std::uint8_t Value;
  };
  static constexpr TInitial kInitial[] = {
      {0, 0x01},  {6, 0x3F},  {8, 0x01},  {9, 0x01},  {10, 0x01}, {12, 0x01}, {17, 0x02},
      {18, 0x61}, {19, 0x0B}, {28, 0x10}, {30, 0x01}, {32, 0x3C}, {33, 0x7F}, {34, 0x40},
      {35, 0x7F}, {36, 0x43}, {37, 0x7F}, {38, 0x3D}, {39, 0x7F}};
  Image.fill(0);
  for (const TInitial& initial : kInitial) Data()[initial.Offset] = initial.Value;
  std::fill(Data() + 20, Data() + 28, 0x01);
}

void TSystemCommon::SetByte(int offset, std::uint8_t value) {
  if (GetByte(offset) == value) return;
  StoreByte(offset, value);
  SendDataByte(kAddress, 0, static_cast<std::uint16_t>(offset), value);
}

void TSystemCommon::SetBytes(int offset, const std::uint8_t* bytes, int count) {
  Store(offset, bytes, count);
  SendDataSet(kAddress, 0, static_cast<std::uint16_t>(offset), bytes, count);
}

void TSystemCommon::SendBlock() {
  if (!MidiSession().MidiOpen()) return;
  SendDataSet(kAddress, 0, 0, Data(), kDataSize);
}

void TPartScaleTune::SetByte(int offset, std::uint8_t value) {
  if (GetByte(offset) == value) return;
  SendDataByte(TSystemCommon::kAddress, AreaOffset(), static_cast<std::uint16_t>(offset), value);
  StoreByte(offset, value);
}

void TPartScaleTune::SetBytes(int offset, const std::uint8_t* bytes, int count) {
  Store(offset, bytes, count);
  SendDataSet(TSystemCommon::kAddress, AreaOffset(), static_cast<std::uint16_t>(offset), bytes,
              count);
}

void TPartScaleTune::SendBlock() {
  if (!MidiSession().MidiOpen()) return;
  SendDataSet(TSystemCommon::kAddress, AreaOffset(), 0, Data(), kDataSize);
}
