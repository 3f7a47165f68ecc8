#pragma once
// TPatchMorph: blends two patches A and B into the patch at step k of 0 (A) to 127 (B), value
// by value, for the parameters the user allows; and the bank of all 128 steps.
#include <array>

#include <QString>

class TPatch;
class TPatchBank;

// The check boxes of the morph: the parameters that may be blended, then the blocks.
enum TMorphBox {
  mbOnOff,
  mbWaveNumber,
  mbPanCtrlSwitch,
  mbToneDelayMode,
  mbLfoExternalSync,
  mbLfoWaveform,
  mbLfoFadeMode,
  mbOutputAssign,
  mbTvaBiasDirection,
  mbTvfFilterType,
  mbEfxParameter,
  mbChorusOutputAssign,
  mbReverbType,
  mbEfxOutputAssign,
  mbHoldPeak,
  mbStructureType,
  mbBoosterLevel,
  mbStretchTuneDepth,
  mbCoarseTune,
  mbFineTune,
  mbCommon,
  mbTone1,
  mbTone2,
  mbTone3,
  mbTone4,
  kMorphBoxCount
};
inline constexpr int kMorphParameterBoxes = mbCommon;

// The box's caption as the window shows it (" On/Off ", " Tone 1", ...).
QString MorphBoxCaption(int box);

// The nearest integer to ((127 - k) × a + k × b) / 127.
int MorphValue(int a, int b, int k);

class TPatchMorph {
 public:
  // Every box checked except " Coarse Tune" and " Fine Tune".
  TPatchMorph();

  // " EFX Parameter" counts only for patches of one effect type.
  void SetPatches(const TPatch& a, const TPatch& b);

  bool UseCommonParameter(int offset) const;
  bool UseToneParameter(int offset) const;
  // Every box is checked, both groups.
  bool AllChecked() const;

  // result becomes A blended towards B at step k. Only the sound data of result changes: its
  // name, place and flags as an element stay its own.
  void UpdatePatch(int k, TPatch& result) const;
  // Patch i of the bank becomes step i (named "Morph" and three digits from step 1 on; step 0
  // keeps A's name), except that with every box checked patch 127 is B. The bank is named
  // "MorphBank" and its patches are unselected.
  void FillBank(TPatchBank& bank) const;

  std::array<bool, kMorphBoxCount> Checked;
  bool EfxEnabled = true;

 private:
  // Tone bytes 1 to 4 (wave group type and number, wave number in two halves) as one wave.
  void MorphWave(const std::uint8_t* a, const std::uint8_t* b, int k, std::uint8_t* result) const;

  const TPatch* a_ = nullptr;
  const TPatch* b_ = nullptr;
};
