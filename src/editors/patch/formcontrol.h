#pragma once
// TFormControl: how a tone answers the player: velocity and key ranges, the controller switches,
// the three patch controllers' destinations and depths (one controller shown at a time), the
// outputs and sends.
#include "editors/patch/tonepage.h"

class QButtonGroup;
class QStackedWidget;
class TMyEdit;

class TFormControl : public TTonePage {
  Q_OBJECT
 public:
  TFormControl(TPatch& patch, int tone);

  // The controller whose destinations and depths are shown, 1 to 3; choosing one stores nothing.
  int Controller() const { return controller_; }
  void ShowController(int controller);
  QButtonGroup* ControllerButtons() const { return buttons_; }

 private:
  void KeepKeyRange(TMyEdit* moved, TMyEdit* other, bool lower);

  QButtonGroup* buttons_;
  QStackedWidget* controllers_;
  int controller_ = 1;
};
