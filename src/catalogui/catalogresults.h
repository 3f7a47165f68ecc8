#pragma once
// TCatalogResults: the catalog window's list, one place of a found sound a row: name, kind,
// categories, tags, file and element (and the distance after Find Similar).
#include <vector>

#include <QAbstractTableModel>

struct TCatalogIndex;

struct TResultRow {
  int Sound = 0;  // in the catalog index
  int File = 0;
  int Element = 0;
  double Distance = -1;  // none
};

class TCatalogResults : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum TColumn { cName, cKind, cCategories, cTags, cFile, cElement, cDistance, kColumnCount };
  // The value of a cell for sorting (numbers as numbers).
  static constexpr int kSortRole = Qt::UserRole + 1;

  explicit TCatalogResults(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  void SetRows(const TCatalogIndex* index, std::vector<TResultRow> rows);
  const TResultRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
  const std::vector<TResultRow>& Rows() const { return rows_; }
  // Shows the marks of the sounds again after they changed.
  void Refresh();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  const TCatalogIndex* index_ = nullptr;
  std::vector<TResultRow> rows_;
};
