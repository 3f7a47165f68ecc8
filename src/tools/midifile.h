#pragma once
// TMidiFile: a standard MIDI file (format 0 or 1) read into one time-ordered list of the
// messages to send, each at its time in microseconds from the start after the file's tempo map.
// Files come from anywhere: whatever is wrong with one is refused with a message that says
// what and where, and no file makes the reader run long or take much memory.
#include <cstdint>
#include <span>
#include <vector>

#include <QString>

struct TMidiFileEvent {
  std::int64_t TimeUs = 0;
  // A channel message of Length 1 to 3 bytes in Bytes; Length 0: the system-exclusive message
  // Sysex of the file (F0 to F7).
  std::uint8_t Bytes[3] = {0, 0, 0};
  std::uint8_t Length = 0;
  std::uint32_t Sysex = 0;
};

class TMidiFile {
 public:
  // Files larger than this are refused before they are read.
  static constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;
  // Longest playing time accepted.
  static constexpr std::int64_t kMaxDurationUs = std::int64_t{24} * 3600 * 1000000;

  // Reads a file's bytes. On failure Error says why (without the file's name) and the file
  // holds no events.
  static TMidiFile Read(std::span<const std::uint8_t> bytes);
  // Reads a file from disk; Error then begins with the file's name.
  static TMidiFile Load(const QString& path);

  bool Ok() const { return Error.isEmpty(); }
  // The bytes of system-exclusive message index, F0 to F7.
  std::span<const std::uint8_t> SysexBytes(std::uint32_t index) const;

  QString Error;
  int Format = 0;
  int Tracks = 0;  // track chunks read
  std::vector<TMidiFileEvent> Events;
  // The time of the last event, end-of-track marks included.
  std::int64_t DurationUs = 0;

 private:
  friend class TMidiFileReader;
  std::vector<std::uint8_t> sysexData_;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> sysexSpans_;  // offset, length
};
