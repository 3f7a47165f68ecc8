#include "editors/performance/namepicker.h"

std::function<bool(int, int&, QWidget*)>& NamePickerHook() {
  static std::function<bool(int, int&, QWidget*)> hook;
  return hook;
}

bool PickName(int list, int& index, QWidget* parent) {
  return list && NamePickerHook() && NamePickerHook()(list, index, parent);
}
