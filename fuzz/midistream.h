#pragma once
// Cuts an arbitrary byte stream into MIDI messages the way a port delivers them: a status byte
// starts a message and its data bytes follow by the status's length, data bytes after a complete
// channel message repeat its status (running status), real-time bytes (F8 to FF) come alone
// wherever they appear, and a system-exclusive message runs from F0 to F7. Another status byte
// ends a system-exclusive message early; it is delivered as it stands, without its F7. A
// channel message cut short by a status byte, and data bytes with no status to follow, are lost.
#include <cstddef>
#include <cstdint>
#include <vector>

class TMidiStream {
 public:
  TMidiStream(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  // The next message, or false at the end of the stream.
  bool Next(std::vector<std::uint8_t>& message) {
    message.clear();
    if (TakePending(message)) return true;
    while (pos_ < size_) {
      const std::uint8_t byte = data_[pos_];
      if (byte >= 0xF8) {  // real time: alone, also in the middle of another message
        ++pos_;
        if (message.empty()) {
          message.push_back(byte);
          return true;
        }
        pending_.push_back(byte);
        continue;
      }
      if (!message.empty() && message[0] == 0xF0) {
        if (byte >= 0x80 && byte != 0xF7) return true;  // cut short by the next status
        message.push_back(byte);
        ++pos_;
        if (byte == 0xF7) return true;
        continue;
      }
      ++pos_;
      if (byte == 0xF0) {
        running_ = 0;
        message.assign(1, byte);  // a short message cut short is lost
        continue;
      }
      if (byte == 0xF7) {  // an end with no start
        message.clear();
        continue;
      }
      if (byte >= 0x80) {
        message.assign(1, byte);
        running_ = byte < 0xF0 ? byte : 0;
        if (Length(byte) == 1) return true;
        continue;
      }
      if (message.empty()) {
        if (running_ == 0) continue;  // a data byte with nothing to belong to
        message.push_back(running_);
      }
      message.push_back(byte);
      if (static_cast<int>(message.size()) == Length(message[0])) return true;
    }
    // The end: a system-exclusive message goes out as it stands, a short one is lost.
    if (!message.empty() && message[0] == 0xF0) return true;
    message.clear();
    return TakePending(message);
  }

  // Makes a Roland data set or request whole: the checksum before F7 matches its address and
  // data, so that the fuzzer reaches what comes after the check.
  static void FixChecksum(std::vector<std::uint8_t>& message) {
    const std::size_t n = message.size();
    if (n < 11 || message[0] != 0xF0 || message[n - 1] != 0xF7 || message[1] != 0x41) return;
    unsigned sum = 0;
    for (std::size_t i = 5; i + 2 < n; ++i) sum += message[i];
    message[n - 2] = static_cast<std::uint8_t>((128 - sum % 128) % 128);
  }

 private:
  // Bytes in a message of this status (system exclusive excepted).
  static int Length(std::uint8_t status) {
    if (status < 0xF0) return (status & 0xE0) == 0xC0 ? 2 : 3;
    switch (status) {
      case 0xF1:
      case 0xF3:
        return 2;
      case 0xF2:
        return 3;
      default:
        return 1;
    }
  }

  bool TakePending(std::vector<std::uint8_t>& message) {
    if (pending_.empty()) return false;
    message.assign(1, pending_.front());
    pending_.erase(pending_.begin());
    return true;
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  std::uint8_t running_ = 0;
  std::vector<std::uint8_t> pending_;
};
