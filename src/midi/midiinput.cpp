#include "midi/midiinput.h"

#include <algorithm>
#include <chrono>

namespace {
// Error codes kept in Error, after the multimedia interface's own numbering.
constexpr std::uint16_t kErrGeneral = 1;
constexpr std::uint16_t kErrBadDeviceId = 2;

std::int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

TMidiInput::TMidiInput(QObject* parent) : QObject(parent) {
  state_ = Creating;
  SetDeviceID(0);
  state_ = Closed;
}

TMidiInput::~TMidiInput() { ClosePort(); }

void TMidiInput::Fail(const QString& text) { throw EMidiInputError(text); }

void TMidiInput::SetDeviceID(std::uint16_t id) {
  if (state_ == Open) Fail(QStringLiteral("Change to DeviceID while device was open"));
  const QStringList names = TMidiDevices::Instance().InputNames();
  numDevs_ = static_cast<std::uint16_t>(names.size());
  if (id >= numDevs_) {
    error_ = kErrBadDeviceId;
    Fail(QStringLiteral("Invalid device ID"));
  }
  deviceId_ = id;
  productName_ = names.at(id);
}

void TMidiInput::SetProductName(const QString& name) {
  if (state_ == Open) Fail(QStringLiteral("Change to ProductName while device was open"));
  const QStringList names = TMidiDevices::Instance().InputNames();
  numDevs_ = static_cast<std::uint16_t>(names.size());
  const int index = names.indexOf(name);
  if (index < 0) Fail(QStringLiteral("MIDI Input Device ") + name + QStringLiteral(" not installed"));
  deviceId_ = static_cast<std::uint16_t>(index);
  productName_ = name;
}

void TMidiInput::SetCapacity(std::uint16_t capacity) {
  if (state_ == Open) Fail(QStringLiteral("Change to Capacity while device was open"));
  capacity_ = capacity;
}

void TMidiInput::SetSysexBufferSize(std::uint16_t size) {
  if (state_ == Open) Fail(QStringLiteral("Change to SysexBufferSize while device was open"));
  sysexBufferSize_ = size;
}

void TMidiInput::SetSysexBufferCount(std::uint16_t count) {
  if (state_ == Open) Fail(QStringLiteral("Change to SysexBuffercount while device was open"));
  sysexBufferCount_ = count;
}

void TMidiInput::OpenPort() {
  if (state_ == Open) return;
  {
    std::lock_guard lock(mutex_);
    queue_.clear();
    sysexInQueue_ = 0;
  }
  openedAtMs_ = NowMs();
  try {
    connection_ = TMidiDevices::Instance().OpenInput(
        deviceId_, [this](const std::uint8_t* data, std::size_t size) { Receive(data, size); });
  } catch (const TMidiBackendError& e) {
    error_ = kErrGeneral;
    Fail(QString::fromStdString(e.what()));
  }
  state_ = Open;
}

void TMidiInput::StartInput() {
  if (state_ != Open) return;
  try {
    connection_->Start();
  } catch (const TMidiBackendError& e) {
    error_ = kErrGeneral;
    Fail(QString::fromStdString(e.what()));
  }
}

void TMidiInput::ClosePort() {
  if (state_ != Open) return;
  state_ = Closed;
  connection_.reset();  // no receiver call after this
  std::lock_guard lock(mutex_);
  queue_.clear();
  sysexInQueue_ = 0;
}

int TMidiInput::PendingCount() const {
  if (state_ != Open) return 0;
  std::lock_guard lock(mutex_);
  return static_cast<int>(queue_.size());
}

std::unique_ptr<TMyMidiEvent> TMidiInput::NextEvent() {
  if (state_ != Open) return nullptr;
  std::lock_guard lock(mutex_);
  if (queue_.empty()) return nullptr;
  auto event = std::make_unique<TMyMidiEvent>(std::move(queue_.front()));
  queue_.pop_front();
  if (event->IsSysex()) --sysexInQueue_;
  return event;
}

std::uint64_t TMidiInput::Dropped() const {
  std::lock_guard lock(mutex_);
  return dropped_;
}

void TMidiInput::Receive(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || data == nullptr) return;
  TMyMidiEvent event;
  event.Time = static_cast<std::uint32_t>(NowMs() - openedAtMs_);
  const bool sysex = data[0] == 0xF0;
  if (sysex) {
    // A message longer than a buffer is cut to the buffer, as the driver would fill it.
    event.Status = 0xF0;
    event.Sysex.assign(data, data + std::min<std::size_t>(size, sysexBufferSize_));
  } else {
    if (sysexOnly_) return;
    event.Status = data[0];
    event.Data1 = size > 1 ? data[1] : 0;
    event.Data2 = size > 2 ? data[2] : 0;
  }
  bool overflow = false;
  {
    std::lock_guard lock(mutex_);
    const bool noBuffer = sysex && (sysexBufferSize_ == 0 || sysexInQueue_ >= sysexBufferCount_);
    if (noBuffer || queue_.size() >= capacity_) {
      ++dropped_;
      overflow = true;
    } else {
      if (sysex) ++sysexInQueue_;
      queue_.push_back(std::move(event));
    }
  }
  if (overflow) {
    QMetaObject::invokeMethod(
        this,
        [this] {
          auto handler = OnOverflow;
          if (handler && state_ == Open) handler(this);
        },
        Qt::QueuedConnection);
  } else {
    QMetaObject::invokeMethod(this, [this] { Notify(); }, Qt::QueuedConnection);
  }
}

void TMidiInput::Notify() {
  // The handler may replace itself while it runs: call a copy.
  auto handler = OnMidiInput;
  if (handler && state_ == Open && PendingCount() > 0) handler(this);
}
