#pragma once
// Messages waiting to leave the instrument, handed one by one to a delivery function on a worker
// thread of the queue's own once their time has come. The sender never delivers from inside
// Post, so a reply can never reach the program while it is still sending its request.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class TReplyQueue {
 public:
  using TDeliver = std::function<void(const std::vector<std::uint8_t>& message)>;

  explicit TReplyQueue(TDeliver deliver);
  // Stops the worker; messages not yet delivered are dropped.
  ~TReplyQueue();
  TReplyQueue(const TReplyQueue&) = delete;
  TReplyQueue& operator=(const TReplyQueue&) = delete;

  // Queues messages to leave delayMs from now, after everything queued before them.
  void Post(std::vector<std::vector<std::uint8_t>> messages, int delayMs);
  // Drops every message not yet delivered.
  void Clear();
  // Waits until nothing is queued or being delivered; false when timeoutMs passed first.
  bool WaitIdle(int timeoutMs);

 private:
  using TClock = std::chrono::steady_clock;
  struct TItem {
    TClock::time_point Due;
    std::vector<std::uint8_t> Message;
  };
  void Run();

  TDeliver deliver_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<TItem> items_;
  bool delivering_ = false;
  bool stopping_ = false;
  std::thread worker_;
};
