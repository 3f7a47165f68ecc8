#include "midi/loopbackbackend.h"

#include <algorithm>

class TLoopbackIn : public TMidiInputConnection {
 public:
  TLoopbackIn(TLoopbackBackend* backend, int index, TMidiReceiver receiver)
      : backend_(backend), index_(index) {
    slot_.receiver = std::move(receiver);
    std::lock_guard lock(backend_->mutex_);
    backend_->inputs_[index_] = &slot_;
  }
  ~TLoopbackIn() override {
    std::lock_guard lock(backend_->mutex_);
    if (backend_->inputs_[index_] == &slot_) backend_->inputs_[index_] = nullptr;
  }
  void Start() override {
    std::lock_guard lock(backend_->mutex_);
    slot_.started = true;
  }

 private:
  TLoopbackBackend* backend_;
  int index_;
  TLoopbackBackend::TInputSlot slot_;
};

class TLoopbackOut : public TMidiOutputConnection {
 public:
  TLoopbackOut(TLoopbackBackend* backend, int index) : backend_(backend), index_(index) {}
  void Send(const std::uint8_t* data, std::size_t size) override {
    std::vector<std::uint8_t> message(data, data + size);
    {
      std::lock_guard lock(backend_->mutex_);
      if (!backend_->failSends_.isEmpty()) throw TMidiBackendError(backend_->failSends_);
      backend_->sent_.push_back(message);
    }
    if (backend_->echo_) backend_->Inject(index_, message);
  }

 private:
  TLoopbackBackend* backend_;
  int index_;
};

TLoopbackBackend::TLoopbackBackend(QStringList names, bool echo)
    : names_(std::move(names)), echo_(echo), inputs_(names_.size(), nullptr) {}

TLoopbackBackend::~TLoopbackBackend() = default;

std::unique_ptr<TMidiInputConnection> TLoopbackBackend::OpenInput(int index,
                                                                  TMidiReceiver receiver) {
  std::unique_lock lock(mutex_);
  if (index < 0 || index >= names_.size()) throw TMidiBackendError(QStringLiteral("No such port"));
  if (!failOpens_.isEmpty()) throw TMidiBackendError(failOpens_);
  if (inputs_[index]) throw TMidiBackendError(QStringLiteral("Port already in use"));
  lock.unlock();
  return std::make_unique<TLoopbackIn>(this, index, std::move(receiver));
}

std::unique_ptr<TMidiOutputConnection> TLoopbackBackend::OpenOutput(int index) {
  std::lock_guard lock(mutex_);
  if (index < 0 || index >= names_.size()) throw TMidiBackendError(QStringLiteral("No such port"));
  if (!failOpens_.isEmpty()) throw TMidiBackendError(failOpens_);
  return std::make_unique<TLoopbackOut>(this, index);
}

bool TLoopbackBackend::Inject(int index, const std::vector<std::uint8_t>& message) {
  // The receiver runs under the lock so that a closing input never sees a call after closing.
  std::lock_guard lock(mutex_);
  if (index < 0 || index >= static_cast<int>(inputs_.size())) return false;
  TInputSlot* slot = inputs_[index];
  if (!slot || !slot->started) return false;
  slot->receiver(message.data(), message.size());
  return true;
}

std::vector<std::vector<std::uint8_t>> TLoopbackBackend::Sent() const {
  std::lock_guard lock(mutex_);
  return sent_;
}

void TLoopbackBackend::ClearSent() {
  std::lock_guard lock(mutex_);
  sent_.clear();
}

void TLoopbackBackend::FailSends(const QString& text) {
  std::lock_guard lock(mutex_);
  failSends_ = text;
}

void TLoopbackBackend::FailOpens(const QString& text) {
  std::lock_guard lock(mutex_);
  failOpens_ = text;
}
