#include "dialogs/formnames.h"

#include "dialogs/formselectname.h"
#include "model/namelists.h"

namespace {
TFormNames* instance = nullptr;
}  // namespace

TFormNames* NamesWindow() {
  return instance;
}

TFormNames::TFormNames(QObject* parent) : QObject(parent), lists_(&own_) {
  setObjectName(QStringLiteral("FormNames"));
  if (!instance) {
    instance = this;
    lists_ = &PageNames();
    NamesWindowLoadHook() = [this] { Load(); };
  }
}

TFormNames::~TFormNames() {
  if (instance == this) {
    instance = nullptr;
    NamesWindowLoadHook() = nullptr;
  }
}

bool TFormNames::Select(int list, int& index, QWidget* parent) const {
  TFormSelectName picker(parent);
  picker.SetNames(List(list), index);
  if (picker.exec() != QDialog::Accepted) return false;
  index = picker.Index();
  return true;
}
