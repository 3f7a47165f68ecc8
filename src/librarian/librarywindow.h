#pragma once
// What the main window needs of a window that shows a library (TFormLibrary implements it), and
// of a window that edits one element (editor, bank and global windows: the element views of the
// model's view registry), so that the frame can find the library behind any child without
// knowing the window classes.
#include "model/viewregistry.h"

class TLibElem;
class TLibrary;

class TLibraryWindow {
 public:
  virtual ~TLibraryWindow() = default;
  virtual TLibrary* Library() const = 0;
  virtual bool IsTrash() const = 0;
  // Once in the frame: caption, layout for normal or trash, place inside the frame, sort.
  virtual void Prepare() = 0;
  // Recount the rows, sort and repaint after the list changed from outside the window.
  virtual void RefreshList() = 0;
  // Exit asks about every library before any window closes: the close question is put now and
  // its answer kept for the close that follows (false: Cancel, the window stays open).
  virtual bool AskBeforeClosing() = 0;
  // Drops a kept answer, when the exit was cancelled at another window.
  virtual void ForgetCloseAnswer() = 0;
};

using TElementWindow = TElementView;
