#include "controls/slider.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "controls/panslider.h"
#include "controls/stepgesture.h"

TSlider::TSlider(QWidget* parent)
    : QWidget(parent),
      trackColor_(palette().color(QPalette::Button)),
      thumbColor_(palette().color(QPalette::Button)),
      color_(palette().color(QPalette::Button)) {
  gesture_ = new TStepGesture(this, [this](int direction) {
    if (!unset_) {
      SetValue(value_ + direction);
      return;
    }
    SetUnset(false);
    Q_EMIT OnValueChange();
  });
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  connect(gesture_, &TStepGesture::Ended, this, &TSlider::OnEndChange);
  resize(160, 26);
}

void TSlider::SetTrackWidth(int width) {
  trackWidth_ = width;
  update();
}

void TSlider::SetTrackColor(const QColor& color) {
  trackColor_ = color;
  update();
}

void TSlider::SetThumbHeight(int height) {
  thumbHeight_ = height;
  update();
}

void TSlider::SetOrientation(TSliderOrientation orientation) {
  orientation_ = orientation;
  update();
}

void TSlider::SetColor(const QColor& color) {
  color_ = color;
  update();
}

void TSlider::SetMinValue(int min) {
  minValue_ = min;
  if (value_ < minValue_) SetValue(minValue_);
  update();
}

void TSlider::SetMaxValue(int max) {
  maxValue_ = max;
  if (value_ > maxValue_) SetValue(maxValue_);
  update();
}

void TSlider::SetValue(int value) {
  value = std::max(std::min(value, maxValue_), minValue_);
  if (value == value_) return;
  value_ = value;
  update();
  Q_EMIT OnValueChange();
}

void TSlider::SetUnset(bool unset) {
  unset_ = unset;
  update();
}

namespace {
TPanSlider* Panel(const TSlider* slider) {
  return qobject_cast<TPanSlider*>(slider->parentWidget());
}
}  // namespace

QString TSlider::AccessibleText() const {
  const TPanSlider* panel = Panel(this);
  return panel ? panel->AccessibleText() : QString::number(value_);
}

int TSlider::AccessibleValue() const {
  const TPanSlider* panel = Panel(this);
  return panel ? panel->Value() : value_;
}

int TSlider::AccessibleMin() const {
  const TPanSlider* panel = Panel(this);
  return panel ? panel->Min() : minValue_;
}

int TSlider::AccessibleMax() const {
  const TPanSlider* panel = Panel(this);
  return panel ? panel->Max() : maxValue_;
}

void TSlider::SetAccessibleValue(int value) {
  if (TPanSlider* panel = Panel(this)) {
    panel->SetAccessibleValue(value);
    return;
  }
  gesture_->Finish();
  SetValue(value);
  Q_EMIT OnEndChange();
  AnnounceValue(this);
}

double TSlider::Scale() const {
  const int range = maxValue_ - minValue_;
  return range > 0 ? double(Length() - thumbHeight_ + 1) / range : 0.0;
}

int TSlider::ThumbOffset() const {
  return static_cast<int>(std::trunc((value_ - minValue_) * Scale()));
}

int TSlider::ThumbEdge() const {
  const int p = ThumbOffset();
  return orientation_ == slHoriz ? p : (Length() - thumbHeight_) - p;
}

QRect TSlider::ThumbRect() const {
  if (orientation_ == slHoriz) return QRect(ThumbEdge(), 0, thumbHeight_, height());
  return QRect(0, ThumbEdge(), width(), thumbHeight_);
}

void TSlider::mousePressEvent(QMouseEvent* event) {
  gesture_->Finish();
  if (event->button() != Qt::LeftButton) return;
  const int at = Along(event->position().toPoint());
  const int edge = ThumbEdge();
  if (at < edge || at > edge + thumbHeight_) return;
  dragging_ = true;
  grab_ = at - edge;
  const int offset = orientation_ == slHoriz ? edge : (Length() - thumbHeight_) - edge;
  fine_.Press(event->modifiers(), offset, value_);
  if (unset_) SetUnset(false);
}

void TSlider::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const double scale = Scale();
  const int edge = Along(event->position().toPoint()) - grab_;
  // Vertical sliders grow upward: the offset is counted from the bottom.
  const int offset = orientation_ == slHoriz ? edge : (Length() - thumbHeight_) - edge;
  const int coarse =
      scale > 0 ? minValue_ + static_cast<int>(std::trunc(offset / scale)) : minValue_;
  const int value = fine_.Value(event->modifiers(), offset, value_, coarse);
  value_ = std::max(std::min(value, maxValue_), minValue_);
  repaint();
  Q_EMIT OnValueChange();
}

void TSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return;
  dragging_ = false;
  Q_EMIT OnEndChange();
}

bool TSlider::event(QEvent* event) {
  if (gesture_ && gesture_->Handle(event)) return true;
  return QWidget::event(event);
}

void TSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), color_);
  const QColor grey(0x80, 0x80, 0x80);
  // The track, centred across the control, sunken.
  const QRect track = orientation_ == slHoriz
                          ? QRect(0, (height() - trackWidth_) / 2, width(), trackWidth_)
                          : QRect((width() - trackWidth_) / 2, 0, trackWidth_, height());
  painter.fillRect(track, trackColor_);
  painter.setPen(grey);
  painter.drawLine(track.topLeft(), track.topRight());
  painter.drawLine(track.topLeft(), track.bottomLeft());
  painter.setPen(Qt::white);
  painter.drawLine(track.bottomLeft(), track.bottomRight());
  painter.drawLine(track.topRight(), track.bottomRight());
  // The thumb: a raised button face in a black outline; without a value a hollow red frame.
  const QRect thumb = ThumbRect();
  if (unset_) {
    painter.setPen(QPen(Qt::red, 2));
    painter.drawRect(thumb.adjusted(1, 1, -1, -1));
    return;
  }
  painter.fillRect(thumb, palette().color(QPalette::Button));
  painter.setPen(Qt::black);
  painter.drawRect(thumb.adjusted(0, 0, -1, -1));
  const QRect inner = thumb.adjusted(1, 1, -2, -2);
  for (int i = 0; i < 2; ++i) {
    const QRect bevel = inner.adjusted(i, i, -i, -i);
    painter.setPen(Qt::white);
    painter.drawLine(bevel.topLeft(), bevel.topRight());
    painter.drawLine(bevel.topLeft(), bevel.bottomLeft());
    painter.setPen(grey);
    painter.drawLine(bevel.bottomLeft(), bevel.bottomRight());
    painter.drawLine(bevel.topRight(), bevel.bottomRight());
  }
  if (hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = thumb.adjusted(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}
