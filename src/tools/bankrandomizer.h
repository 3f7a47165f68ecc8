#pragma once
// TBankRandomizer: makes a new patch bank by recombining the patches of a source bank. Each
// result patch i keeps source patch i's common block and tones, or takes them (whole, or group
// by group) from randomly chosen source patches, and may get a scrambled name. The draws come
// from one TLcgRandom in a fixed order, so a seed gives one bank.
#include <array>
#include <cstdint>

#include <QString>

#include "tools/lcgrandom.h"

class TPatch;
class TPatchBank;

struct TRandomOptions {
  bool Common = true;
  bool PatchName = true;
  std::array<bool, 4> Tones{true, true, true, true};
  // Blocks are taken whole from one source; otherwise group by group.
  bool ToneCommonOriented = false;
};

class TBankRandomizer {
 public:
  // Draws the source patch (0 to 127), then the source tone (1 to 3: tone 1 half of the time,
  // tone 4 never) into SourcePatch and SourceTone.
  void ChooseSource();
  // Result patch index from source patch index and the draws. The source is not changed.
  void RandomizePatch(TPatchBank& source, TPatchBank& result, int index);
  // Reseeds, then randomizes result patches 0 to 127 in order.
  void RandomizeBank(TPatchBank& source, TPatchBank& result, std::uint32_t seed);
  // Every vowel becomes a random vowel and every other letter a random consonant, upper case
  // where the letter was not a lower-case one; all other characters stay.
  QString ScrambleName(const QString& name);

  TRandomOptions Options;
  TLcgRandom Rng;
  int SourcePatch = 0;
  int SourceTone = 1;

 private:
  void RandomizeCommon(TPatchBank& source, TPatch& own, TPatch& result);
  void RandomizeTone(TPatchBank& source, TPatch& own, TPatch& result, int tone);
};
