#include "tools/patchmorph.h"

#include <stdexcept>

#include "model/patchbank.h"

namespace {
const char* const kCaptions[kMorphBoxCount] = {
    " On/Off ",
    " Wave Number",
    " Pan Ctrl Switch",
    " Tone Delay Mode",
    " LFO External sync",
    " LFO Waveform",
    " LFO Fade Mode",
    " Output Assign",
    " TVA Bias Direction",
    " TVF Filter Type",
    " EFX Parameter",
    " Chorus Ouput Assign",
    " Reverb Type",
    " EFX Output Assign",
    " Hold Peak",
    " Structure Type",
    " Booster Level",
    " Stretch Tune Depth",
    " Coarse Tune",
    " Fine Tune",
    " Common",
    " Tone 1",
    " Tone 2",
    " Tone 3",
    " Tone 4",
};

constexpr int kEffectTypeOffset = 12;
}  // namespace

QString MorphBoxCaption(int box) {
  return QString::fromLatin1(kCaptions[box]);
}

int MorphValue(int a, int b, int k) {
  // 127 is odd, so the exact quotient never ends in one half: rounding up from + 127 / 2 is
  // the nearest integer.
  return (2 * ((127 - k) * a + k * b) + 127) / 254;
}

TPatchMorph::TPatchMorph() {
  Checked.fill(true);
  Checked[mbCoarseTune] = false;
  Checked[mbFineTune] = false;
}

void TPatchMorph::SetPatches(const TPatch& a, const TPatch& b) {
  a_ = &a;
  b_ = &b;
  EfxEnabled = a.Common.GetByte(kEffectTypeOffset) == b.Common.GetByte(kEffectTypeOffset);
}

bool TPatchMorph::AllChecked() const {
  for (bool on : Checked)
    if (!on) return false;
  return true;
}

bool TPatchMorph::UseCommonParameter(int offset) const {
  if (offset <= kEffectTypeOffset) return false;  // the name and the effect type
  if (offset <= 24) return Checked[mbEfxParameter] && EfxEnabled;
  switch (offset) {
    case 25:
      return Checked[mbEfxOutputAssign];
    case 38:
      return Checked[mbChorusOutputAssign];
    case 39:
      return Checked[mbReverbType];
    case 51:
    case 54:
    case 55:
    case 56:
    case 64:
    case 67:
      return Checked[mbOnOff];
    case 60:
    case 61:
    case 62:
    case 63:
      return Checked[mbHoldPeak];
    case 66:
      return Checked[mbStretchTuneDepth];
    case 68:
    case 70:
      return Checked[mbStructureType];
    case 69:
    case 71:
      return Checked[mbBoosterLevel];
    default:
      return true;
  }
}

bool TPatchMorph::UseToneParameter(int offset) const {
  switch (offset) {
    case 0:
    case 16:
    case 17:
    case 18:
    case 19:
    case 46:
    case 54:
      return Checked[mbOnOff];
    case 1:
    case 2:
    case 3:
    case 4:
      return Checked[mbWaveNumber];
    case 9:
      return Checked[mbToneDelayMode];
    case 20:
      return Checked[mbPanCtrlSwitch];
    case 45:
    case 53:
      return Checked[mbLfoWaveform];
    case 50:
    case 58:
      return Checked[mbLfoFadeMode];
    case 52:
    case 60:
      return Checked[mbLfoExternalSync];
    case 61:
      return Checked[mbCoarseTune];
    case 62:
      return Checked[mbFineTune];
    case 80:
      return Checked[mbTvfFilterType];
    case 102:
      return Checked[mbTvaBiasDirection];
    case 125:
      return Checked[mbOutputAssign];
    default:
      return true;
  }
}

void TPatchMorph::MorphWave(const std::uint8_t* a, const std::uint8_t* b, int k,
                            std::uint8_t* result) const {
  // Data bytes 1 and 2 name the wave group, 3 and 4 the wave within it. A wave is one choice:
  // blending the group bytes would land on groups (the PCM card between internal and
  // expansion) and waves nobody chose.
  if (a[1] == b[1] && a[2] == b[2]) {
    const int wave = MorphValue(a[3] * 16 + a[4], b[3] * 16 + b[4], k);
    result[3] = static_cast<std::uint8_t>(wave / 16);
    result[4] = static_cast<std::uint8_t>(wave % 16);
  } else {
    const std::uint8_t* from = k >= 64 ? b : a;
    std::copy(from + 1, from + 5, result + 1);
  }
}

void TPatchMorph::UpdatePatch(int k, TPatch& result) const {
  if (!a_ || !b_) throw std::logic_error("morph without patches");
  const TPatch& a = *a_;
  const TPatch& b = *b_;
  result.Common.Image = a.Common.Image;
  for (int t = 0; t < TPatch::kToneCount; ++t) result.Tones[t].Image = a.Tones[t].Image;
  if (Checked[mbCommon]) {
    for (int offset = 0; offset < TCommon::kDataSize; ++offset)
      if (UseCommonParameter(offset))
        result.Common.StoreByte(
            offset, static_cast<std::uint8_t>(
                        MorphValue(a.Common.GetByte(offset), b.Common.GetByte(offset), k)));
  }
  for (int t = 0; t < TPatch::kToneCount; ++t) {
    if (!Checked[mbTone1 + t]) continue;
    const TTone& toneA = a.Tones[t];
    const TTone& toneB = b.Tones[t];
    TTone& tone = result.Tones[t];
    for (int offset = 0; offset < TTone::kDataSize; ++offset) {
      if (offset >= 1 && offset <= 4) continue;
      if (UseToneParameter(offset))
        tone.StoreByte(offset, static_cast<std::uint8_t>(
                                   MorphValue(toneA.GetByte(offset), toneB.GetByte(offset), k)));
    }
    if (Checked[mbWaveNumber]) MorphWave(toneA.Data(), toneB.Data(), k, tone.Data());
  }
}

void TPatchMorph::FillBank(TPatchBank& bank) const {
  bank.Name = QStringLiteral("MorphBank");
  const bool toB = AllChecked();
  for (int i = 0; i < TPatchBank::kMemberCount; ++i) {
    TPatch& patch = bank.Patch(i);
    patch.Selected = false;
    if (i == TPatchBank::kMemberCount - 1 && toB) {
      // B's sound, in the bank's last place.
      patch.Common.Image = b_->Common.Image;
      for (int t = 0; t < TPatch::kToneCount; ++t) patch.Tones[t].Image = b_->Tones[t].Image;
      continue;
    }
    UpdatePatch(i, patch);
    if (i > 0) patch.SetName(QStringLiteral("Morph%1").arg(i, 3, 10, QLatin1Char('0')), false);
  }
}
