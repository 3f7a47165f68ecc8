#include "controls/edittype.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QStringList>

namespace {
struct TModeInfo {
  const char* name;
  int high;  // highest code of the fixed-range modes; unused by the four ranged ones
};

// In enumeration order. Int100M8000HZ keeps to 125 (8000 Hz), the end of its conversion, so the
// arrows reach every frequency the mode can show.
constexpr std::array<TModeInfo, kEditTypeCount> kModes = {{
    {"IntM100P100", 14},     {"IntM100P200", 15},
    {"IntM0P1200", 30},      {"Note", 127},
    {"MinMax", 0},           {"MinMaxS", 0},
    {"MinMaxDB", 0},         {"MinMaxPerc", 0},
    {"Int100M8000HZ", 125},  {"Int200M8000HZ", 16},
    {"Int200M8000HZBP", 17}, {"Int05M90", 4},
    {"Int005M10HZ", 125},    {"Int005M10HZNote", 125},
    {"Int0M100ms", 125},     {"Int0M500ms", 126},
    {"Int200M1000ms", 115},  {"Int200M1000msNote", 125},
    {"Balance", 100},        {"BalanceL", 100},
    {"CC00CC95", 97},        {"CC00CC95StartStop", 102},
    {"RealInt1M127", 127},   {"Int1M16Off", 16},
    {"Int1M16RXCHOff", 17},  {"Int0M127Off", 128},
    {"User01PRB32", 127},    {"Int427M452", 126},
    {"Int0M880", 127},
}};

const char* const kFrequencies[] = {"200",  "250",  "315",  "400",  "500",  "630",
                                    "800",  "1000", "1250", "1600", "2000", "2500",
                                    "3150", "4000", "5000", "6300", "8000"};
const char* const kNoteLengths[] = {"1/16",    "1/8 (3)", "1/16 (.)", "1/8",     "1/4 (3)",
                                    "1/8 (.)", "1/4",     "1/2 (3)",  "1/4 (.)", "1/2"};
const char* const kPitchNames[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
const char* const kControllerExtras[] = {"Bender",     "AfterTouch",   "Prog-Up", "Prog-Down",
                                         "Start/Stop", "Punch-In/Out", "Tap-Temp"};
const char* const kBanks[] = {"User : ", "Card : ", "PR-A : ", "PR-B : "};

// Eight decimals, then trailing zeros and a trailing point dropped: 5.0 gives "5".
QString Real(double value) {
  QString text = QString::number(value, 'f', 8);
  while (text.endsWith(u'0')) text.chop(1);
  if (text.endsWith(u'.')) text.chop(1);
  return text;
}

QString Number(int value) {
  return QString::number(value);
}

QString Signed(int value, const char* unit) {
  if (value == 0) return QStringLiteral(" 0") + QLatin1String(unit);
  return (value > 0 ? QStringLiteral("+") : QString()) + Number(value) + QLatin1String(unit);
}

QString Milliseconds200To1000(int code) {
  return Real(code < 70 ? 5.0 * code + 200 : 10.0 * (code - 70) + 550);
}

// Stage 1: the text of the mode alone, for a code inside the mode's codes.
QString BareText(TEditType type, int code) {
  switch (type) {
    case IntM100P100:
      if (code == 0) return QStringLiteral("-100");
      if (code == 1) return QStringLiteral("-70");
      if (code == 13) return QStringLiteral("70");
      if (code == 14) return QStringLiteral("100");
      return Number((code - 7) * 10);
    case IntM100P200: {
      static const int kLow[] = {-100, -70, -50, -30};
      static const int kHigh[] = {50, 70, 100, 120, 150, 200};
      if (code < 4) return Number(kLow[code]);
      if (code >= 10) return Number(kHigh[code - 10]);
      return Number((code - 5) * 10);
    }
    case IntM0P1200:
      if (code <= 10) return Number(code);
      if (code <= 19) return Number((code - 9) * 10);
      return Number((code - 18) * 100);
    case Note:
      return QLatin1String(kPitchNames[code % 12]) + u' ' + Number(code / 12 - 1);
    case MinMax:
    case MinMaxS:
      return Number(code);
    case MinMaxDB:
      return Signed(code, " dB");
    case MinMaxPerc:
      return Signed(code, " %");
    case Int100M8000HZ: {
      double hz = code < 20 ? 100.0 + 10 * code
                            : (code < 55 ? 300.0 + 20 * (code - 20) : 1000.0 + 100 * (code - 55));
      return Real(hz) + QStringLiteral(" Hz");
    }
    case Int200M8000HZ:
      return QLatin1String(kFrequencies[code]);
    case Int200M8000HZBP:
      return code == 17 ? QStringLiteral("ByPass") : QLatin1String(kFrequencies[code]);
    case Int05M90: {
      static const char* const kRatios[] = {"0.5", "1.0", "2.0", "4.0", "9.0"};
      return QLatin1String(kRatios[code]);
    }
    case Int005M10HZ: {
      double hz = code <= 98    ? 0.05 * code + 0.05
                  : code <= 118 ? 0.1 * (code - 99) + 5.0
                                : 0.5 * (code - 119) + 7.0;
      return Real(hz) + QStringLiteral(" Hz");
    }
    case Int005M10HZNote: {
      if (code >= 116) return QLatin1String(kNoteLengths[code - 116]);
      double hz = code <= 78    ? 0.05 * code + 0.05
                  : code <= 108 ? 0.1 * (code - 79) + 4.0
                                : 0.5 * (code - 109) + 7.0;
      return Real(hz) + QStringLiteral(" Hz");
    }
    case Int0M100ms: {
      double ms = code <= 49   ? 0.1 * code
                  : code <= 59 ? 0.5 * (code - 50) + 5
                  : code <= 99 ? (code - 60) + 10.0
                               : 2.0 * (code - 100) + 50;
      return Real(ms) + QStringLiteral(" ms");
    }
    case Int0M500ms: {
      double ms = code <= 49    ? 0.1 * code
                  : code <= 59  ? 0.5 * (code - 50) + 5
                  : code <= 89  ? (code - 60) + 10.0
                  : code <= 115 ? 10.0 * (code - 90) + 40
                                : 20.0 * (code - 116) + 300;
      return Real(ms) + QStringLiteral(" ms");
    }
    case Int200M1000ms:
      return Milliseconds200To1000(code);
    case Int200M1000msNote:
      if (code >= 116) return QLatin1String(kNoteLengths[code - 116]);
      return Milliseconds200To1000(code);
    case Balance:
      return u'D' + Number(100 - code) + u':' + Number(code) + u'E';
    case BalanceL:
      return u'A' + Number(100 - code) + u':' + Number(code) + u'B';
    case CC00CC95:
    case CC00CC95StartStop:
      if (code >= 96) return QLatin1String(kControllerExtras[code - 96]);
      return QStringLiteral("CC") + Number(code / 10) + Number(code % 10);
    case RealInt1M127:
      return code == 0 ? QStringLiteral("Real") : Number(code);
    case Int1M16Off:
      return code == 16 ? QStringLiteral("Off") : Number(code + 1);
    case Int1M16RXCHOff:
      if (code == 16) return QStringLiteral("RX-CH");
      if (code == 17) return QStringLiteral("Off");
      return Number(code + 1);
    case Int0M127Off:
      return code == 128 ? QStringLiteral("Off") : Number(code);
    case User01PRB32: {
      const int n = code % 32 + 1;
      return QLatin1String(kBanks[code / 32]) + Number(n / 10) + Number(n % 10);
    }
    case Int427M452: {
      QString text = Real(427.4 + 0.2 * code);
      if (text.size() < 4) text += QStringLiteral(".0");
      return text;
    }
    case Int0M880:
      if (code <= 48) return Number(2 * code);
      if (code <= 72) return Number(4 * (code - 49) + 100);
      if (code <= 96) return Number(8 * (code - 73) + 200);
      return Number(16 * (code - 97) + 400);
  }
  return Number(code);
}

bool ValidType(TEditType type) {
  return type >= 0 && type < kEditTypeCount;
}
}  // namespace

QString EditTypeName(TEditType type) {
  return ValidType(type) ? QLatin1String(kModes[type].name) : QString();
}

bool EditTypeFromName(const QString& name, TEditType& type) {
  for (int i = 0; i < kEditTypeCount; ++i) {
    if (name == QLatin1String(kModes[i].name)) {
      type = static_cast<TEditType>(i);
      return true;
    }
  }
  return false;
}

bool EditTypeRanged(TEditType type) {
  return type == MinMax || type == MinMaxS || type == MinMaxDB || type == MinMaxPerc;
}

int EditTypeLow(TEditType type, int min) {
  return EditTypeRanged(type) ? min : 0;
}

int EditTypeHigh(TEditType type, int max) {
  if (EditTypeRanged(type)) return max;
  return ValidType(type) ? kModes[type].high : 0;
}

QString EditTypeText(TEditType type, int code) {
  // The ranged modes show any code; the others only their own, anything else as its number.
  if (!ValidType(type) || (!EditTypeRanged(type) && (code < 0 || code > kModes[type].high)))
    return u' ' + Number(code);
  QString text = BareText(type, code);
  if (type == IntM100P100 || type == IntM100P200 || type == MinMaxS) {
    if (text == QStringLiteral("0"))
      text = QStringLiteral("  0");
    else if (text.toInt() > 0)
      text.prepend(u'+');
  }
  return u' ' + text;
}

namespace {
// A text as typed and as shown made comparable: blanks gone, letters in lower case, a leading
// "+" and the mode's unit dropped.
QString Key(const QString& text, QLatin1String unit) {
  QString key;
  key.reserve(text.size());
  for (QChar c : text)
    if (!c.isSpace()) key += c.toLower();
  if (!unit.isEmpty() && key.endsWith(unit)) key.chop(unit.size());
  if (key.startsWith(u'+')) key.remove(0, 1);
  return key;
}

QLatin1String Unit(TEditType type) {
  switch (type) {
    case MinMaxDB:
      return QLatin1String("db");
    case MinMaxPerc:
      return QLatin1String("%");
    case Int100M8000HZ:
    case Int005M10HZ:
    case Int005M10HZNote:
      return QLatin1String("hz");
    case Int0M100ms:
    case Int0M500ms:
      return QLatin1String("ms");
    default:
      return QLatin1String();
  }
}

// Whether two keys name one value: the same text, or the same number however many decimals.
bool SameValue(const QString& typed, const QString& shown) {
  if (typed == shown) return true;
  bool typedNumber = false, shownNumber = false;
  const double a = typed.toDouble(&typedNumber);
  const double b = shown.toDouble(&shownNumber);
  return typedNumber && shownNumber && std::abs(a - b) < 1e-6;
}
}  // namespace

bool EditTypeCode(TEditType type, const QString& text, int low, int high, int& code) {
  if (!ValidType(type)) return false;
  const QLatin1String unit = Unit(type);
  const QString typed = Key(text, unit);
  if (typed.isEmpty()) return false;
  if (EditTypeRanged(type)) {
    // Every whole number of the range shows as itself.
    bool ok = false;
    const int value = typed.toInt(&ok);
    if (!ok || value < low || value > high) return false;
    code = value;
    return true;
  }
  low = std::max(low, 0);
  high = std::min(high, kModes[type].high);
  for (int candidate = low; candidate <= high; ++candidate) {
    if (SameValue(typed, Key(BareText(type, candidate), unit))) {
      code = candidate;
      return true;
    }
  }
  return false;
}

QString EditTypeValues(TEditType type, int low, int high) {
  if (!EditTypeRanged(type)) {
    low = std::max(low, 0);
    high = std::min(high, EditTypeHigh(type, high));
  }
  if (high < low) return QString();
  if (!EditTypeRanged(type) && high - low < 20) {
    QStringList texts;
    for (int code = low; code <= high; ++code) texts << EditTypeText(type, code).trimmed();
    return texts.join(QStringLiteral(", "));
  }
  return EditTypeText(type, low).trimmed() + QStringLiteral(" to ") +
         EditTypeText(type, high).trimmed();
}

QString NumberText(int value, bool stereo) {
  if (!stereo || value == 0) return Number(value);
  return (value < 0 ? QStringLiteral("L ") : QStringLiteral("R ")) + Number(std::abs(value));
}

bool NumberFromText(const QString& text, bool stereo, int min, int max, int& value) {
  QString typed = Key(text, QLatin1String());
  int sign = 1;
  if (stereo && (typed.startsWith(u'l') || typed.startsWith(u'r'))) {
    sign = typed.startsWith(u'l') ? -1 : 1;
    typed.remove(0, 1);
    // "L -5" or "R +5" are no shown texts.
    if (typed.startsWith(u'-') || typed.startsWith(u'+')) return false;
  }
  bool ok = false;
  const int number = typed.toInt(&ok);
  if (!ok) return false;
  const int result = sign * number;
  if (result < min || result > max) return false;
  value = result;
  return true;
}

QString NumberValues(int min, int max, bool stereo) {
  return NumberText(min, stereo) + QStringLiteral(" to ") + NumberText(max, stereo);
}
