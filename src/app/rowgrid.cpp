#include "app/rowgrid.h"

#include <algorithm>

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

TRowGrid::TRowGrid(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName(QStringLiteral("DrawGrid"));
  setFocusPolicy(Qt::StrongFocus);  // a click in the list lets the Delete key reach the window
  setFrameShape(QFrame::Box);
  setLineWidth(1);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  verticalScrollBar()->setSingleStep(1);
  viewport()->setAcceptDrops(true);
  viewport()->setAutoFillBackground(true);
  // A little smaller than the dialogs' text, so that dates in long formats fit their column.
  QFont rows = font();
  rows.setPointSizeF(rows.pointSizeF() * 0.85);
  viewport()->setFont(rows);
  viewport()->setBackgroundRole(QPalette::Base);
  QPalette colours = viewport()->palette();
  colours.setColor(QPalette::Base, Qt::white);
  viewport()->setPalette(colours);
}

void TRowGrid::SetRowCount(int rows) {
  rowCount_ = std::max(rows, 0);
  UpdateScrollBar();
  viewport()->update();
}

int TRowGrid::TopRow() const {
  return verticalScrollBar()->value();
}

void TRowGrid::SetTopRow(int row) {
  verticalScrollBar()->setValue(row);
  viewport()->update();
}

int TRowGrid::VisibleRows() const {
  return std::max(viewport()->height() / kRowHeight, 1);
}

void TRowGrid::UpdateScrollBar() {
  const int visible = VisibleRows();
  verticalScrollBar()->setRange(0, std::max(rowCount_ - visible, 0));
  verticalScrollBar()->setPageStep(visible);
}

void TRowGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBar();
}

void TRowGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const int width = viewport()->width();
  const int first = event->rect().top() / kRowHeight;
  const int last = event->rect().bottom() / kRowHeight;
  for (int r = first; r <= last; ++r)
    DrawRow(painter, TopRow() + r, QRect(0, r * kRowHeight, width, kRowHeight));
}

void TRowGrid::mouseMoveEvent(QMouseEvent* event) {
  if (!dragArmed_ || !(event->buttons() & Qt::LeftButton)) return;
  if ((event->position().toPoint() - pressPos_).manhattanLength() <
      QApplication::startDragDistance())
    return;
  dragArmed_ = false;
  StartDrag();
}
