#include "librarian/rowgrid.h"

#include <algorithm>

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

// In rowgridaccessible.cpp: the lists' table interface, installed by the first list made.
void InstallRowGridAccessibility();

TRowGrid::TRowGrid(QWidget* parent) : QAbstractScrollArea(parent) {
  InstallRowGridAccessibility();
  setObjectName(QStringLiteral("DrawGrid"));
  setFocusPolicy(Qt::StrongFocus);  // a click in the list lets the Delete key reach the window
  // A plain one-pixel box: the viewport is then the grid less two pixels each way, so a grid
  // sized for whole rows shows them all (a sunken box took two pixels a side, one row short).
  setFrameShape(QFrame::Box);
  setFrameShadow(QFrame::Plain);
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

void TRowGrid::SetHeader(QHeaderView* header) {
  header_ = header;
}

QHeaderView* TRowGrid::Header() const {
  return header_;
}

int TRowGrid::ColumnCount() const {
  return header_ ? header_->count() : 1;
}

QString TRowGrid::ColumnTitle(int column) const {
  if (!header_ || !header_->model()) return {};
  return header_->model()->headerData(column, Qt::Horizontal).toString();
}

void TRowGrid::SetRowCount(int rows) {
  const bool changed = rowCount_ != std::max(rows, 0);
  rowCount_ = std::max(rows, 0);
  if (changed && QAccessible::isActive()) {
    QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
  }
  if (currentRow_ >= rowCount_) currentRow_ = rowCount_ - 1;
  if (anchorRow_ >= rowCount_) anchorRow_ = currentRow_;
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

void TRowGrid::SetCurrentRow(int row, bool keepAnchor) {
  currentRow_ = row;
  if (!keepAnchor || anchorRow_ < 0) anchorRow_ = row;
}

void TRowGrid::EnsureVisible(int row) {
  if (row < 0) return;
  const int visible = VisibleRows();
  if (row < TopRow())
    SetTopRow(row);
  else if (row >= TopRow() + visible)
    SetTopRow(row - visible + 1);
}

void TRowGrid::keyPressEvent(QKeyEvent* event) {
  const int last = rowCount_ - 1;
  const int page = VisibleRows();
  // With no current row yet, Down and Page Down start at the first row.
  const int from = currentRow_;
  int row = 0;
  switch (event->key()) {
    case Qt::Key_Up:
      row = from - 1;
      break;
    case Qt::Key_Down:
      row = from + 1;
      break;
    case Qt::Key_PageUp:
      row = from - page;
      break;
    case Qt::Key_PageDown:
      row = from < 0 ? page - 1 : from + page;
      break;
    case Qt::Key_Home:
      row = 0;
      break;
    case Qt::Key_End:
      row = last;
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
  if (last < 0) return;
  row = std::clamp(row, 0, last);
  const int before = currentRow_;
  const bool extend = (event->modifiers() & Qt::ShiftModifier) && anchorRow_ >= 0;
  SetCurrentRow(row, extend);
  KeyboardSelect(anchorRow_, row, extend);
  EnsureVisible(row);
  viewport()->update();
  if (row != before && QAccessible::isActive())
    if (QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(this))
      if (QAccessibleTableInterface* table = grid->tableInterface())
        if (QAccessibleInterface* cell = table->cellAt(row, 0)) {
          QAccessibleEvent event(cell, QAccessible::Focus);
          QAccessible::updateAccessibility(&event);
        }
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
  // The row the keyboard moves from, framed while the list has the focus.
  if (hasFocus() && currentRow_ >= TopRow() && currentRow_ < TopRow() + VisibleRows() + 1) {
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, (currentRow_ - TopRow()) * kRowHeight, width - 1, kRowHeight - 1);
  }
}

void TRowGrid::mouseMoveEvent(QMouseEvent* event) {
  if (!dragArmed_ || !(event->buttons() & Qt::LeftButton)) return;
  if ((event->position().toPoint() - pressPos_).manhattanLength() <
      QApplication::startDragDistance())
    return;
  dragArmed_ = false;
  StartDrag();
}
