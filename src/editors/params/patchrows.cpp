// The patch common block (without its effects) and the tone block, parameter by parameter.
#include "editors/params/params.h"
#include "editors/params/wavegroup.h"

namespace {
using C = TParamControl;

constexpr const char* kCtrlSources[] = {
    "Off",        "Sys-Ctrl 1", "Sys-Ctrl 2", "Modulation", "Breath",    "Foot",
    "Volume",     "Pan",        "Expression", "Bender",     "AfterTouch", "LFO 1",
    "LFO 2",      "Velocity",   "Keyfollow",  "Playmate"};
constexpr const char* kHoldPeak[] = {"Off", "Hold", "Peak"};
constexpr const char* kStructures[] = {"Type 1", "Type 2", "Type 3", "Type 4", "Type 5",
                                       "Type 6", "Type 7", "Type 8", "Type 9", "Type 10"};
constexpr const char* kBoosters[] = {"0", "+6", "+12", " +18 "};
constexpr const char* kPoly[] = {"Poly", "Solo"};
constexpr const char* kPortMode[] = {"Normal", "Legato"};
constexpr const char* kPortType[] = {"Rate", "Time"};
constexpr const char* kPortStart[] = {"Pitch", "Note"};
constexpr const char* kStretch[] = {"Off", "1", "2", "3"};
constexpr const char* kPriority[] = {" Last", " Loudest"};

// Tabs of the common page.
constexpr std::uint8_t kPage1 = 0, kPage2 = 1;

const TParamRow kCommonRows[] = {
    {.Offset = 0, .Size = 12, .Caption = "Patch Name", .Control = C::Name, .Tab = kPage1},
    {.Offset = 44, .Size = 2, .Caption = "Default Tempo", .Control = C::Field, .Min = 20,
     .Max = 250, .Mode = MinMax, .Tab = kPage1},
    {.Offset = 46, .Caption = "Patch Level", .Tab = kPage1},
    {.Offset = 47, .Caption = "Pan", .Control = C::Pan, .Add = -64, .Tab = kPage1},
    {.Offset = 48, .Caption = "Analog Feel Depth", .Tab = kPage1},
    {.Offset = 49, .Caption = "Bender Range Up", .Control = C::Field, .Max = 12, .Mode = MinMaxS,
     .Tab = kPage2},
    {.Offset = 50, .Caption = "Bender Range Down", .Control = C::Field, .Max = 48, .Scale = -1,
     .Mode = MinMaxS, .Tab = kPage2},
    {.Offset = 51, .Caption = "Key Assign Mode", .Control = C::Radio, .Max = 1, .Items = kPoly,
     .Tab = kPage2},
    {.Offset = 52, .Caption = "Solo Legato", .Control = C::Check, .Max = 1, .Tab = kPage2},
    {.Offset = 53, .Caption = "Portamento Switch", .Control = C::Check, .Max = 1, .Tab = kPage2},
    {.Offset = 54, .Caption = "Portamento Mode", .Control = C::Radio, .Max = 1,
     .Items = kPortMode, .Tab = kPage2},
    {.Offset = 55, .Caption = "Port Type", .Control = C::Radio, .Max = 1, .Items = kPortType,
     .Tab = kPage2},
    {.Offset = 56, .Caption = "Port Start", .Control = C::Radio, .Max = 1, .Items = kPortStart,
     .Tab = kPage2},
    {.Offset = 57, .Caption = "Portamento Time", .Tab = kPage2},
    {.Offset = 58, .Caption = "Patch Ctrl Source 2", .Control = C::List, .Max = 15,
     .Items = kCtrlSources, .Tab = kPage2},
    {.Offset = 59, .Caption = "Patch Ctrl Source 3", .Control = C::List, .Max = 15,
     .Items = kCtrlSources, .Tab = kPage2},
    {.Offset = 60, .Caption = "EFX Control ", .Control = C::Radio, .Max = 2, .Items = kHoldPeak,
     .Tab = kPage2},
    {.Offset = 61, .Caption = "Control 1", .Control = C::Radio, .Max = 2, .Items = kHoldPeak,
     .Tab = kPage2},
    {.Offset = 62, .Caption = "Control 2", .Control = C::Radio, .Max = 2, .Items = kHoldPeak,
     .Tab = kPage2},
    {.Offset = 63, .Caption = "Control 3", .Control = C::Radio, .Max = 2, .Items = kHoldPeak,
     .Tab = kPage2},
    {.Offset = 64, .Caption = "Vel Range Switch", .Control = C::Check, .Max = 1, .Tab = kPage1},
    {.Offset = 65, .Caption = "Octave Shift", .Control = C::Field, .Max = 6, .Add = -3,
     .Mode = MinMaxS, .Tab = kPage1},
    {.Offset = 66, .Caption = "Stretch Tune Depth", .Control = C::Buttons, .Max = 3,
     .Items = kStretch, .Tab = kPage1},
    {.Offset = 67, .Caption = "Voice Priority", .Control = C::Radio, .Max = 1, .Items = kPriority,
     .Tab = kPage1},
    {.Offset = 68, .Caption = "Structure 1 And 2", .Control = C::Picture, .Max = 9,
     .Items = kStructures, .Tab = kPage1, .Field = 1},
    {.Offset = 69, .Caption = "Booster Level 1 And 2", .Control = C::Buttons, .Max = 3,
     .Items = kBoosters, .Tab = kPage1, .Field = 1},
    {.Offset = 70, .Caption = "Structure 3 And 4", .Control = C::Picture, .Max = 9,
     .Items = kStructures, .Tab = kPage1, .Field = 2},
    {.Offset = 71, .Caption = "Booster Level 3 And 4", .Control = C::Buttons, .Max = 3,
     .Items = kBoosters, .Tab = kPage1, .Field = 2},
};

// Tone pages, in the order the tone keeps their bookkeeping.
enum : std::uint8_t { pgWave, pgTVA, pgTVF, pgPitch, pgLFO1, pgLFO2, pgControl };

constexpr const char* kWaveGain[] = {" -6 ", "0", "+6", "+12"};
constexpr const char* kFxmColor[] = {"1", "2", "3", "4"};
constexpr const char* kDelayModes[] = {"Normal",        "Hold",          "Key-Interval",
                                       "Clock-Sync",    "Tap-Sync",      "Key-Off-Normal",
                                       "Key-Off-Decay"};
constexpr const char* kFilterTypes[] = {"No Filter", "Low Pass", "Band Pass", "High Pass",
                                        "Peaking"};
constexpr const char* kBiasDirections[] = {"Lower", "Upper", "Lower Upper", "All"};
constexpr const char* kWaveforms[] = {"Triangolar", "Sinuisoidal", "SAW",    "Square",
                                      "Trapeziodal", "Sample",      "Random", "Caos"};
constexpr const char* kFadeModes[] = {"On-In", "On-Out", "Off-In", "Off-Out"};
constexpr const char* kExternalSync[] = {"LFO-Off", "Clock", "Tap"};
constexpr const char* kPanControl[] = {"Off", "Continuous", "Key-On"};
constexpr const char* kDestinations[] = {"Off", "Pch", "Cut", "Res", "Lev", "Pan", "Mix",
                                         "Cho", "Rev", "PL1", "PL2", "FL1", "FL2", "AL1",
                                         "AL2", "pL1", "pL2", "L1R", "L2R"};
constexpr const char* kOutputAssign[] = {"Mix", "EFX", "Output 1", "Output 2"};

// A value field showing its code in a display mode.
constexpr TParamRow Code(int offset, const char* caption, TEditType mode, int max,
                         std::uint8_t page) {
  return {.Offset = static_cast<std::uint16_t>(offset), .Caption = caption, .Control = C::Field,
          .Max = static_cast<std::int16_t>(max), .Mode = mode, .Page = page};
}
// A sensitivity shown as stored × 2 − 100 (−100 to +150 in steps of 2).
constexpr TParamRow Sens(int offset, const char* caption, std::uint8_t page) {
  return {.Offset = static_cast<std::uint16_t>(offset), .Caption = caption, .Control = C::Field,
          .Max = 125, .Scale = 2, .Add = -100, .Mode = MinMaxS, .Step = 2, .Page = page};
}
// A slider of the stored range shifted by add.
constexpr TParamRow Slide(int offset, const char* caption, int max, int add, std::uint8_t page) {
  return {.Offset = static_cast<std::uint16_t>(offset), .Caption = caption,
          .Max = static_cast<std::int16_t>(max), .Add = static_cast<std::int16_t>(add),
          .Page = page};
}
// A controller's depth (−63 to +63); Field = the controller, shown one controller at a time.
constexpr TParamRow Depth(int offset, const char* caption, std::uint8_t controller) {
  return {.Offset = static_cast<std::uint16_t>(offset), .Caption = caption, .Max = 126,
          .Add = -63, .Page = pgControl, .Field = controller};
}
// One number field of an envelope or fade graph.
constexpr TParamRow Point(int offset, const char* caption, int max, int add, std::uint8_t page) {
  return {.Offset = static_cast<std::uint16_t>(offset), .Caption = caption, .Control = C::Graph,
          .Max = static_cast<std::int16_t>(max), .Add = static_cast<std::int16_t>(add),
          .Page = page};
}
constexpr TParamRow Check(int offset, const char* caption, std::uint8_t page) {
  return {.Offset = static_cast<std::uint16_t>(offset), .Caption = caption,
          .Control = C::Check, .Max = 1, .Page = page};
}
constexpr TParamRow Choice(int offset, const char* caption, C control,
                           std::span<const char* const> items, std::uint8_t page,
                           std::uint8_t field = 0) {
  return {.Offset = static_cast<std::uint16_t>(offset), .Caption = caption, .Control = control,
          .Max = static_cast<std::int16_t>(items.size() - 1), .Items = items, .Page = page,
          .Field = field};
}
// The bytes of LFO k: its eight own bytes from 45 + (k − 1) × 8 and its four depths.
#define LFO_ROWS(k, page)                                                                   \
  Choice(45 + ((k)-1) * 8, "Waveform", C::Picture, kWaveforms, page),                       \
      Check(46 + ((k)-1) * 8, " Key Trigger", page),                                        \
      Code(47 + ((k)-1) * 8, "LFO Rate", Int0M880, 127, page),                              \
      TParamRow{.Offset = 48 + ((k)-1) * 8, .Caption = "Offset Level", .Control = C::Field, \
                .Max = 4, .Scale = 50, .Add = -100, .Mode = MinMaxS, .Step = 50,            \
                .Page = page},                                                              \
      Point(49 + ((k)-1) * 8, "Fade Delay", 127, 0, page),                                  \
      Choice(50 + ((k)-1) * 8, "Fade Mode", C::List, kFadeModes, page),                     \
      Point(51 + ((k)-1) * 8, "Fade Time", 127, 0, page),                                   \
      Choice(52 + ((k)-1) * 8, "External Syncronicity", C::List, kExternalSync, page),      \
      Slide(77 + (k), "Pitch LFO Depth", 126, -63, page),                                   \
      Slide(98 + (k), "TVF LFO Depth", 126, -63, page),                                     \
      Slide(116 + (k), "TVA LFO Depth", 126, -63, page),                                    \
      Slide(122 + (k), "Pan Depth", 126, -63, page)
// Destination d and depth d of controller c, at 21 + (c − 1) × 8 + 2 (d − 1).
#define CONTROLLER_ROWS(c)                                                                  \
  Choice(21 + ((c)-1) * 8, "Controller " #c " Dest 1", C::List, kDestinations, pgControl, c), \
      Depth(22 + ((c)-1) * 8, "Controller " #c " Depth 1", c),          \
      Choice(23 + ((c)-1) * 8, "Controller " #c " Dest 2", C::List, kDestinations, pgControl, c), \
      Depth(24 + ((c)-1) * 8, "Controller " #c " Depth 2", c),          \
      Choice(25 + ((c)-1) * 8, "Controller " #c " Dest 3", C::List, kDestinations, pgControl, c), \
      Depth(26 + ((c)-1) * 8, "Controller " #c " Depth 3", c),          \
      Choice(27 + ((c)-1) * 8, "Controller " #c " Dest 4", C::List, kDestinations, pgControl, c), \
      Depth(28 + ((c)-1) * 8, "Controller " #c " Depth 4", c)

const TParamRow kToneRows[] = {
    // Wave page.
    Check(0, " Tone Switch", pgWave),
    {.Offset = 1, .Size = 2, .Caption = "Wave Group", .Control = C::Custom, .Max = 2,
     .Page = pgWave, .Text = WaveGroupText},
    {.Offset = 3, .Size = 2, .Caption = "Wave Name", .Control = C::Custom, .Max = 255,
     .Page = pgWave, .Text = WaveNameText},
    Choice(5, "Wave Gain", C::Buttons, kWaveGain, pgWave),
    Check(6, " FXM Switch", pgWave),
    Choice(7, "FXM Color", C::Buttons, kFxmColor, pgWave),
    {.Offset = 8, .Caption = "FXM Depth", .Control = C::Field, .Max = 15, .Add = 1,
     .Mode = MinMax, .Page = pgWave},
    Choice(9, "Tone Delay Mode", C::List, kDelayModes, pgWave),
    Code(10, "Tone Dly Time", Int0M880, 127, pgWave),
    // Control page.
    Slide(11, "Vel Cross Fade Depth", 127, 0, pgControl),
    {.Offset = 12, .Caption = "Velocity Range Lower", .Min = 1, .Page = pgControl},
    {.Offset = 13, .Caption = "Velocity Range Upper", .Min = 1, .Page = pgControl},
    Code(14, "Key Range Lower", Note, 127, pgControl),
    Code(15, "Key Range Upper", Note, 127, pgControl),
    Check(16, "Red Ctrl Switch", pgControl),
    Check(17, "Volume Ctrl Switch", pgControl),
    Check(18, "Hold-1 Ctrl Switch", pgControl),
    Check(19, "Bender Ctrl Switch", pgControl),
    Choice(20, "Pan Control switch", C::List, kPanControl, pgControl),
    CONTROLLER_ROWS(1),
    CONTROLLER_ROWS(2),
    CONTROLLER_ROWS(3),
    // LFO pages (bytes 45 to 60 with their depths further on).
    LFO_ROWS(1, pgLFO1),
    LFO_ROWS(2, pgLFO2),
    // Pitch page.
    Slide(61, "Coarse Tune", 96, -48, pgPitch),
    Slide(62, "Fine Tune", 100, -50, pgPitch),
    Code(63, "Rand Depth", IntM0P1200, 30, pgPitch),
    Code(64, "Keyfollow", IntM100P200, 15, pgPitch),
    Slide(65, "Envelope Depth", 24, -12, pgPitch),
    Sens(66, "Env Vel Sen", pgPitch),
    Code(67, "Vel Time 1 Sens", IntM100P100, 14, pgPitch),
    Code(68, "Vel Time 4 Sens", IntM100P100, 14, pgPitch),
    Code(69, "Time Keyfollow", IntM100P100, 14, pgPitch),
    Point(70, "Pitch Envelope Time 1", 127, 0, pgPitch),
    Point(71, "Pitch Envelope Time 2", 127, 0, pgPitch),
    Point(72, "Pitch Envelope Time 3", 127, 0, pgPitch),
    Point(73, "Pitch Envelope Time 4", 127, 0, pgPitch),
    Point(74, "Pitch Envelope Level 1", 126, -63, pgPitch),
    Point(75, "Pitch Envelope Level 2", 126, -63, pgPitch),
    Point(76, "Pitch Envelope Level 3", 126, -63, pgPitch),
    Point(77, "Pitch Envelope Level 4", 126, -63, pgPitch),
    // TVF page.
    Choice(80, "Filter Type", C::Picture, kFilterTypes, pgTVF),
    Slide(81, "Cutoff Frequency", 127, 0, pgTVF),
    Code(82, "Cutoff Keyfoll", IntM100P200, 15, pgTVF),
    Slide(83, "Resonance", 127, 0, pgTVF),
    Sens(84, "Vel Res", pgTVF),
    Slide(85, "Envelope Depth", 126, -63, pgTVF),
    {.Offset = 86, .Caption = "Vel Curve", .Control = C::Field, .Max = 6, .Add = 1,
     .Mode = MinMax, .Page = pgTVF},
    Sens(87, "Vel Sens", pgTVF),
    Code(88, "Vel Time 1 Sens", IntM100P100, 14, pgTVF),
    Code(89, "Vel Time 4 Sens", IntM100P100, 14, pgTVF),
    Code(90, "Time Keyfollow", IntM100P100, 14, pgTVF),
    Point(91, "Filter Envelope Time 1", 127, 0, pgTVF),
    Point(92, "Filter Envelope Time 2", 127, 0, pgTVF),
    Point(93, "Filter Envelope Time 3", 127, 0, pgTVF),
    Point(94, "Filter Envelope Time 4", 127, 0, pgTVF),
    Point(95, "Filter Envelope Level 1", 127, 0, pgTVF),
    Point(96, "Filter Envelope Level 2", 127, 0, pgTVF),
    Point(97, "Filter Envelope Level 3", 127, 0, pgTVF),
    Point(98, "Filter Envelope Level 4", 127, 0, pgTVF),
    // TVA page.
    Slide(101, "Level", 127, 0, pgTVA),
    Choice(102, "Bias Direction", C::Picture, kBiasDirections, pgTVA),
    Code(103, "Bias Point", Note, 127, pgTVA),
    Code(104, "Bias Level", IntM100P100, 14, pgTVA),
    {.Offset = 105, .Caption = "En Vel Curve", .Control = C::Field, .Max = 6, .Add = 1,
     .Mode = MinMax, .Page = pgTVA},
    Sens(106, "Vel Sens", pgTVA),
    Code(107, "Velocity Time 1 Sens", IntM100P100, 14, pgTVA),
    Code(108, "Velocity Time 4 Sens", IntM100P100, 14, pgTVA),
    Code(109, "Time Keyfollow", IntM100P100, 14, pgTVA),
    Point(110, "Amplitude Envelope Time 1", 127, 0, pgTVA),
    Point(111, "Amplitude Envelope Time 2", 127, 0, pgTVA),
    Point(112, "Amplitude Envelope Time 3", 127, 0, pgTVA),
    Point(113, "Amplitude Envelope Time 4", 127, 0, pgTVA),
    Point(114, "Amplitude Envelope Level 1", 127, 0, pgTVA),
    Point(115, "Amplitude Envelope Level 2", 127, 0, pgTVA),
    Point(116, "Amplitude Envelope Level 3", 127, 0, pgTVA),
    {.Offset = 119, .Caption = "Pan", .Control = C::Pan, .Add = -64, .Page = pgTVA},
    Code(120, "Pan Keyfollow", IntM100P100, 14, pgTVA),
    Slide(121, "Random Pan Depth", 63, 0, pgTVA),
    {.Offset = 122, .Caption = "Alternate Pan Depth", .Control = C::StereoSlider, .Min = 1,
     .Add = -64, .Page = pgTVA},
    // Control page: outputs and sends.
    Choice(125, "Output Assign", C::List, kOutputAssign, pgControl),
    Slide(126, "Output Level", 127, 0, pgControl),
    Slide(127, "Chorus Send Level", 127, 0, pgControl),
    Slide(128, "Reverb Send Level", 127, 0, pgControl),
};
#undef LFO_ROWS
#undef CONTROLLER_ROWS
}  // namespace

std::span<const TParamRow> PatchCommonRows() { return kCommonRows; }
std::span<const TParamRow> ToneRows() { return kToneRows; }
