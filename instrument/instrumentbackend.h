#pragma once
// The emulated instrument as a MIDI device of the program: one input and one output, both named
// "Vesta Virtual Instrument". What the program sends to the output is fed to a TInstrument; its
// replies reach the opened inputs from the backend's own thread, after the delay fault.
#include <memory>
#include <mutex>
#include <vector>

#include "instrument/instrument.h"
#include "instrument/replyqueue.h"
#include "midi/midibackend.h"

class TInstrumentBackend : public TMidiBackend {
 public:
  static inline const QString DeviceName = QStringLiteral("Vesta Virtual Instrument");

  // followProgram: the instrument listens on the program's configured device number, whatever
  // it is, as the built-in device must; a backend for tests may keep the instrument's own ID.
  explicit TInstrumentBackend(std::shared_ptr<TInstrument> instrument, bool followProgram = false);
  ~TInstrumentBackend() override;

  QString ApiName() const override { return QStringLiteral("Virtual Instrument"); }
  QStringList InputNames() const override { return {DeviceName}; }
  QStringList OutputNames() const override { return {DeviceName}; }
  std::unique_ptr<TMidiInputConnection> OpenInput(int index, TMidiReceiver receiver) override;
  std::unique_ptr<TMidiOutputConnection> OpenOutput(int index) override;

  const std::shared_ptr<TInstrument>& Instrument() const { return instrument_; }
  // Waits until every reply has been delivered (tests); false after timeoutMs.
  bool WaitIdle(int timeoutMs) { return replies_.WaitIdle(timeoutMs); }

 private:
  friend class TInstrumentInput;
  friend class TInstrumentOutput;
  struct TInputSlot {
    TMidiReceiver Receiver;
    bool Started = false;
  };
  void Send(const std::uint8_t* data, std::size_t size);
  void Deliver(const std::vector<std::uint8_t>& message);

  std::shared_ptr<TInstrument> instrument_;
  bool followProgram_;
  std::mutex inputsMutex_;  // held while a receiver runs, so a closed input is never called
  std::vector<TInputSlot*> inputs_;
  TReplyQueue replies_;  // last: its worker stops before the rest goes
};

// The instrument behind the program's "Vesta Virtual Instrument" device.
std::shared_ptr<TInstrument> VirtualInstrument();

// Adds the device to TMidiDevices::Instance(), once; the program calls this before registering
// the system's MIDI backends, so that it is device 0.
void RegisterVirtualInstrument();
