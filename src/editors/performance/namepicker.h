#pragma once
// The "Select Name" picker of the names window, which the "B" buttons of the performance, rhythm
// and system editors open on a name list with the current entry preselected. The names window
// lives in the application, so the main window installs it here.
#include <functional>

class QWidget;

// True with index set to the chosen entry of name list `list`; without a picker nothing is
// chosen.
std::function<bool(int list, int& index, QWidget* parent)>& NamePickerHook();
bool PickName(int list, int& index, QWidget* parent);

class QComboBox;
class QString;

// A group list showing a group it does not offer (a board no expansion slot holds): the entry is
// added at the end, current, hidden from the drop-down and skipped by the keys. Its index.
int ShowUnlistedGroup(QComboBox* list, const QString& text);
// Whether the current entry is such a group; the entry taken away again (a group was chosen).
bool ShowsUnlistedGroup(const QComboBox* list);
void DropUnlistedGroup(QComboBox* list);
