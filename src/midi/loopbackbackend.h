#pragma once
// A backend for tests: output device i delivers what it is sent to input device i, and every
// message sent is recorded. Inject() delivers a message to an input as if from outside.
#include <mutex>
#include <vector>

#include "midi/midibackend.h"

class TLoopbackBackend : public TMidiBackend {
 public:
  // names: one input and one output per name. echo: outputs deliver to the same-numbered input.
  explicit TLoopbackBackend(QStringList names = {QStringLiteral("Loopback 1")}, bool echo = false);
  ~TLoopbackBackend() override;

  QString ApiName() const override { return QStringLiteral("Loopback"); }
  QStringList InputNames() const override { return names_; }
  QStringList OutputNames() const override { return names_; }
  std::unique_ptr<TMidiInputConnection> OpenInput(int index, TMidiReceiver receiver) override;
  std::unique_ptr<TMidiOutputConnection> OpenOutput(int index) override;

  // Delivers a message to input device index (if open and started); false when it is not.
  bool Inject(int index, const std::vector<std::uint8_t>& message);
  // Every message sent to any output, in order.
  std::vector<std::vector<std::uint8_t>> Sent() const;
  void ClearSent();
  // Makes output sends or input opens fail with this text (empty: succeed).
  void FailSends(const QString& text);
  void FailOpens(const QString& text);

 private:
  friend class TLoopbackIn;
  friend class TLoopbackOut;
  struct TInputSlot {
    TMidiReceiver receiver;
    bool started = false;
  };
  QStringList names_;
  bool echo_;
  mutable std::mutex mutex_;
  std::vector<TInputSlot*> inputs_;
  std::vector<std::vector<std::uint8_t>> sent_;
  QString failSends_;
  QString failOpens_;
};
