#include "instrument/instrumentbackend.h"

#include <algorithm>

#include "midi/sysex.h"

class TInstrumentInput : public TMidiInputConnection {
 public:
  TInstrumentInput(TInstrumentBackend* backend, TMidiReceiver receiver) : backend_(backend) {
    slot_.Receiver = std::move(receiver);
    std::lock_guard lock(backend_->inputsMutex_);
    backend_->inputs_.push_back(&slot_);
  }
  ~TInstrumentInput() override {
    std::lock_guard lock(backend_->inputsMutex_);
    auto& inputs = backend_->inputs_;
    inputs.erase(std::remove(inputs.begin(), inputs.end(), &slot_), inputs.end());
  }
  void Start() override {
    std::lock_guard lock(backend_->inputsMutex_);
    slot_.Started = true;
  }

 private:
  TInstrumentBackend* backend_;
  TInstrumentBackend::TInputSlot slot_;
};

class TInstrumentOutput : public TMidiOutputConnection {
 public:
  explicit TInstrumentOutput(TInstrumentBackend* backend) : backend_(backend) {}
  void Send(const std::uint8_t* data, std::size_t size) override { backend_->Send(data, size); }

 private:
  TInstrumentBackend* backend_;
};

TInstrumentBackend::TInstrumentBackend(std::shared_ptr<TInstrument> instrument, bool followProgram)
    : instrument_(std::move(instrument)),
      followProgram_(followProgram),
      replies_([this](const std::vector<std::uint8_t>& message) { Deliver(message); }) {}

TInstrumentBackend::~TInstrumentBackend() = default;

std::unique_ptr<TMidiInputConnection> TInstrumentBackend::OpenInput(int index,
                                                                    TMidiReceiver receiver) {
  if (index != 0) throw TMidiBackendError(QStringLiteral("Invalid device ID"));
  return std::make_unique<TInstrumentInput>(this, std::move(receiver));
}

std::unique_ptr<TMidiOutputConnection> TInstrumentBackend::OpenOutput(int index) {
  if (index != 0) throw TMidiBackendError(QStringLiteral("Invalid device ID"));
  return std::make_unique<TInstrumentOutput>(this);
}

void TInstrumentBackend::Send(const std::uint8_t* data, std::size_t size) {
  if (followProgram_) instrument_->SetDeviceId(DeviceIdByte());
  std::vector<TMidiMessage> replies = instrument_->Feed(data, size);
  replies_.Post(std::move(replies), instrument_->Faults().DelayMs);
}

void TInstrumentBackend::Deliver(const std::vector<std::uint8_t>& message) {
  std::lock_guard lock(inputsMutex_);
  for (TInputSlot* slot : inputs_)
    if (slot->Started && slot->Receiver) slot->Receiver(message.data(), message.size());
}

std::shared_ptr<TInstrument> VirtualInstrument() {
  static const std::shared_ptr<TInstrument> instrument = std::make_shared<TInstrument>();
  return instrument;
}

void RegisterVirtualInstrument() {
  TMidiDevices& devices = TMidiDevices::Instance();
  for (const auto& backend : devices.Backends())
    if (dynamic_cast<TInstrumentBackend*>(backend.get()) != nullptr) return;
  devices.Add(std::make_unique<TInstrumentBackend>(VirtualInstrument(), true));
}
