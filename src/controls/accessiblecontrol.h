#pragma once
// What a screen reader reads of a custom control, and the focus mark the controls draw.
//
// A control that shows a value derives from TAccessibleValue as well as from its widget class:
// the first one made installs a factory that gives every such widget an accessible interface
// with the control's role, its accessible name (the caption the editor gives it), its shown
// text as value and text, and its range when it has one. A change the user makes is announced
// with AnnounceValue.
#include <QAccessible>
#include <QRect>
#include <QString>

class QPainter;
class QWidget;

class TAccessibleValue {
 public:
  TAccessibleValue();
  virtual ~TAccessibleValue() = default;

  virtual QAccessible::Role AccessibleRole() const = 0;
  // The text the control shows ("L 20", "-98", "LPF").
  virtual QString AccessibleText() const = 0;
  // Controls that pick a number in a range: the number, its bounds and step.
  virtual bool HasRange() const { return true; }
  virtual int AccessibleValue() const = 0;
  virtual int AccessibleMin() const = 0;
  virtual int AccessibleMax() const = 0;
  virtual int AccessibleStep() const { return 1; }
  // A value set by assistive technology: shown and then ended as one change of the user.
  virtual void SetAccessibleValue(int value) = 0;
};

// A picture of several points with fields of their own (envelope, pan, fade): read out as a
// chart by its selected point; it has no one value of its own to set.
class TAccessibleChart : public TAccessibleValue {
 public:
  QAccessible::Role AccessibleRole() const override { return QAccessible::Chart; }
  bool HasRange() const override { return false; }
  int AccessibleValue() const override { return 0; }
  int AccessibleMin() const override { return 0; }
  int AccessibleMax() const override { return 0; }
  void SetAccessibleValue(int) override {}
};

// Installs the factory (done by the first TAccessibleValue; harmless to call again).
void InstallControlAccessibility();
// Tells assistive technology that the control's value changed (nothing when none listens).
void AnnounceValue(QWidget* control);
// The focus mark of the custom controls: a two-pixel frame inside rect in the highlight colour,
// drawn only while the widget (or its focus proxy) has the focus.
void DrawFocusMark(QPainter& painter, const QWidget* widget, const QRect& rect);
