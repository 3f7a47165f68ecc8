#include "editors/params/paramrow.h"

#include <algorithm>
#include <vector>

#include <QStringList>

namespace {
// Truncating division, as the stored value of a shown value is taken.
int DivTowardZero(int value, int by) { return by == 0 ? value : value / by; }

QString StereoText(int value) {
  if (value < 0) return QStringLiteral("L %1").arg(-value);
  if (value > 0) return QStringLiteral("R %1").arg(value);
  return QStringLiteral("0");
}

QString NameText(const std::uint8_t* bytes, int size) {
  QString name;
  for (int i = 0; i < size; ++i) name += QChar(bytes[i]);
  while (name.endsWith(QLatin1Char(' '))) name.chop(1);
  return name;
}
}  // namespace

int ParamStored(const TParamRow& row, const std::uint8_t* data) {
  const std::uint8_t* bytes = data + row.Offset;
  switch (row.Size) {
    case 1:
      return bytes[0];
    case 2:
      return bytes[0] * 16 + bytes[1];
    default:
      return 0;
  }
}

void ParamSplit(const TParamRow& row, int stored, std::uint8_t* bytes) {
  if (row.Size == 2) {
    bytes[0] = static_cast<std::uint8_t>(stored / 16);
    bytes[1] = static_cast<std::uint8_t>(stored % 16);
  } else {
    bytes[0] = static_cast<std::uint8_t>(stored);
  }
}

int ParamShown(const TParamRow& row, int stored) { return stored * row.Scale + row.Add; }

int ParamStoredFromShown(const TParamRow& row, int shown) {
  return DivTowardZero(shown - row.Add, row.Scale);
}

bool ParamInRange(const TParamRow& row, const std::uint8_t* data) {
  // A name holds printable ASCII (20H to 7EH), all a name box takes; a custom row's own text
  // says what it cannot show.
  if (row.Control == TParamControl::Name)
    return std::all_of(data + row.Offset, data + row.Offset + row.Size,
                       [](std::uint8_t c) { return c >= 0x20 && c <= 0x7E; });
  if (row.Control == TParamControl::Custom) return true;
  if (row.Size > 2) return true;
  if (row.Size == 2 && (data[row.Offset] > 15 || data[row.Offset + 1] > 15)) return false;
  const int stored = ParamStored(row, data);
  return stored >= row.Min && stored <= row.Max;
}

QString ParamText(const TParamRow& row, const std::uint8_t* data, bool* inRange) {
  bool valid = ParamInRange(row, data);
  QString text;
  if (valid) {
    const int shown = ParamShown(row, ParamStored(row, data));
    switch (row.Control) {
      case TParamControl::Slider:
      case TParamControl::Graph:
        text = QString::number(shown);
        break;
      case TParamControl::StereoSlider:
      case TParamControl::Pan:
        text = StereoText(shown);
        break;
      case TParamControl::Field:
        text = EditTypeText(row.Mode, shown);
        break;
      case TParamControl::List:
      case TParamControl::Radio:
      case TParamControl::Buttons:
      case TParamControl::Picture:
        if (shown >= 0 && shown < static_cast<int>(row.Items.size()))
          text = QString::fromLatin1(row.Items[static_cast<std::size_t>(shown)]);
        else
          valid = false;
        break;
      case TParamControl::Check:
        text = shown != 0 ? QStringLiteral("On") : QStringLiteral("Off");
        break;
      case TParamControl::Name:
        text = NameText(data + row.Offset, row.Size);
        break;
      case TParamControl::Custom:
        if (row.Text) text = row.Text(data);
        // The row's own text is empty for bytes it cannot show.
        if (text.isNull()) valid = false;
        break;
    }
  }
  if (!valid) {
    // The bytes as numbers: the combined value, or each byte of a longer parameter.
    if (row.Size == 2 && row.Control != TParamControl::Custom) {
      text = QString::number(ParamStored(row, data));
    } else {
      QStringList numbers;
      for (int i = 0; i < row.Size; ++i) numbers << QString::number(data[row.Offset + i]);
      text = numbers.join(QLatin1Char(' '));
    }
  }
  if (inRange) *inRange = valid;
  // A name keeps its leading blanks: only its padding goes.
  return valid && row.Control == TParamControl::Name ? text : text.trimmed();
}

namespace {
QString Key(const QString& text) {
  QString key;
  for (QChar c : text)
    if (!c.isSpace()) key += c.toLower();
  return key;
}

bool IsNumberControl(TParamControl control) {
  return control == TParamControl::Slider || control == TParamControl::Graph ||
         control == TParamControl::StereoSlider || control == TParamControl::Pan;
}

int ShownLow(const TParamRow& row) {
  return std::min(ParamShown(row, row.Min), ParamShown(row, row.Max));
}

int ShownHigh(const TParamRow& row) {
  return std::max(ParamShown(row, row.Min), ParamShown(row, row.Max));
}

QByteArray StoredBytes(const TParamRow& row, int stored) {
  std::uint8_t bytes[2] = {0, 0};
  ParamSplit(row, stored, bytes);
  return QByteArray(reinterpret_cast<const char*>(bytes), row.Size == 2 ? 2 : 1);
}

// The stored value of a shown one, when some stored value of the row shows exactly so.
bool StoredOfShown(const TParamRow& row, int shown, int& stored) {
  const int candidate = ParamStoredFromShown(row, shown);
  if (candidate < row.Min || candidate > row.Max || ParamShown(row, candidate) != shown)
    return false;
  stored = candidate;
  return true;
}

// Each stored value of the row with the text it shows in this block, in order, until visit
// returns true.
template <class TVisit>
bool EachText(const TParamRow& row, std::span<const std::uint8_t> block, TVisit visit) {
  std::vector<std::uint8_t> data(block.begin(), block.end());
  for (int stored = row.Min; stored <= row.Max; ++stored) {
    ParamSplit(row, stored, data.data() + row.Offset);
    bool inRange = true;
    const QString text = ParamText(row, data.data(), &inRange);
    if (inRange && visit(stored, text)) return true;
  }
  return false;
}
}  // namespace

bool ParamFromText(const TParamRow& row, std::span<const std::uint8_t> block, const QString& text,
                   QByteArray& bytes) {
  if (row.Offset + row.Size > static_cast<int>(block.size())) return false;
  int stored = 0;
  switch (row.Control) {
    case TParamControl::Name: {
      if (text.size() > row.Size) return false;
      for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E) return false;
      bytes = text.toLatin1().leftJustified(row.Size, ' ');
      return true;
    }
    case TParamControl::Field: {
      int shown = 0;
      if (!EditTypeCode(row.Mode, text, EditTypeLow(row.Mode, ShownLow(row)),
                        EditTypeHigh(row.Mode, ShownHigh(row)), shown) ||
          !StoredOfShown(row, shown, stored))
        return false;
      break;
    }
    case TParamControl::Slider:
    case TParamControl::Graph:
    case TParamControl::StereoSlider:
    case TParamControl::Pan: {
      int shown = 0;
      const bool stereo = row.Control == TParamControl::StereoSlider ||
                          row.Control == TParamControl::Pan;
      if (!NumberFromText(text, stereo, ShownLow(row), ShownHigh(row), shown) ||
          !StoredOfShown(row, shown, stored))
        return false;
      break;
    }
    default: {
      // Lists, groups, check boxes and custom rows: the value that shows this text. A text that
      // several values show (a name a list holds twice, the blank names of an empty list) keeps
      // the stored value when it is one of them, and is otherwise the first.
      const QString wanted = Key(text);
      const int held = ParamStored(row, block.data());
      bool found = false;
      EachText(row, block, [&](int candidate, const QString& shown) {
        if (Key(shown) != wanted) return false;
        if (!found || candidate == held) stored = candidate;
        found = true;
        return candidate == held;
      });
      if (!found) return false;
    }
  }
  bytes = StoredBytes(row, stored);
  return true;
}

QString ParamValues(const TParamRow& row, std::span<const std::uint8_t> block) {
  switch (row.Control) {
    case TParamControl::Name:
      return QStringLiteral("up to %1 characters").arg(row.Size);
    case TParamControl::Field:
      return EditTypeValues(row.Mode, EditTypeLow(row.Mode, ShownLow(row)),
                            EditTypeHigh(row.Mode, ShownHigh(row)));
    default:
      break;
  }
  if (IsNumberControl(row.Control))
    return NumberValues(ShownLow(row), ShownHigh(row),
                        row.Control == TParamControl::StereoSlider ||
                            row.Control == TParamControl::Pan);
  QStringList texts;
  if (row.Offset + row.Size <= static_cast<int>(block.size()))
    EachText(row, block, [&](int, const QString& shown) {
      if (!shown.isEmpty() && !texts.contains(shown)) texts << shown;
      return false;
    });
  if (texts.size() > 20) return texts.first() + QStringLiteral(" to ") + texts.last();
  return texts.join(QStringLiteral(", "));
}
