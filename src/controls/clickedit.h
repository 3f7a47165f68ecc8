#pragma once
// TClickEdit: a small framed number stepped with the mouse: the left button steps down, the
// right (or middle) button up, at once and then with auto-repeat while held. With Stereo it
// shows pan ("L 64", "  0", "R 63"). The wheel and the Up/Down keys step it too. A value can be
// typed as it is shown (TTypedEntry): a printable key or a double-click opens a line edit over
// the field, and Enter fires Onchange and OnEndchange once when it changed the value.
#include <QColor>
#include <QElapsedTimer>
#include <QWidget>

class QLineEdit;
#include "controls/accessiblecontrol.h"

class QTimer;
class TStepGesture;
class TTypedEntry;

class TClickEdit : public QWidget, public TAccessibleValue {
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
  // Takes effect only inside [Min, Max] (and ends an out-of-range display); fires nothing.
  void SetValue(int value);
  // A value outside the range: text (its number) is drawn in red in place of the value, which
  // is kept; the first step ends it, showing that value.
  void SetOutOfRange(const QString& text);
  bool OutOfRange() const { return !outOfRangeText_.isNull(); }
  QColor ClSelected() const { return clSelected_; }
  void SetClSelected(const QColor& color);
  bool Stereo() const { return stereo_; }
  void SetStereo(bool stereo);

  // The text drawn: the value's, or the out-of-range text.
  QString Text() const;
  // A button is held and the repeat timer runs.
  bool Repeating() const;
  TTypedEntry* Entry() const { return entry_; }
  QLineEdit* LineEdit() const { return lineEdit_; }
  // Takes a typed text as the value (what Enter does): false, and nothing changes, when it is no
  // value between Min and Max.
  bool TakeText(const QString& text);

  QSize sizeHint() const override { return {50, 20}; }

  // TAccessibleValue: a spin box showing Text.
  QAccessible::Role AccessibleRole() const override { return QAccessible::SpinBox; }
  QString AccessibleText() const override { return Text(); }
  int AccessibleValue() const override { return value_; }
  int AccessibleMin() const override { return min_; }
  int AccessibleMax() const override { return max_; }
  void SetAccessibleValue(int value) override;

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
  // The last press came within the double-click time.
  bool WithinDoubleClick() const;

  // First and null until the constructor's body makes it: every child made before it (and the
  // gesture itself) sends its ChildAdded through event(), which must not use it yet.
  TStepGesture* gesture_ = nullptr;
  QTimer* repeat_;
  QLineEdit* lineEdit_;
  TTypedEntry* entry_ = nullptr;
  // The value before the first of the presses that follow each other within the double-click
  // time, and when the last press came: a double-click takes back the steps of the clicks it is
  // made of, however the window system sends them.
  int beforeClicks_ = 0;
  QElapsedTimer lastPress_;
  int min_ = 0;
  int max_ = 127;
  int value_ = 0;
  QColor clSelected_ = QColor(0x00, 0xFF, 0xFF);  // aqua
  bool stereo_ = false;
  bool goingUp_ = false;
  QString outOfRangeText_;
};
