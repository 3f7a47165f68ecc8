#pragma once
// The splash window shown while the program starts: the name and version on a circular
// gradient. Its timer finishes the start-up.
#include <QWidget>

class QTimer;
class TFountainFill;

class TFormintro : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 359;
  static constexpr int kHeight = 210;

  explicit TFormintro(QWidget* parent = nullptr);

  // Starts the timer; when it fires the timer stops, Finished is emitted and the window closes
  // and frees itself.
  void StartTimer(int ms);
  QTimer* Timer() const { return timer_; }

 Q_SIGNALS:
  void Finished();

 private:
  TFountainFill* fill_;
  QTimer* timer_;
};
