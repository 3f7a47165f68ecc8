#pragma once
// The bytes a part of a patch is made of, and the copy of a part from one patch into another
// (the drop of part buttons on the patch window). QtCore and the model only.
#include <span>

class TPatch;

// A run of block offsets of the source (First to Last) and where it lands in the target.
struct TPartRange {
  int First;
  int Last;
  int To;
};

// The ranges of a part kind copied onto the same kind (Common and Effects in the common block,
// the others in a tone), or LFO 1 onto LFO 2 and back. Empty for kinds of other editors.
std::span<const TPartRange> PatchPartRanges(int fromKind, int toKind);
// Whether a kind's bytes lie in the common block (Common, Effects) rather than a tone.
bool CommonPart(int kind);

// Copies part fromKind of tone fromTone of the source into part toKind of tone toTone of the
// target, straight into the blocks (nothing is sent). Tones are 1 to 4 (ignored for the common
// block's parts). Nothing for a pair of kinds that has no ranges.
void CopyPatchPart(const TPatch& from, TPatch& to, int fromKind, int toKind, int fromTone,
                   int toTone);
