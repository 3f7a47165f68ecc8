#pragma once
// A progress host without a window: the modal run is an event loop that ends when the transfer
// closes. It is the default host (tools and tests); tests set Hook to act at a chosen moment,
// for instance to press Cancel (Transfer().Close()) once some blocks have arrived.
#include <functional>

#include "model/transfer.h"

class QEventLoop;

class THeadlessHost : public TProgressHost {
 public:
  enum TEvent { evStarted, evChanged, evTicked };

  void Started(const TTransfer& transfer) override { Call(transfer, evStarted); }
  void Changed(const TTransfer& transfer) override { Call(transfer, evChanged); }
  void Ticked(const TTransfer& transfer) override { Call(transfer, evTicked); }
  void RunModal(TTransfer& transfer) override;
  void EndModal(TTransfer& transfer) override;

  // Called on every start, counter change, timer tick and handler swap.
  std::function<void(TTransfer&, TEvent)> Hook;
  int ModalRuns = 0;  // how many times a transfer was shown

 private:
  void Call(const TTransfer& transfer, TEvent event);

  QEventLoop* loop_ = nullptr;
  bool ended_ = false;
};

// Installs a headless host for the lifetime of the object (tests).
class TScopedHeadlessHost : public THeadlessHost {
 public:
  TScopedHeadlessHost() : previous_(SetProgressHost(this)) {}
  ~TScopedHeadlessHost() override { SetProgressHost(previous_); }

 private:
  TProgressHost* previous_;
};
