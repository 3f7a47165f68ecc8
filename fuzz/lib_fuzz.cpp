// Fuzzes the .Lib reader (TLibrary::LoadFromBytes) in both layouts.
// Input: byte 0 chooses the layout (bit 7); the rest is the file.
// Properties: whatever was kept, damaged file or not, is written as a library that reads back
// whole, with as many elements, and writes again to the same bytes.
#include <cstdint>

#include "fuzz/fuzzcheck.h"
#include "model/library.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const bool xp = (data[0] & 0x80) != 0;
  TLibrary library;
  const TLibraryDamage damage = library.LoadFromBytes({data + 1, size - 1}, xp);
  if (damage.Damaged()) {
    FUZZ_CHECK(damage.Offset <= static_cast<qint64>(size - 1));
    FUZZ_CHECK(!library.DamageMessage(QStringLiteral("fuzz.Lib"), damage).isEmpty());
  }
  const QByteArray saved = library.SaveToBytes(xp);

  TLibrary again;
  FUZZ_CHECK(!again.LoadFromBytes(Bytes(saved), xp).Damaged());
  FUZZ_CHECK(again.Count() == library.Count());
  FUZZ_CHECK(again.Comment == library.Comment);
  FUZZ_CHECK(again.SaveToBytes(xp) == saved);
  return 0;
}
