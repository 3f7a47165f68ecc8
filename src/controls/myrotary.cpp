#include "controls/myrotary.h"

#include <QMouseEvent>
#include <QPainter>

#include "controls/stepgesture.h"

Tmyrotary::Tmyrotary(QWidget* parent) : TRotaryKnob(parent) {
  gesture_ = new TStepGesture(this, [this](int direction) { SetPosition(Position() + direction); });
  setFocusPolicy(Qt::StrongFocus);
  connect(gesture_, &TStepGesture::Ended, this, &Tmyrotary::OnEndChange);
}

QString Tmyrotary::AccessibleText() const {
  return valueText_ ? valueText_(Position()) : QString::number(Position());
}

void Tmyrotary::SetAccessibleValue(int value) {
  gesture_->Finish();
  SetPosition(value);
  Q_EMIT OnEndChange();
  AnnounceValue(this);
}

void Tmyrotary::PaintKnob(QPainter& canvas) {
  TRotaryKnob::PaintKnob(canvas);
  DrawFocusMark(canvas, this, rect());
}

bool Tmyrotary::event(QEvent* event) {
  if (gesture_ && gesture_->Handle(event)) return true;
  return TRotaryKnob::event(event);
}

void Tmyrotary::mousePressEvent(QMouseEvent* event) {
  gesture_->Finish();
  TRotaryKnob::mousePressEvent(event);
}

void Tmyrotary::mouseReleaseEvent(QMouseEvent* event) {
  TRotaryKnob::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) Q_EMIT OnEndChange();
}
