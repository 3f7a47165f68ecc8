#include "app/editorhooks.h"

#include <QApplication>

#include "dialogs/formnames.h"
#include "editors/params/paramlisting.h"
#include "editors/params/wavegroup.h"
#include "editors/patch/formwave.h"
#include "editors/performance/namepicker.h"
#include "midi/userinterface.h"
#include "model/modelhooks.h"

void InstallEditorNameHooks(const TFormNames& names) {
  WaveNameListHook() = [](int list) { return PageNames().List(list); };
  NamePickerHook() = [&names](int list, int& index, QWidget* parent) {
    return names.Select(list, index, parent);
  };
  // The wave page's picker is modal over the window the user works in.
  WaveNamePickerHook() = [&names](int list, int current) {
    int index = current;
    return names.Select(list, index, QApplication::activeWindow()) ? index : -1;
  };
}

void InstallFileCheckHook() {
  ModelHooks().FileLoaded = [](TLibElem& loaded, const QString& path) {
    const QString report = OutOfRangeReport(loaded, path);
    if (!report.isEmpty()) UI().Show(TMsgKind::Warning, report);
  };
}

void RemoveFileCheckHook() {
  ModelHooks().FileLoaded = nullptr;
}

void RemoveEditorNameHooks() {
  WaveNameListHook() = nullptr;
  NamePickerHook() = nullptr;
  WaveNamePickerHook() = nullptr;
}
