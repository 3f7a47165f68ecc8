#include "editors/params/params.h"

#include <iterator>

// The effects of a patch common block (offsets 12 to 43) as data. Each of the 40 EFX types has
// its own meaning for the twelve parameter bytes 13 to 24; the effects page builds Page 2's
// controls from the selected type's rows, and vesta-cli prints the bytes through them.

namespace {

constexpr std::uint8_t kEffectsPage = 1;  // TCommon::pgEffects
constexpr std::uint8_t kPage1 = 0;
constexpr std::uint8_t kPage2 = 1;

// The highest code of the display modes the effect fields use. The phaser's manual frequency
// keeps the whole 100 Hz to 8 kHz scale the instrument accepts (codes 0 to 125).
constexpr int CodeHigh(TEditType mode) {
  switch (mode) {
    case Int100M8000HZ:
      return 125;
    case Int200M8000HZ:
      return 16;
    case Int200M8000HZBP:
      return 17;
    case Int05M90:
      return 4;
    case Int005M10HZ:
    case Int005M10HZNote:
    case Int0M100ms:
    case Int200M1000msNote:
      return 125;
    case Int0M500ms:
      return 126;
    case Int200M1000ms:
      return 115;
    case Balance:
    case BalanceL:
      return 100;
    default:
      return 127;
  }
}

constexpr TParamRow Row(int offset, int field, const char* caption, TParamControl control, int min,
                        int max, int scale = 1, int add = 0, TEditType mode = MinMax, int step = 1,
                        std::span<const char* const> items = {}, std::uint8_t tab = kPage2) {
  TParamRow row;
  row.Offset = static_cast<std::uint16_t>(offset);
  row.Caption = caption;
  row.Control = control;
  row.Min = static_cast<std::int16_t>(min);
  row.Max = static_cast<std::int16_t>(max);
  row.Scale = static_cast<std::int16_t>(scale);
  row.Add = static_cast<std::int16_t>(add);
  row.Mode = mode;
  row.Step = static_cast<std::int16_t>(step);
  row.Items = items;
  row.Page = kEffectsPage;
  row.Tab = tab;
  row.Field = static_cast<std::uint8_t>(field);
  return row;
}

// Slider 0 to 127, stored as shown.
constexpr TParamRow Slider(int offset, int field, const char* caption) {
  return Row(offset, field, caption, TParamControl::Slider, 0, 127);
}
// Stereo slider -64 to 63, stored shown + 64.
constexpr TParamRow Pan(int offset, int field, const char* caption) {
  return Row(offset, field, caption, TParamControl::StereoSlider, 0, 127, 1, -64);
}
// Drop-down list, stored = item index.
constexpr TParamRow List(int offset, int field, const char* caption,
                         std::span<const char* const> items) {
  return Row(offset, field, caption, TParamControl::List, 0, static_cast<int>(items.size()) - 1, 1,
             0, MinMax, 1, items);
}
// Value field of a fixed-scale display mode, stored as shown.
constexpr TParamRow Code(int offset, int field, const char* caption, TEditType mode) {
  return Row(offset, field, caption, TParamControl::Field, 0, CodeHigh(mode), 1, 0, mode);
}
// Value field showing shownMin to shownMax in steps of step; shown = stored × scale + add.
constexpr TParamRow Range(int offset, int field, const char* caption, TEditType mode, int shownMin,
                          int shownMax, int scale, int add, int step) {
  return Row(offset, field, caption, TParamControl::Field, (shownMin - add) / scale,
             (shownMax - add) / scale, scale, add, mode, step);
}
// -15 to +15 dB, stored shown + 15.
constexpr TParamRow Db(int offset, int field, const char* caption) {
  return Range(offset, field, caption, MinMaxDB, -15, 15, 1, -15, 1);
}
// -98 to +98 % in steps of 2, stored (shown + 98) div 2.
constexpr TParamRow Feedback(int offset, int field, const char* caption) {
  return Range(offset, field, caption, MinMaxPerc, -98, 98, 2, -98, 2);
}

// clang-format off
constexpr const char* kLowFreqItems[] = {"200 Hz", "400 Hz"};
constexpr const char* kHiFreqItems[] = {"4 Khz", "8 Khz"};
constexpr const char* kAmpTypeItems[] = {"Small", "Built-In", "2-Stack", "3-Stack"};
constexpr const char* kWahFilterItems[] = {"LPF", "BPF"};
constexpr const char* kSpeedItems[] = {"Slow", "Fast"};
constexpr const char* kPostGainItems[] = {"x1", "x2", "x4", "x8"};
constexpr const char* kRatioItems[] = {"1.5:1", "2:1", "4:1", "100:1"};
constexpr const char* kChorusFilterItems[] = {"Off", "LPF", "BPF"};
constexpr const char* kFeedbackModeItems[] = {"Normal", "Cross"};
constexpr const char* kPhaseItems[] = {"Normal", "Invert"};
constexpr const char* kReverbTypeItems[] = {"Room 1", "Room 2", "Stage 1", "Stage2", "Hall 1", "Hall 2"};
constexpr const char* kGateTypeItems[] = {"Normal", "Revers", "Sweep1", "Sweep2"};

// Type 0, "Stereo Equalizer".
constexpr TParamRow kStereoEqualizer[] = {
    List(13, 1, "Low Freq", kLowFreqItems),
    Db(14, 2, "Low Gain "),
    List(15, 3, "Hi Freq", kHiFreqItems),
    Db(16, 4, "Hi Gain "),
    Code(17, 5, "P1 Freq", Int200M8000HZ),
    Code(18, 6, "P1 Q", Int05M90),
    Db(19, 7, "P1 Gain "),
    Code(20, 8, "P2 Freq", Int200M8000HZ),
    Code(21, 9, "P2 Q", Int05M90),
    Db(22, 10, "P2 Gain "),
    Slider(23, 11, "Level Output"),
};
// Type 1, "Overdrive".
constexpr TParamRow kOverdrive[] = {
    Slider(13, 1, "Drive"),
    Pan(14, 6, "Pan"),
    List(15, 5, "Amp Type", kAmpTypeItems),
    Db(16, 3, "Low Gain "),
    Db(17, 4, "Hi Gain "),
    Slider(18, 2, "Level"),
};
// Type 2, "Distorsion".
constexpr TParamRow kDistorsion[] = {
    Slider(13, 1, "Drive"),
    Pan(14, 6, "Pan"),
    List(15, 5, "Amp Type", kAmpTypeItems),
    Db(16, 3, "Low Gain "),
    Db(17, 4, "Hi Gain "),
    Slider(18, 2, "Level"),
};
// Type 3, "Phaser".
constexpr TParamRow kPhaser[] = {
    Code(13, 1, "Manual", Int100M8000HZ),
    Code(14, 2, "Rate", Int005M10HZ),
    Slider(15, 3, "Depth"),
    Slider(16, 4, "Resonance"),
    Slider(17, 5, "Mix Level"),
    Pan(18, 6, "Pan"),
    Slider(19, 7, "Level"),
};
// Type 4, "Spectrum".
constexpr TParamRow kSpectrum[] = {
    Db(13, 1, "Band 1"),
    Db(14, 2, "Band 2"),
    Db(15, 3, "Band 3"),
    Db(16, 4, "Band 4"),
    Db(17, 5, "Band 5"),
    Db(18, 6, "Band 6"),
    Db(19, 7, "Band 7"),
    Db(20, 8, "Band 8"),
    Range(21, 9, "Width ", MinMax, 1, 5, 1, 1, 1),
    Pan(22, 10, "Pan"),
    Slider(23, 11, "Level"),
};
// Type 5, "Enhancer".
constexpr TParamRow kEnhancer[] = {
    Slider(13, 1, "Sens"),
    Slider(14, 2, "Mix Level"),
    Db(15, 3, "Low Gain"),
    Db(16, 4, "Hi Gain"),
    Slider(17, 5, "Level"),
};
// Type 6, "Auto-Waw".
constexpr TParamRow kAutoWaw[] = {
    List(13, 1, "Filter Type", kWahFilterItems),
    Code(14, 5, "Rate", Int005M10HZ),
    Slider(15, 6, "Depth"),
    Slider(16, 2, "Sens"),
    Slider(17, 3, "Manual"),
    Slider(18, 4, "Peak"),
    Slider(19, 7, "Level"),
};
// Type 7, "Rotary".
constexpr TParamRow kRotary[] = {
    Code(13, 5, "Hi Slow Rate", Int005M10HZ),
    Code(14, 1, "Low Slow", Int005M10HZ),
    Code(15, 6, "Hi Fast Rate", Int005M10HZ),
    Code(16, 2, "Low Fast", Int005M10HZ),
    List(17, 10, "Speed", kSpeedItems),
    Range(18, 7, "Hi Accel", MinMax, 0, 15, 1, 0, 1),
    Range(19, 3, "Low Accel", MinMax, 0, 15, 1, 0, 1),
    Slider(20, 8, "Hi Level"),
    Slider(21, 4, "Low Level"),
    Slider(22, 9, "Separation"),
    Slider(23, 11, "Level"),
};
// Type 8, "Compressor".
constexpr TParamRow kCompressor[] = {
    Slider(13, 2, "Sustain"),
    Slider(14, 1, "Attack"),
    Pan(15, 6, "Pan"),
    List(16, 3, "Post Gain", kPostGainItems),
    Db(17, 4, "Low Gain"),
    Db(18, 5, "Hi Gain"),
    Slider(19, 7, "Level"),
};
// Type 9, "Limiter".
constexpr TParamRow kLimiter[] = {
    Slider(13, 1, "Threshold"),
    Slider(14, 3, "Release"),
    List(15, 2, "Ratio", kRatioItems),
    Pan(16, 7, "Pan"),
    List(17, 4, "Post Gain", kPostGainItems),
    Db(18, 5, "Low Gain"),
    Db(19, 6, "Hi Gain"),
    Slider(20, 8, "Level"),
};
// Type 10, "Hexa-Chorus".
constexpr TParamRow kHexaChorus[] = {
    Code(13, 1, "Pre Delay", Int0M100ms),
    Code(14, 2, "Rate", Int005M10HZ),
    Slider(15, 3, "Depth"),
    Range(16, 4, "Dly Dev", MinMax, 0, 20, 1, 0, 1),
    Range(17, 5, "Dpt Dev", MinMaxS, -20, 20, 1, -20, 1),
    Range(18, 6, "Pan Dev", MinMax, 0, 20, 1, 0, 1),
    Code(19, 7, "Balance", Balance),
    Slider(20, 8, "Level"),
};
// Type 11, "Tremolo-Chorus".
constexpr TParamRow kTremoloChorus[] = {
    Code(13, 1, "Pre Delay", Int0M100ms),
    Code(14, 2, "Chorus Rate", Int005M10HZ),
    Slider(15, 3, "Chorus Depth"),
    Code(16, 5, "Tremolo Rate", Int005M10HZ),
    Slider(17, 6, "Tremolo Sep"),
    Range(18, 4, "Phase", MinMax, 0, 180, 2, 0, 2),
    Code(19, 7, "Balance", Balance),
    Slider(20, 8, "Level"),
};
// Type 12, "Space-D".
constexpr TParamRow kSpaceD[] = {
    Code(13, 1, "Pre Delay", Int0M100ms),
    Code(14, 2, "Chorus Rate", Int005M10HZ),
    Slider(15, 3, "Chorus Depth"),
    Db(16, 5, "Low Gain"),
    Db(17, 6, "Hi Gain"),
    Range(18, 4, "Phase", MinMax, 0, 180, 2, 0, 2),
    Code(19, 7, "Balance", Balance),
    Slider(20, 8, "Level"),
};
// Type 13, "Stereo-Chorus".
constexpr TParamRow kStereoChorus[] = {
    List(13, 5, "Filter Type", kChorusFilterItems),
    Code(14, 6, "Cutoff", Int200M8000HZ),
    Code(15, 1, "Pre Delay", Int0M100ms),
    Code(16, 2, "Chorus Rate", Int005M10HZ),
    Slider(17, 3, "Chorus Depth"),
    Range(18, 4, "Phase", MinMax, 0, 180, 2, 0, 2),
    Db(20, 7, "Low Gain"),
    Db(21, 8, "Hi Gain"),
    Code(22, 9, "Balance", Balance),
    Slider(23, 10, "Level"),
};
// Type 14, "Stereo-Flanger".
constexpr TParamRow kStereoFlanger[] = {
    List(13, 6, "Filter Type", kChorusFilterItems),
    Code(14, 7, "Cutoff", Int200M8000HZ),
    Code(15, 1, "Pre Delay", Int0M100ms),
    Code(16, 2, "LFO Rate", Int005M10HZ),
    Slider(17, 3, "LFO Depth"),
    Range(18, 5, "Phase", MinMax, 0, 180, 2, 0, 2),
    Feedback(19, 4, "Feedback"),
    Db(20, 8, "Low Gain"),
    Db(21, 9, "Hi Gain"),
    Code(22, 10, "Balance", Balance),
    Slider(23, 11, "Level"),
};
// Type 15, "Step-Flanger".
constexpr TParamRow kStepFlanger[] = {
    Code(13, 1, "Pre Delay", Int0M100ms),
    Code(14, 2, "LFO Rate", Int005M10HZ),
    Slider(15, 3, "LFO Depth"),
    Feedback(16, 4, "Feedback"),
    Code(17, 6, "Step Rate", Int005M10HZNote),
    Range(18, 5, "Phase", MinMax, 0, 180, 2, 0, 2),
    Db(19, 7, "Low Gain"),
    Db(20, 8, "Hi Gain"),
    Code(21, 9, "Balance", Balance),
    Slider(22, 10, "Level"),
};
// Type 16, "Stereo-Delay".
constexpr TParamRow kStereoDelay[] = {
    List(13, 4, "FeedBack Mode", kFeedbackModeItems),
    Code(14, 1, "Delay L", Int0M500ms),
    Code(15, 2, "Delay R", Int0M500ms),
    List(16, 5, "Phase L", kPhaseItems),
    List(17, 6, "Phase R", kPhaseItems),
    Feedback(18, 3, "Feedback"),
    Code(19, 7, "HF Damp", Int200M8000HZBP),
    Db(20, 8, "Low Gain"),
    Db(21, 9, "Hi Gain"),
    Code(22, 10, "Balance", Balance),
    Slider(23, 11, "Level"),
};
// Type 17, "Modulation-Delay".
constexpr TParamRow kModulationDelay[] = {
    List(13, 4, "FeedBack Mode", kFeedbackModeItems),
    Code(14, 1, "Delay L", Int0M500ms),
    Code(15, 2, "Delay R", Int0M500ms),
    Feedback(16, 3, "Feedback"),
    Code(17, 8, "HF Damp", Int200M8000HZBP),
    Code(18, 5, "Rate", Int005M10HZ),
    Slider(19, 6, "Depth"),
    Range(20, 7, "Phase", MinMax, 0, 180, 2, 0, 2),
    Db(21, 9, "Low Gain"),
    Db(22, 10, "Hi Gain"),
    Code(23, 11, "Balance", Balance),
    Slider(24, 12, "Level"),
};
// Type 18, "Triple-Tap-Delay".
constexpr TParamRow kTripleTapDelay[] = {
    Code(13, 2, "Delay L", Int200M1000msNote),
    Code(14, 3, "Delay R", Int200M1000msNote),
    Code(15, 1, "Delay C", Int200M1000msNote),
    Feedback(16, 4, "Feedback"),
    Code(17, 8, "HF Damp", Int200M8000HZBP),
    Slider(18, 6, "Level L"),
    Slider(19, 7, "Level R"),
    Slider(20, 5, "Level C"),
    Db(21, 9, "Low Gain"),
    Db(22, 10, "Hi Gain"),
    Code(23, 11, "Balance", Balance),
    Slider(24, 12, "Level"),
};
// Type 19, "Quadruple-Tap-Delay".
constexpr TParamRow kQuadrupleTapDelay[] = {
    Code(13, 1, "Delay 1", Int200M1000msNote),
    Code(14, 2, "Delay 2", Int200M1000msNote),
    Code(15, 3, "Delay 3", Int200M1000msNote),
    Code(16, 4, "Delay 4", Int200M1000msNote),
    Slider(17, 5, "Level 1"),
    Slider(18, 6, "Level 2"),
    Slider(19, 7, "Level 3"),
    Slider(20, 8, "Level 4"),
    Feedback(21, 9, "Feedback"),
    Code(22, 10, "HF Damp", Int200M8000HZBP),
    Code(23, 11, "Balance", Balance),
    Slider(24, 12, "Level"),
};
// Type 20, "Time-Control-delay".
constexpr TParamRow kTimeControlDelay[] = {
    Code(13, 1, "Delay", Int200M1000ms),
    Feedback(14, 3, "Feedback"),
    Range(15, 2, "Accel", MinMax, 0, 15, 1, 0, 1),
    Code(16, 5, "HF Damp", Int200M8000HZBP),
    Pan(17, 4, "Pan"),
    Db(18, 6, "Low Gain"),
    Db(19, 7, "Hi Gain"),
    Code(20, 8, "Balance", Balance),
    Slider(21, 9, "Level"),
};
// Type 21, "Voice-Pitch-Shifter".
constexpr TParamRow kVoicePitchShifter[] = {
    Range(13, 9, "Mode", MinMax, 1, 5, 1, 1, 1),
    Range(14, 1, "Coarse A", MinMaxS, -24, 12, 1, -24, 1),
    Range(15, 5, "Coarse B", MinMaxS, -24, 12, 1, -24, 1),
    Range(16, 2, "Fine A", MinMaxS, -100, 100, 2, -100, 2),
    Range(17, 6, "Fine B", MinMaxS, -100, 100, 2, -100, 2),
    Code(18, 4, "Pre Delay A", Int0M500ms),
    Code(19, 8, "Pre Delay B", Int0M500ms),
    Pan(20, 3, "Pan A"),
    Pan(21, 7, "Pan B"),
    Code(22, 10, "Level Bal", BalanceL),
    Code(23, 11, "Balance", Balance),
    Slider(24, 12, "Level"),
};
// Type 22, "FBK-Pitch-Shifter".
constexpr TParamRow kFbkPitchShifter[] = {
    Range(13, 5, "Mode", MinMax, 1, 5, 1, 1, 1),
    Range(14, 1, "Coarse", MinMaxS, -24, 12, 1, -24, 1),
    Range(15, 2, "Fine", MinMaxS, -100, 100, 2, -100, 2),
    Code(16, 4, "Pre Delay", Int0M500ms),
    Feedback(17, 6, "Feedback"),
    Pan(18, 3, "Pan"),
    Db(19, 7, "Low Gain"),
    Db(20, 8, "Hi Gain"),
    Code(21, 9, "Balance", Balance),
    Slider(22, 10, "Level"),
};
// Type 23, "Reverb".
constexpr TParamRow kReverb[] = {
    List(13, 1, "Rverb Type", kReverbTypeItems),
    Code(14, 2, "Pre Delay", Int0M500ms),
    Slider(15, 3, "Time"),
    Code(16, 4, "HF Damp", Int200M8000HZBP),
    Db(17, 5, "Low Gain"),
    Db(18, 6, "Hi Gain"),
    Code(19, 7, "Balance", Balance),
    Slider(20, 8, "Level"),
};
// Type 24, "Gate-Reverb". "Gate Time" shows 5 to 500 ms in steps of 5 over the instrument's codes
// 0 to 99 (shown = code × 5 + 5), so the byte stays inside 0 to 127 whatever the field shows.
constexpr TParamRow kGateReverb[] = {
    List(13, 1, "Rverb Type", kGateTypeItems),
    Code(14, 2, "Pre Delay", Int0M500ms),
    Range(15, 3, "Gate Time", MinMax, 5, 500, 5, 5, 5),
    Db(16, 4, "Low Gain"),
    Db(17, 5, "Hi Gain"),
    Code(18, 6, "Balance", Balance),
    Slider(19, 7, "Level"),
};
// Type 25, "Overdrive -> Chorus".
constexpr TParamRow kOverdriveToChorus[] = {
    Slider(13, 1, "Drive"),
    Pan(14, 2, "Pan"),
    Code(15, 3, "Pre Delay", Int0M500ms),
    Code(16, 4, "Rate", Int005M10HZ),
    Slider(17, 5, "Depth"),
    Code(19, 6, "Balance", Balance),
    Slider(20, 7, "Level"),
};
// Type 26, "Overdrive -> Flanger".
constexpr TParamRow kOverdriveToFlanger[] = {
    Slider(13, 1, "Drive"),
    Pan(14, 2, "Pan"),
    Code(15, 3, "Pre Delay", Int0M500ms),
    Code(16, 4, "Rate", Int005M10HZ),
    Slider(17, 5, "Depth"),
    Feedback(18, 6, "Feedback"),
    Code(19, 7, "Balance", Balance),
    Slider(20, 8, "Level"),
};
// Type 27, "Overdrive -> Delay".
constexpr TParamRow kOverdriveToDelay[] = {
    Slider(13, 1, "Drive"),
    Pan(14, 2, "Pan"),
    Code(15, 3, "Delay", Int0M500ms),
    Feedback(16, 4, "Feedback"),
    Code(17, 5, "HF Damp", Int200M8000HZBP),
    Code(18, 6, "Balance", Balance),
    Slider(19, 7, "Level"),
};
// Type 28, "Distorsion -> Chorus".
constexpr TParamRow kDistorsionToChorus[] = {
    Slider(13, 1, "Drive"),
    Pan(14, 2, "Pan"),
    Code(15, 3, "Pre Delay", Int0M500ms),
    Code(16, 4, "Rate", Int005M10HZ),
    Slider(17, 5, "Depth"),
    Code(19, 6, "Balance", Balance),
    Slider(20, 7, "Level"),
};
// Type 29, "Distorsion -> Flanger".
constexpr TParamRow kDistorsionToFlanger[] = {
    Slider(13, 1, "Drive"),
    Pan(14, 2, "Pan"),
    Code(15, 3, "Pre Delay", Int0M500ms),
    Code(16, 4, "Rate", Int005M10HZ),
    Slider(17, 5, "Depth"),
    Feedback(18, 6, "Feedback"),
    Code(19, 7, "Balance", Balance),
    Slider(20, 8, "Level"),
};
// Type 30, "Distorsion -> Delay".
constexpr TParamRow kDistorsionToDelay[] = {
    Slider(13, 1, "Drive"),
    Pan(14, 2, "Pan"),
    Code(15, 3, "Delay", Int0M500ms),
    Feedback(16, 4, "Feedback"),
    Code(17, 5, "HF Damp", Int200M8000HZBP),
    Code(18, 6, "Balance", Balance),
    Slider(19, 7, "Level"),
};
// Type 31, "Enhancer -> Chorus".
constexpr TParamRow kEnhancerToChorus[] = {
    Slider(13, 1, "Sens"),
    Slider(14, 2, "Mix"),
    Code(15, 3, "Pre Delay", Int0M100ms),
    Code(16, 4, "Rate", Int005M10HZ),
    Slider(17, 5, "Depth"),
    Code(19, 6, "Balance", Balance),
    Slider(20, 7, "Level"),
};
// Type 32, "Enhancer -> Flanger".
constexpr TParamRow kEnhancerToFlanger[] = {
    Slider(13, 1, "Sens"),
    Slider(14, 2, "Mix"),
    Code(15, 3, "Pre Delay", Int0M500ms),
    Code(16, 4, "Rate", Int005M10HZ),
    Slider(17, 5, "Depth"),
    Feedback(18, 6, "Feedback"),
    Code(19, 7, "Balance", Balance),
    Slider(20, 8, "Level"),
};
// Type 33, "Enhancer -> Delay".
constexpr TParamRow kEnhancerToDelay[] = {
    Slider(13, 1, "Sens"),
    Slider(14, 2, "Mix"),
    Code(15, 3, "Delay", Int0M500ms),
    Feedback(16, 4, "Feedback"),
    Code(17, 5, "HF Damp", Int200M8000HZBP),
    Code(19, 6, "Balance", Balance),
    Slider(20, 7, "Level"),
};
// Type 34, "Chorus -> Delay".
constexpr TParamRow kChorusToDelay[] = {
    Code(13, 1, "Delay", Int0M100ms),
    Code(14, 2, "Chorus Rate", Int005M10HZ),
    Slider(15, 3, "Chorus Depth"),
    Code(17, 4, "Chorus Balance", Balance),
    Code(18, 5, "Delay", Int0M500ms),
    Feedback(19, 6, "Dly Feedback"),
    Code(20, 7, "HF Damp", Int200M8000HZBP),
    Code(21, 8, "Dly Balance", Balance),
    Slider(22, 9, "Level"),
};
// Type 35, "Flanger -> Delay".
constexpr TParamRow kFlangerToDelay[] = {
    Code(13, 1, "Flg Pre Dly", Int0M100ms),
    Code(14, 2, "Flg Rate", Int005M10HZ),
    Slider(15, 3, "Flg Depth"),
    Feedback(16, 4, "Flg Feedback"),
    Code(17, 5, "Flg Balance", Balance),
    Code(18, 6, "Delay", Int0M500ms),
    Feedback(19, 7, "Dly Feedback"),
    Code(20, 8, "HF Damp", Int200M8000HZBP),
    Code(21, 9, "Dly Balance", Balance),
    Slider(22, 10, "Level"),
};
// Type 36, "Chorus -> Flanger".
constexpr TParamRow kChorusToFlanger[] = {
    Code(13, 1, "Cho Pre Dly", Int0M100ms),
    Code(14, 2, "Cho Rate", Int005M10HZ),
    Slider(15, 3, "Cho Depth"),
    Code(16, 4, "Cho Bal", Balance),
    Code(17, 5, "Flg Pre Dly", Int0M100ms),
    Code(18, 6, "Flg Rate", Int005M10HZ),
    Slider(19, 7, "Flg Depth"),
    Feedback(20, 8, "Flg Feedback"),
    Code(21, 9, "Flg Balance", Balance),
    Slider(22, 10, "Level"),
};
// Type 37, "Chorus / Delay".
constexpr TParamRow kChorusAndDelay[] = {
    Code(13, 1, "Delay", Int0M100ms),
    Code(14, 2, "Chorus Rate", Int005M10HZ),
    Slider(15, 3, "Chorus Depth"),
    Code(17, 4, "Chorus Balance", Balance),
    Code(18, 5, "Delay", Int0M500ms),
    Feedback(19, 6, "Dly Feedback"),
    Code(20, 7, "HF Damp", Int200M8000HZBP),
    Code(21, 8, "Dly Balance", Balance),
    Slider(22, 9, "Level"),
};
// Type 38, "Flanger / Delay".
constexpr TParamRow kFlangerAndDelay[] = {
    Code(13, 1, "Flg Pre Dly", Int0M100ms),
    Code(14, 2, "Flg Rate", Int005M10HZ),
    Slider(15, 3, "Flg Depth"),
    Feedback(16, 4, "Flg Feedback"),
    Code(17, 5, "Flg Balance", Balance),
    Code(18, 6, "Delay", Int0M500ms),
    Feedback(19, 7, "Dly Feedback"),
    Code(20, 8, "HF Damp", Int200M8000HZBP),
    Code(21, 9, "Dly Balance", Balance),
    Slider(22, 10, "Level"),
};
// Type 39, "Chorus / Flanger".
constexpr TParamRow kChorusAndFlanger[] = {
    Code(13, 1, "Cho Pre Dly", Int0M100ms),
    Code(14, 2, "Cho Rate", Int005M10HZ),
    Slider(15, 3, "Cho Depth"),
    Code(16, 4, "Cho Bal", Balance),
    Code(17, 5, "Flg Pre Dly", Int0M100ms),
    Code(18, 6, "Flg Rate", Int005M10HZ),
    Slider(19, 7, "Flg Depth"),
    Feedback(20, 8, "Flg Feedback"),
    Code(21, 9, "Flg Balance", Balance),
    Slider(22, 10, "Level"),
};
// clang-format on

constexpr TEffectType kTypes[] = {
    {"  1 : Stereo Equalizer", "Level", "----------", kStereoEqualizer},
    {"  2 : Overdrive", "Drive", "Pan", kOverdrive},
    {"  3 : Distorsion", "Drive", "Pan", kDistorsion},
    {"  4 : Phaser", "Manual", "Rate", kPhaser},
    {"  5 : Spectrum", "Pan", "Level", kSpectrum},
    {"  6 : Enhancer", "Sens", "Mix", kEnhancer},
    {"  7 : Auto-Waw", "Rate", "Manual", kAutoWaw},
    {"  8 : Rotary", "Speed", "Level", kRotary},
    {"  9 : Compressor", "Pan", "Level", kCompressor},
    {"10 : Limiter", "Pan", "Level", kLimiter},
    {"11 : Hexa-Chorus", "Rate", "Balance", kHexaChorus},
    {"12 : Tremolo-Chorus", "Trm Rate", "Balance", kTremoloChorus},
    {"13 : Space-D", "Rate", "Balance", kSpaceD},
    {"14 : Stereo-Chorus", "Rate", "Balance", kStereoChorus},
    {"15 : Stereo-Flanger", "Rate", "Feedback", kStereoFlanger},
    {"16 : Step-Flanger", "Step Rate", "Feedback", kStepFlanger},
    {"17 : Stereo-Delay", "Feedback", "Balance", kStereoDelay},
    {"18 : Modulation-Delay", "Rate", "Balance", kModulationDelay},
    {"19 : Triple-Tap-Delay", "FeedBack", "Balance", kTripleTapDelay},
    {"20 : Quadruple-Tap-Delay", "Feedback", "Balance", kQuadrupleTapDelay},
    {"21 : Time-Control-delay", "Delay", "Feedback", kTimeControlDelay},
    {"22 : Voice-Pitch-Shifter", "Coarse A", "Coarse B", kVoicePitchShifter},
    {"23 : FBK-Pitch-Shifter", "Coarse", "Feedback", kFbkPitchShifter},
    {"24 : Reverb", "Time", "Balance", kReverb},
    {"25 : Gate-Reverb", "Balance", "Level", kGateReverb},
    {"26 : Overdrive -> Chorus", "Pan", "Balance", kOverdriveToChorus},
    {"27 : Overdrive -> Flanger", "Pan", "Balance", kOverdriveToFlanger},
    {"28 : Overdrive -> Delay", "Pan", "Balance", kOverdriveToDelay},
    {"29 : Distorsion -> Chorus", "Pan", "Balance", kDistorsionToChorus},
    {"30 : Distorsion -> Flanger", "Pan", "Balance", kDistorsionToFlanger},
    {"31 : Distorsion -> Delay", "Pan", "Balance", kDistorsionToDelay},
    {"32 : Enhancer -> Chorus", "Sens", "Balance", kEnhancerToChorus},
    {"33 : Enhancer -> Flanger", "Sens", "Balance", kEnhancerToFlanger},
    {"34 : Enhancer -> Delay", "Sens", "Balance", kEnhancerToDelay},
    {"35 : Chorus -> Delay", "Cho Balance", "Dly Balance", kChorusToDelay},
    {"36 : Flanger -> Delay", "Flg Balance", "Dly Balance", kFlangerToDelay},
    {"37 : Chorus -> Flanger", "Cho Balance", "Flg Balance", kChorusToFlanger},
    {"38 : Chorus / Delay", "Cho Balance", "Dly Balance", kChorusAndDelay},
    {"39 : Flanger / Delay", "Flg Balance", "Dly Balance", kFlangerAndDelay},
    {"40 : Chorus / Flanger", "Cho Balance", "Flg Balance", kChorusAndFlanger},
};
static_assert(std::size(kTypes) == 40);

constexpr const char* kTypeItems[] = {
    "  1 : Stereo Equalizer",
    "  2 : Overdrive",
    "  3 : Distorsion",
    "  4 : Phaser",
    "  5 : Spectrum",
    "  6 : Enhancer",
    "  7 : Auto-Waw",
    "  8 : Rotary",
    "  9 : Compressor",
    "10 : Limiter",
    "11 : Hexa-Chorus",
    "12 : Tremolo-Chorus",
    "13 : Space-D",
    "14 : Stereo-Chorus",
    "15 : Stereo-Flanger",
    "16 : Step-Flanger",
    "17 : Stereo-Delay",
    "18 : Modulation-Delay",
    "19 : Triple-Tap-Delay",
    "20 : Quadruple-Tap-Delay",
    "21 : Time-Control-delay",
    "22 : Voice-Pitch-Shifter",
    "23 : FBK-Pitch-Shifter",
    "24 : Reverb",
    "25 : Gate-Reverb",
    "26 : Overdrive -> Chorus",
    "27 : Overdrive -> Flanger",
    "28 : Overdrive -> Delay",
    "29 : Distorsion -> Chorus",
    "30 : Distorsion -> Flanger",
    "31 : Distorsion -> Delay",
    "32 : Enhancer -> Chorus",
    "33 : Enhancer -> Flanger",
    "34 : Enhancer -> Delay",
    "35 : Chorus -> Delay",
    "36 : Flanger -> Delay",
    "37 : Chorus -> Flanger",
    "38 : Chorus / Delay",
    "39 : Flanger / Delay",
    "40 : Chorus / Flanger",
};

constexpr const char* kOutputItems[] = {"Mix", "Output 1", "Output 2"};
constexpr const char* kSourceItems[] = {"Off",        "Sys-Ctrl 1", "Sys-Ctrl 2", "Modulation",
                                        "Breath",     "Foot",       "Volume",     "Pan",
                                        "Expression", "Bender",     "AfterTouch"};
constexpr const char* kChorusOutputItems[] = {"Mix", "Reverb", "Mix+Reverb"};
constexpr const char* kReverbTypePage1Items[] = {"Room 1", "Room 2", "Stage 1", "Stage 2",
                                                 "Hall 1", "Hall 2", "Delay",   "Pan-Dly"};
constexpr const char* kHfDampItems[] = {"200",  "250",  "315",  "400",  "500",  "630",
                                        "800",  "1000", "1250", "1600", "2000", "2500",
                                        "3150", "4000", "5000", "6300", "8000", "ByPass"};
constexpr const char* kEfxSourceItems[] = {"Perform", "1", "2",  "3",  "4",  "5",  "6",  "7",
                                           "8",       "9", "11", "12", "13", "14", "15", "16"};

constexpr TParamRow Page1(int offset, const char* caption, TParamControl control, int max,
                          int add = 0, std::span<const char* const> items = {}) {
  return Row(offset, 0, caption, control, 0, max, 1, add, MinMax, 1, items, kPage1);
}

constexpr TParamRow kPageRows[] = {
    Row(12, 0, "EFX Type", TParamControl::List, 0, 39, 1, 0, MinMax, 1, kTypeItems, kPage2),
    Page1(25, "EFX Output Assign", TParamControl::List, 2, 0, kOutputItems),
    Page1(26, "EFX Output Level", TParamControl::Slider, 127),
    Page1(27, "EFX Chorus Send Lev", TParamControl::Slider, 127),
    Page1(28, "EFX Reverb Send Lev", TParamControl::Slider, 127),
    Page1(29, "EFX Control Source 1", TParamControl::List, 10, 0, kSourceItems),
    Page1(30, "EFX Control Depth 1", TParamControl::Slider, 126, -63),
    Page1(31, "EFX Control Source 2", TParamControl::List, 10, 0, kSourceItems),
    Page1(32, "EFX Control Depth 2", TParamControl::Slider, 126, -63),
    Page1(33, "Chorus Level", TParamControl::Slider, 127),
    Page1(34, "Chorus Rate", TParamControl::Slider, 127),
    Page1(35, "Chorus Depth", TParamControl::Slider, 127),
    Page1(36, "Chorus Pre-Delay", TParamControl::Slider, 127),
    Page1(37, "Chorus Feedback", TParamControl::Slider, 127),
    Page1(38, "Chorus Output Assign", TParamControl::List, 2, 0, kChorusOutputItems),
    Page1(39, "Reverb Type", TParamControl::List, 7, 0, kReverbTypePage1Items),
    Page1(40, "Reverb Level", TParamControl::Slider, 127),
    Page1(41, "Reverb Time", TParamControl::Slider, 127),
    Page1(42, "Reverb HF Damp ", TParamControl::Picture, 17, 0, kHfDampItems),
    Page1(43, "Reverb Feedback", TParamControl::Slider, 127),
};

// Performance common byte 12: whose EFX the performance uses (its own, or a part's; the rhythm
// part 10 has none to offer).
constexpr TParamRow kEfxSource =
    Row(12, 0, "EFX Source", TParamControl::List, 0, 15, 1, 0, MinMax, 1, kEfxSourceItems, kPage1);

}  // namespace

std::span<const TEffectType> EffectTypes() {
  return kTypes;
}

std::span<const TParamRow> EffectPageRows() {
  return kPageRows;
}

const TParamRow& EfxSourceRow() {
  return kEfxSource;
}

TParamRow ShiftedRow(const TParamRow& row, int by) {
  TParamRow shifted = row;
  shifted.Offset = static_cast<std::uint16_t>(row.Offset + by);
  return shifted;
}
