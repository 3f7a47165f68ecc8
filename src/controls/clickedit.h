#pragma once
// TClickEdit: a small framed number stepped with the mouse: the left button steps down, the
// right (or middle) button up, at once and then with auto-repeat while held. With Stereo it
// shows pan ("L 64", "  0", "R 63"). The wheel and the Up/Down keys step it too.
#include <QColor>
#include <QWidget>

class QTimer;
class TStepGesture;

class TClickEdit : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int Min READ Min WRITE SetMin)
  Q_PROPERTY(int Max READ Max WRITE SetMax)
  Q_PROPERTY(int Value READ Value WRITE SetValue)
  Q_PROPERTY(QColor ClSelected READ ClSelected WRITE SetClSelected)
  Q_PROPERTY(bool Stereo READ Stereo WRITE SetStereo)

 public:
  explicit TClickEdit(QWidget* parent = nullptr);

  int Min() const { return min_; }
  // A bound past the value moves the value to it (no event).
  void SetMin(int min);
  int Max() const { return max_; }
  void SetMax(int max);
  int Value() const { return value_; }
  // Takes effect only inside [Min, Max]; fires nothing.
  void SetValue(int value);
  QColor ClSelected() const { return clSelected_; }
  void SetClSelected(const QColor& color);
  bool Stereo() const { return stereo_; }
  void SetStereo(bool stereo);

  // The text drawn for the value.
  QString Text() const;
  // A button is held and the repeat timer runs.
  bool Repeating() const;

  QSize sizeHint() const override { return {50, 20}; }

 Q_SIGNALS:
  void Onchange();
  void OnEndchange();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Tick();
  bool StepToward(bool up);

  // First and null until the constructor's body makes it: every child made before it (and the
  // gesture itself) sends its ChildAdded through event(), which must not use it yet.
  TStepGesture* gesture_ = nullptr;
  QTimer* repeat_;
  int min_ = 0;
  int max_ = 127;
  int value_ = 0;
  QColor clSelected_ = QColor(0x00, 0xFF, 0xFF);  // aqua
  bool stereo_ = false;
  bool goingUp_ = false;
};
