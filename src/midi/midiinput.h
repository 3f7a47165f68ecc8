#pragma once
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include <QObject>
#include <QString>

#include "midi/midibackend.h"
#include "midi/midierrors.h"
#include "midi/midievent.h"

// The program's MIDI input port. Messages arrive on the backend's thread, wait in a bounded queue
// (Capacity events, at most SysexBufferCount system-exclusive messages of SysexBufferSize bytes)
// and reach the user-interface thread as one OnMidiInput call per message; the handler takes them
// with NextEvent. What does not fit is dropped (OnOverflow is told, when assigned).
class TMidiInput : public QObject {
  Q_OBJECT
 public:
  enum TState { Open = 0, Closed = 1, Creating = 2 };

  // Throws EMidiInputError "Invalid device ID" when the machine has no input device.
  explicit TMidiInput(QObject* parent = nullptr);
  ~TMidiInput() override;

  QString ProductName() const { return productName_; }
  void SetProductName(const QString& name);
  std::uint16_t DeviceID() const { return deviceId_; }
  void SetDeviceID(std::uint16_t id);
  std::uint16_t Capacity() const { return capacity_; }
  void SetCapacity(std::uint16_t capacity);
  std::uint16_t SysexBufferSize() const { return sysexBufferSize_; }
  void SetSysexBufferSize(std::uint16_t size);
  std::uint16_t SysexBufferCount() const { return sysexBufferCount_; }
  void SetSysexBufferCount(std::uint16_t count);
  bool SysexOnly() const { return sysexOnly_; }
  void SetSysexOnly(bool only) { sysexOnly_ = only; }
  std::uint16_t Error() const { return error_; }
  TState State() const { return state_; }
  std::uint16_t NumDevs() const { return numDevs_; }

  void OpenPort();
  void StartInput();
  void ClosePort();
  int PendingCount() const;
  std::unique_ptr<TMyMidiEvent> NextEvent();  // none when closed or empty

  // The event handler slot (swapped between the default handler and transfer reply handlers).
  std::function<void(TMidiInput*)> OnMidiInput;
  std::function<void(TMidiInput*)> OnOverflow;

  // Messages dropped because the queue was full (for the monitor and tests).
  std::uint64_t Dropped() const;

 private:
  void Receive(const std::uint8_t* data, std::size_t size);  // backend thread
  void Notify();                                             // user-interface thread
  void Fail(const QString& text);

  QString productName_;
  std::uint16_t deviceId_ = 0;
  std::uint16_t capacity_ = 1024;
  std::uint16_t sysexBufferSize_ = 4096;
  std::uint16_t sysexBufferCount_ = 16;
  std::atomic<bool> sysexOnly_ = false;  // read on the backend thread
  std::uint16_t error_ = 0;
  TState state_ = Creating;
  std::uint16_t numDevs_ = 0;

  std::unique_ptr<TMidiInputConnection> connection_;
  mutable std::mutex mutex_;
  std::deque<TMyMidiEvent> queue_;
  int sysexInQueue_ = 0;
  std::uint64_t dropped_ = 0;
  std::int64_t openedAtMs_ = 0;
};
