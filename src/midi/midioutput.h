#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include <QObject>
#include <QString>

#include "midi/midibackend.h"
#include "midi/midierrors.h"
#include "midi/midievent.h"

// The program's MIDI output port. Device -1 is the "MIDI Mapper": the first device of the list.
class TMidiOutput : public QObject {
  Q_OBJECT
 public:
  enum TState { Open = 0, Closed = 1 };
  static inline const QString MapperName = QStringLiteral("MIDI Mapper");

  explicit TMidiOutput(QObject* parent = nullptr);
  ~TMidiOutput() override;

  QString ProductName() const { return productName_; }
  void SetProductName(const QString& name);
  int DeviceID() const { return deviceId_; }
  void SetDeviceID(int id);
  std::uint16_t Error() const { return error_; }
  TState State() const { return state_; }
  std::uint16_t NumDevs() const { return numDevs_; }

  void OpenPort();
  void ClosePort();
  void SendEvent(const TMyMidiEvent& event);
  void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
  void SendLong(const std::uint8_t* bytes, std::size_t length);

  // Runs after each long message has been handed to the device.
  std::function<void(TMidiOutput*)> Onmidioutput;

 private:
  void Send(const std::uint8_t* bytes, std::size_t length);
  void Fail(const QString& text);

  QString productName_;
  int deviceId_ = 0;
  TState state_ = Closed;
  std::uint16_t error_ = 0;
  std::uint16_t numDevs_ = 0;
  std::unique_ptr<TMidiOutputConnection> connection_;
};
