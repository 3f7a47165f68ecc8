#include "editors/performance/namepicker.h"

#include <QComboBox>
#include <QListView>
#include <QStandardItemModel>

namespace {
constexpr int kUnlistedRole = Qt::UserRole + 7;

int UnlistedIndex(const QComboBox* list) {
  for (int i = list->count() - 1; i >= 0; --i)
    if (list->itemData(i, kUnlistedRole).toBool()) return i;
  return -1;
}
}  // namespace

std::function<bool(int, int&, QWidget*)>& NamePickerHook() {
  static std::function<bool(int, int&, QWidget*)> hook;
  return hook;
}

bool PickName(int list, int& index, QWidget* parent) {
  return list && NamePickerHook() && NamePickerHook()(list, index, parent);
}

int ShowUnlistedGroup(QComboBox* list, const QString& text) {
  DropUnlistedGroup(list);
  list->addItem(text);
  const int index = list->count() - 1;
  list->setItemData(index, true, kUnlistedRole);
  if (auto* model = qobject_cast<QStandardItemModel*>(list->model()))
    model->item(index)->setEnabled(false);
  if (auto* view = qobject_cast<QListView*>(list->view())) view->setRowHidden(index, true);
  list->setCurrentIndex(index);
  return index;
}

bool ShowsUnlistedGroup(const QComboBox* list) {
  return list->currentIndex() >= 0 && list->currentIndex() == UnlistedIndex(list);
}

void DropUnlistedGroup(QComboBox* list) {
  if (const int index = UnlistedIndex(list); index >= 0) list->removeItem(index);
}
