// The bank and global windows as the editors of banks and globals: created when such an element
// is opened, and the target of drops from library windows. They refresh and close with their
// elements through the view registry.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/formvesta.h"
#include "librarian/formbank.h"
#include "librarian/formglobal.h"
#include "librarian/formlibrary.h"
#include "model/bank.h"
#include "model/viewregistry.h"

namespace {
QObject* OpenWindow(TLibElem& element) {
  TFormvesta* main = MainForm();
  auto* bank = dynamic_cast<TBank*>(&element);
  if (!main || !bank) {
    // Nothing to show it in: the element is not left marked as open.
    element.WindowOpen = false;
    return nullptr;
  }
  TFormBankBase* window = nullptr;
  if (element.Kind == ekGlobal)
    window = new TFormGlobal(bank);
  else
    window = new TFormBank(bank);
  QMdiSubWindow* sub = ChildFrame().AddChild(window);
  // Closing the bank brings back the window it was opened from.
  TChildFrame::ReturnToOpener(sub);
  // Shown first, so that the frame's own first placing is over before the window takes its
  // stored place.
  sub->show();
  window->Prepare();
  main->EnableMenuItems();
  return window;
}
}  // namespace

void RegisterBankWindows() {
  for (int kind : {ekPatchBank, ekPerformanceBank, ekRhythmBank, ekGlobal})
    Views().SetFactory(kind, OpenWindow);
  LibraryWindowHooks().CopyToElementWindow = [](QWidget& target, TDragInfo& drag) {
    if (auto* window = qobject_cast<TFormBankBase*>(&target)) window->ProcCopy(drag);
  };
}
