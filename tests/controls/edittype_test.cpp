#include <gtest/gtest.h>

#include "controls/edittype.h"

namespace {
struct TTextCase {
  TEditType type;
  int code;
  const char* text;
};

// Every mode at the edges of its pieces, and the worked examples of the display modes.
const TTextCase kTexts[] = {
    {IntM100P100, 0, " -100"},
    {IntM100P100, 1, " -70"},
    {IntM100P100, 2, " -50"},
    {IntM100P100, 6, " -10"},
    {IntM100P100, 7, "   0"},
    {IntM100P100, 8, " +10"},
    {IntM100P100, 12, " +50"},
    {IntM100P100, 13, " +70"},
    {IntM100P100, 14, " +100"},
    {IntM100P200, 0, " -100"},
    {IntM100P200, 3, " -30"},
    {IntM100P200, 4, " -10"},
    {IntM100P200, 5, "   0"},
    {IntM100P200, 9, " +40"},
    {IntM100P200, 10, " +50"},
    {IntM100P200, 13, " +120"},
    {IntM100P200, 15, " +200"},
    {IntM0P1200, 0, " 0"},
    {IntM0P1200, 10, " 10"},
    {IntM0P1200, 11, " 20"},
    {IntM0P1200, 19, " 100"},
    {IntM0P1200, 20, " 200"},
    {IntM0P1200, 30, " 1200"},
    {Note, 0, " C -1"},
    {Note, 13, " C# 0"},
    {Note, 60, " C 4"},
    {Note, 127, " G 9"},
    {MinMax, 0, " 0"},
    {MinMax, 64, " 64"},
    {MinMax, -5, " -5"},
    {MinMaxS, -5, " -5"},
    {MinMaxS, 0, "   0"},
    {MinMaxS, 12, " +12"},
    {MinMaxDB, -15, " -15 dB"},
    {MinMaxDB, 0, "  0 dB"},
    {MinMaxDB, 3, " +3 dB"},
    {MinMaxPerc, -1, " -1 %"},
    {MinMaxPerc, 0, "  0 %"},
    {MinMaxPerc, 50, " +50 %"},
    {Int100M8000HZ, 0, " 100 Hz"},
    {Int100M8000HZ, 19, " 290 Hz"},
    {Int100M8000HZ, 20, " 300 Hz"},
    {Int100M8000HZ, 54, " 980 Hz"},
    {Int100M8000HZ, 55, " 1000 Hz"},
    {Int100M8000HZ, 63, " 1800 Hz"},
    {Int100M8000HZ, 125, " 8000 Hz"},
    {Int200M8000HZ, 0, " 200"},
    {Int200M8000HZ, 2, " 315"},
    {Int200M8000HZ, 16, " 8000"},
    {Int200M8000HZBP, 16, " 8000"},
    {Int200M8000HZBP, 17, " ByPass"},
    {Int05M90, 0, " 0.5"},
    {Int05M90, 1, " 1.0"},
    {Int05M90, 4, " 9.0"},
    {Int005M10HZ, 0, " 0.05 Hz"},
    {Int005M10HZ, 98, " 4.95 Hz"},
    {Int005M10HZ, 99, " 5 Hz"},
    {Int005M10HZ, 118, " 6.9 Hz"},
    {Int005M10HZ, 119, " 7 Hz"},
    {Int005M10HZ, 125, " 10 Hz"},
    {Int005M10HZNote, 0, " 0.05 Hz"},
    {Int005M10HZNote, 78, " 3.95 Hz"},
    {Int005M10HZNote, 79, " 4 Hz"},
    {Int005M10HZNote, 108, " 6.9 Hz"},
    {Int005M10HZNote, 109, " 7 Hz"},
    {Int005M10HZNote, 115, " 10 Hz"},
    {Int005M10HZNote, 116, " 1/16"},
    {Int005M10HZNote, 121, " 1/8 (.)"},
    {Int005M10HZNote, 125, " 1/2"},
    {Int0M100ms, 0, " 0 ms"},
    {Int0M100ms, 3, " 0.3 ms"},
    {Int0M100ms, 49, " 4.9 ms"},
    {Int0M100ms, 50, " 5 ms"},
    {Int0M100ms, 55, " 7.5 ms"},
    {Int0M100ms, 59, " 9.5 ms"},
    {Int0M100ms, 60, " 10 ms"},
    {Int0M100ms, 99, " 49 ms"},
    {Int0M100ms, 100, " 50 ms"},
    {Int0M100ms, 125, " 100 ms"},
    {Int0M500ms, 49, " 4.9 ms"},
    {Int0M500ms, 50, " 5 ms"},
    {Int0M500ms, 89, " 39 ms"},
    {Int0M500ms, 90, " 40 ms"},
    {Int0M500ms, 115, " 290 ms"},
    {Int0M500ms, 116, " 300 ms"},
    {Int0M500ms, 126, " 500 ms"},
    {Int200M1000ms, 0, " 200"},
    {Int200M1000ms, 69, " 545"},
    {Int200M1000ms, 70, " 550"},
    {Int200M1000ms, 115, " 1000"},
    {Int200M1000msNote, 115, " 1000"},
    {Int200M1000msNote, 116, " 1/16"},
    {Int200M1000msNote, 125, " 1/2"},
    {Balance, 0, " D100:0E"},
    {Balance, 30, " D70:30E"},
    {Balance, 100, " D0:100E"},
    {BalanceL, 30, " A70:30B"},
    {CC00CC95, 0, " CC00"},
    {CC00CC95, 7, " CC07"},
    {CC00CC95, 95, " CC95"},
    {CC00CC95, 96, " Bender"},
    {CC00CC95, 97, " AfterTouch"},
    {CC00CC95StartStop, 95, " CC95"},
    {CC00CC95StartStop, 98, " Prog-Up"},
    {CC00CC95StartStop, 99, " Prog-Down"},
    {CC00CC95StartStop, 100, " Start/Stop"},
    {CC00CC95StartStop, 101, " Punch-In/Out"},
    {CC00CC95StartStop, 102, " Tap-Temp"},
    {RealInt1M127, 0, " Real"},
    {RealInt1M127, 1, " 1"},
    {RealInt1M127, 127, " 127"},
    {Int1M16Off, 0, " 1"},
    {Int1M16Off, 15, " 16"},
    {Int1M16Off, 16, " Off"},
    {Int1M16RXCHOff, 15, " 16"},
    {Int1M16RXCHOff, 16, " RX-CH"},
    {Int1M16RXCHOff, 17, " Off"},
    {Int0M127Off, 127, " 127"},
    {Int0M127Off, 128, " Off"},
    {User01PRB32, 0, " User : 01"},
    {User01PRB32, 31, " User : 32"},
    {User01PRB32, 32, " Card : 01"},
    {User01PRB32, 63, " Card : 32"},
    {User01PRB32, 64, " PR-A : 01"},
    {User01PRB32, 95, " PR-A : 32"},
    {User01PRB32, 96, " PR-B : 01"},
    {User01PRB32, 127, " PR-B : 32"},
    {Int427M452, 0, " 427.4"},
    {Int427M452, 1, " 427.6"},
    {Int427M452, 3, " 428.0"},
    {Int427M452, 8, " 429.0"},
    {Int427M452, 126, " 452.6"},
    {Int0M880, 48, " 96"},
    {Int0M880, 49, " 100"},
    {Int0M880, 72, " 192"},
    {Int0M880, 73, " 200"},
    {Int0M880, 96, " 384"},
    {Int0M880, 97, " 400"},
    {Int0M880, 127, " 880"},
    // Codes a mode does not have show as their number, never as a neighbour's text or a crash.
    {IntM100P100, 15, " 15"},
    {Int200M8000HZ, 17, " 17"},
    {Note, -1, " -1"},
    {User01PRB32, 128, " 128"},
};

TEST(EditTypeText, ShowsEveryModeAtItsPieceEdges) {
  for (const TTextCase& c : kTexts)
    EXPECT_EQ(EditTypeText(c.type, c.code), QString::fromLatin1(c.text))
        << EditTypeName(c.type).toStdString() << " code " << c.code;
}

TEST(EditTypeText, BoundsAreTheModesCodesOrMinAndMax) {
  const int kHighest[kEditTypeCount] = {14, 15,  30,  127, 0,   0,   0,   0,   125, 16,
                                        17, 4,   125, 125, 125, 126, 115, 125, 100, 100,
                                        97, 102, 127, 16,  17,  128, 127, 126, 127};
  for (int i = 0; i < kEditTypeCount; ++i) {
    const auto type = static_cast<TEditType>(i);
    const bool ranged = i >= MinMax && i <= MinMaxPerc;
    EXPECT_EQ(EditTypeRanged(type), ranged) << i;
    EXPECT_EQ(EditTypeLow(type, -12), ranged ? -12 : 0) << i;
    EXPECT_EQ(EditTypeHigh(type, 40), ranged ? 40 : kHighest[i]) << i;
  }
}

TEST(EditTypeText, NamesRoundTripInEnumerationOrder) {
  const char* const kNames[kEditTypeCount] = {
      "IntM100P100",    "IntM100P200",       "IntM0P1200",      "Note",
      "MinMax",         "MinMaxS",           "MinMaxDB",        "MinMaxPerc",
      "Int100M8000HZ",  "Int200M8000HZ",     "Int200M8000HZBP", "Int05M90",
      "Int005M10HZ",    "Int005M10HZNote",   "Int0M100ms",      "Int0M500ms",
      "Int200M1000ms",  "Int200M1000msNote", "Balance",         "BalanceL",
      "CC00CC95",       "CC00CC95StartStop", "RealInt1M127",    "Int1M16Off",
      "Int1M16RXCHOff", "Int0M127Off",       "User01PRB32",     "Int427M452",
      "Int0M880"};
  for (int i = 0; i < kEditTypeCount; ++i) {
    EXPECT_EQ(EditTypeName(static_cast<TEditType>(i)), QLatin1String(kNames[i]));
    TEditType type = Note;
    ASSERT_TRUE(EditTypeFromName(QLatin1String(kNames[i]), type)) << kNames[i];
    EXPECT_EQ(type, i);
  }
  TEditType type = Note;
  EXPECT_FALSE(EditTypeFromName(QStringLiteral("intm100p100"), type));
  EXPECT_FALSE(EditTypeFromName(QString(), type));
  EXPECT_EQ(type, Note);
}
}  // namespace
