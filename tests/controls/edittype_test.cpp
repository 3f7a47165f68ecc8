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

constexpr int kNo = -1000;  // refused

// Typed text in, code out (kNo: refused). low and high are the field's bounds.
struct TTypedCase {
  TEditType type;
  int low, high;
  const char* text;
  int code;
};

const TTypedCase kTyped[] = {
    {IntM100P100, 0, 14, "-100", 0},
    {IntM100P100, 0, 14, "100", 14},
    {IntM100P100, 0, 14, "+100", 14},
    {IntM100P100, 0, 14, " +70", 13},
    {IntM100P100, 0, 14, "0", 7},
    {IntM100P100, 0, 14, "35", kNo},  // between two shown values
    {IntM100P100, 0, 14, "110", kNo},
    {IntM100P200, 0, 15, "200", 15},
    {IntM100P200, 0, 15, "-30", 3},
    {IntM0P1200, 0, 30, "1200", 30},
    {IntM0P1200, 0, 30, "15", kNo},
    {Note, 0, 127, "C -1", 0},
    {Note, 0, 127, "c#4", 61},
    {Note, 0, 127, "G 9", 127},
    {Note, 0, 127, "H 4", kNo},
    {MinMax, -5, 20, "-5", -5},
    {MinMax, -5, 20, "20", 20},
    {MinMax, -5, 20, "21", kNo},
    {MinMax, -5, 20, "1.5", kNo},
    {MinMaxS, -24, 24, "+12", 12},
    {MinMaxS, -24, 24, "-24", -24},
    {MinMaxDB, -15, 15, "-15 dB", -15},
    {MinMaxDB, -15, 15, "+3dB", 3},
    {MinMaxDB, -15, 15, "15", 15},
    {MinMaxDB, -15, 15, "16 dB", kNo},
    {MinMaxPerc, -98, 98, "-98 %", -98},
    {MinMaxPerc, -98, 98, "-98", -98},
    {MinMaxPerc, -98, 98, "98%", 98},
    {MinMaxPerc, -98, 98, "-99 %", kNo},
    {Int100M8000HZ, 0, 125, "100 Hz", 0},
    {Int100M8000HZ, 0, 125, "8000", 125},
    {Int100M8000HZ, 0, 125, "1000hz", 55},
    {Int100M8000HZ, 0, 125, "1050", kNo},
    {Int200M8000HZ, 0, 16, "5000", 14},
    {Int200M8000HZ, 0, 16, "200", 0},
    {Int200M8000HZ, 0, 16, "ByPass", kNo},
    {Int200M8000HZBP, 0, 17, "bypass", 17},
    {Int05M90, 0, 4, "0.5", 0},
    {Int05M90, 0, 4, "1", 1},
    {Int05M90, 0, 4, "9.0", 4},
    {Int05M90, 0, 4, "3", kNo},
    {Int005M10HZ, 0, 125, "0.05 Hz", 0},
    {Int005M10HZ, 0, 125, "1.5", 29},
    {Int005M10HZ, 0, 125, "10 Hz", 125},
    {Int005M10HZ, 0, 125, "0.07", kNo},
    {Int005M10HZNote, 0, 125, "1/16", 116},
    {Int005M10HZNote, 0, 125, "1/8 (.)", 121},
    {Int005M10HZNote, 0, 125, "1/2", 125},
    {Int0M100ms, 0, 125, "0 ms", 0},
    {Int0M100ms, 0, 125, "7.5", 55},
    {Int0M100ms, 0, 125, "100ms", 125},
    {Int0M100ms, 0, 125, "101", kNo},
    {Int0M500ms, 0, 126, "500 ms", 126},
    {Int200M1000ms, 0, 115, "200", 0},
    {Int200M1000ms, 0, 115, "1000", 115},
    {Int200M1000msNote, 0, 125, "1/4 (3)", 120},
    {Balance, 0, 100, "D50:50E", 50},
    {Balance, 0, 100, "d100 : 0e", 0},
    {Balance, 0, 100, "D50:51E", kNo},
    {BalanceL, 0, 100, "A0:100B", 100},
    {CC00CC95, 0, 97, "CC00", 0},
    {CC00CC95, 0, 97, "cc95", 95},
    {CC00CC95, 0, 97, "AfterTouch", 97},
    {CC00CC95, 0, 97, "Tap-Temp", kNo},
    {CC00CC95StartStop, 0, 102, "Tap-Temp", 102},
    {RealInt1M127, 0, 127, "Real", 0},
    {RealInt1M127, 0, 127, "127", 127},
    {Int1M16Off, 0, 16, "1", 0},
    {Int1M16Off, 0, 16, "16", 15},
    {Int1M16Off, 0, 16, "off", 16},
    {Int1M16Off, 0, 16, "0", kNo},
    {Int1M16RXCHOff, 0, 17, "RX-CH", 16},
    {Int0M127Off, 0, 128, "Off", 128},
    {Int0M127Off, 0, 128, "0", 0},
    {User01PRB32, 0, 127, "User : 01", 0},
    {User01PRB32, 0, 127, "PR-B:32", 127},
    {User01PRB32, 0, 127, "Card : 33", kNo},
    {Int427M452, 0, 126, "427.4", 0},
    {Int427M452, 0, 126, "428", 3},
    {Int427M452, 0, 126, "452.6", 126},
    {Int0M880, 0, 127, "880", 127},
    {Int0M880, 0, 127, "97", kNo},
    // The field's bounds hold as well as the mode's codes; nothing is no value.
    {Note, 12, 24, "C -1", kNo},
    {IntM100P100, 0, 14, "", kNo},
    {IntM100P100, 0, 14, "   ", kNo},
    {Note, 0, 127, "C 4 x", kNo},
};

TEST(EditTypeCode, TakesWhatTheFieldShowsWithOrWithoutItsUnit) {
  for (const TTypedCase& c : kTyped) {
    int code = -1;
    const bool ok = EditTypeCode(c.type, QString::fromLatin1(c.text), c.low, c.high, code);
    EXPECT_EQ(ok, c.code != kNo) << EditTypeName(c.type).toStdString() << " \"" << c.text << '"';
    if (ok) {
      EXPECT_EQ(code, c.code) << EditTypeName(c.type).toStdString() << " " << c.text;
    }
  }
}

TEST(EditTypeCode, IsTheInverseOfTheTextForEveryCodeOfEveryMode) {
  for (int i = 0; i < kEditTypeCount; ++i) {
    const auto type = static_cast<TEditType>(i);
    const int low = EditTypeLow(type, -64), high = EditTypeHigh(type, 63);
    for (int code = low; code <= high; ++code) {
      int back = -1000;
      ASSERT_TRUE(EditTypeCode(type, EditTypeText(type, code), low, high, back))
          << EditTypeName(type).toStdString() << " code " << code;
      EXPECT_EQ(back, code) << EditTypeName(type).toStdString();
    }
  }
}

TEST(EditTypeCode, RefusalsNameTheValuesOrTheRange) {
  EXPECT_EQ(EditTypeValues(CC00CC95, 0, 97), "CC00 to AfterTouch");
  EXPECT_EQ(EditTypeValues(Int05M90, 0, 4), "0.5, 1.0, 2.0, 4.0, 9.0");
  EXPECT_EQ(EditTypeValues(MinMaxPerc, -98, 98), "-98 % to +98 %");
  EXPECT_EQ(EditTypeValues(Note, 0, 127), "C -1 to G 9");
}

TEST(NumberFromText, TakesPlainAndStereoNumbersInsideTheBounds) {
  struct TCase {
    bool stereo;
    const char* text;
    int value;  // -1000: refused
  } const kCases[] = {
      {false, "100", 100}, {false, "127", 127}, {false, "0", 0},      {false, "128", -1000},
      {false, "-1", -1000}, {false, "1.5", -1000}, {false, "x", -1000}, {true, "L 20", -20},
      {true, "l64", -64},  {true, "R 63", 63},   {true, "0", 0},      {true, "  0", 0},
      {true, "-20", -20},  {true, "R 64", -1000}, {true, "L -5", -1000}, {true, "L", -1000},
  };
  for (const auto& c : kCases) {
    int value = -1000;
    const bool ok = NumberFromText(QString::fromLatin1(c.text), c.stereo, c.stereo ? -64 : 0,
                                   c.stereo ? 63 : 127, value);
    EXPECT_EQ(ok, c.value != -1000) << c.text;
    if (ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
  EXPECT_EQ(NumberText(-64, true), "L 64");
  EXPECT_EQ(NumberValues(-64, 63, true), "L 64 to R 63");
}
}  // namespace
