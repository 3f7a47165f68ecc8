#pragma once
// The member list of a bank or global window: rows of 18 pixels drawn by the window, scrolled by
// whole rows. Mouse and drag events go to the window, which decides what they mean.
#include <QPoint>

#include "librarian/rowgrid.h"

class TFormBankBase;

class TFormBankGrid : public TRowGrid {
  Q_OBJECT
 public:
  TFormBankGrid(TFormBankBase& form, QWidget* parent);

 protected:
  void DrawRow(QPainter& painter, int row, const QRect& rect) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void StartDrag() override;
  void KeyboardSelect(int anchor, int row, bool extend) override;
  bool DragOver(QDropEvent* event);

  TFormBankBase& form_;
};
