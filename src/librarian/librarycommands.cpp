// TFormLibrary: the commands of its buttons, the grid's mouse, the context menu and closing.
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>

#include "dialogs/formedit.h"
#include "dialogs/helpwindow.h"
#include "librarian/formlibrary.h"
#include "librarian/librarianhost.h"
#include "librarian/librarygrid.h"
#include "librarian/printing.h"
#include "midi/config.h"
#include "midi/userinterface.h"
#include "model/global.h"
#include "model/library.h"
#include "model/transfer.h"
#include "model/viewregistry.h"

void TFormLibrary::LibraryChanged() {
  library_->Saved = false;
  host_.EnableMenuItems();
}

int TFormLibrary::IndexOf(const TLibElem* element) const {
  for (int i = 0; i < library_->Count(); ++i)
    if (library_->Elements[static_cast<std::size_t>(i)].get() == element) return i;
  return -1;
}

std::vector<TLibElem*> TFormLibrary::SelectedVisible() const {
  std::vector<TLibElem*> selected;
  for (const auto& element : library_->Elements)
    if (element->Selected && !Masked(element->Kind)) selected.push_back(element.get());
  return selected;
}

void TFormLibrary::DeselectAll() {
  for (auto& element : library_->Elements) element->Selected = false;
}

void TFormLibrary::SelectElement(int index, TSelectMode mode) {
  if (index < 0 || index >= library_->Count()) return;
  auto& elements = library_->Elements;
  switch (mode) {
    case TSelectMode::Plain:
      DeselectAll();
      elements[static_cast<std::size_t>(index)]->Selected = true;
      break;
    case TSelectMode::Ctrl:
      elements[static_cast<std::size_t>(index)]->Selected =
          !elements[static_cast<std::size_t>(index)]->Selected;
      break;
    case TSelectMode::Shift: {
      int count = 0;
      int anchor = -1;
      for (int i = 0; i < library_->Count(); ++i)
        if (elements[static_cast<std::size_t>(i)]->Selected) {
          ++count;
          anchor = i;
        }
      if (count == 1) {
        // A range runs over list positions, masked elements included.
        for (int i = std::min(anchor, index); i <= std::max(anchor, index); ++i)
          elements[static_cast<std::size_t>(i)]->Selected = true;
      } else {
        DeselectAll();
        elements[static_cast<std::size_t>(index)]->Selected = true;
      }
      break;
    }
  }
}

void TFormLibrary::NewElement(int kind) {
  library_->NewElement(kind);
  LibraryChanged();
  RefreshList();
}

void TFormLibrary::EmptyLibrary() {
  if (UI().Ask(TMsgKind::Information, QStringLiteral("Are You Sure ?"), mbYes | mbNo) != mbYes)
    return;
  library_->Elements.clear();
  library_->Comment.clear();
  menuElement_ = nullptr;
  LibraryChanged();
  SetRowCount();
}

void TFormLibrary::EditComment() {
  auto& edit = LibraryWindowHooks().EditComment;
  if (edit && edit(*this, *library_)) LibraryChanged();
}

void TFormLibrary::DeleteSelected() {
  // The trash takes what libraries delete; inside the trash there is nowhere to move to.
  if (isTrash_) return;
  TLibrary& trash = host_.TrashLibrary();
  bool moved = false;
  for (int i = 0; i < library_->Count();) {
    TLibElem& element = library_->Element(i);
    if (!element.Selected || Masked(element.Kind)) {
      ++i;
      continue;
    }
    Views().Close(element);
    trash.MoveElement(*library_, i);
    moved = true;
  }
  if (!moved) return;
  menuElement_ = nullptr;
  host_.SecchioPieno();
  library_->Saved = false;
  SetRowCount();
  SortElem();
  grid_->viewport()->update();
  if (auto* trashWindow = dynamic_cast<TLibraryWindow*>(host_.TrashWindow()))
    trashWindow->RefreshList();
  host_.EnableMenuItems();
}

void TFormLibrary::SendSelected() {
  for (TLibElem* element : SelectedVisible()) element->Transmit(false);
}

void TFormLibrary::ReceiveSelected() {
  for (TLibElem* element : SelectedVisible()) {
    element->Receive(false);
    grid_->viewport()->update();
    // A transfer that did not reach its end (cancelled, no answer) stops the rest.
    if (!Transfer().Finished) break;
  }
}

void TFormLibrary::PrintSelected() {
  PrintElements(SelectedVisible(), false, Config().DataCard);
}

void TFormLibrary::SearchClick(bool duplicates) {
  if (auto& search = LibraryWindowHooks().Search) search(*this, *library_, duplicates);
}

void TFormLibrary::MorphClick() {
  std::vector<TLibElem*> patches;
  for (TLibElem* element : SelectedVisible())
    if (element->Kind == ekPatch) patches.push_back(element);
  if (patches.size() != 2) {
    UI().Show(TMsgKind::Error, QStringLiteral("You Must Select two Patch."));
    return;
  }
  if (auto& morph = LibraryWindowHooks().Morph) morph(*this, *patches[0], *patches[1]);
}

void TFormLibrary::RandomClick() {
  std::vector<TLibElem*> banks;
  for (TLibElem* element : SelectedVisible())
    if (element->Kind == ekPatchBank) banks.push_back(element);
  if (banks.size() != 1) {
    UI().Show(TMsgKind::Error, QStringLiteral("You Must Select One Patch Bank."));
    return;
  }
  if (auto& random = LibraryWindowHooks().Random) random(*this, *banks[0]);
}

void TFormLibrary::GridMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                 QPoint pos) {
  lastMouseY_ = pos.y();
  const int index = CalcIndex(grid_->RowAt(pos.y()));
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool ctrl = modifiers & Qt::ControlModifier;
  if (button == Qt::LeftButton) {
    if (index >= 0 && !library_->Element(index).Selected) {
      SelectElement(index, shift  ? TSelectMode::Shift
                           : ctrl ? TSelectMode::Ctrl
                                  : TSelectMode::Plain);
      grid_->viewport()->update();
    }
    if (!shift && !ctrl) BeginDrag();
  } else if (button == Qt::RightButton && !shift) {
    if (index < 0) return;
    SelectElement(index, TSelectMode::Plain);
    grid_->viewport()->update();
    PopupMenu(index, pos);
  } else if (button == Qt::RightButton) {
    // The audition: a patch is sent to the temporary area first and sounds when the main
    // window's preview timer fires; anything else sounds at once.
    if (index >= 0 && library_->Element(index).Kind == ekPatch) {
      SelectElement(index, TSelectMode::Plain);
      grid_->viewport()->update();
      library_->Element(index).Transmit(true);
      if (auto& start = LibraryWindowHooks().StartPatchAudition) start();
    } else if (auto& start = LibraryWindowHooks().StartPreview) {
      start();
    }
  }
}

void TFormLibrary::GridDoubleClick(QPoint pos) {
  host_.SetDoubleClicked(true);
  lastMouseY_ = pos.y();
  const int index = CalcIndex(grid_->RowAt(lastMouseY_));
  if (index >= 0) library_->Element(index).OpenEditor();
}

void TFormLibrary::mousePressEvent(QMouseEvent* event) {
  // A click on the panel outside the grid clears the selection.
  DeselectAll();
  grid_->viewport()->update();
  QWidget::mousePressEvent(event);
}

void TFormLibrary::CreateMenu() {
  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("PopupMenu"));
  auto add = [this](const QString& caption, const char* name, auto action) {
    QAction* item = menu_->addAction(caption, this, action);
    item->setObjectName(QString::fromLatin1(name));
    SetHelpContext(item, kMenuHelpContext);
    return item;
  };
  menuLoad_ = add(QStringLiteral("Load SysEx"), "LoadSysex", [this] { MenuLoad(false); });
  menuSave_ = add(QStringLiteral("Save SysEx"), "SaveSysex", [this] { MenuSave(false); });
  menu_->addSeparator();
  menuImportXp_ = add(QStringLiteral("Import From XP"), "ImportFromXP", [this] { MenuLoad(true); });
  menuExportXp_ = add(QStringLiteral("Export To XP"), "ExportToXP", [this] { MenuSave(true); });
  menu_->addSeparator();
  add(QStringLiteral("Send"), "Send", [this] {
    if (TLibElem* element = MenuElement()) element->Transmit(false);
  });
  add(QStringLiteral("Receive"), "Receive", [this] {
    if (TLibElem* element = MenuElement()) element->Receive(false);
    grid_->viewport()->update();
  });
  menu_->addSeparator();
  add(QStringLiteral("Edit"), "Edit", [this] { MenuEdit(); });
  add(QStringLiteral("Print"), "Print", [this] {
    if (TLibElem* element = MenuElement()) PrintElements({element}, false, Config().DataCard);
  });
  add(QStringLiteral("Open"), "Open", [this] {
    if (TLibElem* element = MenuElement()) element->OpenEditor();
  });
  menu_->addSeparator();
  add(QStringLiteral("Delete"), "Delete", [this] { MenuDelete(); });
  EnableMenuHelp(menu_);
}

TLibElem* TFormLibrary::MenuElement() const {
  // The element may have left the list while the menu was open.
  return IndexOf(menuElement_) >= 0 ? menuElement_ : nullptr;
}

void TFormLibrary::PopupMenu(int index, QPoint gridPos) {
  menuElement_ = &library_->Element(index);
  const bool global = menuElement_->Kind == ekGlobal;
  menuLoad_->setText(global ? QStringLiteral("Load Global") : QStringLiteral("Load SysEx"));
  menuSave_->setText(global ? QStringLiteral("Save Global") : QStringLiteral("Save SysEx"));
  const bool rhythm = menuElement_->Kind == ekRhythm || menuElement_->Kind == ekRhythmBank;
  menuImportXp_->setEnabled(!rhythm);
  menuExportXp_->setEnabled(!rhythm);
  // The grid's point taken as if it were in the window, then moved right of and below it.
  menu_->popup(mapToGlobal(gridPos) + QPoint(15, 60));
}

void TFormLibrary::MenuLoad(bool xp) {
  TLibElem* element = MenuElement();
  if (!element) return;
  std::unique_ptr<TXpScope> scope;
  if (xp) scope = std::make_unique<TXpScope>();
  if (element->Kind == ekGlobal)
    static_cast<TGlobal*>(element)->LoadGlobal();
  else
    element->LoadSysexFile();
  scope.reset();
  SortElem();
  grid_->viewport()->update();
}

void TFormLibrary::MenuSave(bool xp) {
  TLibElem* element = MenuElement();
  if (!element) return;
  // An export always asks for its file: writing the other layout over the element's own file
  // without a word would make that file unreadable to a plain load.
  std::unique_ptr<TXpScope> scope;
  if (xp) scope = std::make_unique<TXpScope>();
  if (element->Kind == ekGlobal)
    static_cast<TGlobal*>(element)->SaveGlobal(xp);
  else
    element->SaveSysexFile(xp);
}

void TFormLibrary::MenuEdit() {
  TLibElem* element = MenuElement();
  if (!element) return;
  TFormEdit dialog(this);
  dialog.Execute(*element, Config().DataCard);
  grid_->viewport()->update();
}

void TFormLibrary::MenuDelete() {
  const int index = IndexOf(menuElement_);
  if (index < 0) return;
  menuElement_ = nullptr;
  library_->Take(index);  // freed here, closing its windows
  LibraryChanged();
  SetRowCount();
  SortElem();
  grid_->viewport()->update();
}

bool TFormLibrary::CloseHandling() {
  StoreGeometry();
  if (isTrash_ || library_->Saved) return true;
  const int answer = UI().Ask(TMsgKind::Information,
                              library_->GetName() + QStringLiteral(" Was Not Saved, Save It ?"),
                              mbYes | mbNo | mbCancel);
  // Yes closes only once the library is written: a cancelled save dialog or a failed write
  // keeps the window, and the user's work, open.
  const bool close = answer == mbNo || (answer == mbYes && library_->Save(false));
  if (!close) host_.SetCloseCancelled(true);
  return close;
}

bool TFormLibrary::AskBeforeClosing() {
  if (!closeAnswered_) closeAnswered_ = CloseHandling();
  return closeAnswered_;
}

void TFormLibrary::closeEvent(QCloseEvent* event) {
  if (!closing_ && !closeAnswered_ && !CloseHandling()) {
    event->ignore();
    return;
  }
  event->accept();
  if (closing_) return;
  closing_ = true;
  host_.LibraryWindowClosed(*this);
  // Closed from inside (the Close button, the frame's exit): its sub-window goes as well.
  if (subWindow_) subWindow_->close();
}
