// What the instrument answers to data requests and how data sets change its memory.
#include <gtest/gtest.h>

#include "instrument/efxdefaults.h"
#include "instrument/instrument.h"
#include "sysexhelpers.h"

namespace {

struct TExpectedReply {
  std::uint32_t Address;
  std::size_t DataSize;
};

void ExpectReplies(const std::vector<TBytes>& replies,
                   const std::vector<TExpectedReply>& expected) {
  ASSERT_EQ(replies.size(), expected.size());
  for (std::size_t i = 0; i < replies.size(); ++i) {
    SCOPED_TRACE(i);
    const TBytes& reply = replies[i];
    ASSERT_EQ(reply.size(), expected[i].DataSize + 11);
    EXPECT_EQ(TBytes(reply.begin(), reply.begin() + 5), (TBytes{0xF0, 0x41, 0x10, 0x6A, 0x12}));
    EXPECT_EQ(AddressOf(reply), expected[i].Address);
    EXPECT_TRUE(ChecksumOk(reply));
    EXPECT_EQ(reply.back(), 0xF7);
  }
}

}  // namespace

TEST(InstrumentReplies, EachBlockRequestOfTheProgramGetsExactlyThatBlock) {
  TInstrument instrument;
  // The sizes the program asks for are its image sizes, larger than the data: the reply still
  // stops at the end of the block.
  ExpectReplies(instrument.Feed(Request(0x00000000, 0x33)), {{0x00000000, 40}});
  ExpectReplies(instrument.Feed(Request(0x00002000, 0x17)), {{0x00002000, 12}});
  ExpectReplies(instrument.Feed(Request(0x101F0000, 0x4B)), {{0x101F0000, 64}});
  ExpectReplies(instrument.Feed(Request(0x101F1F00, 0x1E)), {{0x101F1F00, 19}});
  ExpectReplies(instrument.Feed(Request(0x10410000, 0x0C)), {{0x10410000, 12}});
  ExpectReplies(instrument.Feed(Request(0x10416200, 0x3A)), {{0x10416200, 58}});

  // A whole patch: the common block and four tones.
  const auto replies = instrument.Feed(Request(0x117F0000, 0x00001718));
  ExpectReplies(replies, {{0x117F0000, 72},
                          {0x117F1000, 129},
                          {0x117F1200, 129},
                          {0x117F1400, 129},
                          {0x117F1600, 129}});
  EXPECT_EQ(Text(TBytes(replies[0].begin() + 9, replies[0].begin() + 21)), "USER P128   ");
  EXPECT_EQ(DataOf(replies[1]), instrument.Block(0x117F1000));
}

TEST(InstrumentReplies, FactoryContentsNameEveryObjectApart) {
  TInstrument instrument;
  const std::pair<std::uint32_t, const char*> names[] = {
      {0x03000000, "TEMP PATCH  "}, {0x01000000, "TEMP PERFORM"}, {0x02090000, "TEMP RHYTHM "},
      {0x11000000, "USER P001   "}, {0x21070000, "CARD P008   "}, {0x100B0000, "USER PF 12  "},
      {0x201F0000, "CARD PF 32  "}, {0x20410000, "CARD RHY 2  "}};
  for (const auto& [address, name] : names) EXPECT_EQ(instrument.Name(address).toStdString(), name);
  // Initial contents of the blocks around the names.
  EXPECT_EQ(instrument.Block(0x00000000)[18], 0x61);
  EXPECT_EQ(instrument.Block(0x00001000), TBytes(12, 0x40));
  EXPECT_EQ(instrument.Block(0x11000000)[45], 4);
  EXPECT_EQ(instrument.Block(0x11001600)[122], 1);
  EXPECT_EQ(instrument.Block(0x10406200)[53], 1);
}

TEST(InstrumentReplies, RequestInsideABlockAnswersFromItsFirstByte) {
  TInstrument instrument;
  const auto name = instrument.Feed(Request(0x03000000, 0x0C));
  ExpectReplies(name, {{0x03000000, 12}});
  EXPECT_EQ(Text(DataOf(name[0])), "TEMP PATCH  ");

  instrument.Write(0x0300000D, TBytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  const auto efx = instrument.Feed(Request(0x0300000D, 0x0C));
  ExpectReplies(efx, {{0x0300000D, 12}});
  EXPECT_EQ(DataOf(efx[0]), (TBytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));

  EXPECT_TRUE(instrument.Feed(Request(0x03000048, 0x10)).empty()) << "past the common block";
  EXPECT_TRUE(instrument.Feed(Request(0x03000000, 0)).empty()) << "zero size";
}

TEST(InstrumentDataSets, DataSetsLandInTheirBlockOnly) {
  TInstrument instrument;
  const TBytes name{'P', 'i', 'a', 'n', 'o', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
  EXPECT_TRUE(instrument.Feed(DataSet(0x11040000, name)).empty());
  const auto reply = instrument.Feed(Request(0x11040000, 0x0C));
  ASSERT_EQ(reply.size(), 1u);
  EXPECT_EQ(DataOf(reply[0]), name);
  EXPECT_EQ(instrument.Counters().DataSets, 1u);

  // Tone addresses advance in seven-bit steps.
  TBytes tone(129);
  for (int i = 0; i < 129; ++i) tone[i] = static_cast<std::uint8_t>(i % 100);
  instrument.Feed(DataSet(0x03001200, tone));
  EXPECT_EQ(instrument.Block(0x03001200), tone);
  // The tone's last byte lies 01 00 past its start.
  instrument.Feed(DataSet(0x03001300, {77}));
  EXPECT_EQ(instrument.Block(0x03001200)[128], 77);
  EXPECT_EQ(instrument.Block(0x03001400), instrument.Block(0x03001000)) << "neighbours untouched";

  // Bytes beyond a block are dropped, not carried into the next.
  const TBytes before = instrument.Block(0x01001100);
  instrument.Feed(DataSet(0x01001000, TBytes(30, 0x22)));
  EXPECT_EQ(instrument.Block(0x01001000), TBytes(19, 0x22));
  EXPECT_EQ(instrument.Block(0x01001100), before);
  // A run starting in a gap reaches the block after it.
  instrument.Feed(DataSet(0x0100107E, {1, 2, 3}));
  EXPECT_EQ(instrument.Read(0x01001100, 1), TBytes{3});
}

TEST(InstrumentDataSets, OnlyOurDeviceIdOrBroadcastIsHeard) {
  TInstrument instrument;
  EXPECT_TRUE(instrument.Feed(Request(0x03000000, 0x0C, 0x11)).empty());
  instrument.Feed(DataSet(0x03000000, {'X'}, 0x11));
  EXPECT_EQ(instrument.Read(0x03000000, 1), TBytes{'T'});

  instrument.Feed(DataSet(0x03000000, {'B'}, 0x7F));
  EXPECT_EQ(instrument.Read(0x03000000, 1), TBytes{'B'});
  EXPECT_EQ(instrument.Feed(Request(0x03000000, 0x0C, 0x7F)).size(), 1u);

  instrument.SetDeviceId(0x11);
  const auto replies = instrument.Feed(Request(0x03000000, 0x0C, 0x11));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0][2], 0x11) << "replies carry the instrument's own ID";
  EXPECT_TRUE(instrument.Feed(Request(0x03000000, 0x0C, 0x10)).empty());
}

TEST(InstrumentDataSets, CardAreaAnswersAndStoresOnlyWithACard) {
  TInstrument instrument;
  ASSERT_FALSE(instrument.CardInserted());
  EXPECT_TRUE(instrument.Feed(Request(0x21000000, 0x00001718)).empty());
  EXPECT_TRUE(instrument.Feed(Request(0x20400000, 0x0C)).empty());
  instrument.Feed(DataSet(0x21000000, {'Z'}));
  EXPECT_EQ(instrument.Read(0x21000000, 1), TBytes{'C'});

  instrument.SetCardInserted(true);
  const auto replies = instrument.Feed(Request(0x21000000, 0x00001718));
  ASSERT_EQ(replies.size(), 5u);
  EXPECT_EQ(Text(TBytes(replies[0].begin() + 9, replies[0].begin() + 21)), "CARD P001   ");
  instrument.Feed(DataSet(0x21000000, {'Z'}));
  EXPECT_EQ(instrument.Read(0x21000000, 1), TBytes{'Z'});
}

TEST(InstrumentDataSets, NewEfxTypeLoadsItsParameters) {
  TInstrument instrument;
  // Stereo-Delay: delay times, feedback +20 %, HF damp at bypass, balance 30, full level.
  const TBytes delay{0, 100, 105, 0, 0, 59, 17, 15, 15, 30, 127, 0};
  instrument.Feed(DataSet(0x0300000C, {16}));
  EXPECT_EQ(instrument.Read(0x0300000D, 12), delay);
  // A performance keeps its type one byte later. Another type loads its own values.
  instrument.Feed(DataSet(0x1005000D, {16}));
  EXPECT_EQ(instrument.Read(0x1005000E, 12), delay);
  instrument.Feed(DataSet(0x1005000D, {1}));  // Overdrive
  EXPECT_EQ(instrument.Read(0x1005000E, 12), (TBytes{48, 64, 1, 15, 15, 96, 0, 0, 0, 0, 0, 0}));
  instrument.Feed(DataSet(0x1005000D, {16}));
  EXPECT_EQ(instrument.Read(0x1005000D, 1), TBytes{16});

  // The same type again keeps the edited parameters.
  instrument.Feed(DataSet(0x0300000D, {99}));
  instrument.Feed(DataSet(0x0300000C, {16}));
  EXPECT_EQ(instrument.Read(0x0300000D, 1), TBytes{99});

  // Parameters sent with the type in one message are the ones kept.
  instrument.Feed(DataSet(0x0300000C, {3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(instrument.Read(0x0300000D, 12), (TBytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));

  // A type the instrument does not know is stored but loads nothing.
  instrument.Feed(DataSet(0x0300000C, {45}));
  EXPECT_EQ(instrument.Read(0x0300000C, 2), (TBytes{45, 1}));

  // Every type's defaults are seven-bit values.
  for (int type = 0; type < kEfxTypes; ++type)
    for (std::uint8_t value : *EfxDefaults(type)) EXPECT_LT(value, 0x80) << type;
  EXPECT_EQ(EfxDefaults(kEfxTypes), nullptr);
  EXPECT_EQ(EfxDefaults(-1), nullptr);
}
