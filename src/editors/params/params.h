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

// Performance common block (64 bytes) without the effects (12 to 44): name, tempo, velocity
// range switch, the sixteen voice reserves (Field = the part). Page 0, the common window.
std::span<const TParamRow> PerformanceCommonRows();
// Part block (19 bytes) of parts 1 to 9 and 11 to 16; Page 0, the parts window.
std::span<const TParamRow> PerformancePartRows();
// The same block of part 10, the rhythm part: its group is one of the first six, and bytes 4
// and 5 choose one of the group's two rhythm sets.
std::span<const TParamRow> RhythmPartRows();

// Rhythm common block (12 bytes): the name. Rhythm note block (58 bytes), every byte; Page is
// the note window in the order TVA, TVF, Pitch, Main (as TRhythm::TPage).
std::span<const TParamRow> RhythmCommonRows();
std::span<const TParamRow> RhythmNoteRows();

// System common block (40 bytes), every byte; Page is the window in the order setup, MIDI,
// preview, scale tune (as TSystem::TPage). Scale tune block (12 bytes): Page 3.
std::span<const TParamRow> SystemCommonRows();
std::span<const TParamRow> ScaleTuneRows();

// The sections that are copied when a section panel of one hub window is dropped on another
// (and, for the rhythm notes, through the note clipboard).
struct TByteRange {
  std::uint8_t First;  // block offsets, both included
  std::uint8_t Last;
};
enum class TSectionBlock : std::uint8_t {
  Common,     // the common block
  EveryPart,  // the same bytes of every part, note or scale tune block
};
struct TCopySection {
  int Kind;  // the section panel's part kind
  TSectionBlock Block;
  std::span<const TByteRange> Ranges;
};
// Performance: 9 common, 10 effects, 11 parts. Rhythm: 16 main, 17 pitch, 18 TVF, 19 TVA.
// System: 12 setup, 13 MIDI, 14 preview, 15 scale tune.
std::span<const TCopySection> PerformanceSections();
std::span<const TCopySection> RhythmSections();
std::span<const TCopySection> SystemSections();
// The section of a kind, or nullptr.
const TCopySection* FindSection(std::span<const TCopySection> sections, int kind);
// Copies the section's bytes of one block's data into another's.
void CopySection(const TCopySection& section, const std::uint8_t* from, std::uint8_t* to);
