#include "midi/midioutput.h"

namespace {
constexpr std::uint16_t kErrGeneral = 1;
constexpr std::uint16_t kErrBadDeviceId = 2;
}  // namespace

TMidiOutput::TMidiOutput(QObject* parent) : QObject(parent) {
  numDevs_ = static_cast<std::uint16_t>(TMidiDevices::Instance().OutputNames().size());
  if (numDevs_ > 0) productName_ = TMidiDevices::Instance().OutputNames().at(0);
}

TMidiOutput::~TMidiOutput() { ClosePort(); }

void TMidiOutput::Fail(const QString& text) { throw EmidioutputError(text); }

void TMidiOutput::SetDeviceID(int id) {
  if (state_ == Open) Fail(QStringLiteral("Change to DeviceID while device was open"));
  const QStringList names = TMidiDevices::Instance().OutputNames();
  numDevs_ = static_cast<std::uint16_t>(names.size());
  if (id < -1 || id >= numDevs_ || (id == -1 && numDevs_ == 0)) {
    error_ = kErrBadDeviceId;
    Fail(QStringLiteral("Invalid device ID"));
  }
  deviceId_ = id;
  productName_ = id == -1 ? MapperName : names.at(id);
}

void TMidiOutput::SetProductName(const QString& name) {
  if (state_ == Open) Fail(QStringLiteral("Change to ProductName while device was open"));
  const QStringList names = TMidiDevices::Instance().OutputNames();
  numDevs_ = static_cast<std::uint16_t>(names.size());
  int index = names.indexOf(name);
  if (index < 0 && name == MapperName && numDevs_ > 0) index = -1;
  else if (index < 0)
    Fail(QStringLiteral("MIDI output Device ") + name + QStringLiteral(" not installed"));
  deviceId_ = index;
  productName_ = name;
}

void TMidiOutput::OpenPort() {
  if (state_ == Open) return;
  try {
    connection_ = TMidiDevices::Instance().OpenOutput(deviceId_ == -1 ? 0 : deviceId_);
  } catch (const TMidiBackendError& e) {
    error_ = kErrGeneral;
    Fail(QString::fromStdString(e.what()));
  }
  state_ = Open;
}

void TMidiOutput::ClosePort() {
  connection_.reset();
  state_ = Closed;
}

void TMidiOutput::SendEvent(const TMyMidiEvent& event) {
  if (state_ != Open) Fail(QStringLiteral("MIDI Output device not open"));
  if (event.IsSysex())
    SendLong(event.Sysex.data(), event.Sysex.size());
  else
    SendShort(event.Status, event.Data1, event.Data2);
}

void TMidiOutput::SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
  // Program change and channel pressure carry one data byte, the others two (or none).
  std::size_t length = 3;
  if (status >= 0xC0 && status <= 0xDF) length = 2;
  else if (status == 0xF1 || status == 0xF3) length = 2;
  else if (status >= 0xF4) length = 1;
  const std::uint8_t bytes[3] = {status, data1, data2};
  Send(bytes, length);
}

void TMidiOutput::SendLong(const std::uint8_t* bytes, std::size_t length) {
  Send(bytes, length);
  if (Onmidioutput) Onmidioutput(this);
}

void TMidiOutput::Send(const std::uint8_t* bytes, std::size_t length) {
  if (state_ != Open || !connection_) Fail(QStringLiteral("MIDI Output device not open"));
  try {
    connection_->Send(bytes, length);
  } catch (const TMidiBackendError& e) {
    error_ = kErrGeneral;
    Fail(QString::fromStdString(e.what()));
  }
}
