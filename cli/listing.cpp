#include "cli/listing.h"

#include <cmath>

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

#include "model/bank.h"

namespace {
constexpr qint64 kMsPerDay = 86400000;
// Beyond this many days from 1899 a stored date is damage, not a date (QDate holds far more).
constexpr double kMaxDays = 3.0e6;

const TBank* AsBank(const TLibElem& element) {
  return dynamic_cast<const TBank*>(&element);
}

// Only library records carry a date: a library's elements and a global dump's banks and system.
// The members of a bank and the contents of a .Syx file have none; the date an element got when
// it was read is no date of theirs.
bool MembersDated(const TLibElem& element, bool dated) {
  return dated && element.Kind == ekGlobal;
}

QString StoredModified(const TLibElem& element, bool dated) {
  return dated ? TListing::IsoDateTime(element.ModifiedDate, element.ModifiedTime) : QString();
}

void TextRows(const TLibElem& element, int index, int depth, bool dated, QStringList& rows) {
  const QString modified = StoredModified(element, dated);
  rows << QStringLiteral("%1%2  %3  %4  %5  %6")
              .arg(QString(depth * 4, u' '))
              .arg(index, 3)
              .arg(element.KindName(), -16)
              .arg(QLatin1Char('"') + element.GetName() + QLatin1Char('"'), -14)
              .arg(element.LocationText(), -11)
              .arg(modified.isEmpty() ? QStringLiteral("-") : modified);
  if (const TBank* bank = AsBank(element))
    for (int i = 0; i < bank->Count(); ++i)
      TextRows(bank->Member(i), i + 1, depth + 1, MembersDated(element, dated), rows);
}

QJsonObject JsonElement(const TLibElem& element, int index, bool dated) {
  QJsonObject object;
  object[QStringLiteral("index")] = index;
  object[QStringLiteral("kind")] = element.KindName();
  object[QStringLiteral("kindCode")] = element.Kind;
  object[QStringLiteral("name")] = element.GetName();
  object[QStringLiteral("location")] = element.LocationText();
  const QString modified = StoredModified(element, dated);
  object[QStringLiteral("modified")] = modified.isEmpty() ? QJsonValue() : QJsonValue(modified);
  if (const TBank* bank = AsBank(element)) {
    QJsonArray members;
    for (int i = 0; i < bank->Count(); ++i)
      members.append(JsonElement(bank->Member(i), i + 1, MembersDated(element, dated)));
    object[QStringLiteral("members")] = members;
  }
  return object;
}

// The file's top-level elements, in order.
std::vector<const TLibElem*> TopElements(const TLoadedFile& file) {
  std::vector<const TLibElem*> elements;
  if (file.Library)
    for (const auto& element : file.Library->Elements) elements.push_back(element.get());
  else if (file.Element)
    elements.push_back(file.Element.get());
  return elements;
}

// A .Glb is the global's library record; a .Syx holds data-set messages and no date.
bool TopDated(const TLoadedFile& file) {
  return file.Format != TFileFormat::Syx;
}

QString Description(const TLoadedFile& file) {
  QString layout;
  switch (file.Layout) {
    case TLayout::Normal:
      layout = QStringLiteral("normal layout");
      break;
    case TLayout::Xp:
      layout = QStringLiteral("XP layout");
      break;
    case TLayout::Either:
      layout = QStringLiteral("same in both layouts");
      break;
  }
  const QString format = file.Format == TFileFormat::Syx   ? QStringLiteral(".Syx file")
                         : file.Format == TFileFormat::Glb ? QStringLiteral(".Glb file")
                                                           : QStringLiteral("library");
  return QStringLiteral("%1: %2, %3, %4 bytes")
      .arg(QDir::toNativeSeparators(file.Path), format, layout, QString::number(file.Size));
}
}  // namespace

QString TListing::IsoDateTime(double date, double time) {
  if (!std::isfinite(date) || !std::isfinite(time) || std::fabs(date) > kMaxDays || time < 0 ||
      time > 1)
    return QString();
  qint64 ms = std::llround(std::floor(date) * kMsPerDay + time * kMsPerDay);
  const qint64 days = ms >= 0 ? ms / kMsPerDay : (ms - kMsPerDay + 1) / kMsPerDay;
  ms -= days * kMsPerDay;
  const QDateTime when(QDate(1899, 12, 30).addDays(days),
                       QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
  return when.isValid() ? when.toString(Qt::ISODate) : QString();
}

QString TListing::ElementCount(int count) {
  return count == 1 ? QStringLiteral("1 element") : QStringLiteral("%1 elements").arg(count);
}

QString TListing::Text(const TLoadedFile& file) {
  QStringList rows;
  rows << Description(file);
  if (file.Library) {
    for (const QString& line : file.Library->Comment) rows << QStringLiteral("# ") + line;
    rows << ElementCount(file.Library->Count());
  }
  const auto elements = TopElements(file);
  for (std::size_t i = 0; i < elements.size(); ++i)
    TextRows(*elements[i], static_cast<int>(i) + 1, 0, TopDated(file), rows);
  return rows.join(u'\n') + u'\n';
}

QJsonDocument TListing::Json(const TLoadedFile& file) {
  QJsonObject root;
  root[QStringLiteral("file")] = file.Path;
  root[QStringLiteral("format")] = TLoadedFile::FormatName(file.Format);
  root[QStringLiteral("layout")] = TLoadedFile::LayoutName(file.Layout);
  root[QStringLiteral("size")] = file.Size;
  if (file.Library) {
    root[QStringLiteral("comment")] = QJsonArray::fromStringList(file.Library->Comment);
    if (file.Damage.Damaged())
      root[QStringLiteral("damage")] =
          QJsonObject{{QStringLiteral("offset"), file.Damage.Offset},
                      {QStringLiteral("problem"), file.Damage.Problem}};
  }
  QJsonArray elements;
  const auto top = TopElements(file);
  for (std::size_t i = 0; i < top.size(); ++i)
    elements.append(JsonElement(*top[i], static_cast<int>(i) + 1, TopDated(file)));
  root[QStringLiteral("elements")] = elements;
  return QJsonDocument(root);
}
