#pragma once
// The element list of a library window: one column as wide as the grid, rows of 18 pixels drawn
// by the window, scrolled by whole rows. Mouse and drag events go to the window.
#include <QPoint>

#include "librarian/rowgrid.h"

class TFormLibrary;

class TLibraryGrid : public TRowGrid {
  Q_OBJECT
 public:
  // The MIME type of a drag between librarian windows; what is dragged is in the drag info.
  static const char* const kDragMime;

  TLibraryGrid(TFormLibrary& form, QWidget* parent);

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

  TFormLibrary& form_;
};
