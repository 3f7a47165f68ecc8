#include "librarian/librarygrid.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include "frame/draginfo.h"
#include "librarian/formlibrary.h"
#include "librarian/librarianhost.h"

const char* const TLibraryGrid::kDragMime = kLibrarianDragMime;

TLibraryGrid::TLibraryGrid(TFormLibrary& form, QWidget* parent) : TRowGrid(parent), form_(form) {}

void TLibraryGrid::DrawRow(QPainter& painter, int row, const QRect& rect) {
  if (row < RowCount())
    form_.DrawRow(painter, row, rect);
  else
    painter.fillRect(rect, Qt::white);
}

void TLibraryGrid::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  // The keyboard goes on from the row clicked; a Shift-click keeps the anchor.
  if (RowAt(pos.y()) < RowCount())
    SetCurrentRow(RowAt(pos.y()), event->modifiers() & Qt::ShiftModifier);
  form_.GridMouseDown(event->button(), event->modifiers(), pos);
  ArmDrag(pos, event->button() == Qt::LeftButton &&
                   !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)));
}

void TLibraryGrid::mouseReleaseEvent(QMouseEvent*) {
  DisarmDrag();
}

void TLibraryGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click arrives as this event alone: it opens the element and
  // starts neither a selection change nor a drag.
  if (event->button() != Qt::LeftButton) return;
  DisarmDrag();
  form_.GridDoubleClick(event->position().toPoint());
}

void TLibraryGrid::KeyboardSelect(int anchor, int row, bool extend) {
  form_.KeyboardSelect(anchor, row, extend);
}

void TLibraryGrid::StartDrag() {
  form_.BeginDrag();
  if (form_.Host().DragInfo().Items.empty()) return;
  auto* drag = new QDrag(this);
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kDragMime), QByteArray());
  drag->setMimeData(data);
  const Qt::DropAction action = drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
  QPointer<QObject> target = drag->target();
  if (action == Qt::IgnoreAction || !target) return;
  auto* targetWidget = qobject_cast<QWidget*>(target.data());
  if (!targetWidget) return;
  // Drops on the librarian grids note where they happened; other targets take their centre.
  QPoint pos = targetWidget->rect().center();
  for (QWidget* w = targetWidget; w; w = w->parentWidget())
    if (auto* grid = qobject_cast<TRowGrid*>(w)) {
      pos = grid->LastDrop();
      break;
    }
  form_.EndDrag(targetWidget, pos);
}

void TLibraryGrid::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasFormat(QString::fromLatin1(kDragMime)) &&
      form_.DragOverGrid(form_.Host().DragInfo().Source))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TLibraryGrid::dragMoveEvent(QDragMoveEvent* event) {
  if (event->mimeData()->hasFormat(QString::fromLatin1(kDragMime)) &&
      form_.DragOverGrid(form_.Host().DragInfo().Source))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TLibraryGrid::dropEvent(QDropEvent* event) {
  NoteDrop(event->position().toPoint());
  event->acceptProposedAction();
}
