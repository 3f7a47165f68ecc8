#pragma once
// Messages to the instrument and checks of its replies, written out byte by byte.
#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

inline std::uint8_t RolandSum(const TBytes& body) {
  unsigned sum = 0;
  for (std::uint8_t b : body) sum += b;
  return static_cast<std::uint8_t>((128 - sum % 128) % 128);
}

inline TBytes AddressBytes(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
          static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

inline TBytes Message(std::uint8_t command, std::uint32_t address, const TBytes& data,
                      std::uint8_t device) {
  TBytes body = AddressBytes(address);
  for (std::uint8_t b : data) body.push_back(b);
  TBytes message{0xF0, 0x41, device, 0x6A, command};
  for (std::uint8_t b : body) message.push_back(b);
  message.push_back(RolandSum(body));
  message.push_back(0xF7);
  return message;
}

// size as sent: four 7-bit groups, e.g. 0x00001718.
inline TBytes Request(std::uint32_t address, std::uint32_t size, std::uint8_t device = 0x10) {
  return Message(0x11, address, AddressBytes(size), device);
}

inline TBytes DataSet(std::uint32_t address, const TBytes& data, std::uint8_t device = 0x10) {
  return Message(0x12, address, data, device);
}

// A well-formed Roland data set whose address, data and checksum sum to a multiple of 128.
inline bool ChecksumOk(const TBytes& message) {
  if (message.size() < 11) return false;
  unsigned sum = 0;
  for (std::size_t i = 5; i + 1 < message.size(); ++i) sum += message[i];
  return sum % 128 == 0;
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
