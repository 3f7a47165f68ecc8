#pragma once
// The element lists of the library, bank, global and search windows: one column of 18-pixel rows
// drawn by the subclass, scrolled by whole rows. The keyboard moves a current row (Up, Down,
// Page Up, Page Down, Home, End; Shift extends from the anchor row) and keeps it in view.
// Screen readers see a table: the header's sections are its columns, the window gives each
// row's texts (rowgridaccessible.cpp).
#include <functional>

#include <QAbstractScrollArea>
#include <QPointer>
#include <QStringList>

class QHeaderView;
class QPainter;

class TRowGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  static constexpr int kRowHeight = 18;

  explicit TRowGrid(QWidget* parent);

  int RowCount() const { return rowCount_; }
  void SetRowCount(int rows);
  int TopRow() const;
  void SetTopRow(int row);
  // Whole rows that fit in the grid.
  int VisibleRows() const;
  // The row under a point of the grid, counting the rows scrolled away.
  int RowAt(int y) const { return y / kRowHeight + TopRow(); }
  // The grid's height for a number of whole rows, its frame included.
  int HeightForRows(int rows) const { return rows * kRowHeight + 2 * frameWidth(); }

  // The row the keyboard moves from, and the row a Shift move extends from; -1 when none.
  int CurrentRow() const { return currentRow_; }
  int AnchorRow() const { return anchorRow_; }
  // A click on a row makes it current; without Shift it is the anchor as well.
  void SetCurrentRow(int row, bool keepAnchor = false);
  // Scrolls as little as needed for row to show whole.
  void EnsureVisible(int row);
  // Where the last drop on this grid happened, in viewport coordinates.
  QPoint LastDrop() const { return lastDrop_; }

  // The header whose sections name the columns, and the texts of a row, one per column, as
  // the window draws them.
  void SetHeader(QHeaderView* header);
  QHeaderView* Header() const;
  void SetRowTexts(std::function<QStringList(int)> texts) { rowTexts_ = std::move(texts); }
  QStringList RowTexts(int row) const { return rowTexts_ ? rowTexts_(row) : QStringList(); }
  int ColumnCount() const;
  QString ColumnTitle(int column) const;

 protected:
  // A press that may become a drag: StartDrag runs once the left button has moved the
  // platform's drag distance from pos.
  void ArmDrag(const QPoint& pos, bool armed) {
    pressPos_ = pos;
    dragArmed_ = armed;
  }
  void DisarmDrag() { dragArmed_ = false; }
  void NoteDrop(const QPoint& pos) { lastDrop_ = pos; }
  virtual void StartDrag() {}
  // The keyboard made row current: select it alone, or (extend) the rows from the anchor to it.
  virtual void KeyboardSelect(int /*anchor*/, int /*row*/, bool /*extend*/) {}
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  // Draws one row; row may lie past the last one.
  virtual void DrawRow(QPainter& painter, int row, const QRect& rect) = 0;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateScrollBar();

  QPointer<QHeaderView> header_;
  std::function<QStringList(int)> rowTexts_;
  int rowCount_ = 0;
  int currentRow_ = -1;
  int anchorRow_ = -1;
  QPoint pressPos_;
  QPoint lastDrop_;
  bool dragArmed_ = false;
};
