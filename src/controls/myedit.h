#pragma once
// TMyEdit: the value field. It holds a raw parameter code and shows it through a display mode
// (TEditType) in a read-only text box with two arrow buttons that step it, at once and then with
// auto-repeat while held. The wheel and the Up/Down keys step it too. Setting Code from the
// program fires nothing; stepping fires Onchange per step and OnEndChange once at the end.
// A value can also be typed as it is shown (TTypedEntry): Enter fires Onchange and OnEndChange
// once when it changed the code.
#include <QFrame>

#include "controls/accessiblecontrol.h"
#include "controls/edittype.h"

class QLineEdit;
class QTimer;
class QToolButton;
class TStepGesture;
class TTypedEntry;

class TMyEdit : public QFrame, public TAccessibleValue {
  Q_OBJECT
  Q_PROPERTY(int Code READ Code WRITE SetCode)
  Q_PROPERTY(TEditType EditType READ EditType WRITE SetEditType)
  Q_PROPERTY(int Min READ Min WRITE SetMin)
  Q_PROPERTY(int Max READ Max WRITE SetMax)
  Q_PROPERTY(int Step READ Step WRITE SetStep)

 public:
  explicit TMyEdit(QWidget* parent = nullptr);

  int Code() const { return code_; }
  // Stores and shows code as it is: no clamping, no event. Ends an out-of-range display.
  void SetCode(int code);
  // A stored byte outside the field's range: text (its number) is shown in red in place of a
  // value, and Code becomes code, which the first step brings to the nearer end of the range
  // (in either direction). SetCode or that step ends it.
  void SetOutOfRange(int code, const QString& text);
  bool OutOfRange() const { return !outOfRangeText_.isNull(); }
  TEditType EditType() const { return editType_; }
  void SetEditType(TEditType type);
  // The bounds of the four MinMax modes; the other modes keep to their own codes.
  int Min() const { return min_; }
  void SetMin(int min) { min_ = min; }
  int Max() const { return max_; }
  void SetMax(int max) { max_ = max; }
  int Step() const { return step_; }
  void SetStep(int step) { step_ = step; }

  // The codes the arrows keep to.
  int Low() const { return EditTypeLow(editType_, min_); }
  int High() const { return EditTypeHigh(editType_, max_); }
  // The text shown, with its decoration.
  QString Text() const;
  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }
  // An arrow is held and its timer runs.
  bool Repeating() const;
  QLineEdit* LineEdit() const { return edit_; }
  TTypedEntry* Entry() const { return entry_; }
  // Takes a typed text as the field's value (what Enter does): false, and nothing changes, when
  // no code between Low and High shows so.
  bool TakeText(const QString& text);

  QSize sizeHint() const override { return {60, 24}; }

  // TAccessibleValue: a spin box showing Text.
  QAccessible::Role AccessibleRole() const override { return QAccessible::SpinBox; }
  QString AccessibleText() const override { return Text(); }
  int AccessibleValue() const override { return code_; }
  int AccessibleMin() const override { return Low(); }
  int AccessibleMax() const override { return High(); }
  int AccessibleStep() const override { return step_; }
  void SetAccessibleValue(int value) override;

 Q_SIGNALS:
  void Onchange();
  void OnEndChange();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Press(bool up);
  void Release();
  void Tick();
  // One step toward up or down within the bounds; true when the code changed.
  bool StepToward(bool up);
  void Relayout();
  void ShowText();
  // The text box tinted with the highlight colour while it has the focus.
  void MarkFocus(bool focused);

  // First and null until the constructor's body makes it: every child made before it (and the
  // gesture itself) sends its ChildAdded through event(), which must not use it yet.
  TStepGesture* gesture_ = nullptr;
  QLineEdit* edit_;
  TTypedEntry* entry_ = nullptr;
  QToolButton* up_;
  QToolButton* down_;
  QTimer* repeat_;
  int code_ = 0;
  TEditType editType_ = IntM100P100;
  int min_ = 0;
  int max_ = 127;
  int step_ = 1;
  bool goingUp_ = true;
  QString outOfRangeText_;
};
