// The performance common block (without the effects, bytes 12 to 44, which are the effects
// page's) and the part block, parameter by parameter.
//
// Windows (Page): the common block's in the order the performance keeps their bookkeeping,
// 0 the common window, 1 the effects window; the part block's only window is 0, the parts
// window, which shows one part at a time.
#include "editors/params/params.h"
#include "editors/params/patchgroup.h"
#include "editors/params/rowmakers.h"

namespace {
using namespace rowmakers;

enum : std::uint8_t { pgCommon, pgEffects };
constexpr std::uint8_t pgParts = 0;

#define VOICE_RESERVE(n) Code(47 + (n), "Voice Reserve Part " #n, MinMax, 0, 64, pgCommon, n)

const TParamRow kCommonRows[] = {
    {.Offset = 0, .Size = 12, .Caption = "Performance Name", .Control = C::Name,
     .Page = pgCommon},
    {.Offset = 45, .Size = 2, .Caption = "Default Tempo", .Control = C::Field, .Min = 20,
     .Max = 250, .Mode = MinMax, .Page = pgCommon},
    Check(47, "Vel Range Switch", pgCommon),
    VOICE_RESERVE(1),
    VOICE_RESERVE(2),
    VOICE_RESERVE(3),
    VOICE_RESERVE(4),
    VOICE_RESERVE(5),
    VOICE_RESERVE(6),
    VOICE_RESERVE(7),
    VOICE_RESERVE(8),
    VOICE_RESERVE(9),
    VOICE_RESERVE(10),
    VOICE_RESERVE(11),
    VOICE_RESERVE(12),
    VOICE_RESERVE(13),
    VOICE_RESERVE(14),
    VOICE_RESERVE(15),
    VOICE_RESERVE(16),
};
#undef VOICE_RESERVE

constexpr const char* kOutputAssign[] = {"Mix", "EFX", "Output 1", "Output 2", "Patch"};

// Every part but the rhythm part: the patch group and the patch from its name list. Part 10:
// the first six groups and one of their two rhythm sets.
#define PART_ROWS(groupText, numberCaption, numberMax, numberText)                             \
  Check(0, "Midi Receive Switch", pgParts),                                                    \
      Shifted(1, "Midi Channel", MinMax, 15, 1, pgParts),                                      \
      TParamRow{.Offset = 2, .Size = 2, .Caption = "Patch Group", .Control = C::Custom,        \
                .Max = 2, .Page = pgParts, .Text = groupText},                                 \
      TParamRow{.Offset = 4, .Size = 2, .Caption = numberCaption, .Control = C::Custom,        \
                .Max = numberMax, .Page = pgParts, .Text = numberText},                        \
      Slide(6, "Part Level", 127, 0, pgParts),                                                 \
      TParamRow{.Offset = 7, .Caption = "Pan", .Control = C::Pan, .Add = -64, .Page = pgParts}, \
      Shifted(8, "Coarse Tune", MinMaxS, 96, -48, pgParts),                                    \
      Shifted(9, "Fine Tune", MinMaxS, 100, -50, pgParts),                                     \
      Choice(10, "Output Assign", C::List, kOutputAssign, pgParts),                            \
      Slide(11, "Output Level", 127, 0, pgParts),                                              \
      Slide(12, "Chorus Send Level", 127, 0, pgParts),                                         \
      Slide(13, "Reverb Send Level", 127, 0, pgParts),                                         \
      Check(14, "Receive Prg Change", pgParts), Check(15, "Receive Volume", pgParts),          \
      Check(16, "Receive Hold-1", pgParts), Code(17, "Lower", Note, 0, 127, pgParts),          \
      Code(18, "Upper", Note, 0, 127, pgParts)

const TParamRow kPartRows[] = {PART_ROWS(PatchGroupText, "Patch Name", 255, PatchNameText)};
const TParamRow kRhythmPartRows[] = {PART_ROWS(RhythmGroupText, "Rhythm Set", 1, RhythmSetText)};
#undef PART_ROWS

constexpr TByteRange kCommonSection[] = {{0, 11}, {45, 63}};
constexpr TByteRange kEffectsSection[] = {{12, 44}};
constexpr TByteRange kPartsSection[] = {{0, 18}};
const TCopySection kSections[] = {
    {.Kind = 9, .Block = TSectionBlock::Common, .Ranges = kCommonSection},
    {.Kind = 10, .Block = TSectionBlock::Common, .Ranges = kEffectsSection},
    {.Kind = 11, .Block = TSectionBlock::EveryPart, .Ranges = kPartsSection},
};
}  // namespace

std::span<const TParamRow> PerformanceCommonRows() { return kCommonRows; }
std::span<const TParamRow> PerformancePartRows() { return kPartRows; }
std::span<const TParamRow> RhythmPartRows() { return kRhythmPartRows; }
std::span<const TCopySection> PerformanceSections() { return kSections; }
