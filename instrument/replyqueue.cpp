#include "instrument/replyqueue.h"

#include <algorithm>

TReplyQueue::TReplyQueue(TDeliver deliver)
    : deliver_(std::move(deliver)), worker_([this] { Run(); }) {}

TReplyQueue::~TReplyQueue() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void TReplyQueue::Post(std::vector<std::vector<std::uint8_t>> messages, int delayMs) {
  if (messages.empty()) return;
  {
    std::lock_guard lock(mutex_);
    TClock::time_point due = TClock::now() + std::chrono::milliseconds(std::max(0, delayMs));
    // Never ahead of what is already queued: replies keep their order.
    if (!items_.empty()) due = std::max(due, items_.back().Due);
    for (auto& message : messages) items_.push_back({due, std::move(message)});
  }
  changed_.notify_all();
}

void TReplyQueue::Clear() {
  std::lock_guard lock(mutex_);
  items_.clear();
}

bool TReplyQueue::WaitIdle(int timeoutMs) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [this] { return items_.empty() && !delivering_; });
}

void TReplyQueue::Run() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (items_.empty()) {
      changed_.wait(lock);
      continue;
    }
    if (const TClock::time_point due = items_.front().Due; TClock::now() < due) {
      changed_.wait_until(lock, due);
      continue;
    }
    TItem item = std::move(items_.front());
    items_.pop_front();
    delivering_ = true;
    lock.unlock();
    deliver_(item.Message);
    lock.lock();
    delivering_ = false;
    changed_.notify_all();
  }
}
