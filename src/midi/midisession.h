#pragma once
// The program's one MIDI input and one MIDI output port for the whole run, the device lists,
// opening and closing the configured devices, and the MIDI-open flag that every send and
// receive tests. The "Midi Settings" dialog is a view over this object.
#include <memory>

#include <QObject>
#include <QStringList>

#include "midi/midiinput.h"
#include "midi/midioutput.h"
#include "midi/monitor.h"

class TMidiSession : public QObject {
  Q_OBJECT
 public:
  static TMidiSession& Instance();

  // Builds both device lists, opens input and output device 0 and sets the MIDI-open flag.
  // Throws EMidiInputError "No midi system installed" when there is no input device or the lists
  // cannot be built. Opening devices 0 failing is reported (OpenDevs) but the flag is set anyway.
  void Create();
  // Closes the ports (when open) and forgets them; the flag is cleared.
  void Destroy();
  bool Created() const { return input_ != nullptr; }

  // Opens the devices named by Config().MidiIn / MidiOut and installs DefaultMidiInput. On any
  // failure: "Invalid Midi Port Settings", both indexes set to 0 in memory, the flag cleared.
  void OpenDevs();
  void CloseDevs();  // only while the flag is set: output, then input

  bool MidiOpen() const { return midiOpen_; }
  void SetMidiOpen(bool open) { midiOpen_ = open; }

  TMidiInput* Input() const { return input_.get(); }
  TMidiOutput* Output() const { return output_.get(); }
  const QStringList& InputList() const { return inputList_; }
  const QStringList& OutputList() const { return outputList_; }

  // Makes DefaultMidiInput the input port's event handler.
  void InstallDefaultInput();

  // The monitor window while it is open, else none.
  TMidiMonitor* Monitor() const { return monitor_; }
  void SetMonitor(TMidiMonitor* monitor) { monitor_ = monitor; }

 private:
  std::unique_ptr<TMidiInput> input_;
  std::unique_ptr<TMidiOutput> output_;
  QStringList inputList_;
  QStringList outputList_;
  bool midiOpen_ = false;
  TMidiMonitor* monitor_ = nullptr;
};

inline TMidiSession& MidiSession() { return TMidiSession::Instance(); }
