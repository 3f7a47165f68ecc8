#pragma once
// Every parameter table of the instrument's sound blocks. Offsets are block offsets; the effect
// rows are written with the patch common block's offsets, and a performance's common block holds
// the same parameters one byte later (ShiftedRow).
#include <span>

#include "editors/params/paramrow.h"

// Patch common block (72 bytes) without the effects: name, tempo, level, pan, portamento, ...
// Page 0 (the common page); Tab 0 "Page 1", 1 "Page 2".
std::span<const TParamRow> PatchCommonRows();

// Tone block (129 bytes), every byte; Page is the tone's page in the order Wave, TVA, TVF,
// Pitch, LFO 1, LFO 2, Control (as TTone::TPage).
std::span<const TParamRow> ToneRows();

// Effects (patch common offsets 12 to 43): the type, Page 1's outputs, sends, control sources,
// chorus and reverb (Tab 0), and each of the 40 types' parameters on Page 2 (Tab 1).
struct TEffectType {
  const char* Item;     // the type list's item, "  1 : Stereo Equalizer"
  const char* Source1;  // what control source 1 moves for this type
  const char* Source2;
  std::span<const TParamRow> Rows;  // offsets 13 to 24, Field = the control's number 1 to 12
};
std::span<const TEffectType> EffectTypes();
std::span<const TParamRow> EffectPageRows();  // offset 12 and 25 to 43
// The performance's "EFX Source" (performance common byte 12; never shifted).
const TParamRow& EfxSourceRow();

// The same row at a block offset `by` bytes later (a performance's effects).
TParamRow ShiftedRow(const TParamRow& row, int by);
