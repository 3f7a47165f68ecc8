#pragma once
// TStepGesture: the mouse wheel and the Up/Down keys as one stepping gesture of a control. Each
// wheel notch or key press is one step; the gesture ends once, when the wheel has rested for
// TControlTiming::WheelRestMs or the key is released, so that the editor above stores and
// records the whole gesture as one change.
#include <functional>

#include <QObject>

class QEvent;
class QTimer;

class TStepGesture : public QObject {
  Q_OBJECT
 public:
  // step(+1) steps up, step(-1) down; the control keeps its own bounds.
  TStepGesture(QObject* parent, std::function<void(int)> step);

  // Takes wheel events and Up/Down key events (true: consumed); the focus leaving ends a key
  // gesture. Other events pass.
  bool Handle(QEvent* event);
  // Ends a pending gesture now (a mouse press starts a change of its own).
  void Finish();
  bool Active() const { return active_; }

 Q_SIGNALS:
  void Ended();

 private:
  std::function<void(int)> step_;
  QTimer* rest_;
  int wheelRemainder_ = 0;
  bool active_ = false;
};
