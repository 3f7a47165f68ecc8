#pragma once
// The main frame as its child windows see it. The main window installs its MDI area and its
// help here for its lifetime; the librarian windows, the editors and the tools add their windows
// through AddChild, the one place a child enters the frame, and share the one drag in progress.
// Without an area (tests of a single window) a child stays a top-level window of its own.
#include <functional>

#include <QMdiArea>
#include <QPointer>

#include "frame/draginfo.h"

class QMdiSubWindow;
class QWidget;

class TChildFrame {
 public:
  static TChildFrame& Instance();

  void SetArea(QMdiArea* area);
  QMdiArea* Area() const { return area_; }

  // Puts the window into a sub-window of the area that is deleted when it closes, and tells
  // ChildrenChanged when it was added and when it is gone. Not shown yet. None without an area.
  QMdiSubWindow* AddChild(QWidget* window);
  // The sub-window that holds a child, or none.
  static QMdiSubWindow* SubWindowOf(const QWidget* window);
  // The child that holds the widget: its sub-window when it is in the area, or its window.
  static QWidget* FrameOf(QWidget* widget);
  // The active child when this one was added: the window it was opened from, or none.
  static QMdiSubWindow* OpenerOf(const QMdiSubWindow* sub);
  // The window the child was opened from becomes the active one again when the child closes
  // while it is active (a page does this on its own).
  static void ReturnToOpener(QMdiSubWindow* sub);
  // Where a new child of that size goes when it has no place of its own: beside the window it
  // was opened from, else cascaded by the number of children; inside the area either way.
  QPoint NewPlace(const QMdiSubWindow* sub, QSize size) const;
  // Right of the opener, else below it, when the window fits there whole; else a step down and
  // right of the opener, moved inside the area.
  static QPoint PlaceBeside(QSize area, QRect opener, QSize size);
  static constexpr int kCascadeStep = 24;

  // The child becomes the active one (restored first when minimised).
  void BringToFront(QWidget* window) const;
  // The child window active in the area, or none.
  QWidget* ActiveChild() const;

  // The help page of a context.
  void ShowHelp(int context) const;

  TDragInfo& Drag() { return drag_; }
  // Set while part buttons or section panels of an editor are being dragged.
  bool DragInProgress = false;

  // Installed by the main window.
  std::function<void()> ChildrenChanged;
  std::function<void(int context)> Help;

 private:
  QPointer<QMdiArea> area_;
  TDragInfo drag_;
};

inline TChildFrame& ChildFrame() {
  return TChildFrame::Instance();
}
