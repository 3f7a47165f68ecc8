// What the patch pages show for stored bytes, and how shown values are stored.
#include <algorithm>
#include <array>
#include <map>
#include <span>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "editors/params/params.h"
#include "editors/params/wavegroup.h"
#include "midi/config.h"

static const TParamRow& Row(bool tone, int offset) {
  const auto rows = tone ? ToneRows() : PatchCommonRows();
  const auto row = std::ranges::find(rows, offset, &TParamRow::Offset);
  if (row == rows.end()) throw std::runtime_error("no row at " + std::to_string(offset));
  return *row;
}

// Pan, tempo in two halves, negative ranges, sensitivities stored x 2 - 100, lists, keys; bytes
// outside a row's range (a sixth filter type, tempo halves above 15) shown as numbers, flagged.
TEST(ParamText, ShowsWhatTheControlsShowAndFlagsBytesOutsideTheRange) {
  const struct {
    int Tone, Offset, Byte, Next, InRange;  // Next: a two-byte row's second byte, or -1
    const char* Text;
  } cases[] = {{0, 44, 15, 10, 1, "250"},      {0, 44, 1, 4, 1, "20"},
               {0, 47, 0, -1, 1, "L 64"},      {0, 47, 64, -1, 1, "0"},
               {0, 47, 127, -1, 1, "R 63"},    {0, 50, 48, -1, 1, "-48"},
               {0, 50, 0, -1, 1, "0"},         {0, 49, 12, -1, 1, "+12"},
               {0, 65, 0, -1, 1, "-3"},        {0, 66, 0, -1, 1, "Off"},
               {0, 67, 1, -1, 1, "Loudest"},   {0, 68, 0, -1, 1, "Type 1"},
               {0, 70, 9, -1, 1, "Type 10"},   {0, 69, 3, -1, 1, "+18"},
               {0, 58, 15, -1, 1, "Playmate"}, {0, 60, 2, -1, 1, "Peak"},
               {0, 53, 1, -1, 1, "On"},        {0, 52, 0, -1, 1, "Off"},
               {1, 66, 125, -1, 1, "+150"},    {1, 66, 0, -1, 1, "-100"},
               {1, 66, 50, -1, 1, "0"},        {1, 122, 1, -1, 1, "L 63"},
               {1, 122, 127, -1, 1, "R 63"},   {1, 48, 4, -1, 1, "+100"},
               {1, 56, 0, -1, 1, "-100"},      {1, 78, 0, -1, 1, "-63"},
               {1, 8, 0, -1, 1, "1"},          {1, 86, 6, -1, 1, "7"},
               {1, 61, 0, -1, 1, "-48"},       {1, 62, 100, -1, 1, "50"},
               {1, 63, 30, -1, 1, "1200"},     {1, 64, 15, -1, 1, "+200"},
               {1, 67, 7, -1, 1, "0"},         {1, 67, 14, -1, 1, "+100"},
               {1, 74, 126, -1, 1, "63"},      {1, 74, 0, -1, 1, "-63"},
               {1, 103, 60, -1, 1, "C 4"},     {1, 14, 127, -1, 1, "G 9"},
               {1, 10, 127, -1, 1, "880"},     {1, 47, 97, -1, 1, "400"},
               {1, 80, 0, -1, 1, "No Filter"}, {1, 102, 2, -1, 1, "Lower Upper"},
               {1, 45, 7, -1, 1, "Caos"},      {1, 5, 0, -1, 1, "-6"},
               {1, 21, 18, -1, 1, "L2R"},      {1, 128, 100, -1, 1, "100"},
               {1, 80, 5, -1, 0, "5"},         {1, 12, 0, -1, 0, "0"},
               {1, 122, 0, -1, 0, "0"},        {0, 44, 16, 0, 0, "256"},
               {0, 44, 0, 5, 0, "5"},          {1, 66, 126, -1, 0, "126"},
               {1, 1, 3, 1, 0, "3 1"},         {1, 3, 16, 0, 0, "16 0"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.Tone ? "tone" : "common") << " offset " << c.Offset);
    std::array<std::uint8_t, 129> data{};
    data[c.Offset] = std::uint8_t(c.Byte);
    if (c.Next >= 0) data[c.Offset + 1] = std::uint8_t(c.Next);
    bool inRange = !c.InRange;
    EXPECT_EQ(ParamText(Row(c.Tone, c.Offset), data.data(), &inRange), c.Text);
    EXPECT_EQ(inRange, bool(c.InRange));
  }
  const char name[129] = " Warm Pad   ";
  EXPECT_EQ(ParamText(Row(false, 0), reinterpret_cast<const std::uint8_t*>(name)), " Warm Pad");

  // Shown values are stored as the editors store them, toward zero.
  const struct {
    int Tone, Offset, Shown, Stored;
  } stored[] = {{1, 66, 150, 125}, {1, 66, -100, 0}, {1, 87, -99, 0},   {1, 48, 100, 4},
                {1, 48, -100, 0},  {1, 122, -63, 1}, {1, 122, 63, 127}, {1, 78, -63, 0},
                {1, 78, 63, 126},  {0, 50, -48, 48}, {0, 65, -3, 0},    {0, 47, -64, 0},
                {0, 44, 250, 250}, {1, 8, 16, 15}};
  for (const auto& c : stored)
    EXPECT_EQ(ParamStoredFromShown(Row(c.Tone, c.Offset), c.Shown), c.Stored)
        << c.Offset << " shown " << c.Shown;
  std::uint8_t tempo[2];
  ParamSplit(Row(false, 44), 250, tempo);
  EXPECT_EQ(std::vector<int>(tempo, tempo + 2), (std::vector<int>{15, 10}));
}

// The page of each tone byte is the one whose drag copy moves it.
TEST(PatchRows, CoverEveryByteOnceOnThePageThatCopiesIt) {
  enum { Wave, TVA, TVF, Pitch, LFO1, LFO2, Control };
  const struct {
    int From, To, Page;
  } spans[] = {{11, 44, Control}, {125, 128, Control}, {0, 10, Wave},   {61, 77, Pitch},
               {45, 52, LFO1},    {78, 78, LFO1},      {99, 99, LFO1},  {117, 117, LFO1},
               {123, 123, LFO1},  {53, 60, LFO2},      {79, 79, LFO2},  {100, 100, LFO2},
               {118, 118, LFO2},  {124, 124, LFO2},    {101, 116, TVA}, {119, 122, TVA},
               {80, 98, TVF}};
  std::map<int, int> owner;
  for (const auto& span : spans)
    for (int b = span.From; b <= span.To; ++b) owner[b] = span.Page;
  ASSERT_EQ(owner.size(), 129u);
  auto claim = [](std::span<const TParamRow> rows) {
    std::map<int, int> claimed;
    for (const TParamRow& row : rows) {
      for (int b = row.Offset; b < row.Offset + row.Size; ++b)
        EXPECT_TRUE(claimed.emplace(b, row.Page).second) << "byte " << b << " claimed twice";
      if (!row.Items.empty()) {
        EXPECT_EQ(static_cast<int>(row.Items.size()), row.Max - row.Min + 1) << row.Caption;
      }
    }
    return claimed;
  };
  EXPECT_EQ(claim(ToneRows()), owner);
  // The common rows: bytes 0 to 71 but the effects' 12 to 43.
  const std::map<int, int> common = claim(PatchCommonRows());
  EXPECT_EQ(common.size(), 72u - 32);
  EXPECT_EQ(common.lower_bound(12), common.lower_bound(44));
  EXPECT_EQ(common.rbegin()->first, 71);
}

TEST(WaveGroup, FollowsTheConfiguredBoardsAndCard) {
  TConfig saved = Config();
  Config().Expansion[1] = 5;  // board 5 in slot B
  Config().PCMCard = 3;       // lists: expansion board n is 2n + 1, card n 2n + 27
  WaveNameListHook() = [](int code) {
    QStringList names;
    for (int i = 0; i < 256; ++i) names << QStringLiteral("L%1-W%2").arg(code).arg(i);
    return names;
  };
  const struct {
    int Type, Number, List;
    const char* Group;
  } cases[] = {{0, 1, 1, "Internal A"},   {0, 2, 2, "Internal B"}, {0, 0, 1, "Internal A"},
               {2, 5, 11, "Expansion B"}, {2, 9, 1, "Internal A"}, {1, 3, 33, "PCM"}};
  for (const auto& c : cases) {
    const std::array<std::uint8_t, 129> tone{0, std::uint8_t(c.Type), std::uint8_t(c.Number), 15,
                                             14};  // wave 254
    EXPECT_EQ(WaveGroupText(tone.data()), c.Group) << c.Type << c.Number;
    EXPECT_EQ(WaveNameText(tone.data()), QStringLiteral("L%1-W254").arg(c.List));
  }
  // Choosing an entry: a slot or card with nothing configured is refused, the bytes untouched.
  const struct {
    int Entry, Taken, Bytes;
  } choices[] = {{1, 1, 0x02}, {3, 1, 0x25}, {6, 1, 0x13}, {2, 0, 0x99}};
  for (const auto& c : choices) {
    std::uint8_t type = 9, number = 9;
    EXPECT_EQ(WaveGroupBytes(c.Entry, type, number), bool(c.Taken)) << c.Entry;
    EXPECT_EQ(type * 16 + number, c.Bytes) << c.Entry;
  }
  WaveNameListHook() = [](int) { return QStringList{QStringLiteral("only")}; };
  const std::array<std::uint8_t, 129> tone{0, 0, 1, 0, 1};
  EXPECT_EQ(WaveNameText(tone.data()), QString());
  WaveNameListHook() = nullptr;
  Config() = saved;
}
