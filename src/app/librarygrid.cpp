#include "app/librarygrid.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "app/formlibrary.h"
#include "app/formvesta.h"

const char* const TLibraryGrid::kDragMime = "application/x-vesta-librarian-drag";

TLibraryGrid::TLibraryGrid(TFormLibrary& form, QWidget* parent)
    : QAbstractScrollArea(parent), form_(form) {
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

void TLibraryGrid::SetRowCount(int rows) {
  rowCount_ = std::max(rows, 0);
  UpdateScrollBar();
  viewport()->update();
}

int TLibraryGrid::TopRow() const {
  return verticalScrollBar()->value();
}

void TLibraryGrid::SetTopRow(int row) {
  verticalScrollBar()->setValue(row);
  viewport()->update();
}

int TLibraryGrid::VisibleRows() const {
  return std::max(height() / kRowHeight, 1);
}

void TLibraryGrid::UpdateScrollBar() {
  const int visible = VisibleRows();
  verticalScrollBar()->setRange(0, std::max(rowCount_ - visible, 0));
  verticalScrollBar()->setPageStep(visible);
}

void TLibraryGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBar();
}

void TLibraryGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const int width = viewport()->width();
  const int first = event->rect().top() / kRowHeight;
  const int last = event->rect().bottom() / kRowHeight;
  for (int r = first; r <= last; ++r) {
    const int row = TopRow() + r;
    const QRect rect(0, r * kRowHeight, width, kRowHeight);
    if (row < rowCount_)
      form_.DrawRow(painter, row, rect);
    else
      painter.fillRect(rect, Qt::white);
  }
}

void TLibraryGrid::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  form_.GridMouseDown(event->button(), event->modifiers(), pos);
  dragPending_ = event->button() == Qt::LeftButton &&
                 !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
  pressPos_ = pos;
}

void TLibraryGrid::mouseMoveEvent(QMouseEvent* event) {
  if (!dragPending_ || !(event->buttons() & Qt::LeftButton)) return;
  if ((event->position().toPoint() - pressPos_).manhattanLength() <
      QApplication::startDragDistance())
    return;
  dragPending_ = false;
  StartDrag();
}

void TLibraryGrid::mouseReleaseEvent(QMouseEvent*) {
  dragPending_ = false;
}

void TLibraryGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click arrives as this event alone: it opens the element and
  // starts neither a selection change nor a drag.
  if (event->button() != Qt::LeftButton) return;
  dragPending_ = false;
  form_.GridDoubleClick(event->position().toPoint());
}

void TLibraryGrid::StartDrag() {
  form_.BeginDrag();
  TFormvesta* main = MainForm();
  if (!main || main->DragInfo().Items.empty()) return;
  auto* drag = new QDrag(this);
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kDragMime), QByteArray());
  drag->setMimeData(data);
  const Qt::DropAction action = drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
  QPointer<QObject> target = drag->target();
  if (action == Qt::IgnoreAction || !target) return;
  auto* targetWidget = qobject_cast<QWidget*>(target.data());
  if (!targetWidget) return;
  // Drops on other library grids note where they happened; other targets take their centre.
  QPoint pos = targetWidget->rect().center();
  for (QWidget* w = targetWidget; w; w = w->parentWidget())
    if (auto* grid = qobject_cast<TLibraryGrid*>(w)) {
      pos = grid->LastDrop();
      break;
    }
  form_.EndDrag(targetWidget, pos);
}

void TLibraryGrid::dragEnterEvent(QDragEnterEvent* event) {
  TFormvesta* main = MainForm();
  if (main && event->mimeData()->hasFormat(QString::fromLatin1(kDragMime)) &&
      form_.DragOverGrid(main->DragInfo().Source))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TLibraryGrid::dragMoveEvent(QDragMoveEvent* event) {
  TFormvesta* main = MainForm();
  if (main && event->mimeData()->hasFormat(QString::fromLatin1(kDragMime)) &&
      form_.DragOverGrid(main->DragInfo().Source))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TLibraryGrid::dropEvent(QDropEvent* event) {
  lastDrop_ = event->position().toPoint();
  event->acceptProposedAction();
}
