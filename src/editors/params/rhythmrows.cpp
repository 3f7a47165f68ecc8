// The rhythm set's common block (its name) and the note block of one drum key, parameter by
// parameter.
//
// Windows (Page) of the note block, in the order the rhythm set keeps their bookkeeping:
// 0 TVA (amplifier), 1 TVF (filter), 2 Pitch, 3 Main. The common block's name is shown in the
// rhythm window itself (Page 0).
#include "editors/params/params.h"
#include "editors/params/rowmakers.h"
#include "editors/params/wavegroup.h"

namespace {
using namespace rowmakers;

enum : std::uint8_t { pgTVA, pgTVF, pgPitch, pgMain };

const TParamRow kCommonRows[] = {
    {.Offset = 0, .Size = 12, .Caption = "Rhythm Name", .Control = C::Name},
};

constexpr const char* kWaveGain[] = {" -6 ", "0", "+6", "+12"};
constexpr const char* kEnvelopeMode[] = {"No Sustain", "Sustain"};
constexpr const char* kPanControl[] = {"Off", "Continuos", "Key-On"};
constexpr const char* kFilterTypes[] = {"No Filter", "Low Pass", "Band Pass", "High Pass",
                                        "Peaking"};
constexpr const char* kOutputAssign[] = {"Mix", "EFX", "Output 1", "Output 2"};

const TParamRow kNoteRows[] = {
    // Main window.
    Check(0, " Tone Switch", pgMain),
    {.Offset = 1, .Size = 2, .Caption = "Wave Group", .Control = C::Custom, .Max = 2,
     .Page = pgMain, .Text = WaveGroupText},
    {.Offset = 3, .Size = 2, .Caption = "Wave Name", .Control = C::Custom, .Max = 255,
     .Page = pgMain, .Text = WaveNameText},
    Choice(5, "Wave Gain", C::Buttons, kWaveGain, pgMain),
    Code(6, "Bender Range", MinMax, 0, 12, pgMain),
    Code(7, "Mute Group", MinMax, 0, 31, pgMain),
    Choice(8, "Envelope Mode", C::Radio, kEnvelopeMode, pgMain),
    Check(9, "Volume Ctrl Switch", pgMain),
    Check(10, "Hold-1 Ctrl Switch", pgMain),
    Choice(11, "Pan Control Switch", C::Radio, kPanControl, pgMain),
    // Pitch window.
    Code(12, "Source Key", Note, 0, 127, pgPitch),
    Slide(13, "Fine Tune", 100, -50, pgPitch),
    Code(14, "Rand Depth", IntM0P1200, 0, 30, pgPitch),
    Slide(15, "Envelope Depth", 24, -12, pgPitch),
    Sens(16, "Env Vel Sen", pgPitch),
    Code(17, "Vel Time Sens", IntM100P100, 0, 14, pgPitch),
    Point(18, "Pitch Envelope Time 1", 127, 0, pgPitch),
    Point(19, "Pitch Envelope Time 2", 127, 0, pgPitch),
    Point(20, "Pitch Envelope Time 3", 127, 0, pgPitch),
    Point(21, "Pitch Envelope Time 4", 127, 0, pgPitch),
    Point(22, "Pitch Envelope Level 1", 126, -63, pgPitch),
    Point(23, "Pitch Envelope Level 2", 126, -63, pgPitch),
    Point(24, "Pitch Envelope Level 3", 126, -63, pgPitch),
    Point(25, "Pitch Envelope Level 4", 126, -63, pgPitch),
    // TVF window.
    Choice(26, "Filter Type", C::Picture, kFilterTypes, pgTVF),
    Slide(27, "Cutoff Frequency", 127, 0, pgTVF),
    Slide(28, "Resonance", 127, 0, pgTVF),
    Sens(29, "Res Vel Sens", pgTVF),
    Shifted(30, "Envelope Depth", MinMaxS, 126, -63, pgTVF),
    Sens(31, "Velocity Sens", pgTVF),
    Code(32, "Vel Time Sens", IntM100P100, 0, 14, pgTVF),
    Point(33, "Filter Envelope Time 1", 127, 0, pgTVF),
    Point(34, "Filter Envelope Time 2", 127, 0, pgTVF),
    Point(35, "Filter Envelope Time 3", 127, 0, pgTVF),
    Point(36, "Filter Envelope Time 4", 127, 0, pgTVF),
    Point(37, "Filter Envelope Level 1", 127, 0, pgTVF),
    Point(38, "Filter Envelope Level 2", 127, 0, pgTVF),
    Point(39, "Filter Envelope Level 3", 127, 0, pgTVF),
    Point(40, "Filter Envelope Level 4", 127, 0, pgTVF),
    // TVA window.
    Slide(41, "ToneLevel", 127, 0, pgTVA),
    Sens(42, "Velocity Sensitivity", pgTVA),
    Code(43, "Velocity Time Sensitivity", IntM100P100, 0, 14, pgTVA),
    Point(44, "Amplitude Envelope Time 1", 127, 0, pgTVA),
    Point(45, "Amplitude Envelope Time 2", 127, 0, pgTVA),
    Point(46, "Amplitude Envelope Time 3", 127, 0, pgTVA),
    Point(47, "Amplitude Envelope Time 4", 127, 0, pgTVA),
    Point(48, "Amplitude Envelope Level 1", 127, 0, pgTVA),
    Point(49, "Amplitude Envelope Level 2", 127, 0, pgTVA),
    Point(50, "Amplitude Envelope Level 3", 127, 0, pgTVA),
    {.Offset = 51, .Caption = "Pan", .Control = C::Pan, .Min = 1, .Add = -64, .Page = pgTVA},
    Slide(52, "Random Pan Depth", 63, 0, pgTVA),
    {.Offset = 53, .Caption = "Alternate Pan Depth", .Control = C::StereoSlider, .Min = 1,
     .Add = -64, .Page = pgTVA},
    // Main window: outputs and sends.
    Choice(54, "Output Assign", C::List, kOutputAssign, pgMain),
    Slide(55, "Output Level", 127, 0, pgMain),
    Slide(56, "Chorus Send Level", 127, 0, pgMain),
    Slide(57, "Reverb Send Level", 127, 0, pgMain),
};

constexpr TByteRange kMainSection[] = {{0, 11}, {54, 57}};
constexpr TByteRange kPitchSection[] = {{12, 25}};
constexpr TByteRange kTVFSection[] = {{26, 40}};
constexpr TByteRange kTVASection[] = {{41, 53}};
const TCopySection kSections[] = {
    {.Kind = 16, .Block = TSectionBlock::EveryPart, .Ranges = kMainSection},
    {.Kind = 17, .Block = TSectionBlock::EveryPart, .Ranges = kPitchSection},
    {.Kind = 18, .Block = TSectionBlock::EveryPart, .Ranges = kTVFSection},
    {.Kind = 19, .Block = TSectionBlock::EveryPart, .Ranges = kTVASection},
};
}  // namespace

std::span<const TParamRow> RhythmCommonRows() { return kCommonRows; }
std::span<const TParamRow> RhythmNoteRows() { return kNoteRows; }
std::span<const TCopySection> RhythmSections() { return kSections; }
