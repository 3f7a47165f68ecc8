#pragma once
// What the model asks of the windows above it, as program-wide hooks the application installs.
// The model never knows a window; with no hook installed each request is simply skipped, which
// is what the command-line tools and the tests want. The windows that show an element are kept
// in the view registry (model/viewregistry.h).
#include <cstdint>
#include <functional>

class QObject;
class QString;
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
  // Bring an existing window to the front.
  std::function<void(QObject*)> BringToFront;
  // Where a window is now; false when it cannot tell.
  std::function<bool(const QObject*, TWindowPlace&)> WindowPlace;
  // A file (a library, a .Syx or a .Glb) was read into loaded: the program may say something
  // about what it holds.
  std::function<void(TLibElem& loaded, const QString& path)> FileLoaded;
};

TModelHooks& ModelHooks();
