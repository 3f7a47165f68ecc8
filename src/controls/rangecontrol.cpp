#include "controls/rangecontrol.h"

#include <QMouseEvent>
#include <QPainter>

TRangeControl::TRangeControl(QWidget* parent)
    : QWidget(parent), color_(palette().color(QPalette::Button)) {}

void TRangeControl::SetColor(const QColor& color) {
  color_ = color;
  update();
}

void TRangeControl::SetMax(int max) {
  const int before = position_;
  max_ = max;
  Settle(before);
}

void TRangeControl::SetMin(int min) {
  const int before = position_;
  min_ = min;
  Settle(before);
}

void TRangeControl::SetPosition(int position) {
  unset_ = false;
  const int before = position_;
  position_ = position;
  Settle(before);
}

void TRangeControl::SetUnset(bool unset) {
  unset_ = unset;
  update();
}

void TRangeControl::Settle(int before) {
  if (max_ <= min_) min_ = max_ - 1;
  if (position_ > max_) position_ = max_;
  if (position_ < min_) position_ = min_;
  if (position_ != before) {
    Q_EMIT OnChange();
    if (control_) control_->setProperty("text", QString::number(position_));
  }
  update();
}

void TRangeControl::KnobMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                                  int y) {
  fine_.Reset();
  if (button != Qt::LeftButton || !PointInKnob(QPoint(x, y))) return;
  // A fine drag starts where the position is.
  fine_.Press(shift, -y, position_);
  if (!(shift & Qt::ShiftModifier)) SetPositionFromPoint(QPoint(x, y));
}

void TRangeControl::KnobMouseMove(Qt::KeyboardModifiers shift, int x, int y) {
  if (!captured_) return;
  if (shift & Qt::ShiftModifier) {
    // Upward travel turns the knob up.
    SetPosition(fine_.Value(shift, -y, position_, position_));
    return;
  }
  fine_.Reset();
  SetPositionFromPoint(QPoint(x, y));
}

void TRangeControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintKnob(painter);
}

void TRangeControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) captured_ = true;
  const QPoint at = event->position().toPoint();
  KnobMouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void TRangeControl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  KnobMouseMove(event->modifiers(), at.x(), at.y());
}

void TRangeControl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) captured_ = false;
}
