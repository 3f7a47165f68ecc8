#pragma once
// One data block of a sound object, kept as the complete data-set message that carries it:
// F0 41 dev 6A 12, four address bytes, the data, the checksum and F7. Data byte k of the block is
// image byte 9 + k. Files store these images; replies are copied over them.
#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>

#include "midi/sysex.h"
#include "model/block.h"
#include "model/bytestream.h"

template <int DataSize>
class TBlockImage : public TBlock {
 public:
  static constexpr int kDataSize = DataSize;
  static constexpr int kImageSize = DataSize + 11;
  static constexpr int kLast = kImageSize - 1;

  std::array<std::uint8_t, kImageSize> Image{};

  int Size() const final { return DataSize; }
  std::uint8_t GetByte(int offset) const final { return Image[Index(offset)]; }
  // Writes straight into the block, sending nothing (revert, paste, sound tools).
  void StoreByte(int offset, std::uint8_t value) final { Image[Index(offset)] = value; }
  std::uint8_t* Data() final { return Image.data() + 9; }
  const std::uint8_t* Data() const final { return Image.data() + 9; }

  // Header, checksum and F7 for the block at address.
  void Prepare(std::uint32_t address) { PrepareMessage(Image.data(), kLast, address); }

  // The image as one message. In the XP layout a block whose XP message carries xpDataSize data
  // bytes gets zero bytes appended to its data and its checksum computed anew (zeros do not
  // change the sum, so it is the checksum of the data held).
  void Write(TByteWriter& out, int xpDataSize = DataSize) const {
    if (!out.Xp || xpDataSize == DataSize) {
      out.Append(Image.data(), kImageSize);
      return;
    }
    out.Append(Image.data(), 9 + DataSize);
    out.Zeros(xpDataSize - DataSize);
    out.U8(Checksum(Image.data(), kLast));
    out.U8(0xF7);
  }

  // Reads one message over the image. From the XP layout only the header and the first
  // DataSize data bytes are kept, and the shortened image gets its own checksum and F7.
  void Read(TByteReader& in, int xpDataSize = DataSize) {
    if (!in.Xp || xpDataSize == DataSize) {
      std::copy_n(in.Take(kImageSize), kImageSize, Image.begin());
      return;
    }
    const std::uint8_t* message = in.Take(xpDataSize + 11);
    std::copy_n(message, 9 + DataSize, Image.begin());
    Image[kLast - 1] = Checksum(Image.data(), kLast);
    Image[kLast] = 0xF7;
  }

 protected:
  static int Index(int offset) {
    if (offset < 0 || offset >= DataSize) throw std::out_of_range("block offset out of range");
    return 9 + offset;
  }
  // Stores count bytes from offset; true when at least one of them changed.
  bool Store(int offset, const std::uint8_t* bytes, int count) {
    if (count < 0 || offset < 0 || offset + count > DataSize)
      throw std::out_of_range("block range out of range");
    std::uint8_t* target = Image.data() + 9 + offset;
    const bool changed = !std::equal(bytes, bytes + count, target);
    std::copy_n(bytes, count, target);
    return changed;
  }
};
