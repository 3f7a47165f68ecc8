#include "catalog/categories.h"

#include <QDir>
#include <QFile>

#include "model/namelists.h"

namespace {
bool WordStart(const QString& text, qsizetype at) {
  return at == 0 || !text[at - 1].isLetterOrNumber();
}

bool HasWordPrefix(const QString& name, const QString& prefix) {
  for (qsizetype at = name.indexOf(prefix); at >= 0; at = name.indexOf(prefix, at + 1))
    if (WordStart(name, at)) return true;
  return false;
}

QString ReadText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}
}  // namespace

TCategoryTable TCategoryTable::FromText(const QString& text) {
  TCategoryTable table;
  for (const QString& raw : text.split(u'\n')) {
    const QString line = raw.trimmed();
    const qsizetype colon = line.indexOf(u':');
    if (line.isEmpty() || line.startsWith(u'#') || colon <= 0) continue;
    TCategory category;
    category.Name = line.left(colon).trimmed();
    for (const QString& item : line.mid(colon + 1).split(u',')) {
      const QString pattern = item.simplified().toLower();
      if (pattern.startsWith(u'*')) {
        if (pattern.size() > 1) category.Anywhere << pattern.mid(1);
      } else if (!pattern.isEmpty()) {
        category.Prefixes << pattern;
      }
    }
    table.categories_.push_back(std::move(category));
  }
  return table;
}

TCategoryTable TCategoryTable::Installed() {
  const QString own = QDir(StartDirectory()).filePath(FileName);
  return FromText(ReadText(QFile::exists(own) ? own : BuiltIn));
}

QStringList TCategoryTable::CategoriesOf(const QString& name) const {
  const QString lower = name.simplified().toLower();
  QStringList found;
  for (const TCategory& category : categories_) {
    if (found.contains(category.Name)) continue;
    const bool match =
        std::any_of(category.Prefixes.begin(), category.Prefixes.end(),
                    [&](const QString& p) { return HasWordPrefix(lower, p); }) ||
        std::any_of(category.Anywhere.begin(), category.Anywhere.end(),
                    [&](const QString& p) { return lower.contains(p); });
    if (match) found << category.Name;
  }
  return found;
}

QStringList TCategoryTable::Names() const {
  QStringList names;
  for (const TCategory& category : categories_) names << category.Name;
  names.removeDuplicates();
  return names;
}
