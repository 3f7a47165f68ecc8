#include "app/formbankgrid.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>

#include "app/formbankbase.h"
#include "app/formvesta.h"
#include "app/librarygrid.h"

TFormBankGrid::TFormBankGrid(TFormBankBase& form, QWidget* parent)
    : QAbstractScrollArea(parent), form_(form) {
  setObjectName(QStringLiteral("DrawGrid"));
  setFocusPolicy(Qt::StrongFocus);
  setFrameShape(QFrame::Box);
  setLineWidth(1);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  verticalScrollBar()->setSingleStep(1);
  viewport()->setAcceptDrops(true);
  viewport()->setAutoFillBackground(true);
  // The library grid's smaller text, so that long date formats fit their column here too.
  QFont rows = font();
  rows.setPointSizeF(rows.pointSizeF() * 0.85);
  viewport()->setFont(rows);
  QPalette colours = viewport()->palette();
  colours.setColor(QPalette::Base, Qt::white);
  viewport()->setPalette(colours);
  viewport()->setBackgroundRole(QPalette::Base);
}

void TFormBankGrid::SetRowCount(int rows) {
  rowCount_ = std::max(rows, 0);
  UpdateScrollBar();
  viewport()->update();
}

int TFormBankGrid::TopRow() const {
  return verticalScrollBar()->value();
}

void TFormBankGrid::SetTopRow(int row) {
  verticalScrollBar()->setValue(row);
  viewport()->update();
}

int TFormBankGrid::VisibleRows() const {
  return std::max(viewport()->height() / kRowHeight, 1);
}

void TFormBankGrid::UpdateScrollBar() {
  const int visible = VisibleRows();
  verticalScrollBar()->setRange(0, std::max(rowCount_ - visible, 0));
  verticalScrollBar()->setPageStep(visible);
}

void TFormBankGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBar();
}

void TFormBankGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const int width = viewport()->width();
  const int first = event->rect().top() / kRowHeight;
  const int last = event->rect().bottom() / kRowHeight;
  for (int r = first; r <= last; ++r) {
    const QRect rect(0, r * kRowHeight, width, kRowHeight);
    form_.DrawRow(painter, TopRow() + r, rect);
  }
}

void TFormBankGrid::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  dragPending_ = false;
  const bool drag = form_.GridMouseDown(event->button(), event->modifiers(), pos);
  dragPending_ = drag;
  pressPos_ = pos;
}

void TFormBankGrid::mouseMoveEvent(QMouseEvent* event) {
  if (!dragPending_ || !(event->buttons() & Qt::LeftButton)) return;
  if ((event->position().toPoint() - pressPos_).manhattanLength() <
      QApplication::startDragDistance())
    return;
  dragPending_ = false;
  StartDrag();
}

void TFormBankGrid::mouseReleaseEvent(QMouseEvent* event) {
  dragPending_ = false;
  form_.GridMouseUp(event->button(), event->modifiers());
}

void TFormBankGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragPending_ = false;
  form_.GridDoubleClick(event->position().toPoint());
}

void TFormBankGrid::StartDrag() {
  TFormvesta* main = MainForm();
  if (!main || main->DragInfo().Items.empty()) return;
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
  TFormvesta* main = MainForm();
  return main && event->mimeData()->hasFormat(QString::fromLatin1(TLibraryGrid::kDragMime)) &&
         form_.DragOverGrid(main->DragInfo().Source, RowAt(event->position().toPoint().y()));
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
  if (DragOver(event))
    event->acceptProposedAction();
  else
    event->ignore();
}
