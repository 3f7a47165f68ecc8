#pragma once
// The emulated instrument as a device that answers on the test's own thread, one reply per turn
// of the event loop: each reply is handled before the next one arrives, however loaded the
// machine. That is how a MIDI cable behaves, where a reply takes far longer to arrive than to
// handle, and it makes the order of replies and requests the same on every run. The delay fault
// holds a request's replies back that long.
#include <deque>
#include <memory>
#include <vector>

#include <QObject>
#include <QTimer>

#include "instrument/instrument.h"
#include "instrument/instrumentbackend.h"
#include "midi/midibackend.h"

class TPacedInstrument : public TMidiBackend {
 public:
  explicit TPacedInstrument(std::shared_ptr<TInstrument> instrument)
      : instrument_(std::move(instrument)) {}

  QString ApiName() const override { return QStringLiteral("Paced Instrument"); }
  QStringList InputNames() const override { return {TInstrumentBackend::DeviceName}; }
  QStringList OutputNames() const override { return {TInstrumentBackend::DeviceName}; }

  std::unique_ptr<TMidiInputConnection> OpenInput(int, TMidiReceiver receiver) override {
    return std::make_unique<TInput>(*this, std::move(receiver));
  }
  std::unique_ptr<TMidiOutputConnection> OpenOutput(int) override {
    return std::make_unique<TOutput>(*this);
  }

 private:
  struct TInput : TMidiInputConnection {
    TInput(TPacedInstrument& owner, TMidiReceiver receiver)
        : Owner(owner), Receiver(std::move(receiver)) {
      Owner.inputs_.push_back(this);
    }
    ~TInput() override { std::erase(Owner.inputs_, this); }
    void Start() override { Started = true; }
    TPacedInstrument& Owner;
    TMidiReceiver Receiver;
    bool Started = false;
  };
  struct TOutput : TMidiOutputConnection {
    explicit TOutput(TPacedInstrument& owner) : Owner(owner) {}
    void Send(const std::uint8_t* data, std::size_t size) override { Owner.Send(data, size); }
    TPacedInstrument& Owner;
  };

  void Send(const std::uint8_t* data, std::size_t size) {
    std::vector<TMidiMessage> replies = instrument_->Feed(data, size);
    if (replies.empty()) return;
    const int delay = instrument_->Faults().DelayMs;
    if (delay <= 0) {
      Queue(std::move(replies));
      return;
    }
    QTimer::singleShot(delay, &context_, [this, replies]() mutable { Queue(std::move(replies)); });
  }
  void Queue(std::vector<TMidiMessage> replies) {
    for (TMidiMessage& reply : replies) wire_.push_back(std::move(reply));
    if (!posted_) Post();
  }
  // Never from inside Send: a reply must not reach the program while it is still sending.
  void Post() {
    posted_ = true;
    QMetaObject::invokeMethod(
        &context_, [this] { DeliverNext(); }, Qt::QueuedConnection);
  }
  // The input posts the handler's call before this posts the next delivery, so the handler
  // always runs first.
  void DeliverNext() {
    posted_ = false;
    if (wire_.empty()) return;
    const TMidiMessage message = std::move(wire_.front());
    wire_.pop_front();
    for (TInput* input : std::vector<TInput*>(inputs_))
      if (input->Started && input->Receiver) input->Receiver(message.data(), message.size());
    if (!wire_.empty()) Post();
  }

  std::shared_ptr<TInstrument> instrument_;
  std::vector<TInput*> inputs_;
  std::deque<TMidiMessage> wire_;
  bool posted_ = false;
  QObject context_;  // what is still posted goes with it
};
