#pragma once
// What the model asks of the windows above it, as program-wide hooks the application installs.
// The model never knows a window; with no hook installed each request is simply skipped, which
// is what the command-line tools and the tests want.
#include <cstdint>
#include <functional>

class QObject;
class TLibElem;

struct TWindowPlace {
  std::uint16_t Left = 0;
  std::uint16_t Top = 0;
  std::uint16_t Width = 0;
  std::uint16_t Height = 0;
};

struct TModelHooks {
  // The main window refreshes its menu items and tool buttons (after every change of an element).
  std::function<void()> EnableMenuItems;
  // Refresh every open editor window of the element (after a change made outside its editors).
  std::function<void(TLibElem&)> UpdateViews;
  // Create the editor window of the element and return it.
  std::function<QObject*(TLibElem&)> CreateEditor;
  // Bring an existing window to the front.
  std::function<void(QObject*)> BringToFront;
  // Where a window is now; false when it cannot tell.
  std::function<bool(const QObject*, TWindowPlace&)> WindowPlace;
  // The element is about to be freed: close its editor and page windows.
  std::function<void(TLibElem&)> CloseEditors;
};

TModelHooks& ModelHooks();
