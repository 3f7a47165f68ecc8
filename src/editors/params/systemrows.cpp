// The system common block and the scale tune block, parameter by parameter.
//
// Windows (Page), in the order the system keeps their bookkeeping: 0 setup, 1 MIDI, 2 preview,
// 3 scale tune (which shows one of the 17 scale tune blocks at a time).
#include "editors/params/params.h"
#include "editors/params/patchgroup.h"
#include "editors/params/rowmakers.h"

namespace {
using namespace rowmakers;

enum : std::uint8_t { pgSetup, pgMidi, pgPreview, pgScaleTune };

constexpr const char* kPanelModes[] = {" Performance", " Patch", " GM"};
constexpr const char* kClockSources[] = {"Internal", "Midi"};
constexpr const char* kPedalSources[] = {"Off ", "Hold-1", "Sostenuto", "Soft", "Hold-2"};
constexpr const char* kVolumeSources[] = {"Volume", "Volume + Exp"};
constexpr const char* kAftertouchSources[] = {"CH-After", "Poly-After", "CH+Poly"};
constexpr const char* kRhythmEditSources[] = {"Panel", "Panel + Midi"};
constexpr const char* kPreviewModes[] = {"Single", "Chord"};

// Byte 1 holds group × 32 + number: the value field mode that reads such a byte names both.
QString PerformanceText(const std::uint8_t* data) {
  return data[1] < 128 ? EditTypeText(User01PRB32, data[1]) : QString();
}

#define PREVIEW_SET(n)                                                                     \
  Code(30 + 2 * (n), "Preview Key Set " #n, Note, 0, 127, pgPreview, n),                   \
      Slide(31 + 2 * (n), "Preview Velocity Set " #n, 127, 0, pgPreview, n)

const TParamRow kCommonRows[] = {
    // Setup window.
    Choice(0, "Panel Mode", C::Radio, kPanelModes, pgSetup),
    {.Offset = 1, .Caption = "Performance Group", .Control = C::Custom, .Mode = User01PRB32,
     .Page = pgSetup, .Text = PerformanceText},
    {.Offset = 2, .Size = 2, .Caption = "Patch Group", .Control = C::Custom, .Max = 2,
     .Page = pgSetup, .Text = PatchGroupText},
    {.Offset = 4, .Size = 2, .Caption = "Patch Name", .Control = C::Custom, .Max = 255,
     .Page = pgSetup, .Text = PatchNameText},
    Code(6, "Master Tune", Int427M452, 0, 126, pgSetup),
    Check(7, "Scale Tune Switch", pgSetup),
    Check(8, "Efx Switch", pgSetup),
    Check(9, "Chorus Switch", pgSetup),
    Check(10, "Reverb Switch", pgSetup),
    Check(11, "Patch Remain", pgSetup),
    // MIDI window.
    Choice(12, "Clock Source", C::Radio, kClockSources, pgMidi),
    Choice(13, "Tap Control Source", C::List, kPedalSources, pgMidi),
    Choice(14, "Hold Control Source", C::List, kPedalSources, pgMidi),
    Choice(15, "Peak Control Source", C::List, kPedalSources, pgMidi),
    Choice(16, "Volume Ctrl Source", C::Radio, kVolumeSources, pgMidi),
    Choice(17, "Aftertouch Source", C::List, kAftertouchSources, pgMidi),
    Code(18, "System Ctrl Source 1", CC00CC95, 0, 97, pgMidi),
    Code(19, "System Ctrl Source 2", CC00CC95, 0, 97, pgMidi),
    Check(20, "Receive Prg Change", pgMidi),
    Check(21, "Receive Bank Sel", pgMidi),
    Check(22, "Receive Ctrl Change", pgMidi),
    Check(23, "Receive Modulation", pgMidi),
    Check(24, "Receive Volume", pgMidi),
    Check(25, "Receive Hold-1", pgMidi),
    Check(26, "Receive Bender", pgMidi),
    Check(27, "Receive Aftertouch", pgMidi),
    Code(28, "Control Channel", Int1M16Off, 0, 16, pgMidi),
    Shifted(29, "Patch Receive Channel", MinMax, 15, 1, pgMidi),
    Choice(30, "Rhythm Edit Source", C::Radio, kRhythmEditSources, pgMidi),
    // Preview window.
    Choice(31, "Preview Sound Mode", C::Radio, kPreviewModes, pgPreview),
    PREVIEW_SET(1),
    PREVIEW_SET(2),
    PREVIEW_SET(3),
    PREVIEW_SET(4),
};
#undef PREVIEW_SET

#define TUNE(t, pitch) Shifted(t, "Tune For " pitch, MinMaxS, 127, -64, pgScaleTune)
const TParamRow kScaleTuneRows[] = {
    TUNE(0, "C"),  TUNE(1, "C#"), TUNE(2, "D"),  TUNE(3, "D#"), TUNE(4, "E"),   TUNE(5, "F"),
    TUNE(6, "F#"), TUNE(7, "G"),  TUNE(8, "G#"), TUNE(9, "A"),  TUNE(10, "A#"), TUNE(11, "B"),
};
#undef TUNE

constexpr TByteRange kSetupSection[] = {{0, 11}};
constexpr TByteRange kMidiSection[] = {{12, 30}};
constexpr TByteRange kPreviewSection[] = {{31, 39}};
constexpr TByteRange kScaleTuneSection[] = {{0, 11}};
const TCopySection kSections[] = {
    {.Kind = 12, .Block = TSectionBlock::Common, .Ranges = kSetupSection},
    {.Kind = 13, .Block = TSectionBlock::Common, .Ranges = kMidiSection},
    {.Kind = 14, .Block = TSectionBlock::Common, .Ranges = kPreviewSection},
    {.Kind = 15, .Block = TSectionBlock::EveryPart, .Ranges = kScaleTuneSection},
};
}  // namespace

std::span<const TParamRow> SystemCommonRows() { return kCommonRows; }
std::span<const TParamRow> ScaleTuneRows() { return kScaleTuneRows; }
std::span<const TCopySection> SystemSections() { return kSections; }
