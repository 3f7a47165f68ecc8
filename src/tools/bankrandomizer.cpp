#include "tools/bankrandomizer.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "model/patchbank.h"

namespace {
// Parameter ranges, first and last offset included.
using TRanges = std::initializer_list<std::pair<int, int>>;

// The tone groups of the group-oriented mode: oscillator and delay; controls, pitch envelope
// and output; the two LFOs with their depths; pitch; filter; amplifier. Together they cover
// offsets 0 to 128 once each.
const TRanges kToneGroups[7] = {
    {{0, 10}},
    {{11, 44}, {125, 128}},
    {{45, 52}, {123, 123}, {117, 117}, {99, 99}, {78, 78}},
    {{53, 60}, {124, 124}, {118, 118}, {100, 100}, {79, 79}},
    {{61, 77}},
    {{80, 98}},
    {{101, 116}, {119, 122}},
};

template <class TBlock>
void CopyRanges(const TBlock& from, TBlock& to, TRanges ranges) {
  for (const auto& [first, last] : ranges)
    std::copy(from.Data() + first, from.Data() + last + 1, to.Data() + first);
}

constexpr char kVowels[] = "aeiou";
constexpr char kConsonants[] = "pytrwqsdfghjklmnbvcxz";
}  // namespace

void TBankRandomizer::ChooseSource() {
  SourcePatch = Rng.Random(128);
  SourceTone = Rng.Random(4) % 3 + 1;
}

void TBankRandomizer::RandomizeCommon(TPatchBank& source, TPatch& own, TPatch& result) {
  if (!Options.Common) {
    result.Common.Image = own.Common.Image;
  } else if (Options.ToneCommonOriented) {
    ChooseSource();
    result.Common.Image = source.Patch(SourcePatch).Common.Image;
  } else {
    ChooseSource();
    CopyRanges(source.Patch(SourcePatch).Common, result.Common, {{0, 11}, {44, 71}});
    ChooseSource();
    CopyRanges(source.Patch(SourcePatch).Common, result.Common, {{12, 43}});
  }
}

void TBankRandomizer::RandomizeTone(TPatchBank& source, TPatch& own, TPatch& result, int tone) {
  TTone& target = result.Tones[tone];
  if (!Options.Tones[tone]) {
    target.Image = own.Tones[tone].Image;
  } else if (Options.ToneCommonOriented) {
    ChooseSource();
    target.Image = source.Patch(SourcePatch).Tones[SourceTone - 1].Image;
  } else {
    for (const TRanges& group : kToneGroups) {
      ChooseSource();
      CopyRanges(source.Patch(SourcePatch).Tones[SourceTone - 1], target, group);
    }
  }
}

void TBankRandomizer::RandomizePatch(TPatchBank& source, TPatchBank& result, int index) {
  TPatch& own = source.Patch(index);
  TPatch& target = result.Patch(index);
  RandomizeCommon(source, own, target);
  for (int tone = 0; tone < TPatch::kToneCount; ++tone) RandomizeTone(source, own, target, tone);
  if (Options.PatchName) target.SetName(ScrambleName(own.GetName()), false);
}

void TBankRandomizer::RandomizeBank(TPatchBank& source, TPatchBank& result, std::uint32_t seed) {
  Rng.Seed = seed;
  for (int i = 0; i < TPatchBank::kMemberCount; ++i) RandomizePatch(source, result, i);
}

QString TBankRandomizer::ScrambleName(const QString& name) {
  QString scrambled = name;
  for (QChar& c : scrambled) {
    const char16_t u = c.unicode();
    // Only the letters a to z count as letters, in either case.
    const char16_t lower = u >= 'A' && u <= 'Z' ? static_cast<char16_t>(u - 'A' + 'a') : u;
    if (lower > 0x7F) continue;
    char replacement = 0;
    if (std::char_traits<char>::find(kVowels, 5, static_cast<char>(lower)))
      replacement = kVowels[Rng.Random(5)];
    else if (std::char_traits<char>::find(kConsonants, 21, static_cast<char>(lower)))
      replacement = kConsonants[Rng.Random(21)];
    else
      continue;
    if (!(u >= 'a' && u <= 'z')) replacement = static_cast<char>(replacement - 'a' + 'A');
    c = QChar(replacement);
  }
  return scrambled;
}
