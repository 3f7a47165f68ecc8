#include "app/editorhooks.h"

#include <QApplication>

#include "app/formnames.h"
#include "editors/params/wavegroup.h"
#include "editors/patch/formwave.h"
#include "editors/performance/namepicker.h"

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

void RemoveEditorNameHooks() {
  WaveNameListHook() = nullptr;
  NamePickerHook() = nullptr;
  WaveNamePickerHook() = nullptr;
}
