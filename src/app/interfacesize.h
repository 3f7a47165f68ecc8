#pragma once
// The interface size: every window, picture and font at 100, 125, 150 or 200 % of its designed
// size. The choice is kept in the settings file ([Interface] Size=percent) and takes effect at
// the next start through Qt's scale factor, set before the application object exists; the
// controls draw their pictures, so they stay sharp at any size.
#include <QString>

constexpr int kInterfaceSizes[] = {100, 125, 150, 200};

// The size kept in a settings file; 100 when none is kept or the value is not one of the sizes.
int ReadInterfaceSize(const QString& settingsPath);
// Sets Qt's scale factor for a size, unless the user's environment sets one already. Call it
// before the application object is made.
void ApplyInterfaceSize(int percent);
