#include "frame/childframe.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include <algorithm>

namespace {
// Kept with each child: the window it was opened from, and, when asked, the return to it.
class TOpenerLink : public QObject {
 public:
  explicit TOpenerLink(QMdiSubWindow* sub) : QObject(sub) { setObjectName(Name()); }
  static QString Name() { return QStringLiteral("OpenerLink"); }
  // The link of a child (the class has no meta-object of its own: it is found by its name).
  static TOpenerLink* Of(const QMdiSubWindow* sub) {
    return sub ? static_cast<TOpenerLink*>(
                     sub->findChild<QObject*>(Name(), Qt::FindDirectChildrenOnly))
               : nullptr;
  }
  // Held as a plain object: when the opener is being destroyed, its children close while it is
  // no longer a sub-window, and only a checked cast tells so.
  QPointer<QObject> Opener;
  QMdiSubWindow* OpenerWindow() const { return qobject_cast<QMdiSubWindow*>(Opener.data()); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* sub = qobject_cast<QMdiSubWindow*>(watched);
    if (event->type() == QEvent::Close && sub && OpenerWindow() && sub->mdiArea() &&
        sub->mdiArea()->activeSubWindow() == sub) {
      // After the close: it may still be refused, and the area picks a child of its own first.
      QPointer<QMdiSubWindow> closing(sub);
      QPointer<QMdiSubWindow> opener(OpenerWindow());
      QPointer<QMdiArea> area(sub->mdiArea());
      QTimer::singleShot(0, area, [closing, opener, area] {
        if (area && opener && opener->isVisible() && (!closing || !closing->isVisible()))
          area->setActiveSubWindow(opener);
      });
    }
    return QObject::eventFilter(watched, event);
  }
};
}  // namespace

TChildFrame& TChildFrame::Instance() {
  static TChildFrame frame;
  return frame;
}

void TChildFrame::SetArea(QMdiArea* area) {
  area_ = area;
}

QMdiSubWindow* TChildFrame::AddChild(QWidget* window) {
  if (!area_ || !window) return nullptr;
  QMdiSubWindow* opener = area_->activeSubWindow();
  QMdiSubWindow* sub = area_->addSubWindow(window);
  (new TOpenerLink(sub))->Opener = opener != sub ? opener : nullptr;
  sub->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(sub, &QObject::destroyed, area_, [] {
    if (TChildFrame::Instance().ChildrenChanged) TChildFrame::Instance().ChildrenChanged();
  });
  if (ChildrenChanged) ChildrenChanged();
  return sub;
}

QMdiSubWindow* TChildFrame::OpenerOf(const QMdiSubWindow* sub) {
  const TOpenerLink* link = TOpenerLink::Of(sub);
  return link ? link->OpenerWindow() : nullptr;
}

void TChildFrame::ReturnToOpener(QMdiSubWindow* sub) {
  if (TOpenerLink* link = TOpenerLink::Of(sub))
    sub->installEventFilter(link);
}

QPoint TChildFrame::NewPlace(const QMdiSubWindow* sub, QSize size) const {
  const QMdiArea* area = sub ? sub->mdiArea() : nullptr;
  if (!area) return {};
  const QSize room = area->viewport()->size();
  const QMdiSubWindow* opener = OpenerOf(sub);
  if (opener && opener->isVisible() && !opener->isMinimized())
    return PlaceBeside(room, opener->geometry(), size);
  const int n = static_cast<int>(area->subWindowList().size()) - 1;
  const QPoint cascade((n % 10) * kCascadeStep, (n % 10) * kCascadeStep);
  return {std::clamp(cascade.x(), 0, std::max(room.width() - size.width(), 0)),
          std::clamp(cascade.y(), 0, std::max(room.height() - size.height(), 0))};
}

QPoint TChildFrame::PlaceBeside(QSize area, QRect opener, QSize size) {
  const QRect room(QPoint(0, 0), area);
  for (const QPoint& beside :
       {QPoint(opener.right() + 1, opener.top()), QPoint(opener.left(), opener.bottom() + 1)})
    if (room.contains(QRect(beside, size))) return beside;
  const QPoint step = opener.topLeft() + QPoint(kCascadeStep, kCascadeStep);
  return {std::clamp(step.x(), 0, std::max(area.width() - size.width(), 0)),
          std::clamp(step.y(), 0, std::max(area.height() - size.height(), 0))};
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
