#include "frame/childframe.h"

#include <QMdiArea>
#include <QMdiSubWindow>

TChildFrame& TChildFrame::Instance() {
  static TChildFrame frame;
  return frame;
}

void TChildFrame::SetArea(QMdiArea* area) {
  area_ = area;
}

QMdiSubWindow* TChildFrame::AddChild(QWidget* window) {
  if (!area_ || !window) return nullptr;
  QMdiSubWindow* sub = area_->addSubWindow(window);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(sub, &QObject::destroyed, area_, [] {
    if (TChildFrame::Instance().ChildrenChanged) TChildFrame::Instance().ChildrenChanged();
  });
  if (ChildrenChanged) ChildrenChanged();
  return sub;
}

QMdiSubWindow* TChildFrame::SubWindowOf(const QWidget* window) {
  return window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr;
}

QWidget* TChildFrame::FrameOf(QWidget* widget) {
  if (!widget) return nullptr;
  QWidget* window = widget->window();
  for (QWidget* w = widget; w; w = w->parentWidget())
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) return sub;
  return window;
}

void TChildFrame::BringToFront(QWidget* window) const {
  if (!window) return;
  QMdiSubWindow* sub = SubWindowOf(window);
  if (sub && sub->mdiArea()) {
    if (sub->isMinimized()) sub->showNormal();
    sub->mdiArea()->setActiveSubWindow(sub);
  } else {
    window->show();
    window->raise();
    window->activateWindow();
  }
}

QWidget* TChildFrame::ActiveChild() const {
  // The current child stays current while another application is in front.
  QMdiSubWindow* sub = area_ ? area_->currentSubWindow() : nullptr;
  return sub ? sub->widget() : nullptr;
}

void TChildFrame::ShowHelp(int context) const {
  if (Help) Help(context);
}
