// The frame's side of the sound tools: what their windows need of it, the library windows'
// "Patch Bank Random" and "Patch Morphing", and Settings, Preview.
#include "app/formvesta.h"
#include "app/vesta.h"
#include "librarian/formlibrary.h"
#include "model/library.h"
#include "model/patchbank.h"
#include "tools/formmorph.h"
#include "tools/formpreviewsetup.h"
#include "tools/formrandom.h"
#include "tools/preview.h"
#include "tools/toolhost.h"

namespace {
// The library window's recount, sort, scroll to the end and repaint.
std::function<void()> Refresh(QWidget& window) {
  QPointer<QWidget> guarded(&window);
  return [guarded] {
    if (auto* view = dynamic_cast<TLibraryWindow*>(guarded.data())) view->RefreshList();
  };
}

TLibrary* WindowLibrary(QWidget& window) {
  auto* view = dynamic_cast<TLibraryWindow*>(&window);
  return view ? view->Library() : nullptr;
}
}  // namespace

void TFormvesta::InstallToolHooks() {
  TToolHost& host = ToolHost();
  host.ReadInteger = [this](const QString& section, const QString& key, int fallback) {
    return vesta_.ReadInteger(section, key, fallback);
  };
  host.WriteInteger = [this](const QString& section, const QString& key, int value) {
    vesta_.WriteInteger(section, key, value);
  };
  host.WriteConfig = [this] { return vesta_.WriteConfig(); };
  host.SetKeyboardOpen = [this](bool open) { vesta_.KeyboardOpen = open; };
  host.EnableMenuItems = [this] {
    if (!dying_) EnableMenuItems();
  };
  host.ShowHelp = [this](int context) { ShowHelp(context); };
  host.StartPreview = [] { StartPreview(); };
  host.StopPreview = [] { StopPreview(); };

  TLibraryWindowHooks& hooks = LibraryWindowHooks();
  hooks.Random = [](QWidget& window, TLibElem& bank) {
    TLibrary* library = WindowLibrary(window);
    if (!library || bank.Kind != ekPatchBank) return;
    TFormRandom dialog(&window);
    dialog.Prepare(static_cast<TPatchBank&>(bank), *library, Refresh(window));
    dialog.exec();
  };
  hooks.Morph = [](QWidget& window, TLibElem& a, TLibElem& b) {
    TLibrary* library = WindowLibrary(window);
    if (!library || a.Kind != ekPatch || b.Kind != ekPatch) return;
    TFormMorph dialog(&window);
    dialog.Prepare(static_cast<TPatch&>(a), static_cast<TPatch&>(b), *library, Refresh(window));
    dialog.exec();
  };
}

void TFormvesta::SettingsPreviewItemClick() {
  if (!previewSetup_) previewSetup_ = new TFormPreviewSetup(this);
  static_cast<TFormPreviewSetup*>(previewSetup_)->exec();
}
