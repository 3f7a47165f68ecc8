#pragma once
// The element list of a library window: one column as wide as the grid, rows of 18 pixels drawn
// by the window, scrolled by whole rows. Mouse and drag events go to the window.
#include <QAbstractScrollArea>
#include <QPoint>

class TFormLibrary;

class TLibraryGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  static constexpr int kRowHeight = 18;
  // The MIME type of a drag between librarian windows; what is dragged is in the drag info.
  static const char* const kDragMime;

  TLibraryGrid(TFormLibrary& form, QWidget* parent);

  int RowCount() const { return rowCount_; }
  void SetRowCount(int rows);
  int TopRow() const;
  void SetTopRow(int row);
  // Whole rows that fit in the grid.
  int VisibleRows() const;
  // The row under a point of the grid.
  int RowAt(int y) const { return y / kRowHeight + TopRow(); }
  // Where the last drop on this grid happened, in grid coordinates.
  QPoint LastDrop() const { return lastDrop_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void UpdateScrollBar();
  void StartDrag();

  TFormLibrary& form_;
  int rowCount_ = 0;
  QPoint pressPos_;
  bool dragPending_ = false;
  QPoint lastDrop_;
};
