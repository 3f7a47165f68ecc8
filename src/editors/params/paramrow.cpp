#include "editors/params/paramrow.h"

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
  // Names take any character; a custom row's own text says what it cannot show.
  if (row.Control == TParamControl::Name || row.Control == TParamControl::Custom) return true;
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
