// Fuzzes the .Glb reader (TGlobal::ReadGlbBytes) in both layouts.
// Input: byte 0 chooses the layout (bit 7) and the mode (low two bits):
//   0: the rest is the whole file;
//   1: the rest is laid over a valid dump at the offset given by bytes 1 to 3;
//   2: the rest is laid over a valid dump at the start of member record byte 1 (mod 7) plus
//      byte 2, where the kind codes and headers the reader checks are.
// Properties: a refused file leaves the global as it was; an accepted one is written back at the
// dump's size and reads again to the same bytes.
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz/fuzzcheck.h"
#include "model/global.h"

namespace {
struct TTemplate {
  QByteArray Bytes;
  std::array<std::size_t, TGlobal::kMemberCount> MemberStart{};
};

const TTemplate& Template(bool xp) {
  static const std::array<TTemplate, 2> templates = [] {
    std::array<TTemplate, 2> made;
    for (int x = 0; x < 2; ++x) {
      TGlobal global(nullptr);
      made[x].Bytes = global.GlbBytes(x == 1);
      std::size_t at = kRecordHeaderSize + 4;
      for (int m = 0; m < TGlobal::kMemberCount; ++m) {
        made[x].MemberStart[m] = at;
        at += static_cast<std::size_t>(global.Member(m).RecordBytes(x == 1).size());
      }
    }
    return made;
  }();
  return templates[xp ? 1 : 0];
}

std::vector<std::uint8_t> Overlay(bool xp, std::size_t offset, const std::uint8_t* data,
                                  std::size_t size) {
  const QByteArray& base = Template(xp).Bytes;
  std::vector<std::uint8_t> file(base.begin(), base.end());
  offset %= file.size();
  std::memcpy(file.data() + offset, data, std::min(size, file.size() - offset));
  return file;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const bool xp = (data[0] & 0x80) != 0;
  std::vector<std::uint8_t> file;
  switch (data[0] & 3) {
    case 1:
      file =
          Overlay(xp, (std::size_t(data[1]) << 16) | (data[2] << 8) | data[3], data + 4, size - 4);
      break;
    case 2:
      file = Overlay(xp, Template(xp).MemberStart[data[1] % TGlobal::kMemberCount] + data[2],
                     data + 3, size - 3);
      break;
    default:
      file.assign(data + 1, data + size);
  }

  TGlobal global(nullptr);
  const QByteArray before = global.GlbBytes(xp);
  const QString problem = global.ReadGlbBytes(file, xp);
  const QByteArray after = global.GlbBytes(xp);
  if (!problem.isEmpty()) {
    FUZZ_CHECK(after == before);
    return 0;
  }
  FUZZ_CHECK(after.size() == TGlobal::GlbSize(xp));
  TGlobal again(nullptr);
  FUZZ_CHECK(again.ReadGlbBytes(Bytes(after), xp).isEmpty());
  FUZZ_CHECK(again.GlbBytes(xp) == after);
  return 0;
}
