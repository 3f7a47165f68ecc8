// What the patch pages show for stored bytes, and how shown values are stored.
#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "editors/params/params.h"
#include "editors/params/wavegroup.h"
#include "midi/config.h"

namespace {
const TParamRow& Row(std::span<const TParamRow> rows, int offset) {
  const auto row = std::find_if(rows.begin(), rows.end(),
                                [&](const TParamRow& r) { return r.Offset == offset; });
  if (row == rows.end()) throw std::runtime_error("no row at " + std::to_string(offset));
  return *row;
}

// The text of a row whose bytes are the given values, everything else zero.
QString TextOf(std::span<const TParamRow> rows, int offset, std::initializer_list<int> bytes,
               bool* inRange = nullptr) {
  std::array<std::uint8_t, 129> data{};
  int i = offset;
  for (int b : bytes) data[static_cast<std::size_t>(i++)] = static_cast<std::uint8_t>(b);
  return ParamText(Row(rows, offset), data.data(), inRange);
}

struct TTextCase {
  bool Tone;
  int Offset;
  std::initializer_list<int> Bytes;
  const char* Text;
};

TEST(ParamText, ShowsWhatTheControlsShow) {
  const TTextCase cases[] = {
      {false, 44, {15, 10}, "250"},      // default tempo in two halves
      {false, 44, {1, 4}, "20"},         // the tempo of a new patch
      {false, 47, {0}, "L 64"},          // pan
      {false, 47, {64}, "0"},
      {false, 47, {127}, "R 63"},
      {false, 50, {48}, "-48"},          // bender range down is shown negative
      {false, 50, {0}, "0"},
      {false, 49, {12}, "+12"},
      {false, 65, {0}, "-3"},            // octave shift
      {false, 66, {0}, "Off"},
      {false, 67, {1}, "Loudest"},       // radio captions lose their blanks
      {false, 68, {0}, "Type 1"},
      {false, 70, {9}, "Type 10"},
      {false, 69, {3}, "+18"},
      {false, 58, {15}, "Playmate"},
      {false, 60, {2}, "Peak"},
      {false, 53, {1}, "On"},
      {false, 52, {0}, "Off"},
      {true, 66, {125}, "+150"},         // sensitivities: stored × 2 − 100
      {true, 66, {0}, "-100"},
      {true, 66, {50}, "0"},
      {true, 122, {1}, "L 63"},          // alternate pan depth
      {true, 122, {127}, "R 63"},
      {true, 48, {4}, "+100"},           // LFO 1 offset level
      {true, 56, {0}, "-100"},           // LFO 2 offset level
      {true, 78, {0}, "-63"},            // LFO 1 pitch depth
      {true, 8, {0}, "1"},               // FXM depth shown + 1
      {true, 86, {6}, "7"},              // velocity curve
      {true, 61, {0}, "-48"},            // coarse tune
      {true, 62, {100}, "50"},           // fine tune
      {true, 63, {30}, "1200"},          // random pitch depth
      {true, 64, {15}, "+200"},
      {true, 67, {7}, "0"},
      {true, 67, {14}, "+100"},
      {true, 74, {126}, "63"},           // pitch envelope levels around 63
      {true, 74, {0}, "-63"},
      {true, 103, {60}, "C 4"},
      {true, 14, {127}, "G 9"},
      {true, 10, {127}, "880"},          // tone delay time
      {true, 47, {97}, "400"},           // LFO rate
      {true, 80, {0}, "No Filter"},
      {true, 102, {2}, "Lower Upper"},
      {true, 45, {7}, "Caos"},
      {true, 5, {0}, "-6"},
      {true, 21, {18}, "L2R"},
      {true, 128, {100}, "100"},
  };
  for (const TTextCase& c : cases) {
    bool inRange = false;
    EXPECT_EQ(TextOf(c.Tone ? ToneRows() : PatchCommonRows(), c.Offset, c.Bytes, &inRange),
              QString::fromLatin1(c.Text))
        << (c.Tone ? "tone" : "common") << " offset " << c.Offset;
    EXPECT_TRUE(inRange) << c.Offset;
  }
}

TEST(ParamText, BytesOutsideTheRangeShowAsNumbersAndAreFlagged) {
  const TTextCase cases[] = {
      {true, 80, {5}, "5"},         // a sixth filter type
      {true, 12, {0}, "0"},         // velocity range starts at 1
      {true, 122, {0}, "0"},        // alternate pan depth starts at 1
      {false, 44, {16, 0}, "256"},  // a tempo half above 15
      {false, 44, {0, 5}, "5"},     // below 20
      {true, 66, {126}, "126"},
      {true, 1, {3, 1}, "3 1"},     // no such wave group type
      {true, 3, {16, 0}, "16 0"},
  };
  for (const TTextCase& c : cases) {
    bool inRange = true;
    EXPECT_EQ(TextOf(c.Tone ? ToneRows() : PatchCommonRows(), c.Offset, c.Bytes, &inRange),
              QString::fromLatin1(c.Text))
        << c.Offset;
    EXPECT_FALSE(inRange) << c.Offset;
  }
}

TEST(ParamText, NameLosesOnlyItsPadding) {
  std::array<std::uint8_t, 72> data{};
  const char name[] = " Warm Pad   ";
  std::copy(name, name + 12, data.begin());
  EXPECT_EQ(ParamText(Row(PatchCommonRows(), 0), data.data()), QStringLiteral(" Warm Pad"));
}

TEST(ParamConversion, ShownValuesAreStoredAsTheEditorsStoreThem) {
  struct TCase {
    bool Tone;
    int Offset;
    int Shown;
    int Stored;
  } cases[] = {
      {true, 66, 150, 125}, {true, 66, -100, 0}, {true, 87, -99, 0},  // toward zero
      {true, 48, 100, 4},   {true, 48, -100, 0}, {true, 122, -63, 1}, {true, 122, 63, 127},
      {true, 78, -63, 0},   {true, 78, 63, 126}, {false, 50, -48, 48}, {false, 65, -3, 0},
      {false, 47, -64, 0},  {false, 44, 250, 250}, {true, 8, 16, 15},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(ParamStoredFromShown(Row(c.Tone ? ToneRows() : PatchCommonRows(), c.Offset),
                                   c.Shown),
              c.Stored)
        << c.Offset << " shown " << c.Shown;
  std::uint8_t tempo[2];
  ParamSplit(Row(PatchCommonRows(), 44), 250, tempo);
  EXPECT_EQ(tempo[0], 15);
  EXPECT_EQ(tempo[1], 10);
}

// Which bytes each tone page owns, as the drag copy of parts moves them.
TEST(ToneRows, CoverEveryByteOnceOnThePageThatCopiesIt) {
  enum { Wave, TVA, TVF, Pitch, LFO1, LFO2, Control };
  std::map<int, int> owner;
  auto own = [&](int from, int to, int page) {
    for (int b = from; b <= to; ++b) owner[b] = page;
  };
  own(11, 44, Control);
  own(125, 128, Control);
  own(0, 10, Wave);
  own(61, 77, Pitch);
  own(45, 52, LFO1);
  for (int b : {78, 99, 117, 123}) owner[b] = LFO1;
  own(53, 60, LFO2);
  for (int b : {79, 100, 118, 124}) owner[b] = LFO2;
  own(101, 116, TVA);
  own(119, 122, TVA);
  own(80, 98, TVF);
  ASSERT_EQ(owner.size(), 129u);

  std::map<int, int> claimed;
  for (const TParamRow& row : ToneRows())
    for (int b = row.Offset; b < row.Offset + row.Size; ++b) {
      EXPECT_EQ(claimed.count(b), 0u) << "byte " << b << " claimed twice";
      claimed[b] = row.Page;
      EXPECT_EQ(row.Page, owner[b]) << row.Caption;
    }
  EXPECT_EQ(claimed.size(), 129u);
}

TEST(PatchCommonRows, CoverTheCommonBlockBesideTheEffects) {
  std::set<int> claimed;
  for (const TParamRow& row : PatchCommonRows())
    for (int b = row.Offset; b < row.Offset + row.Size; ++b)
      EXPECT_TRUE(claimed.insert(b).second) << "byte " << b;
  std::set<int> expected;
  for (int b = 0; b < 72; ++b)
    if (b < 12 || b > 43) expected.insert(b);
  EXPECT_EQ(claimed, expected);
}

TEST(PatchRows, ChoicesHaveOneItemPerStoredValue) {
  for (auto rows : {PatchCommonRows(), ToneRows()})
    for (const TParamRow& row : rows) {
      if (row.Items.empty()) continue;
      EXPECT_EQ(static_cast<int>(row.Items.size()), row.Max - row.Min + 1) << row.Caption;
    }
}

TEST(WaveGroup, FollowsTheConfiguredBoardsAndCard) {
  TConfig saved = Config();
  Config().Expansion[1] = 5;  // board 5 in slot B
  Config().PCMCard = 3;
  WaveNameListHook() = [](int code) {
    QStringList names;
    for (int i = 0; i < 256; ++i) names << QStringLiteral("L%1-W%2").arg(code).arg(i);
    return names;
  };
  struct TCase {
    int Type, Number;
    const char* Group;
    int List;
  } cases[] = {
      {0, 1, "Internal A", 1}, {0, 2, "Internal B", 2}, {0, 0, "Internal A", 1},
      {2, 5, "Expansion B", 11},                        // 2 × 5 + 1
      {2, 9, "Internal A", 1},                          // a board no slot holds
      {1, 3, "PCM", 33},                                // 2 × 3 + 27
  };
  for (const TCase& c : cases) {
    std::array<std::uint8_t, 129> tone{};
    tone[1] = static_cast<std::uint8_t>(c.Type);
    tone[2] = static_cast<std::uint8_t>(c.Number);
    tone[3] = 15;  // wave 254
    tone[4] = 14;
    EXPECT_EQ(WaveGroupText(tone.data()), QString::fromLatin1(c.Group)) << c.Type << c.Number;
    EXPECT_EQ(WaveNameText(tone.data()), QStringLiteral("L%1-W254").arg(c.List));
  }
  // Choosing an entry: a slot or card with nothing configured is refused.
  std::uint8_t type = 9, number = 9;
  EXPECT_TRUE(WaveGroupBytes(1, type, number));
  EXPECT_EQ(type * 16 + number, 0 * 16 + 2);
  EXPECT_TRUE(WaveGroupBytes(3, type, number));
  EXPECT_EQ(type * 16 + number, 2 * 16 + 5);
  EXPECT_TRUE(WaveGroupBytes(6, type, number));
  EXPECT_EQ(type * 16 + number, 1 * 16 + 3);
  type = number = 9;
  EXPECT_FALSE(WaveGroupBytes(2, type, number));  // "Expansion A", slot A empty
  EXPECT_EQ(type * 16 + number, 9 * 16 + 9);  // untouched
  // Past the list's end the name is empty; no lists at all, likewise.
  WaveNameListHook() = [](int) { return QStringList{QStringLiteral("only")}; };
  std::array<std::uint8_t, 129> tone{};
  tone[2] = 1;
  tone[4] = 1;
  EXPECT_EQ(WaveNameText(tone.data()), QStringLiteral(""));
  WaveNameListHook() = nullptr;
  Config() = saved;
}
}  // namespace
