// What a screen reader reads of the element lists: a table whose columns are the header's
// sections and whose cells hold the texts the window draws. Cells are made when first asked
// for and live as long as the list's interface; a cell past the last row is no longer valid.
#include <utility>

#include <QAccessibleWidget>
#include <QHash>
#include <QHeaderView>

#include "librarian/rowgrid.h"

namespace {
class TRowGridAccessible;

class TRowCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  TRowCellAccessible(TRowGrid* grid, QAccessibleInterface* table, int row, int column)
      : grid_(grid), table_(table), row_(row), column_(column) {}

  bool isValid() const override {
    return grid_ && row_ < grid_->RowCount() && column_ < grid_->ColumnCount();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return table_->window(); }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return table_; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (!grid_ || (t != QAccessible::Name && t != QAccessible::Value)) return {};
    const QStringList texts = grid_->RowTexts(row_);
    return column_ < texts.size() ? texts[column_] : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!grid_) return {};
    const int top = (row_ - grid_->TopRow()) * TRowGrid::kRowHeight;
    QHeaderView* header = grid_->Header();
    const int left = header ? header->sectionPosition(column_) : 0;
    const int width = header ? header->sectionSize(column_) : grid_->viewport()->width();
    return QRect(grid_->viewport()->mapToGlobal(QPoint(left, top)),
                 QSize(width, TRowGrid::kRowHeight));
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!grid_) return state;
    const int top = grid_->TopRow();
    state.invisible = row_ < top || row_ >= top + grid_->VisibleRows();
    state.focusable = true;
    state.focused = grid_->hasFocus() && row_ == grid_->CurrentRow();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface
               ? static_cast<QAccessibleTableCellInterface*>(this)
               : nullptr;
  }

  // QAccessibleTableCellInterface
  int columnExtent() const override { return 1; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  int columnIndex() const override { return column_; }
  int rowExtent() const override { return 1; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int rowIndex() const override { return row_; }
  bool isSelected() const override { return false; }
  QAccessibleInterface* table() const override { return table_; }

 private:
  QPointer<TRowGrid> grid_;
  QAccessibleInterface* table_;
  int row_;
  int column_;
};

class TRowGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit TRowGridAccessible(TRowGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
  ~TRowGridAccessible() override {
    for (QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  int childCount() const override { return rowCount() * columnCount(); }
  QAccessibleInterface* child(int index) const override {
    const int columns = columnCount();
    if (index < 0 || columns == 0 || index >= childCount()) return nullptr;
    return cellAt(index / columns, index % columns);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* cell =
        child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    return cell ? cell->rowIndex() * columnCount() + cell->columnIndex() : -1;
  }
  QAccessibleInterface* focusChild() const override {
    const int row = Grid()->CurrentRow();
    return Grid()->hasFocus() && row >= 0 ? cellAt(row, 0) : nullptr;
  }

  // QAccessibleTableInterface
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return nullptr;
    const int key = row * 64 + column;
    if (const auto found = cells_.constFind(key); found != cells_.constEnd())
      return QAccessible::accessibleInterface(*found);
    auto* self = const_cast<TRowGridAccessible*>(this);
    auto* cell = new TRowCellAccessible(Grid(), self, row, column);
    cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
  }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int column) const override { return Grid()->ColumnTitle(column); }
  int columnCount() const override { return Grid()->ColumnCount(); }
  QString rowDescription(int) const override { return {}; }
  int rowCount() const override { return Grid()->RowCount(); }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  TRowGrid* Grid() const { return static_cast<TRowGrid*>(widget()); }

  mutable QHash<int, QAccessible::Id> cells_;
};

QAccessibleInterface* RowGridFactory(const QString&, QObject* object) {
  auto* grid = qobject_cast<TRowGrid*>(object);
  return grid ? new TRowGridAccessible(grid) : nullptr;
}
}  // namespace

void InstallRowGridAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(RowGridFactory);
    return true;
  }();
  (void)installed;
}
