#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "controls/edittype.h"

namespace {
constexpr int kNo = -1000;  // refused

// Every mode at the edges of its pieces, the worked examples of the display modes, and codes a
// mode does not have (shown as their number, never as a neighbour's text).
struct TTexts {
  TEditType type;
  std::vector<int> codes;
  std::vector<const char*> texts;  // of the codes in turn
};
const TTexts kTexts[] = {
    {IntM100P100,
     {0, 1, 2, 6, 7, 8, 12, 13, 14, 15},
     {" -100", " -70", " -50", " -10", "   0", " +10", " +50", " +70", " +100", " 15"}},
    {IntM100P200,
     {0, 3, 4, 5, 9, 10, 13, 15},
     {" -100", " -30", " -10", "   0", " +40", " +50", " +120", " +200"}},
    {IntM0P1200, {0, 10, 11, 19, 20, 30}, {" 0", " 10", " 20", " 100", " 200", " 1200"}},
    {Note, {0, 13, 60, 127, -1}, {" C -1", " C# 0", " C 4", " G 9", " -1"}},
    {MinMax, {0, 64, -5}, {" 0", " 64", " -5"}},
    {MinMaxS, {-5, 0, 12}, {" -5", "   0", " +12"}},
    {MinMaxDB, {-15, 0, 3}, {" -15 dB", "  0 dB", " +3 dB"}},
    {MinMaxPerc, {-1, 0, 50}, {" -1 %", "  0 %", " +50 %"}},
    {Int100M8000HZ,
     {0, 19, 20, 54, 55, 63, 125},
     {" 100 Hz", " 290 Hz", " 300 Hz", " 980 Hz", " 1000 Hz", " 1800 Hz", " 8000 Hz"}},
    {Int200M8000HZ, {0, 2, 16, 17}, {" 200", " 315", " 8000", " 17"}},
    {Int200M8000HZBP, {16, 17}, {" 8000", " ByPass"}},
    {Int05M90, {0, 1, 4}, {" 0.5", " 1.0", " 9.0"}},
    {Int005M10HZ,
     {0, 98, 99, 118, 119, 125},
     {" 0.05 Hz", " 4.95 Hz", " 5 Hz", " 6.9 Hz", " 7 Hz", " 10 Hz"}},
    {Int005M10HZNote,
     {0, 78, 79, 108, 109, 115, 116, 121, 125},
     {" 0.05 Hz", " 3.95 Hz", " 4 Hz", " 6.9 Hz", " 7 Hz", " 10 Hz", " 1/16", " 1/8 (.)", " 1/2"}},
    {Int0M100ms,
     {0, 3, 49, 50, 55, 59, 60, 99, 100, 125},
     {" 0 ms", " 0.3 ms", " 4.9 ms", " 5 ms", " 7.5 ms", " 9.5 ms", " 10 ms", " 49 ms", " 50 ms",
      " 100 ms"}},
    {Int0M500ms,
     {49, 50, 89, 90, 115, 116, 126},
     {" 4.9 ms", " 5 ms", " 39 ms", " 40 ms", " 290 ms", " 300 ms", " 500 ms"}},
    {Int200M1000ms, {0, 69, 70, 115}, {" 200", " 545", " 550", " 1000"}},
    {Int200M1000msNote, {115, 116, 125}, {" 1000", " 1/16", " 1/2"}},
    {Balance, {0, 30, 100}, {" D100:0E", " D70:30E", " D0:100E"}},
    {BalanceL, {30}, {" A70:30B"}},
    {CC00CC95, {0, 7, 95, 96, 97}, {" CC00", " CC07", " CC95", " Bender", " AfterTouch"}},
    {CC00CC95StartStop,
     {95, 98, 99, 100, 101, 102},
     {" CC95", " Prog-Up", " Prog-Down", " Start/Stop", " Punch-In/Out", " Tap-Temp"}},
    {RealInt1M127, {0, 1, 127}, {" Real", " 1", " 127"}},
    {Int1M16Off, {0, 15, 16}, {" 1", " 16", " Off"}},
    {Int1M16RXCHOff, {15, 16, 17}, {" 16", " RX-CH", " Off"}},
    {Int0M127Off, {127, 128}, {" 127", " Off"}},
    {User01PRB32,
     {0, 31, 32, 63, 64, 95, 96, 127, 128},
     {" User : 01", " User : 32", " Card : 01", " Card : 32", " PR-A : 01", " PR-A : 32",
      " PR-B : 01", " PR-B : 32", " 128"}},
    {Int427M452, {0, 1, 3, 8, 126}, {" 427.4", " 427.6", " 428.0", " 429.0", " 452.6"}},
    {Int0M880,
     {48, 49, 72, 73, 96, 97, 127},
     {" 96", " 100", " 192", " 200", " 384", " 400", " 880"}},
};

// Typed text in, code out, within the field's bounds low and high.
struct TTyped {
  TEditType type;
  int low, high;
  std::vector<const char*> texts;
  std::vector<int> codes;  // of the texts in turn; kNo: refused
};
const TTyped kTyped[] = {
    {IntM100P100,
     0,
     14,
     {"-100", "100", "+100", " +70", "0", "35", "110", "", "   "},
     {0, 14, 14, 13, 7, kNo, kNo, kNo, kNo}},
    {IntM100P200, 0, 15, {"200", "-30"}, {15, 3}},
    {IntM0P1200, 0, 30, {"1200", "15"}, {30, kNo}},
    {Note, 0, 127, {"C -1", "c#4", "G 9", "H 4", "C 4 x"}, {0, 61, 127, kNo, kNo}},
    {MinMax, -5, 20, {"-5", "20", "21", "1.5"}, {-5, 20, kNo, kNo}},
    {MinMaxS, -24, 24, {"+12", "-24"}, {12, -24}},
    {MinMaxDB, -15, 15, {"-15 dB", "+3dB", "15", "16 dB"}, {-15, 3, 15, kNo}},
    {MinMaxPerc, -98, 98, {"-98 %", "-98", "98%", "-99 %"}, {-98, -98, 98, kNo}},
    {Int100M8000HZ, 0, 125, {"100 Hz", "8000", "1000hz", "1050"}, {0, 125, 55, kNo}},
    {Int200M8000HZ, 0, 16, {"5000", "200", "ByPass"}, {14, 0, kNo}},
    {Int200M8000HZBP, 0, 17, {"bypass"}, {17}},
    {Int05M90, 0, 4, {"0.5", "1", "9.0", "3"}, {0, 1, 4, kNo}},
    {Int005M10HZ, 0, 125, {"0.05 Hz", "1.5", "10 Hz", "0.07"}, {0, 29, 125, kNo}},
    {Int005M10HZNote, 0, 125, {"1/16", "1/8 (.)", "1/2"}, {116, 121, 125}},
    {Int0M100ms, 0, 125, {"0 ms", "7.5", "100ms", "101"}, {0, 55, 125, kNo}},
    {Int0M500ms, 0, 126, {"500 ms"}, {126}},
    {Int200M1000ms, 0, 115, {"200", "1000"}, {0, 115}},
    {Int200M1000msNote, 0, 125, {"1/4 (3)"}, {120}},
    {Balance, 0, 100, {"D50:50E", "d100 : 0e", "D50:51E"}, {50, 0, kNo}},
    {BalanceL, 0, 100, {"A0:100B"}, {100}},
    {CC00CC95, 0, 97, {"CC00", "cc95", "AfterTouch", "Tap-Temp"}, {0, 95, 97, kNo}},
    {CC00CC95StartStop, 0, 102, {"Tap-Temp"}, {102}},
    {RealInt1M127, 0, 127, {"Real", "127"}, {0, 127}},
    {Int1M16Off, 0, 16, {"1", "16", "off", "0"}, {0, 15, 16, kNo}},
    {Int1M16RXCHOff, 0, 17, {"RX-CH"}, {16}},
    {Int0M127Off, 0, 128, {"Off", "0"}, {128, 0}},
    {User01PRB32, 0, 127, {"User : 01", "PR-B:32", "Card : 33"}, {0, 127, kNo}},
    {Int427M452, 0, 126, {"427.4", "428", "452.6"}, {0, 3, 126}},
    {Int0M880, 0, 127, {"880", "97"}, {127, kNo}},
    {Note, 12, 24, {"C -1"}, {kNo}},
};

TEST(EditType, TextsAtThePieceEdgesAndTypedTextsWithOrWithoutTheUnit) {
  for (const TTexts& t : kTexts) {
    ASSERT_EQ(t.codes.size(), t.texts.size());
    for (std::size_t i = 0; i < t.codes.size(); ++i)
      EXPECT_EQ(EditTypeText(t.type, t.codes[i]), QString::fromLatin1(t.texts[i]))
          << EditTypeName(t.type).toStdString() << " code " << t.codes[i];
  }
  for (const TTyped& t : kTyped) {
    ASSERT_EQ(t.codes.size(), t.texts.size());
    for (std::size_t i = 0; i < t.codes.size(); ++i) {
      int code = -1;
      const QString text = QString::fromLatin1(t.texts[i]);
      const bool ok = EditTypeCode(t.type, text, t.low, t.high, code);
      EXPECT_EQ(ok, t.codes[i] != kNo) << EditTypeName(t.type).toStdString() << " " << t.texts[i];
      if (ok) {
        EXPECT_EQ(code, t.codes[i]) << EditTypeName(t.type).toStdString() << " " << t.texts[i];
      }
    }
  }
}

TEST(EditType, BoundsNamesAndTheTextReadBackForEveryCodeOfEveryMode) {
  const int kHighest[kEditTypeCount] = {14, 15,  30,  127, 0,   0,   0,   0,   125, 16,
                                        17, 4,   125, 125, 125, 126, 115, 125, 100, 100,
                                        97, 102, 127, 16,  17,  128, 127, 126, 127};
  for (int i = 0; i < kEditTypeCount; ++i) {
    const auto type = static_cast<TEditType>(i);
    const bool ranged = i >= MinMax && i <= MinMaxPerc;
    EXPECT_EQ(EditTypeRanged(type), ranged) << i;
    EXPECT_EQ(EditTypeLow(type, -12), ranged ? -12 : 0) << i;
    EXPECT_EQ(EditTypeHigh(type, 40), ranged ? 40 : kHighest[i]) << i;
    TEditType named = Note;
    ASSERT_TRUE(EditTypeFromName(EditTypeName(type), named)) << i;
    EXPECT_EQ(named, type);
    const int low = EditTypeLow(type, -64), high = EditTypeHigh(type, 63);
    for (int code = low; code <= high; ++code) {
      int back = kNo;
      ASSERT_TRUE(EditTypeCode(type, EditTypeText(type, code), low, high, back))
          << EditTypeName(type).toStdString() << " code " << code;
      EXPECT_EQ(back, code) << EditTypeName(type).toStdString();
    }
  }
  EXPECT_EQ(EditTypeName(IntM100P100), "IntM100P100");
  EXPECT_EQ(EditTypeName(Int005M10HZNote), "Int005M10HZNote");
  EXPECT_EQ(EditTypeName(Int0M880), "Int0M880");
  TEditType type = Note;
  EXPECT_FALSE(EditTypeFromName(QStringLiteral("intm100p100"), type));
  EXPECT_FALSE(EditTypeFromName(QString(), type));
  EXPECT_EQ(type, Note);
  // What a refusal says the field takes.
  EXPECT_EQ(EditTypeValues(CC00CC95, 0, 97), "CC00 to AfterTouch");
  EXPECT_EQ(EditTypeValues(Int05M90, 0, 4), "0.5, 1.0, 2.0, 4.0, 9.0");
  EXPECT_EQ(EditTypeValues(MinMaxPerc, -98, 98), "-98 % to +98 %");
  EXPECT_EQ(EditTypeValues(Note, 0, 127), "C -1 to G 9");
}

}  // namespace
