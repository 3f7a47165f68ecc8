#include "editors/common/wheelguard.h"

#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWheelEvent>

#include "controls/myedit.h"
#include "editors/common/hubwindow.h"
#include "editors/common/pagewindow.h"

namespace {

// The editor window that holds a widget, or none.
QWidget* EditorOf(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget())
    if (qobject_cast<TPageWindow*>(w) || qobject_cast<THubWindow*>(w)) return w;
  return nullptr;
}

// Whether the user works in this editor window: the current child of its frame, or the active
// window when it stands alone.
bool WorkedIn(QWidget* editor) {
  QMdiSubWindow* sub = TChildFrame::SubWindowOf(editor);
  if (sub && sub->mdiArea()) return sub->mdiArea()->currentSubWindow() == sub;
  return editor->isActiveWindow();
}

// The list or value field a widget belongs to, below its editor window; none for other controls.
QWidget* FocusedControlOf(QWidget* widget, QWidget* editor) {
  for (QWidget* w = widget; w && w != editor; w = w->parentWidget())
    if (qobject_cast<QComboBox*>(w) || qobject_cast<TMyEdit*>(w)) return w;
  return nullptr;
}

class TWheelGuard : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Wheel:
        return !WheelReaches(watched);
      case QEvent::Polish:
        // A list would otherwise take the focus from the wheel, and then the wheel with it.
        if (auto* list = qobject_cast<QComboBox*>(watched);
            list && list->focusPolicy() == Qt::WheelFocus && EditorOf(list))
          list->setFocusPolicy(Qt::StrongFocus);
        return false;
      default:
        return false;
    }
  }
};

}  // namespace

bool WheelReaches(QObject* receiver) {
  auto* widget = qobject_cast<QWidget*>(receiver);
  QWidget* editor = widget ? EditorOf(widget) : nullptr;
  if (!editor) return true;
  if (!WorkedIn(editor)) return false;
  QWidget* control = FocusedControlOf(widget, editor);
  return !control || control->hasFocus();
}

void InstallWheelGuard() {
  static TWheelGuard* guard = nullptr;
  if (guard || !qApp) return;
  guard = new TWheelGuard(qApp);
  qApp->installEventFilter(guard);
}
