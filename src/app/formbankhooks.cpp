// The bank and global windows as the editors of banks and globals: created when such an element
// is opened, refreshed with it, closed with it, and the target of drops from library windows.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/formbank.h"
#include "app/formglobal.h"
#include "app/formlibrary.h"
#include "app/formvesta.h"
#include "model/bank.h"
#include "model/modelhooks.h"

namespace {
TFormBankBase* WindowOf(const TLibElem& element) {
  auto* window = qobject_cast<TFormBankBase*>(element.Editor);
  return window && window->Element() == &element ? window : nullptr;
}

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
  QMdiSubWindow* sub = main->MdiArea()->addSubWindow(window);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(sub, &QObject::destroyed, main, [] {
    if (MainForm()) MainForm()->EnableMenuItems();
  });
  // Shown first, so that the frame's own first placing is over before the window takes its
  // stored place.
  sub->show();
  window->Prepare();
  main->EnableMenuItems();
  return window;
}
}  // namespace

void RegisterBankWindows() {
  static bool chained = false;
  if (chained) return;
  chained = true;
  TModelHooks& hooks = ModelHooks();
  auto create = hooks.CreateEditor;
  hooks.CreateEditor = [create](TLibElem& element) -> QObject* {
    switch (element.Kind) {
      case ekPatchBank:
      case ekPerformanceBank:
      case ekRhythmBank:
      case ekGlobal:
        return OpenWindow(element);
      default:
        return create ? create(element) : nullptr;
    }
  };
  auto update = hooks.UpdateViews;
  hooks.UpdateViews = [update](TLibElem& element) {
    if (TFormBankBase* window = WindowOf(element)) {
      window->Updateview();
      return;
    }
    // A member's change shows in its bank's rows as well.
    if (element.Owner)
      if (TFormBankBase* window = WindowOf(*element.Owner)) window->Updateview();
    if (update) update(element);
  };
  auto close = hooks.CloseEditors;
  hooks.CloseEditors = [close](TLibElem& element) {
    if (TFormBankBase* window = WindowOf(element))
      window->Frame()->close();
    else if (close)
      close(element);
  };
  LibraryWindowHooks().CopyToElementWindow = [](QWidget& target, TDragInfo& drag) {
    if (auto* window = qobject_cast<TFormBankBase*>(&target)) window->ProcCopy(drag);
  };
}
