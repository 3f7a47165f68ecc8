#pragma once
// TFormWave: which wave a tone plays (group and name, the "B" button opening the wave name
// picker), its gain, FXM and delay.
#include <functional>

#include "editors/patch/tonepage.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// Lets the user pick a name from a list (the wave name window): the list code and the current
// index in, the chosen index or -1 out. The program installs it; without it "B" does nothing.
std::function<int(int listCode, int current)>& WaveNamePickerHook();

class TFormWave : public TTonePage {
  Q_OBJECT
 public:
  TFormWave(TPatch& patch, int tone);

  QComboBox* WaveGroup() const { return group_; }
  QLineEdit* WaveName() const { return name_; }
  QPushButton* PickButton() const { return pick_; }

  // The user chose a list entry: stored as bytes 1 and 2, or refused (the list goes back to the
  // group shown before) when its slot or card has nothing configured.
  void GroupChosen(int index);
  // The user chose a wave of the current group: bytes 1 to 4 stored as one group.
  void WaveChosen(int wave);

 protected:
  void ShowExtra() override;

 private:
  void ShowName();
  void PickWave();
  void ShowToneSwitchInPatchWindow();

  QComboBox* group_;
  QLineEdit* name_;
  QPushButton* pick_;
  int previousGroup_ = 0;
};
