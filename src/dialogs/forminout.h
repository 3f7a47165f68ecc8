#pragma once
// "Midi Settings": the choice of the input and output device, the instrument's device number and
// MIDI thru. A view over the MIDI session, which owns the ports.
#include <QDialog>

class QCheckBox;
class QListWidget;
class QPushButton;
class QSpinBox;
class TSettingsStore;

class TFormInOut : public QDialog {
  Q_OBJECT
 public:
  // OK writes the settings there.
  explicit TFormInOut(TSettingsStore& settings, QWidget* parent = nullptr);

  QListWidget* InputPort() const { return inputPort_; }
  QListWidget* OutputPort() const { return outputPort_; }
  QSpinBox* SpinDeviceID() const { return spinDeviceId_; }
  QCheckBox* MidiThrue() const { return midiThrue_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private Q_SLOTS:
  void OKClick();

 private:
  // Fills the lists from the session and shows the settings in force.
  void LoadSettings();

  TSettingsStore& settings_;
  QListWidget* inputPort_;
  QListWidget* outputPort_;
  QSpinBox* spinDeviceId_;
  QCheckBox* midiThrue_;
  QPushButton* ok_;
  QPushButton* cancel_;
};
