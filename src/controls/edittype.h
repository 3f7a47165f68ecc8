#pragma once
// TEditType: how a value field shows a raw parameter code (cents, Hz, ms, note names, ...), and
// the codes its arrow buttons keep to. QtCore only: the value field and vesta-cli both use it.
#include <QString>

enum TEditType {
  IntM100P100,
  IntM100P200,
  IntM0P1200,
  Note,
  MinMax,
  MinMaxS,
  MinMaxDB,
  MinMaxPerc,
  Int100M8000HZ,
  Int200M8000HZ,
  Int200M8000HZBP,
  Int05M90,
  Int005M10HZ,
  Int005M10HZNote,
  Int0M100ms,
  Int0M500ms,
  Int200M1000ms,
  Int200M1000msNote,
  Balance,
  BalanceL,
  CC00CC95,
  CC00CC95StartStop,
  RealInt1M127,
  Int1M16Off,
  Int1M16RXCHOff,
  Int0M127Off,
  User01PRB32,
  Int427M452,
  Int0M880,
};
inline constexpr int kEditTypeCount = Int0M880 + 1;

// The mode's name as layouts store it ("IntM100P100"), and back (false for an unknown name).
QString EditTypeName(TEditType type);
bool EditTypeFromName(const QString& name, TEditType& type);

// The text a value field shows for code: the bare text of the mode, then the decoration (a "+"
// before positive numbers and two blanks before a lone 0 for the signed modes) and one leading
// blank. A code outside the mode's codes shows as its number.
QString EditTypeText(TEditType type, int code);

// The lowest and highest code the arrow buttons keep to: min and max for the four MinMax modes,
// otherwise 0 and the mode's highest code.
int EditTypeLow(TEditType type, int min);
int EditTypeHigh(TEditType type, int max);
// Whether the mode uses Min and Max.
bool EditTypeRanged(TEditType type);

// The inverse of EditTypeText: the code of [low, high] (EditTypeLow and EditTypeHigh of the
// field) that shows as text. The text is taken as shown, with or without its unit, its blanks,
// a "+" or the case of its letters ("5000", "-98 %", "c#4", "d50:50e"); a number may be written
// with more or fewer decimals ("1" for "1.0"). False when no code there shows so.
bool EditTypeCode(TEditType type, const QString& text, int low, int high, int& code);
// What a field of the mode takes, for a refusal: every text when there are a few, otherwise the
// first and the last ("C -1 to G 9").
QString EditTypeValues(TEditType type, int low, int high);

// A plain or stereo number as the number boxes show it ("64"; "L 64", "0", "R 63"), and back:
// the value of [min, max] typed as shown, a stereo one also as a signed number ("-20").
QString NumberText(int value, bool stereo);
bool NumberFromText(const QString& text, bool stereo, int min, int max, int& value);
// "from L 64 to R 63"-style range of a number box, for a refusal.
QString NumberValues(int min, int max, bool stereo);
