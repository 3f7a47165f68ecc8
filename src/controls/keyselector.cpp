#include "controls/keyselector.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
// Offset of each pitch class from its octave's C, in parts of W: the white keys on whole
// widths, the black keys between them.
int PitchOffset(int pitch, int w) {
  switch (pitch) {
    case 0:
      return 0;
    case 1:
      return w / 2 + 1;
    case 2:
      return w;
    case 3:
      return 2 * w - w / 4;
    case 4:
      return 2 * w;
    case 5:
      return 3 * w;
    case 6:
      return 3 * w + w / 2 + 1;
    case 7:
      return 4 * w;
    case 8:
      return 4 * w + w / 2 + 2;
    case 9:
      return 5 * w;
    case 10:
      return 6 * w - w / 4;
    default:
      return 6 * w;
  }
}
}  // namespace

TKeySelector::TKeySelector(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(500, 50);
}

void TKeySelector::SetKeySelected(int key) {
  selected_ = key;
  update();
}

void TKeySelector::SetKeyWidth(int width) {
  width_ = std::max(width, 1);
  update();
}

bool TKeySelector::IsBlack(int key) {
  if (key < 0) return false;
  const int pitch = key % 12;
  return pitch == 1 || pitch == 3 || pitch == 6 || pitch == 8 || pitch == 10;
}

int TKeySelector::KeyLeft(int key) const {
  if (key < 0) return 0;
  return width_ + (key / 12) * 7 * width_ + PitchOffset(key % 12, width_);
}

int TKeySelector::BlackHeight() const {
  return static_cast<int>(0.6 * height());
}

int TKeySelector::KeyAt(int x, int y) const {
  const int w = width_;
  if (x <= w) return -1;
  const int lastLeft = KeyLeft(kLastKey);
  const bool upper = y <= BlackHeight();
  if (x > lastLeft) return upper && x <= lastLeft + w / 4 ? kLastKey - 1 : kLastKey;
  const int r = x - w;
  const int octave = r / (7 * w);
  const int p = r % (7 * w);
  const int white = p / w;
  const int o = p % w;
  static constexpr int kWhitePitch[7] = {0, 2, 4, 5, 7, 9, 11};
  int pitch = kWhitePitch[white];
  if (upper) {
    switch (white) {
      case 0:
        pitch = o <= w / 2 ? 0 : 1;
        break;
      case 1:
        pitch = o <= w / 4 ? 1 : (o >= w - w / 4 ? 3 : 2);
        break;
      case 2:
        pitch = o < w / 2 ? 3 : 4;
        break;
      case 3:
        pitch = o > w / 2 ? 6 : 5;
        break;
      case 4:
        pitch = o <= w / 4 ? 6 : (o >= w - w / 4 ? 8 : 7);
        break;
      case 5:
        pitch = o <= w / 4 ? 8 : (o >= w - w / 4 ? 10 : 9);
        break;
      default:
        pitch = o < w / 2 ? 10 : 11;
        break;
    }
  }
  const int key = pitch + 12 * octave;
  return key > kLastKey ? selected_ : key;
}

QPolygon TKeySelector::KeyOutline(int key) const {
  const int left = KeyLeft(key);
  const int bottom = height() - 1;
  if (IsBlack(key)) return QPolygon(QRect(left, 0, BlackWidth(), BlackHeight()));
  const int right = left + width_;
  if (key < 0 || key == kLastKey) return QPolygon(QRect(left, 0, width_, bottom + 1));
  // The cuts leave room for the black keys beside the white one.
  const int pitch = key % 12;
  const bool cutRight = pitch == 0 || pitch == 2 || pitch == 5 || pitch == 7 || pitch == 9;
  const bool cutLeft = pitch == 2 || pitch == 4 || pitch == 7 || pitch == 9 || pitch == 11;
  const int black = BlackHeight();
  const int topLeft = cutLeft ? KeyLeft(key - 1) + BlackWidth() : left;
  const int topRight = cutRight ? KeyLeft(key + 1) : right;
  QPolygon outline;
  outline << QPoint(topLeft, 0) << QPoint(topRight, 0);
  if (cutRight) outline << QPoint(topRight, black) << QPoint(right, black);
  outline << QPoint(right, bottom) << QPoint(left, bottom);
  if (cutLeft) outline << QPoint(left, black) << QPoint(topLeft, black);
  return outline;
}

void TKeySelector::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  painter.setPen(Qt::black);
  for (int key = kFirstKey; key <= kLastKey; ++key) {
    if (key == selected_)
      painter.setBrush(Qt::red);
    else
      painter.setBrush(IsBlack(key) ? Qt::black : Qt::white);
    painter.drawPolygon(KeyOutline(key));
  }
  DrawFocusMark(painter, this, rect());
}

void TKeySelector::RepaintKey(int key) {
  if (key >= kFirstKey && key <= kLastKey)
    update(KeyOutline(key).boundingRect().adjusted(-1, -1, 1, 1));
}

void TKeySelector::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  const QPoint at = event->position().toPoint();
  RepaintKey(selected_);
  selected_ = KeyAt(at.x(), at.y());
  RepaintKey(selected_);
  Q_EMIT Endchange();
}

void TKeySelector::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const QPoint at = event->position().toPoint();
  const int key = KeyAt(at.x(), at.y());
  if (key == selected_) return;
  RepaintKey(selected_);
  selected_ = key;
  RepaintKey(selected_);
  Q_EMIT Change();
}

void TKeySelector::SetAccessibleValue(int value) {
  RepaintKey(selected_);
  selected_ = value;
  RepaintKey(selected_);
  Q_EMIT Endchange();
  AnnounceValue(this);
}

void TKeySelector::keyPressEvent(QKeyEvent* event) {
  const bool inRange = selected_ >= kFirstKey && selected_ <= kLastKey;
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
      const int step = event->key() == Qt::Key_Right ? 1 : -1;
      const int key = inRange ? std::clamp(selected_ + step, kFirstKey, kLastKey) : kFirstKey;
      if (key != selected_ || !inRange) SetAccessibleValue(key);
      return;
    }
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (inRange) SetAccessibleValue(selected_);
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void TKeySelector::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return;
  Q_EMIT Endchange();
  dragging_ = false;
}
