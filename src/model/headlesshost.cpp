#include "model/headlesshost.h"

#include <QEventLoop>

void THeadlessHost::RunModal(TTransfer& transfer) {
  ++ModalRuns;
  if (!transfer.Active()) return;
  QEventLoop loop;
  loop_ = &loop;
  ended_ = false;
  loop.exec();
  loop_ = nullptr;
}

void THeadlessHost::EndModal(TTransfer&) {
  ended_ = true;
  if (loop_) loop_->quit();
}

void THeadlessHost::Call(const TTransfer& transfer, TEvent event) {
  if (Hook) Hook(const_cast<TTransfer&>(transfer), event);
}
