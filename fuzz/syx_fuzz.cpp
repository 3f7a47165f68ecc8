// Fuzzes the .Syx readers of the seven sound and bank kinds in both layouts.
// Input: byte 0 chooses the kind (low bits) and the XP layout (bit 7); the rest is the file.
// A file of the wrong size must be refused with the element unchanged; any other size is fitted
// to the kind's size by repeating it, so every input also reaches the reader.
// Properties: what is read is written back at the kind's size, reading that again writes the
// same bytes, and a trip through the other layout comes back unchanged.
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz/fuzzcheck.h"
#include "model/libelem.h"

namespace {
QByteArray ReadAndWrite(int kind, std::span<const std::uint8_t> bytes, bool readXp, bool writeXp) {
  auto element = CreateElement(kind, nullptr);
  FUZZ_CHECK(element->ReadSysexBytes(bytes, readXp));
  return element->SysexBytes(writeXp);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int kind = data[0] % 7;
  const bool xp = (data[0] & 0x80) != 0;
  std::span<const std::uint8_t> file(data + 1, size - 1);
  const std::size_t expected = static_cast<std::size_t>(TLibElem::SysexSize(kind, xp));

  std::vector<std::uint8_t> fitted;
  if (file.size() != expected) {
    auto element = CreateElement(kind, nullptr);
    const QByteArray before = element->SysexBytes(xp);
    FUZZ_CHECK(!element->ReadSysexBytes(file, xp));
    FUZZ_CHECK(element->SysexBytes(xp) == before);
    fitted.resize(expected);
    for (std::size_t i = 0; i < expected; ++i) fitted[i] = file.empty() ? 0 : file[i % file.size()];
    file = fitted;
  }

  const QByteArray once = ReadAndWrite(kind, file, xp, xp);
  FUZZ_CHECK(static_cast<std::size_t>(once.size()) == expected);
  FUZZ_CHECK(ReadAndWrite(kind, Bytes(once), xp, xp) == once);
  const QByteArray other = ReadAndWrite(kind, Bytes(once), xp, !xp);
  FUZZ_CHECK(other.size() == TLibElem::SysexSize(kind, !xp));
  FUZZ_CHECK(ReadAndWrite(kind, Bytes(other), !xp, xp) == once);
  return 0;
}
