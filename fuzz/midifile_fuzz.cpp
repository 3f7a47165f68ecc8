// Fuzzes the standard MIDI file reader of the audition player.
// Properties: a file is either refused with a reason and no events, or read into events in time
// order within the file's duration, each a channel message of its status's length or a whole
// system-exclusive message; reading the same bytes again gives the same result.
#include <cstdint>
#include <span>

#include "fuzz/fuzzcheck.h"
#include "tools/midifile.h"

namespace {
int MessageLength(std::uint8_t status) {
  const int high = status & 0xF0;
  return high == 0xC0 || high == 0xD0 ? 2 : 3;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const TMidiFile file = TMidiFile::Read(bytes);
  if (!file.Ok()) {
    FUZZ_CHECK(file.Events.empty());
    return 0;
  }
  FUZZ_CHECK(file.Format == 0 || file.Format == 1);
  FUZZ_CHECK(file.Tracks > 0);
  FUZZ_CHECK(file.DurationUs >= 0 && file.DurationUs <= TMidiFile::kMaxDurationUs);
  std::int64_t last = 0;
  for (const TMidiFileEvent& event : file.Events) {
    FUZZ_CHECK(event.TimeUs >= last && event.TimeUs <= file.DurationUs);
    last = event.TimeUs;
    if (event.Length == 0) {
      const auto sysex = file.SysexBytes(event.Sysex);
      FUZZ_CHECK(sysex.size() >= 2 && sysex.front() == 0xF0 && sysex.back() == 0xF7);
    } else {
      FUZZ_CHECK(event.Bytes[0] >= 0x80 && event.Bytes[0] < 0xF0);
      FUZZ_CHECK(event.Length == MessageLength(event.Bytes[0]));
      for (int i = 1; i < event.Length; ++i) FUZZ_CHECK(event.Bytes[i] < 0x80);
    }
  }
  const TMidiFile again = TMidiFile::Read(bytes);
  FUZZ_CHECK(again.Events.size() == file.Events.size() && again.DurationUs == file.DurationUs);
  return 0;
}
