// The bank and global windows as the editors of banks and globals: created when such an element
// is opened, and the target of drops from library windows. They refresh and close with their
// elements through the view registry.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "frame/childframe.h"
#include "librarian/formbank.h"
#include "librarian/formglobal.h"
#include "librarian/formlibrary.h"
#include "librarian/librarianhost.h"
#include "model/bank.h"
#include "model/viewregistry.h"

namespace {
// The host the windows open in. An element is opened from anywhere (a library, the catalog, an
// editor), through the model's view registry, so the registry's factory keeps it; it is
// forgotten when the host goes.
TLibrarianHost* bankHost = nullptr;

QObject* OpenWindow(TLibElem& element) {
  TLibrarianHost* host = bankHost;
  auto* bank = dynamic_cast<TBank*>(&element);
  if (!host || !bank) {
    // Nothing to show it in: the element is not left marked as open.
    element.WindowOpen = false;
    return nullptr;
  }
  TFormBankBase* window = nullptr;
  if (element.Kind == ekGlobal)
    window = new TFormGlobal(bank, *host);
  else
    window = new TFormBank(bank, *host);
  QMdiSubWindow* sub = ChildFrame().AddChild(window);
  // Closing the bank brings back the window it was opened from.
  TChildFrame::ReturnToOpener(sub);
  // Shown first, so that the frame's own first placing is over before the window takes its
  // stored place.
  sub->show();
  window->Prepare();
  host->EnableMenuItems();
  return window;
}
}  // namespace

TLibrarianHost::~TLibrarianHost() {
  if (bankHost == this) bankHost = nullptr;
}

void RegisterBankWindows(TLibrarianHost& host) {
  bankHost = &host;
  for (int kind : {ekPatchBank, ekPerformanceBank, ekRhythmBank, ekGlobal})
    Views().SetFactory(kind, OpenWindow);
  LibraryWindowHooks().CopyToElementWindow = [](QWidget& target, TDragInfo& drag) {
    if (auto* window = qobject_cast<TFormBankBase*>(&target)) window->ProcCopy(drag);
  };
}
