// TFormLibrary: dragging elements between library windows, to bank and global windows and to
// the trash, and the Copy and Move handlers of the main window's pop-up.
#include "frame/draginfo.h"
#include "librarian/formlibrary.h"
#include "librarian/librarianhost.h"
#include "librarian/librarygrid.h"
#include "model/library.h"

namespace {
// The library window that holds a widget, or none.
TFormLibrary* LibraryWindowOf(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget())
    if (auto* window = qobject_cast<TFormLibrary*>(w)) return window;
  return nullptr;
}

// The bank or global window that holds a widget, or none.
QWidget* ElementWindowOf(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget())
    if (auto* window = dynamic_cast<TElementWindow*>(w);
        window && window->Element() &&
        (window->Element()->Kind == ekPatchBank || window->Element()->Kind == ekPerformanceBank ||
         window->Element()->Kind == ekRhythmBank || window->Element()->Kind == ekGlobal))
      return w;
  return nullptr;
}

bool IsBinPicture(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    const QString name = w->objectName();
    if (name == QLatin1String("TrashVuoto") || name == QLatin1String("TrashPieno") ||
        name == QLatin1String("PanelTrash"))
      return true;
  }
  return false;
}
}  // namespace

bool TFormLibrary::DragOverGrid(QWidget* source) {
  bool accepted = false;
  if (source && source != this) {
    if (host_.DragInfo().Sounds)
      accepted = !isTrash_;
    else if (LibraryWindowOf(source) && LibraryWindowOf(source) != this)
      accepted = true;
    else if (!isTrash_ && ElementWindowOf(source))
      accepted = true;
  }
  host_.DragInfo().Accepted = accepted;
  return accepted;
}

void TFormLibrary::BeginDrag() {
  host_.SetDoubleClicked(false);
  TDragInfo& drag = host_.DragInfo();
  drag.Clear();
  drag.Source = this;
  for (TLibElem* element : SelectedVisible()) drag.Items.push_back({element});
}

void TFormLibrary::EndDrag(QWidget* target, QPoint pos) {
  if (!target || !host_.DragInfo().Accepted || host_.DoubleClicked()) return;
  TDragInfo& drag = host_.DragInfo();
  if (IsBinPicture(target)) {
    DeleteSelected();
    return;
  }
  if (TFormLibrary* window = LibraryWindowOf(target)) {
    if (window == this) return;
    drag.Target = window;
    if (window->IsTrash()) {
      ProcMove();
      return;
    }
    host_.ShowPopUpCopyMove(
        window->Grid()->viewport(), pos, [this] { ProcMove(); }, [this] { ProcCopy(); });
    return;
  }
  if (QWidget* window = ElementWindowOf(target)) {
    drag.Target = window;
    // The pop-up opens 40 pixels above the drop point.
    host_.ShowPopUpCopyMove(
        target, pos, [this] { ProcMove(); },
        [host = &host_, window] {
          if (auto& copy = LibraryWindowHooks().CopyToElementWindow)
            copy(*window, host->DragInfo());
        },
        -40);
  }
}

void TFormLibrary::AppendCopies(const TDragInfo& drag) {
  TLibrary& library = *library_;
  for (auto& element : library.Elements) element->Selected = false;
  for (const TDragElem& item : drag.Items) {
    if (!item.Element) continue;
    std::unique_ptr<TLibElem> copy = CreateElement(item.Element->Kind, &library);
    if (!copy) continue;
    copy->Assign(*item.Element);
    library.Add(std::move(copy));
  }
  library.Saved = false;
  RefreshList();
}

void TFormLibrary::ProcCopy() {
  TDragInfo& drag = host_.DragInfo();
  if (auto* target = LibraryWindowOf(drag.Target); target && target != this) {
    target->AppendCopies(drag);
    host_.EnableMenuItems();
  }
}

void TFormLibrary::ProcMove() {
  TDragInfo& drag = host_.DragInfo();
  if (auto* target = LibraryWindowOf(drag.Target)) {
    if (target == this) return;
    target->AppendCopies(drag);
  } else if (QWidget* window = ElementWindowOf(drag.Target)) {
    if (auto& copy = LibraryWindowHooks().CopyToElementWindow) copy(*window, drag);
  } else {
    return;
  }
  // Only elements still in this library leave it.
  for (const TDragElem& item : drag.Items)
    if (const int index = IndexOf(item.Element); index >= 0) library_->Take(index);
  drag.Items.clear();
  menuElement_ = nullptr;
  library_->Saved = false;
  SetRowCount();
  SortElem();
  grid_->viewport()->update();
  host_.EnableMenuItems();
}
