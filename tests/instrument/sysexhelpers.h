#pragma once
// Messages to the instrument and checks of its replies, written out byte by byte.
#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

// F0 41 device 6A command, four address bytes, data, the sum that makes the body a multiple of
// 128, F7.
inline TBytes Message(std::uint8_t command, std::uint32_t address, const TBytes& data,
                      std::uint8_t device) {
  TBytes message{0xF0, 0x41, device, 0x6A, command};
  for (int shift = 24; shift >= 0; shift -= 8) message.push_back(std::uint8_t(address >> shift));
  message.insert(message.end(), data.begin(), data.end());
  unsigned sum = 0;
  for (std::size_t i = 5; i < message.size(); ++i) sum += message[i];
  message.push_back(static_cast<std::uint8_t>((128 - sum % 128) % 128));
  message.push_back(0xF7);
  return message;
}

// size as sent: four 7-bit groups, e.g. 0x00001718.
inline TBytes Request(std::uint32_t address, std::uint32_t size, std::uint8_t device = 0x10) {
  return Message(0x11, address,
                 {std::uint8_t(size >> 24), std::uint8_t(size >> 16), std::uint8_t(size >> 8),
                  std::uint8_t(size)},
                 device);
}

inline TBytes DataSet(std::uint32_t address, const TBytes& data, std::uint8_t device = 0x10) {
  return Message(0x12, address, data, device);
}

// A well-formed data set whose address, data and checksum sum to a multiple of 128.
inline bool ChecksumOk(const TBytes& message) {
  unsigned sum = 0;
  for (std::size_t i = 5; i + 1 < message.size(); ++i) sum += message[i];
  return message.size() >= 11 && sum % 128 == 0;
}

inline std::uint32_t AddressOf(const TBytes& message) {
  return std::uint32_t{message[5]} << 24 | std::uint32_t{message[6]} << 16 |
         std::uint32_t{message[7]} << 8 | message[8];
}

inline TBytes DataOf(const TBytes& message) {
  return {message.begin() + 9, message.end() - 2};
}

inline std::string Text(const TBytes& bytes) {
  return {bytes.begin(), bytes.end()};
}
