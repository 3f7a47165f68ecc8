// The performance, rhythm and system parameter tables: rows inside their blocks, every byte
// claimed once, the section copy ranges, and the display examples of the editors as one case
// table whose expected values are written out here, never taken from the tables.
#include <gtest/gtest.h>

#include <set>

#include "editors/params/params.h"
#include "editors/params/patchgroup.h"
#include "midi/config.h"

namespace {

const TParamRow* RowAt(std::span<const TParamRow> rows, int offset) {
  for (const TParamRow& row : rows)
    if (row.Offset == offset) return &row;
  return nullptr;
}

struct TTable {
  const char* Name;
  std::span<const TParamRow> Rows;
  int Size;
  int Pages;
  std::set<int> Unclaimed;  // bytes other tables show
};

std::vector<TTable> Tables() {
  std::set<int> effects;
  for (int b = 12; b <= 44; ++b) effects.insert(b);
  return {{"performance common", PerformanceCommonRows(), 64, 1, effects},
          {"part", PerformancePartRows(), 19, 1, {}},
          {"rhythm part", RhythmPartRows(), 19, 1, {}},
          {"rhythm common", RhythmCommonRows(), 12, 1, {}},
          {"rhythm note", RhythmNoteRows(), 58, 4, {}},
          {"system common", SystemCommonRows(), 40, 3, {}},
          {"scale tune", ScaleTuneRows(), 12, 4, {}}};
}

TEST(PerfSysRows, EveryByteOfEveryBlockBelongsToExactlyOneRow) {
  for (const TTable& table : Tables()) {
    SCOPED_TRACE(table.Name);
    std::vector<int> claims(static_cast<std::size_t>(table.Size), 0);
    for (const TParamRow& row : table.Rows) {
      SCOPED_TRACE(row.Caption);
      ASSERT_LE(row.Offset + row.Size, table.Size);
      for (int b = row.Offset; b < row.Offset + row.Size; ++b)
        ++claims[static_cast<std::size_t>(b)];
      EXPECT_LE(row.Min, row.Max);
      EXPECT_LT(row.Page, table.Pages);
      EXPECT_NE(QLatin1String(""), QLatin1String(row.Caption));
      if (!row.Items.empty()) {
        EXPECT_EQ(0, row.Min);
        EXPECT_EQ(static_cast<int>(row.Items.size()) - 1, row.Max);
      }
      if (row.Control == TParamControl::Custom) {
        EXPECT_NE(nullptr, row.Text);
      }
    }
    for (int b = 0; b < table.Size; ++b)
      EXPECT_EQ(table.Unclaimed.count(b) ? 0 : 1, claims[static_cast<std::size_t>(b)]) << b;
  }
}

// The bytes a section copies, from the editors' description of each drag.
struct TSectionCase {
  const char* Name;
  std::span<const TCopySection> (*Sections)();
  int Kind;
  TSectionBlock Block;
  std::vector<std::pair<int, int>> Offsets;  // inclusive runs
  int Size;                                  // bytes of the block
};

TEST(PerfSysRows, SectionsCopyTheirBytesAndLeaveTheRest) {
  const TSectionCase cases[] = {
      {"performance common",
       PerformanceSections,
       9,
       TSectionBlock::Common,
       {{0, 11}, {45, 63}},
       64},
      {"performance effects", PerformanceSections, 10, TSectionBlock::Common, {{12, 44}}, 64},
      {"performance parts", PerformanceSections, 11, TSectionBlock::EveryPart, {{0, 18}}, 19},
      {"rhythm main", RhythmSections, 16, TSectionBlock::EveryPart, {{0, 11}, {54, 57}}, 58},
      {"rhythm pitch", RhythmSections, 17, TSectionBlock::EveryPart, {{12, 25}}, 58},
      {"rhythm TVF", RhythmSections, 18, TSectionBlock::EveryPart, {{26, 40}}, 58},
      {"rhythm TVA", RhythmSections, 19, TSectionBlock::EveryPart, {{41, 53}}, 58},
      {"system setup", SystemSections, 12, TSectionBlock::Common, {{0, 11}}, 40},
      {"system MIDI", SystemSections, 13, TSectionBlock::Common, {{12, 30}}, 40},
      {"system preview", SystemSections, 14, TSectionBlock::Common, {{31, 39}}, 40},
      {"system scale tune", SystemSections, 15, TSectionBlock::EveryPart, {{0, 11}}, 12},
  };
  for (const TSectionCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TCopySection* section = FindSection(c.Sections(), c.Kind);
    ASSERT_NE(nullptr, section);
    EXPECT_EQ(c.Block, section->Block);
    std::vector<std::uint8_t> from(64), to(64, 0xEE);
    for (std::size_t i = 0; i < from.size(); ++i) from[i] = static_cast<std::uint8_t>(i);
    CopySection(*section, from.data(), to.data());
    for (int b = 0; b < 64; ++b) {
      bool copied = false;
      for (const auto& [first, last] : c.Offsets) copied = copied || (b >= first && b <= last);
      EXPECT_EQ(copied ? b : 0xEE, to[static_cast<std::size_t>(b)]) << b;
    }
  }
  EXPECT_EQ(nullptr, FindSection(PerformanceSections(), 12));
  EXPECT_EQ(nullptr, FindSection(RhythmSections(), 9));
}

struct TTextCase {
  const char* What;
  std::span<const TParamRow> (*Rows)();
  int Offset;
  std::vector<std::uint8_t> Bytes;  // the row's bytes
  const char* Text;
};

TEST(PerfSysRows, TextsAreWhatTheControlsShow) {
  Config() = TConfig();
  Config().Expansion[1] = 3;
  Config().PCMCard = 2;
  const TTextCase cases[] = {
      {"name of three letters",
       PerformanceCommonRows,
       0,
       {'A', 'b', 'c', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '},
       "Abc"},
      {"tempo", PerformanceCommonRows, 45, {7, 8}, "120"},
      {"pan left", PerformancePartRows, 7, {0}, "L 64"},
      {"pan right", PerformancePartRows, 7, {127}, "R 63"},
      {"coarse", PerformancePartRows, 8, {60}, "+12"},
      {"group preset A", PerformancePartRows, 2, {0, 3}, "Preset A"},
      {"group card", PerformancePartRows, 2, {1, 2}, "PCM"},
      {"sensitivity top", RhythmNoteRows, 16, {125}, "+150"},
      {"filter envelope depth", RhythmNoteRows, 30, {0}, "-63"},
      {"note pan", RhythmNoteRows, 51, {1}, "L 63"},
      {"performance Preset B 5", SystemCommonRows, 1, {101}, "PR-B : 06"},
      {"control channel off", SystemCommonRows, 28, {16}, "Off"},
  };
  for (const TTextCase& c : cases) {
    SCOPED_TRACE(c.What);
    const TParamRow* row = RowAt(c.Rows(), c.Offset);
    ASSERT_NE(nullptr, row);
    std::uint8_t data[64] = {};
    std::copy(c.Bytes.begin(), c.Bytes.end(), data + c.Offset);
    bool valid = false;
    EXPECT_EQ(QString::fromLatin1(c.Text), ParamText(*row, data, &valid));
    EXPECT_TRUE(valid);
  }
  Config() = TConfig();
}

TEST(PerfSysRows, PatchAndPerformanceGroupsPickTheirBytesAndNameLists) {
  Config() = TConfig();
  std::uint8_t type = 9, number = 9;
  // Without boards and card the expansion and card entries are refused.
  for (int entry = 6; entry <= 10; ++entry)
    EXPECT_FALSE(PatchGroupBytes(entry, type, number)) << entry;
  EXPECT_EQ(9, type);
  EXPECT_EQ(0, PatchListCode(7));
  Config().Expansion[1] = 3;
  Config().PCMCard = 2;
  const struct {
    int Entry;
    int Type, Number, List;
  } entries[] = {{0, 0, 1, 49}, {1, 0, 2, 50}, {2, 0, 3, 25},
                 {5, 0, 6, 28}, {7, 2, 3, 8},  {10, 1, 2, 32}};
  for (const auto& e : entries) {
    ASSERT_TRUE(PatchGroupBytes(e.Entry, type, number)) << e.Entry;
    EXPECT_EQ(e.Type, type) << e.Entry;
    EXPECT_EQ(e.Number, number) << e.Entry;
    EXPECT_EQ(e.List, PatchListCode(e.Entry)) << e.Entry;
    EXPECT_EQ(e.Entry, PatchGroupIndex(type, number)) << e.Entry;
  }
  // A board no slot holds shows as that board; an unknown type as none.
  EXPECT_EQ(kUnslottedBoard, PatchGroupIndex(2, 5));
  const std::uint8_t part[] = {0, 0, 2, 5, 1, 2};
  EXPECT_EQ(QStringLiteral("Board 5"), PatchGroupText(part));
  EXPECT_EQ(QStringLiteral("19"), PatchNameText(part));
  EXPECT_EQ(-1, PatchGroupIndex(3, 1));
  // The card's performances come first in the names file, so they are list 47.
  EXPECT_EQ(48, PerformanceListCode(0));
  EXPECT_EQ(47, PerformanceListCode(1));
  EXPECT_EQ(45, PerformanceListCode(2));
  EXPECT_EQ(46, PerformanceListCode(3));
  Config() = TConfig();
}

}  // namespace
