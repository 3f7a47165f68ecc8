#pragma once
// The pictures of the main window's tool buttons: the desktop theme's where it has one, else
// drawn by the program at double resolution so they stay sharp on high-density screens.
#include <QIcon>

enum class TToolIcon { New, Open, Save, SaveAll, Print, Monitor, Keyboard, Help, Exit };

QIcon ToolIcon(TToolIcon which);
