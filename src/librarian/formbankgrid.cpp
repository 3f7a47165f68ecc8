#include "librarian/formbankgrid.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "frame/draginfo.h"
#include "librarian/formbankbase.h"
#include "librarian/librarianhost.h"
#include "librarian/librarygrid.h"

TFormBankGrid::TFormBankGrid(TFormBankBase& form, QWidget* parent)
    : TRowGrid(parent), form_(form) {}

void TFormBankGrid::DrawRow(QPainter& painter, int row, const QRect& rect) {
  form_.DrawRow(painter, row, rect);
}

void TFormBankGrid::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  // The keyboard goes on from the row clicked; a Shift-click keeps the anchor.
  if (form_.MemberAt(RowAt(pos.y())))
    SetCurrentRow(RowAt(pos.y()), event->modifiers() & Qt::ShiftModifier);
  DisarmDrag();
  ArmDrag(pos, form_.GridMouseDown(event->button(), event->modifiers(), pos));
}

void TFormBankGrid::mouseReleaseEvent(QMouseEvent* event) {
  DisarmDrag();
  form_.GridMouseUp(event->button(), event->modifiers());
}

void TFormBankGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  DisarmDrag();
  form_.GridDoubleClick(event->position().toPoint());
}

void TFormBankGrid::KeyboardSelect(int anchor, int row, bool extend) {
  form_.KeyboardSelect(anchor, row, extend);
}

void TFormBankGrid::StartDrag() {
  if (form_.Host().DragInfo().Items.empty()) return;
  auto* drag = new QDrag(this);
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(TLibraryGrid::kDragMime), QByteArray());
  drag->setMimeData(data);
  const Qt::DropAction action = drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::CopyAction);
  QPointer<QObject> target = drag->target();
  if (action == Qt::IgnoreAction || !target) return;
  if (auto* widget = qobject_cast<QWidget*>(target.data())) form_.EndDrag(widget);
}

bool TFormBankGrid::DragOver(QDropEvent* event) {
  return event->mimeData()->hasFormat(QString::fromLatin1(TLibraryGrid::kDragMime)) &&
         form_.DragOverGrid(form_.Host().DragInfo().Source, RowAt(event->position().toPoint().y()));
}

void TFormBankGrid::dragEnterEvent(QDragEnterEvent* event) {
  if (DragOver(event))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TFormBankGrid::dragMoveEvent(QDragMoveEvent* event) {
  if (DragOver(event))
    event->acceptProposedAction();
  else
    event->ignore();
}

void TFormBankGrid::dropEvent(QDropEvent* event) {
  NoteDrop(event->position().toPoint());
  if (DragOver(event))
    event->acceptProposedAction();
  else
    event->ignore();
}
