#pragma once
#include <cstdint>
#include <vector>

// One received MIDI event. A system-exclusive event has Status F0, Data1 and Data2 zero and its
// bytes (F0 ... F7) in Sysex; a short message has an empty Sysex.
class TMyMidiEvent {
 public:
  std::uint8_t Status = 0;
  std::uint8_t Data1 = 0;
  std::uint8_t Data2 = 0;
  std::uint32_t Time = 0;  // milliseconds since the input port was opened
  std::vector<std::uint8_t> Sysex;

  std::uint16_t SysexLength() const { return static_cast<std::uint16_t>(Sysex.size()); }
  bool IsSysex() const { return !Sysex.empty(); }
};
