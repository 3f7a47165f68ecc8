#pragma once
// The one drag-and-drop operation in progress between the librarian windows (and between the
// part buttons of the editors). The child frame (frame/childframe.h) holds it for the whole run.
#include <vector>

class QWidget;
class TLibElem;

struct TDragElem {
  TLibElem* Element = nullptr;  // librarian windows: the dragged element
  int PartKind = -1;            // editor part buttons: the part kind and tone dragged
  int Tone = -1;
};

// The one kind of drag between the librarian windows.
inline constexpr char kLibrarianDragMime[] = "application/x-vesta-librarian-drag";

struct TDragInfo {
  QWidget* Source = nullptr;     // the window where the drag began
  QWidget* Target = nullptr;     // the window over which it was dropped
  std::vector<TDragElem> Items;  // in library order
  bool Accepted = false;         // the control under the mouse accepts the drop
  // The items are sounds of their own (the catalog window's): copied wherever they go.
  bool Sounds = false;

  void Clear() {
    Source = nullptr;
    Target = nullptr;
    Items.clear();
    Accepted = false;
    Sounds = false;
  }
};
