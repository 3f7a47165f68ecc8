// What the instrument answers to data requests and how data sets change its memory.
#include <gtest/gtest.h>

#include "instrument/efxdefaults.h"
#include "instrument/instrument.h"
#include "sysexhelpers.h"

namespace {
// The replies' addresses and data sizes; each a whole data set from device 10H with its sum.
using TShape = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
TShape Shape(const std::vector<TBytes>& replies) {
  TShape shape;
  for (const TBytes& reply : replies) {
    EXPECT_EQ(TBytes(reply.begin(), reply.begin() + 5), (TBytes{0xF0, 0x41, 0x10, 0x6A, 0x12}));
    EXPECT_TRUE(ChecksumOk(reply));
    EXPECT_EQ(reply.back(), 0xF7);
    shape.emplace_back(AddressOf(reply), std::uint32_t(reply.size() - 11));
  }
  return shape;
}
}  // namespace

TEST(InstrumentReplies, EachRequestGetsItsBlockFromTheAddressAsked) {
  TInstrument instrument;
  instrument.Write(0x0300000D, TBytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  // The program asks for its image sizes, larger than the data: a reply stops at the block's
  // end. A request inside a block answers from the byte asked; past it or of size 0, nothing.
  const struct {
    std::uint32_t Address, Size, Replies, DataSize;
  } cases[] = {{0x00000000, 0x33, 1, 40}, {0x00002000, 0x17, 1, 12}, {0x101F0000, 0x4B, 1, 64},
               {0x101F1F00, 0x1E, 1, 19}, {0x10410000, 0x0C, 1, 12}, {0x10416200, 0x3A, 1, 58},
               {0x03000000, 0x0C, 1, 12}, {0x0300000D, 0x0C, 1, 12}, {0x03000048, 0x10, 0, 0},
               {0x03000000, 0, 0, 0}};
  for (const auto& c : cases) {
    const auto replies = instrument.Feed(Request(c.Address, c.Size));
    EXPECT_EQ(Shape(replies), (TShape(c.Replies, {c.Address, c.DataSize}))) << c.Address;
    for (const TBytes& r : replies) EXPECT_EQ(DataOf(r), instrument.Read(c.Address, c.DataSize));
  }
}

// Each data set, then what the memory holds: a tone's last byte lies 01 00 past its start;
// bytes beyond a block are dropped, and a run starting in a gap reaches the block after it; other
// device IDs are not heard, the broadcast one is; the card only with a card. A new EFX type loads
// its parameters (Stereo-Delay: delays, feedback +20 %, HF damp at bypass, balance 30, level);
// a performance keeps its type a byte later; the same type keeps edited values; parameters sent
// with the type are kept; an unknown type loads nothing.
TEST(InstrumentDataSets, LandInTheirBlockOnlyFromOurDeviceAndLoadEffectDefaults) {
  TInstrument instrument;
  TBytes tone(129);
  for (int i = 0; i < 129; ++i) tone[i] = static_cast<std::uint8_t>(i % 100);
  const TBytes tone1 = instrument.Block(0x03001000), part2 = instrument.Block(0x01001100);
  const TBytes delay{0, 100, 105, 0, 0, 59, 17, 15, 15, 30, 127, 0};
  const TBytes counted{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const struct {
    std::uint32_t Address;
    TBytes Sent;
    std::uint32_t ReadAt;
    TBytes Read;
    std::uint8_t Device = 0x10;
  } steps[] = {
      {0x11040000, {'P', 'i', 'a', 'n', 'o', ' '}, 0x11040000, {'P', 'i', 'a', 'n', 'o', ' '}},
      {0x03001200, tone, 0x03001200, tone},
      {0x03001300, {77}, 0x03001400, tone1},
      {0x01001000, TBytes(30, 0x22), 0x01001000, TBytes(19, 0x22)},
      {0x01001000, {0x22}, 0x01001100, part2},
      {0x0100107E, {1, 2, 3}, 0x01001100, {3}},
      {0x03000000, {'X'}, 0x03000000, {'T'}, 0x11},
      {0x03000000, {'B'}, 0x03000000, {'B'}, 0x7F},
      {0x21000000, {'Z'}, 0x21000000, {'C'}},
      {0x0300000C, {16}, 0x0300000D, delay},
      {0x1005000D, {16}, 0x1005000E, delay},
      {0x1005000D, {1}, 0x1005000E, {48, 64, 1, 15, 15, 96, 0, 0, 0, 0, 0, 0}},
      {0x1005000D, {16}, 0x1005000D, {16}},
      {0x0300000D, {99}, 0x0300000D, {99}},
      {0x0300000C, {16}, 0x0300000D, {99}},
      {0x0300000C, {3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 0x0300000D, counted},
      {0x0300000C, {45}, 0x0300000C, {45, 1}},
  };
  for (const auto& step : steps) {
    EXPECT_TRUE(instrument.Feed(DataSet(step.Address, step.Sent, step.Device)).empty());
    EXPECT_EQ(instrument.Read(step.ReadAt, step.Read.size()), step.Read) << &step - steps;
  }
  EXPECT_EQ(instrument.Block(0x03001200)[128], 77);
  EXPECT_EQ(instrument.Counters().DataSets, std::size(steps) - 1);  // all but device 11H's
  // Every type's defaults are seven-bit values.
  for (int type = 0; type < kEfxTypes; ++type)
    for (std::uint8_t value : *EfxDefaults(type)) EXPECT_LT(value, 0x80) << type;
  EXPECT_EQ(EfxDefaults(kEfxTypes), nullptr);
  EXPECT_EQ(EfxDefaults(-1), nullptr);
}
