// The effect parameter tables: their shape. (The bytes a shown value is stored as: the effects
// page's test.)
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "editors/params/params.h"

namespace {

const TParamRow* FindPageRow(int offset) {
  for (const TParamRow& row : EffectPageRows())
    if (row.Offset == offset) return &row;
  return nullptr;
}

}  // namespace

TEST(EffectRows, EveryTypeHasItsControlsAtFreePlacesInsideTheParameterBytes) {
  ASSERT_EQ(EffectTypes().size(), 40u);
  for (std::size_t t = 0; t < 40; ++t) {
    SCOPED_TRACE(t);
    const TEffectType& type = EffectTypes()[t];
    std::set<int> fields, offsets;
    for (const TParamRow& row : type.Rows) {
      SCOPED_TRACE(row.Caption);
      EXPECT_GE(row.Offset, 13);
      EXPECT_LE(row.Offset, 24);
      EXPECT_GE(row.Field, 1);
      EXPECT_LE(row.Field, 12);
      EXPECT_TRUE(fields.insert(row.Field).second);
      EXPECT_TRUE(offsets.insert(row.Offset).second);
      EXPECT_EQ(row.Size, 1);
      EXPECT_EQ(row.Tab, 1);
      EXPECT_LE(0, row.Min);
      EXPECT_LT(row.Min, row.Max);
      EXPECT_LE(row.Max, 127);
      if (row.Control == TParamControl::List)
        EXPECT_EQ(static_cast<int>(row.Items.size()), row.Max + 1);
      else
        EXPECT_TRUE(row.Items.empty());
      if (row.Control == TParamControl::Field) {
        // Every step of the field is one stored code, and a fixed scale ends where its mode ends.
        EXPECT_EQ(row.Step, row.Scale);
        if (!EditTypeRanged(row.Mode)) {
          EXPECT_EQ(row.Max, EditTypeHigh(row.Mode, 0));
        }
      }
    }
    // The fields are numbered 1 to n without gaps, so they fill the page from its first place.
    EXPECT_EQ(*fields.rbegin(), static_cast<int>(type.Rows.size()));
  }
}

TEST(EffectRows, TheTypeListAndPageOneRows) {
  // The type list names the same 40 types as the tables, and every other effects byte has a row
  // on page one, whose list or picture holds an item per code.
  const TParamRow* typeRow = FindPageRow(12);
  ASSERT_NE(typeRow, nullptr);
  ASSERT_EQ(typeRow->Items.size(), 40u);
  for (std::size_t t = 0; t < 40; ++t) EXPECT_STREQ(typeRow->Items[t], EffectTypes()[t].Item);
  EXPECT_EQ(EffectPageRows().size(), 20u);
  for (int offset = 25; offset <= 43; ++offset) {
    const TParamRow* row = FindPageRow(offset);
    ASSERT_NE(row, nullptr) << offset;
    EXPECT_EQ(row->Tab, 0);
    if (!row->Items.empty()) {
      EXPECT_EQ(static_cast<int>(row->Items.size()), row->Max + 1) << offset;
    }
  }
  // The control depths are shown around zero.
  EXPECT_EQ(ParamShown(*FindPageRow(30), 0), -63);
  EXPECT_EQ(ParamShown(*FindPageRow(32), 126), 63);
  // Part 10 plays rhythm: the EFX Source list goes from 9 to 11.
  const TParamRow& source = EfxSourceRow();
  ASSERT_EQ(source.Items.size(), 16u);
  EXPECT_STREQ(source.Items[9], "9");
  EXPECT_STREQ(source.Items[10], "11");
}
