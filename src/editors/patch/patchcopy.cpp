#include "editors/patch/patchcopy.h"

#include <algorithm>

#include "editors/common/partkind.h"
#include "model/patch.h"

namespace {
constexpr TPartRange kCommon[] = {{0, 11, 0}, {44, 71, 44}};
constexpr TPartRange kEffects[] = {{12, 43, 12}};
constexpr TPartRange kControl[] = {{11, 44, 11}, {125, 128, 125}};
constexpr TPartRange kWave[] = {{0, 10, 0}};
constexpr TPartRange kPitch[] = {{61, 77, 61}};
// Each LFO owns its eight bytes and its four depth bytes.
constexpr TPartRange kLfo1[] = {{45, 52, 45}, {78, 78, 78}, {99, 99, 99}, {117, 117, 117},
                                {123, 123, 123}};
constexpr TPartRange kLfo2[] = {{53, 60, 53}, {79, 79, 79}, {100, 100, 100}, {118, 118, 118},
                                {124, 124, 124}};
constexpr TPartRange kLfo1To2[] = {{45, 52, 53}, {78, 78, 79}, {99, 99, 100}, {117, 117, 118},
                                   {123, 123, 124}};
constexpr TPartRange kLfo2To1[] = {{53, 60, 45}, {79, 79, 78}, {100, 100, 99}, {118, 118, 117},
                                   {124, 124, 123}};
constexpr TPartRange kTva[] = {{101, 116, 101}, {119, 122, 119}};
constexpr TPartRange kTvf[] = {{80, 98, 80}};
}  // namespace

bool CommonPart(int kind) {
  return kind == pkCommon || kind == pkEffects;
}

std::span<const TPartRange> PatchPartRanges(int fromKind, int toKind) {
  if (fromKind == pkLFO1 && toKind == pkLFO2) return kLfo1To2;
  if (fromKind == pkLFO2 && toKind == pkLFO1) return kLfo2To1;
  if (fromKind != toKind) return {};
  switch (fromKind) {
    case pkCommon:
      return kCommon;
    case pkEffects:
      return kEffects;
    case pkControl:
      return kControl;
    case pkWave:
      return kWave;
    case pkPitch:
      return kPitch;
    case pkLFO1:
      return kLfo1;
    case pkLFO2:
      return kLfo2;
    case pkTVA:
      return kTva;
    case pkTVF:
      return kTvf;
    default:
      return {};
  }
}

void CopyPatchPart(const TPatch& from, TPatch& to, int fromKind, int toKind, int fromTone,
                   int toTone) {
  const std::span<const TPartRange> ranges = PatchPartRanges(fromKind, toKind);
  if (ranges.empty()) return;
  const std::uint8_t* source = nullptr;
  std::uint8_t* target = nullptr;
  if (CommonPart(fromKind)) {
    source = from.Common.Data();
    target = to.Common.Data();
  } else {
    if (fromTone < 1 || fromTone > TPatch::kToneCount || toTone < 1 ||
        toTone > TPatch::kToneCount)
      return;
    source = from.Tones[static_cast<std::size_t>(fromTone - 1)].Data();
    target = to.Tones[static_cast<std::size_t>(toTone - 1)].Data();
  }
  // The same patch and tone may be both source and target (LFO 1 onto LFO 2): the runs never
  // overlap, so copying run by run is safe.
  for (const TPartRange& range : ranges)
    std::copy(source + range.First, source + range.Last + 1, target + range.To);
}
