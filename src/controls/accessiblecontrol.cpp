#include "controls/accessiblecontrol.h"

#include <algorithm>

#include <QAccessibleWidget>
#include <QPainter>
#include <QPen>
#include <QWidget>

namespace {
class TAccessibleControl : public QAccessibleWidget,
                           public QAccessibleValueInterface,
                           public QAccessibleTextInterface {
 public:
  TAccessibleControl(QWidget* widget, TAccessibleValue& control)
      : QAccessibleWidget(widget, control.AccessibleRole()), control_(control) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface && control_.HasRange())
      return static_cast<QAccessibleValueInterface*>(this);
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return control_.AccessibleText();
    return QAccessibleWidget::text(t);
  }

  // QAccessibleValueInterface
  QVariant currentValue() const override { return control_.AccessibleValue(); }
  void setCurrentValue(const QVariant& value) override {
    const int wanted =
        std::clamp(value.toInt(), control_.AccessibleMin(), control_.AccessibleMax());
    if (wanted != control_.AccessibleValue()) control_.SetAccessibleValue(wanted);
  }
  QVariant maximumValue() const override { return control_.AccessibleMax(); }
  QVariant minimumValue() const override { return control_.AccessibleMin(); }
  QVariant minimumStepSize() const override { return control_.AccessibleStep(); }

  // QAccessibleTextInterface: the shown text, read only.
  void selection(int, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int startOffset, int endOffset) const override {
    const QString shown = control_.AccessibleText();
    if (endOffset < 0 || endOffset > shown.size()) endOffset = static_cast<int>(shown.size());
    return shown.mid(startOffset, std::max(endOffset - startOffset, 0));
  }
  int characterCount() const override { return static_cast<int>(control_.AccessibleText().size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
    return {};
  }

 private:
  TAccessibleValue& control_;
};

QAccessibleInterface* ControlFactory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget) return nullptr;
  auto* control = dynamic_cast<TAccessibleValue*>(widget);
  return control ? new TAccessibleControl(widget, *control) : nullptr;
}
}  // namespace

TAccessibleValue::TAccessibleValue() {
  InstallControlAccessibility();
}

void InstallControlAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(ControlFactory);
    return true;
  }();
  (void)installed;
}

void AnnounceValue(QWidget* control) {
  if (!control || !QAccessible::isActive()) return;
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
  if (!accessible) return;
  QVariant value = accessible->text(QAccessible::Value);
  if (QAccessibleValueInterface* values = accessible->valueInterface())
    value = values->currentValue();
  QAccessibleValueChangeEvent event(control, value);
  QAccessible::updateAccessibility(&event);
}

void DrawFocusMark(QPainter& painter, const QWidget* widget, const QRect& rect) {
  if (!widget->hasFocus()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(widget->palette().color(QPalette::Highlight), 2, Qt::SolidLine));
  painter.drawRect(rect.adjusted(1, 1, -1, -1));
  painter.restore();
}
