#include "catalogui/catalogresults.h"

#include <QDir>

#include "catalog/catalog.h"
#include "model/libelem.h"

void TCatalogResults::SetRows(const TCatalogIndex* index, std::vector<TResultRow> rows) {
  beginResetModel();
  index_ = index;
  rows_ = std::move(rows);
  endResetModel();
}

void TCatalogResults::Refresh() {
  if (!rows_.empty())
    Q_EMIT dataChanged(this->index(0, 0), this->index(rowCount() - 1, kColumnCount - 1));
}

int TCatalogResults::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TCatalogResults::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant TCatalogResults::data(const QModelIndex& index, int role) const {
  if (!index_ || !index.isValid() || (role != Qt::DisplayRole && role != kSortRole &&
                                      role != Qt::ToolTipRole))
    return {};
  const TResultRow& row = rows_[static_cast<std::size_t>(index.row())];
  const TIndexedSound& sound = index_->Sounds[static_cast<std::size_t>(row.Sound)];
  switch (index.column()) {
    case cName:
      return sound.Name;
    case cKind:
      return TLibElem::KindName(sound.Kind);
    case cCategories:
      return sound.Categories.join(QStringLiteral(", "));
    case cTags: {
      QStringList marks = sound.Tags;
      if (sound.Favourite) marks.prepend(QStringLiteral("\u2605"));
      if (sound.Hidden) marks.append(QStringLiteral("(hidden)"));
      return marks.join(QStringLiteral(", "));
    }
    case cFile:
      return role == kSortRole ? QVariant(row.File)
                               : QVariant(QDir::toNativeSeparators(index_->Files[row.File]));
    case cElement:
      return row.Element;
    case cDistance:
      if (row.Distance < 0) return role == kSortRole ? QVariant(0.0) : QVariant();
      return role == kSortRole ? QVariant(row.Distance)
                               : QVariant(QString::number(row.Distance, 'f', 4));
  }
  return {};
}

QVariant TCatalogResults::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kTitles[] = {"Name", "Kind", "Categories", "Tags",
                                        "File", "Element", "Distance"};
  return section >= 0 && section < kColumnCount ? QString::fromLatin1(kTitles[section]) : QVariant();
}

Qt::ItemFlags TCatalogResults::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled
                         : Qt::NoItemFlags;
}
