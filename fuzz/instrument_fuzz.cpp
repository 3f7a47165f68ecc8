// Fuzzes the emulated instrument's message handling with what a MIDI port could deliver.
// Input: byte 0 sets the instrument up: bit 0 a data card inserted, bit 1 the device ID 7F
// (broadcast) or 10H in the messages it hears best, bit 2 the checksums of Roland messages
// made to match (so that data sets and requests reach the memory); the rest is a byte stream,
// cut into messages as a port delivers them (fuzz/midistream.h), each fed to the instrument.
// Properties: only data requests are answered; every reply is a whole data set from this
// instrument (F0 41 dev 6A 12, an address, at least one data byte, a matching checksum, F7) no
// longer than the program's input buffer, all seven-bit; and it lies inside the memory the
// request asked for.
#include <cstdint>
#include <vector>

#include "fuzz/fuzzcheck.h"
#include "fuzz/midistream.h"
#include "instrument/instrument.h"
#include "instrument/memorymap.h"

namespace {
std::uint32_t BigEndian(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | bytes[3];
}

void CheckReply(const TMidiMessage& reply, std::uint8_t deviceId) {
  const std::size_t n = reply.size();
  FUZZ_CHECK(n >= 12 && n <= TInstrument::kMaxMessageSize);
  FUZZ_CHECK(reply[0] == 0xF0 && reply[1] == 0x41 && reply[2] == deviceId && reply[3] == 0x6A &&
             reply[4] == 0x12 && reply[n - 1] == 0xF7);
  unsigned sum = 0;
  for (std::size_t i = 5; i + 1 < n; ++i) {
    FUZZ_CHECK(reply[i] < 0x80);
    sum += reply[i];
  }
  FUZZ_CHECK(sum % 128 == 0);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t setup = data[0];
  TInstrument instrument;
  instrument.SetCardInserted(setup & 1);
  const std::uint8_t deviceId = TInstrument::kDefaultDeviceId;
  const bool fixChecksums = setup & 4;

  TMidiStream stream(data + 1, size - 1);
  std::vector<std::uint8_t> message;
  while (stream.Next(message)) {
    // Most fuzzed messages name another device; a bit makes them ours or everyone's.
    if ((setup & 2) && message.size() > 2 && message[0] == 0xF0 && message[1] == 0x41)
      message[2] = (message[2] & 1) ? TInstrument::kBroadcastId : deviceId;
    if (fixChecksums) TMidiStream::FixChecksum(message);
    const std::vector<TMidiMessage> replies = instrument.Feed(message);
    if (replies.empty()) continue;
    FUZZ_CHECK(message.size() == 15 && message[4] == 0x11);
    const std::uint64_t first = TMemoryMap::ToLinear(BigEndian(message.data() + 5));
    const std::uint64_t length = TMemoryMap::ToLinear(BigEndian(message.data() + 9));
    for (const TMidiMessage& reply : replies) {
      CheckReply(reply, deviceId);
      const std::uint64_t at = TMemoryMap::ToLinear(BigEndian(reply.data() + 5));
      FUZZ_CHECK(at >= first && at + (reply.size() - 11) <= first + length);
    }
  }
  return 0;
}
