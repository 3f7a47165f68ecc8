#pragma once
// What the librarian windows ask of the window that holds them (the main window implements it
// and hands itself to the windows it makes): menus and help, the trash, the drag in progress and
// the Copy/Move pop-up, and the notices of library windows that close.
#include <functional>

#include <QList>
#include <QPoint>

class QWidget;
class TLibrary;
class TLibraryWindow;
struct TDragInfo;

class TLibrarianHost {
 public:
  // The bank and global windows stop opening in a host that is gone.
  virtual ~TLibrarianHost();

  virtual void EnableMenuItems() = 0;
  virtual void ShowHelp(int context) = 0;

  // The library that deleted elements go to, and the window showing it, while one does.
  virtual TLibrary& TrashLibrary() const = 0;
  virtual QWidget* TrashWindow() const = 0;
  // The full bin shows.
  virtual void SecchioPieno() = 0;

  // The one drag in progress.
  virtual TDragInfo& DragInfo() = 0;
  // Set by a double click in a grid, so that the drag its first click began is no drop.
  virtual bool DoubleClicked() const = 0;
  virtual void SetDoubleClicked(bool clicked) = 0;
  // The Copy/Move pop-up below a point given in the target's client coordinates.
  virtual void ShowPopUpCopyMove(QWidget* target, QPoint point, std::function<void()> move,
                                 std::function<void()> copy, int below = 60) = 0;

  // The child windows, the topmost first.
  virtual QList<QWidget*> Children() const = 0;

  // A library window whose close the user cancelled stays open, and the exit stops.
  virtual void SetCloseCancelled(bool cancelled) = 0;
  // A library window really closes (before it frees its library).
  virtual void LibraryWindowClosed(TLibraryWindow& window) = 0;
};
