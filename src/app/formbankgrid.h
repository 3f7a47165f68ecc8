#pragma once
// The member list of a bank or global window: rows of 18 pixels drawn by the window, scrolled by
// whole rows. Mouse and drag events go to the window, which decides what they mean.
#include <QAbstractScrollArea>
#include <QPoint>

class TFormBankBase;

class TFormBankGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  static constexpr int kRowHeight = 18;

  TFormBankGrid(TFormBankBase& form, QWidget* parent);

  int RowCount() const { return rowCount_; }
  void SetRowCount(int rows);
  int TopRow() const;
  void SetTopRow(int row);
  int VisibleRows() const;
  // The row under a point of the grid, counting the rows scrolled away.
  int RowAt(int y) const { return y / kRowHeight + TopRow(); }

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
  bool DragOver(QDropEvent* event);

  TFormBankBase& form_;
  int rowCount_ = 0;
  QPoint pressPos_;
  bool dragPending_ = false;
};
