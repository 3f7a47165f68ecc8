#pragma once
// Tmyrotary: the knob the windows place. Releasing the left button ends its change; the wheel
// and the Up/Down keys turn it a position per step and end their change once.
#include "controls/rotaryknob.h"

class TStepGesture;

class Tmyrotary : public TRotaryKnob {
  Q_OBJECT
 public:
  explicit Tmyrotary(QWidget* parent = nullptr);

 Q_SIGNALS:
  void OnEndChange();

 protected:
  bool event(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // Null until the constructor's body makes it: the gesture, a child, sends its ChildAdded
  // through event(), which must not use it yet.
  TStepGesture* gesture_ = nullptr;
};
