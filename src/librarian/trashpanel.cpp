#include "librarian/trashpanel.h"

#include <QDragEnterEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include "frame/draginfo.h"
#include "librarian/librarianhost.h"
#include "librarian/librarywindow.h"

namespace {
QLabel* MakePicture(const QString& name, bool full, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setGeometry(0, 0, TTrashPanel::kWidth, TTrashPanel::kHeight);
  label->setAlignment(Qt::AlignCenter);
  // Drawn at least at twice the size, so it stays sharp when the window moves to a denser screen.
  label->setPixmap(TTrashPanel::BinPicture(full, std::max<qreal>(parent->devicePixelRatioF(), 2)));
  // The panel sees the clicks and the drags.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  return label;
}
}  // namespace

TTrashPanel::TTrashPanel(TLibrarianHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setObjectName(QStringLiteral("PanelTrash"));
  setFixedSize(kWidth, kHeight);
  setAcceptDrops(true);
  setToolTip(QStringLiteral("Trash"));
  trashVuoto_ = MakePicture(QStringLiteral("TrashVuoto"), false, this);
  trashPieno_ = MakePicture(QStringLiteral("TrashPieno"), true, this);
  SetFull(false);
}

void TTrashPanel::SetFull(bool full) {
  trashVuoto_->setVisible(!full);
  trashPieno_->setVisible(full);
}

bool TTrashPanel::Full() const {
  return !trashPieno_->isHidden();
}

QPixmap TTrashPanel::BinPicture(bool full, qreal pixelRatio) {
  const qreal ratio = std::max<qreal>(pixelRatio, 1.0);
  QPixmap pixmap(QSize(36, 42) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor outline(0x37, 0x47, 0x4F);
  const QColor body(0xB0, 0xBE, 0xC5);
  // Paper sticking out of a full bin, drawn first so the body covers its lower part.
  if (full) {
    p.setPen(QPen(outline, 1));
    p.setBrush(QColor(0xFF, 0xF8, 0xE1));
    p.save();
    p.translate(13, 8);
    p.rotate(-18);
    p.drawRect(QRectF(-4, -6, 10, 14));
    p.restore();
    p.setBrush(QColor(0xE3, 0xF2, 0xFD));
    p.save();
    p.translate(23, 7);
    p.rotate(14);
    p.drawRect(QRectF(-5, -5, 11, 13));
    p.restore();
  }
  // Lid: on the bin when empty, tilted open when full.
  p.setPen(QPen(outline, 1.5));
  p.setBrush(body.darker(110));
  p.save();
  if (full) {
    p.translate(6, 12);
    p.rotate(-25);
    p.translate(-6, -12);
  }
  p.drawRoundedRect(QRectF(4, 10, 28, 4), 1.5, 1.5);
  p.drawRoundedRect(QRectF(14, 7, 8, 3), 1, 1);
  p.restore();
  // Body, narrowing towards the bottom, with ribs.
  QPainterPath bin;
  bin.moveTo(6, 15);
  bin.lineTo(30, 15);
  bin.lineTo(27.5, 40);
  bin.lineTo(8.5, 40);
  bin.closeSubpath();
  p.setBrush(body);
  p.drawPath(bin);
  p.setPen(QPen(outline, 1.2));
  for (qreal x : {12.5, 18.0, 23.5}) p.drawLine(QPointF(x, 19), QPointF(x, 36));
  p.end();
  return pixmap;
}

void TTrashPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  Q_EMIT DoubleClicked();
  QWidget::mouseDoubleClickEvent(event);
}

bool TTrashPanel::Accepts() const {
  const bool accepted = dynamic_cast<TLibraryWindow*>(host_.DragInfo().Source) != nullptr;
  host_.DragInfo().Accepted = accepted;
  return accepted;
}

void TTrashPanel::dragEnterEvent(QDragEnterEvent* event) {
  if (Accepts())
    event->acceptProposedAction();
  else
    event->ignore();
}

void TTrashPanel::dragMoveEvent(QDragMoveEvent* event) {
  if (Accepts())
    event->acceptProposedAction();
  else
    event->ignore();
}

void TTrashPanel::dropEvent(QDropEvent* event) {
  // The library window that started the drag moves its selection here when the drag ends.
  if (Accepts())
    event->acceptProposedAction();
  else
    event->ignore();
}
