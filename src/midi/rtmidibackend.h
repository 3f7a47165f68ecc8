#pragma once
// The host's MIDI devices through RtMidi: one backend per RtMidi API that starts on this machine
// (ALSA sequencer and JACK on Linux, WinMM on Windows, CoreMIDI on macOS). RtMidi itself stays
// inside rtmidibackend.cpp, so nothing else needs its headers.
#include <memory>

#include "midi/midibackend.h"

class TRtMidiBackend : public TMidiBackend {
 public:
  // api: RtMidi's short API name ("alsa", "jack", "winmm", "core"). Throws TMidiBackendError with
  // RtMidi's text when the API is not compiled in or cannot start (no sequencer device, no
  // running JACK server). A JACK server is never started by this.
  explicit TRtMidiBackend(const QString& api);
  ~TRtMidiBackend() override;

  QString ApiName() const override;
  // Every port of the API except the ones this process opened itself; a name that another
  // RtMidi API also lists gets the API's display name appended, e.g. " (JACK)".
  QStringList InputNames() const override;
  QStringList OutputNames() const override;
  std::unique_ptr<TMidiInputConnection> OpenInput(int index, TMidiReceiver receiver) override;
  std::unique_ptr<TMidiOutputConnection> OpenOutput(int index) override;

  struct TImpl;

 private:
  std::unique_ptr<TImpl> impl_;
};

// Adds a TRtMidiBackend to TMidiDevices for every API that RtMidi was built with and that starts;
// the others are skipped without a message.
void RegisterSystemBackends();
