// The morph (the blend of one value, the offsets each box lets through, the wave kept whole, the
// bank from A to B) and the random bank generator (the bank of each box setting for a seed).
#include <set>
#include <vector>

#include <QCryptographicHash>

#include <gtest/gtest.h>

#include "tools/bankrandomizer.h"
#include "tools/patchmorph.h"
#include "toolsfixture.h"

namespace {
struct TPair {
  TPatch A{nullptr};
  TPatch B{nullptr};
  TPatch Result{nullptr};
  TPatchMorph Morph;
  explicit TPair(unsigned seed = 1) {
    std::mt19937 gen(seed);
    FillRandom(A, gen);
    FillRandom(B, gen);
    A.SetName("Patch A", false);
    B.SetName("Patch B", false);
    // One effect type, and different wave groups, unless a test says otherwise.
    B.Common.StoreByte(12, A.Common.GetByte(12));
    for (TTone& tone : A.Tones) tone.StoreByte(1, 0);
    for (TTone& tone : B.Tones) tone.StoreByte(1, 2);
    Morph.SetPatches(A, B);
  }
  // Whether each common and tone offset of the result holds B's value (else A's).
  void ExpectFromB(const std::set<int>& commonA, const std::set<int>& toneA) {
    for (int b = 0; b < 72; ++b) {
      const TPatch& from = commonA.count(b) ? A : B;
      EXPECT_EQ(Result.Common.GetByte(b), from.Common.GetByte(b)) << "common " << b;
    }
    for (int t = 0; t < 4; ++t)
      for (int b = 0; b < 129; ++b) {
        const TPatch& from = toneA.count(b) ? A : B;
        EXPECT_EQ(Result.Tones[t].GetByte(b), from.Tones[t].GetByte(b))
            << "tone " << t + 1 << " offset " << b;
      }
  }
};

std::set<int> Range(int first, int last) {
  std::set<int> offsets;
  for (int b = first; b <= last; ++b) offsets.insert(b);
  return offsets;
}
std::set<int> Plus(std::set<int> a, const std::set<int>& b) {
  a.insert(b.begin(), b.end());
  return a;
}
}  // namespace

TEST(TPatchMorphTest, OneValueIsTheNearestIntegerOfTheWeightedMean) {
  struct {
    int a, b, k, expected;
  } cases[] = {
      {10, 20, 0, 10},   {10, 20, 127, 20}, {0, 127, 64, 64}, {0, 100, 1, 1},
      {0, 1, 63, 0},     {0, 1, 64, 1},     {127, 0, 1, 126}, {100, 0, 63, 50},
      {255, 0, 64, 126}, {64, 64, 77, 64},  {5, 90, 100, 72},
  };
  // e.g. 0 and 1 at 63: 63 / 127 = 0.496 gives 0; at 64: 0.504 gives 1; 5 and 90 at 100:
  // (27 × 5 + 100 × 90) / 127 = 71.93 gives 72.
  for (const auto& c : cases)
    EXPECT_EQ(MorphValue(c.a, c.b, c.k), c.expected) << c.a << " " << c.b << " " << c.k;
}

TEST(TPatchMorphTest, StepZeroIsAAndStep127IsBWhereMorphedAndOnlyOneEffectTypeIsMorphed) {
  TPair pair;
  pair.Morph.UpdatePatch(0, pair.Result);
  EXPECT_EQ(pair.Result.Common.Image, pair.A.Common.Image);
  for (int t = 0; t < 4; ++t) EXPECT_EQ(pair.Result.Tones[t].Image, pair.A.Tones[t].Image);
  // Defaults: the name and effect type stay A's, and so do coarse and fine tune.
  pair.Morph.UpdatePatch(127, pair.Result);
  pair.ExpectFromB(Range(0, 12), {61, 62});
  EXPECT_EQ(pair.Result.GetName(), "Patch A");
  // Every box checked: only the name and the effect type.
  pair.Morph.Checked.fill(true);
  pair.Morph.UpdatePatch(127, pair.Result);
  pair.ExpectFromB(Range(0, 12), {});
  // Different effect types: the effect parameters stay A's too.
  pair.B.Common.StoreByte(12, static_cast<std::uint8_t>((pair.A.Common.GetByte(12) + 1) % 40));
  pair.Morph.SetPatches(pair.A, pair.B);
  EXPECT_FALSE(pair.Morph.EfxEnabled);
  pair.Morph.UpdatePatch(127, pair.Result);
  pair.ExpectFromB(Range(0, 24), {});
}

TEST(TPatchMorphTest, EachUncheckedBoxKeepsItsOffsetsA) {
  struct {
    TMorphBox box;
    std::set<int> common;
    std::set<int> tone;
  } cases[] = {
      {mbOnOff, {51, 54, 55, 56, 64, 67}, {0, 16, 17, 18, 19, 46, 54}},
      {mbWaveNumber, {}, {1, 2, 3, 4}},
      {mbPanCtrlSwitch, {}, {20}},
      {mbToneDelayMode, {}, {9}},
      {mbLfoExternalSync, {}, {52, 60}},
      {mbLfoWaveform, {}, {45, 53}},
      {mbLfoFadeMode, {}, {50, 58}},
      {mbOutputAssign, {}, {125}},
      {mbTvaBiasDirection, {}, {102}},
      {mbTvfFilterType, {}, {80}},
      {mbEfxParameter, Range(13, 24), {}},
      {mbChorusOutputAssign, {38}, {}},
      {mbReverbType, {39}, {}},
      {mbEfxOutputAssign, {25}, {}},
      {mbHoldPeak, {60, 61, 62, 63}, {}},
      {mbStructureType, {68, 70}, {}},
      {mbBoosterLevel, {69, 71}, {}},
      {mbStretchTuneDepth, {66}, {}},
      {mbCoarseTune, {}, {61}},
      {mbFineTune, {}, {62}},
      {mbCommon, Range(0, 71), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(MorphBoxCaption(c.box).toStdString());
    TPair pair;
    pair.Morph.Checked.fill(true);
    pair.Morph.Checked[c.box] = false;
    pair.Morph.UpdatePatch(127, pair.Result);
    pair.ExpectFromB(Plus(Range(0, 12), c.common), c.tone);
  }
  // An unchecked tone keeps all of A's tone; the others are morphed.
  TPair pair;
  pair.Morph.Checked.fill(true);
  pair.Morph.Checked[mbTone3] = false;
  pair.Morph.UpdatePatch(127, pair.Result);
  EXPECT_EQ(pair.Result.Tones[2].Image, pair.A.Tones[2].Image);
  EXPECT_EQ(pair.Result.Tones[1].GetByte(100), pair.B.Tones[1].GetByte(100));
}

TEST(TPatchMorphTest, TheWaveIsOneChoice) {
  TPair pair;
  auto wave = [](TPatch& patch, int type, int group, int number) {
    for (TTone& tone : patch.Tones) {
      tone.StoreByte(1, static_cast<std::uint8_t>(type));
      tone.StoreByte(2, static_cast<std::uint8_t>(group));
      tone.StoreByte(3, static_cast<std::uint8_t>(number / 16));
      tone.StoreByte(4, static_cast<std::uint8_t>(number % 16));
    }
  };
  auto resultWave = [&](int tone) {
    const TTone& t = pair.Result.Tones[tone];
    return std::array<int, 4>{t.GetByte(1), t.GetByte(2), t.GetByte(3), t.GetByte(4)};
  };
  // Same group: wave 63 (3, 15) to wave 65 (4, 1) at step 64 is wave 64 (4, 0), where the
  // halves blended apart would give (4, 8).
  wave(pair.A, 0, 1, 63);
  wave(pair.B, 0, 1, 65);
  pair.Morph.UpdatePatch(64, pair.Result);
  EXPECT_EQ(resultWave(0), (std::array<int, 4>{0, 1, 4, 0}));
  // Internal to expansion board 3: never the PCM card in between; A's wave up to step 63,
  // B's from step 64.
  wave(pair.A, 0, 2, 200);
  wave(pair.B, 2, 3, 17);
  pair.Morph.UpdatePatch(63, pair.Result);
  EXPECT_EQ(resultWave(1), (std::array<int, 4>{0, 2, 12, 8}));
  pair.Morph.UpdatePatch(64, pair.Result);
  EXPECT_EQ(resultWave(1), (std::array<int, 4>{2, 3, 1, 1}));
}

TEST(TPatchMorphTest, TheBankGoesFromAToBInNamedSteps) {
  for (bool all : {false, true}) {
    TPair pair;
    if (all) pair.Morph.Checked.fill(true);
    TPatchBank bank(nullptr);
    bank.Patch(3).Selected = true;
    pair.Morph.FillBank(bank);
    EXPECT_EQ(bank.Name, "MorphBank");
    EXPECT_EQ(bank.Patch(0).GetName(), "Patch A");
    EXPECT_EQ(bank.Patch(42).GetName(), "Morph042");
    EXPECT_FALSE(bank.Patch(3).Selected);
    // A step in the middle is the blend of its index.
    pair.Morph.UpdatePatch(42, pair.Result);
    EXPECT_EQ(bank.Patch(42).Tones[1].Data()[90], pair.Result.Tones[1].Data()[90]);
    EXPECT_EQ(bank.Patch(42).Common.GetByte(47),
              MorphValue(pair.A.Common.GetByte(47), pair.B.Common.GetByte(47), 42));
    // The last patch: B itself only with every box checked; otherwise step 127 with A's
    // coarse tune.
    TPatch& last = bank.Patch(127);
    if (all) {
      EXPECT_EQ(last.GetName(), "Patch B");
      EXPECT_EQ(last.Common.Image, pair.B.Common.Image);
      for (int t = 0; t < 4; ++t) EXPECT_EQ(last.Tones[t].Image, pair.B.Tones[t].Image);
    } else {
      EXPECT_EQ(last.GetName(), "Morph127");
      EXPECT_EQ(last.Tones[0].GetByte(61), pair.A.Tones[0].GetByte(61));
    }
    // The members keep their places in the bank.
    EXPECT_EQ(last.Number, 128);
    EXPECT_FALSE(last.Temporary);
  }
}

namespace {
struct TBanks {
  TPatchBank Source{nullptr};
  TPatchBank Result{nullptr};
  TBanks() {
    FillRandom(Source, 7);
    const char* names[] = {"Soft Pad 2!", "BRASS-09", "y.Z (x)", "", "aeiou AEIOU", "12/34 #&"};
    for (int i = 0; i < 6; ++i) Source.Patch(i).SetName(QString::fromLatin1(names[i]), false);
  }
};

// The first 16 hexadecimal digits of the MD5 sum of the bank's .Syx bytes.
std::string Digest(TPatchBank& bank) {
  const QByteArray md5 = QCryptographicHash::hash(bank.SysexBytes(false), QCryptographicHash::Md5);
  return md5.toHex().left(16).toStdString();
}
}  // namespace

// Every box, the name alone, no box, and the common block and tones 2 and 4 unchecked, for two
// seeds; each bank followed by a Randomize Patch that continues the sequence. The sums were taken
// from banks that a plain reimplementation of the generator's draws and copies gave alike.
TEST(TBankRandomizerTest, EachBoxGivesItsBankForTheSeed) {
  const struct {
    TRandomOptions Options;
    const char* Digests[2];
  } cases[] = {
      {{}, {"844de34cc8053d74", "d8378d889f0feb81"}},
      {{true, true, {true, true, true, true}, true}, {"2d8e464df76c0001", "e3e864ef3e668f47"}},
      {{false, true, {false, false, false, false}, false},
       {"959450581d65cb75", "54519dccf1177c9f"}},
      {{false, false, {false, false, false, false}, false},
       {"9442ffcee99cbd82", "9442ffcee99cbd82"}},
      {{false, false, {false, false, false, false}, true},
       {"9442ffcee99cbd82", "9442ffcee99cbd82"}},
      {{false, false, {true, false, true, false}, false}, {"a22679ec835f6c1d", "3b90cdfa089e046f"}},
  };
  for (const auto& c : cases) {
    for (int s = 0; s < 2; ++s) {
      SCOPED_TRACE(testing::Message() << &c - cases << " seed " << s);
      TBanks banks;
      TBankRandomizer randomizer;
      randomizer.Options = c.Options;
      const std::uint32_t seed = s ? 0xDEADBEEFu : 77u;
      randomizer.RandomizeBank(banks.Source, banks.Result, seed);
      if (&c - cases == 2 && s == 0) {
        EXPECT_EQ(banks.Result.Patch(1).GetName(), "DHUSD-09");
      }
      randomizer.RandomizePatch(banks.Source, banks.Result, 5);
      EXPECT_EQ(Digest(banks.Result), c.Digests[s]);
      // No box: the source bank itself, and not one draw taken.
      const TRandomOptions& o = c.Options;
      if (!o.Common && !o.PatchName && o.Tones == std::array<bool, 4>{}) {
        EXPECT_EQ(randomizer.Rng.Seed, seed);
      }
    }
  }
}
