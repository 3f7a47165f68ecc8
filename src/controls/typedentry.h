#pragma once
// TTypedEntry: a value typed into a control as the control shows it. A printable key or a
// double-click on the control starts typing in its line edit; Enter hands the text to the
// control, which takes it (typing ends) or refuses it (the line edit keeps the text and its tool
// tip says what the control takes); Escape, Up/Down, an arrow button or the focus leaving put the
// shown value back. A half-typed value is never stored by leaving the field: only Enter stores.
#include <functional>

#include <QObject>

class QEvent;
class QLineEdit;
class QWidget;

class TTypedEntry : public QObject {
  Q_OBJECT
 public:
  struct THooks {
    // The text shown when typing starts and after a cancel.
    std::function<QString()> Shown;
    // Takes a typed text: true when it was a value and is now the control's.
    std::function<bool(const QString&)> Take;
    // What the control takes, for the refusal ("0 to 127").
    std::function<QString()> Values;
  };
  // edit is the line edit typed into; with hideWhenIdle it is shown only while typing (a control
  // that draws its own value).
  TTypedEntry(QWidget* control, QLineEdit* edit, THooks hooks, bool hideWhenIdle);

  // Events of the control (not its line edit): a printable key or a double-click starts typing
  // (true: consumed).
  bool Handle(QEvent* event);
  void Start(const QString& typed = QString());
  // Puts the shown value back and ends typing; nothing is stored.
  void Cancel();
  bool Typing() const { return typing_; }
  // The refusal of the last Enter, empty once taken or cancelled.
  QString Refusal() const { return refusal_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Stop();
  void Enter();

  QWidget* control_;
  QLineEdit* edit_;
  THooks hooks_;
  bool hideWhenIdle_;
  bool typing_ = false;
  QString refusal_;
};
