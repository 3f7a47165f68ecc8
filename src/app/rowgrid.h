#pragma once
// The element lists of the library, bank and global windows: one column of 18-pixel rows drawn
// by the subclass, scrolled by whole rows.
#include <QAbstractScrollArea>

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

 protected:
  // A press that may become a drag: StartDrag runs once the left button has moved the
  // platform's drag distance from pos.
  void ArmDrag(const QPoint& pos, bool armed) {
    pressPos_ = pos;
    dragArmed_ = armed;
  }
  void DisarmDrag() { dragArmed_ = false; }
  virtual void StartDrag() {}
  void mouseMoveEvent(QMouseEvent* event) override;
  // Draws one row; row may lie past the last one.
  virtual void DrawRow(QPainter& painter, int row, const QRect& rect) = 0;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateScrollBar();

  int rowCount_ = 0;
  QPoint pressPos_;
  bool dragArmed_ = false;
};
