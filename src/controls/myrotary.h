#pragma once
// Tmyrotary: the knob the windows place. Releasing the left button ends its change; the wheel
// and the Up/Down keys turn it a position per step and end their change once.
#include <functional>

#include "controls/accessiblecontrol.h"
#include "controls/rotaryknob.h"

class TStepGesture;

class Tmyrotary : public TRotaryKnob, public TAccessibleValue {
  Q_OBJECT
 public:
  explicit Tmyrotary(QWidget* parent = nullptr);

  // How a position reads ("L 20" for a pan); the number itself without one.
  void SetValueText(std::function<QString(int)> text) { valueText_ = std::move(text); }

  // TAccessibleValue: a dial.
  QAccessible::Role AccessibleRole() const override { return QAccessible::Dial; }
  QString AccessibleText() const override;
  int AccessibleValue() const override { return Position(); }
  int AccessibleMin() const override { return Min(); }
  int AccessibleMax() const override { return Max(); }
  void SetAccessibleValue(int value) override;
  void PaintKnob(QPainter& canvas) override;

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
  std::function<QString(int)> valueText_;
};
