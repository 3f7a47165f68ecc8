#include "controls/myrotary.h"

#include <QMouseEvent>

#include "controls/stepgesture.h"

Tmyrotary::Tmyrotary(QWidget* parent) : TRotaryKnob(parent) {
  gesture_ = new TStepGesture(this, [this](int direction) { SetPosition(Position() + direction); });
  setFocusPolicy(Qt::StrongFocus);
  connect(gesture_, &TStepGesture::Ended, this, &Tmyrotary::OnEndChange);
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
