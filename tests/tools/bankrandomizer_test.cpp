// The random bank generator: its random numbers, what each box keeps or draws, and the order of
// the draws that makes a seed give one bank.
#include <vector>

#include <gtest/gtest.h>

#include "tools/bankrandomizer.h"
#include "toolsfixture.h"

namespace {
struct TBanks {
  TPatchBank Source{nullptr};
  TPatchBank Result{nullptr};
  TBanks() { FillRandom(Source, 7); }
};

bool SameSound(TPatch& a, TPatch& b) {
  if (a.Common.Image != b.Common.Image) return false;
  for (int t = 0; t < 4; ++t)
    if (a.Tones[t].Image != b.Tones[t].Image) return false;
  return true;
}

// The generator as described, worked out here on its own: the draws, then each block put
// together from the sources they name.
class TReference {
 public:
  explicit TReference(std::uint32_t seed) : seed_(seed) {}
  int Random(int n) {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<int>((std::uint64_t{seed_} * static_cast<std::uint64_t>(n)) >> 32);
  }
  std::pair<int, int> Choose() {
    const int patch = Random(128);
    return {patch, Random(4) % 3};
  }
  // Patch i with every box checked.
  void Patch(TPatchBank& source, TPatch& out, int i, bool toneCommon) {
    TPatch& own = source.Patch(i);
    if (toneCommon) {
      out.Common.Image = source.Patch(Choose().first).Common.Image;
    } else {
      const int first = Choose().first;
      const int second = Choose().first;
      for (int b = 0; b < 72; ++b)
        out.Common.StoreByte(b,
                             source.Patch(b >= 12 && b <= 43 ? second : first).Common.GetByte(b));
    }
    for (int t = 0; t < 4; ++t) {
      if (toneCommon) {
        const auto [patch, tone] = Choose();
        out.Tones[t].Image = source.Patch(patch).Tones[tone].Image;
        continue;
      }
      const std::vector<std::vector<int>> groups = {Span(0, 10),
                                                    Join(Span(11, 44), Span(125, 128)),
                                                    Join(Span(45, 52), {123, 117, 99, 78}),
                                                    Join(Span(53, 60), {124, 118, 100, 79}),
                                                    Span(61, 77),
                                                    Span(80, 98),
                                                    Join(Span(101, 116), Span(119, 122))};
      for (const auto& group : groups) {
        const auto [patch, tone] = Choose();
        for (int b : group) out.Tones[t].StoreByte(b, source.Patch(patch).Tones[tone].GetByte(b));
      }
    }
    QByteArray name = own.GetName().toLatin1();
    for (char& c : name) {
      const bool upper = !(c >= 'a' && c <= 'z');
      const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
      if (QByteArray("aeiou").contains(lower))
        c = "aeiou"[Random(5)];
      else if (QByteArray("pytrwqsdfghjklmnbvcxz").contains(lower))
        c = "pytrwqsdfghjklmnbvcxz"[Random(21)];
      else
        continue;
      if (upper) c = static_cast<char>(c - 32);
    }
    out.SetName(QString::fromLatin1(name), false);
  }

 private:
  static std::vector<int> Span(int first, int last) {
    std::vector<int> offsets;
    for (int b = first; b <= last; ++b) offsets.push_back(b);
    return offsets;
  }
  static std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  }
  std::uint32_t seed_;
};
}  // namespace

TEST(TBankRandomizerTest, FixedSeedGivesTheGeneratorsFirstDraws) {
  // Seed 12345: 12345 × 134775813 + 1 = 1663807411486 ≡ 1655067934 (mod 2³²), and
  // 1655067934 × 128 / 2³² = 49.3... gives 49; the next seeds follow the same way.
  TLcgRandom rng(12345);
  const int n[] = {128, 4, 128, 4, 5, 21};
  const std::uint32_t seeds[] = {1655067934u, 1242767767u, 342459380u,
                                 2377737157u, 2721613530u, 1467157059u};
  const int draws[] = {49, 1, 10, 2, 3, 7};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(rng.Random(n[i]), draws[i]) << i;
    EXPECT_EQ(rng.Seed, seeds[i]) << i;
  }
  // The same draws as a source choice: patch 49 tone 2, then patch 10 tone 3.
  TBankRandomizer randomizer;
  randomizer.Rng.Seed = 12345;
  randomizer.ChooseSource();
  EXPECT_EQ(randomizer.SourcePatch, 49);
  EXPECT_EQ(randomizer.SourceTone, 2);
  randomizer.ChooseSource();
  EXPECT_EQ(randomizer.SourcePatch, 10);
  EXPECT_EQ(randomizer.SourceTone, 3);
}

TEST(TBankRandomizerTest, WithEveryBoxUncheckedEachResultIsItsSource) {
  for (bool toneCommon : {false, true}) {
    TBanks banks;
    TBankRandomizer randomizer;
    randomizer.Options = {false, false, {false, false, false, false}, toneCommon};
    randomizer.RandomizeBank(banks.Source, banks.Result, 5);
    for (int i = 0; i < 128; ++i)
      EXPECT_TRUE(SameSound(banks.Source.Patch(i), banks.Result.Patch(i))) << i;
    EXPECT_EQ(randomizer.Rng.Seed, 5u) << "nothing was drawn";
  }
}

TEST(TBankRandomizerTest, OnlyThePatchNameScramblesLettersInPlace) {
  TBanks banks;
  const char* names[] = {"Soft Pad 2!", "BRASS-09", "y.Z (x)", "", "aeiou AEIOU", "12/34 #&"};
  for (int i = 0; i < 6; ++i) banks.Source.Patch(i).SetName(QString::fromLatin1(names[i]), false);
  TBankRandomizer randomizer;
  randomizer.Options = {false, true, {false, false, false, false}, false};
  randomizer.RandomizeBank(banks.Source, banks.Result, 77);
  int changed = 0;
  for (int i = 0; i < 128; ++i) {
    TPatch& source = banks.Source.Patch(i);
    TPatch& result = banks.Result.Patch(i);
    for (int t = 0; t < 4; ++t) EXPECT_EQ(source.Tones[t].Image, result.Tones[t].Image);
    for (int b = 12; b < 72; ++b) EXPECT_EQ(source.Common.GetByte(b), result.Common.GetByte(b));
    for (int b = 0; b < 12; ++b) {
      const char s = static_cast<char>(source.Common.GetByte(b));
      const char r = static_cast<char>(result.Common.GetByte(b));
      const auto vowel = [](char c) { return QByteArray("aeiouAEIOU").contains(c); };
      const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
      const auto lower = [](char c) { return c >= 'a' && c <= 'z'; };
      if (!letter(s)) {
        EXPECT_EQ(r, s) << i << " " << b;
        continue;
      }
      EXPECT_TRUE(letter(r)) << i << " " << b;
      EXPECT_EQ(vowel(r), vowel(s)) << i << " " << b;
      EXPECT_EQ(lower(r), lower(s)) << i << " " << b;
      changed += r != s;
    }
  }
  EXPECT_GT(changed, 500);
}

TEST(TBankRandomizerTest, ToneFourOfTheSourceNeverReachesATone) {
  for (bool toneCommon : {false, true}) {
    TBanks banks;
    // Tone 4 holds the only bytes with the top bit set.
    for (int i = 0; i < 128; ++i)
      for (int b = 0; b < 129; ++b) banks.Source.Patch(i).Tones[3].StoreByte(b, 0x80);
    TBankRandomizer randomizer;
    randomizer.Options.ToneCommonOriented = toneCommon;
    randomizer.RandomizeBank(banks.Source, banks.Result, 3);
    for (int i = 0; i < 128; ++i)
      for (int t = 0; t < 4; ++t)
        for (int b = 0; b < 129; ++b)
          ASSERT_LT(banks.Result.Patch(i).Tones[t].GetByte(b), 0x80) << i << " " << t << " " << b;
  }
}

TEST(TBankRandomizerTest, EveryBoxCheckedDrawsInTheDescribedOrder) {
  // Both orientations, two seeds each, then a Randomize Patch that continues the sequence.
  for (bool toneCommon : {false, true}) {
    for (std::uint32_t seed : {1u, 0xDEADBEEFu}) {
      TBanks banks;
      TBankRandomizer randomizer;
      randomizer.Options.ToneCommonOriented = toneCommon;
      randomizer.RandomizeBank(banks.Source, banks.Result, seed);
      TReference reference(seed);
      TPatchBank expected(nullptr);
      for (int i = 0; i < 128; ++i) {
        reference.Patch(banks.Source, expected.Patch(i), i, toneCommon);
        ASSERT_EQ(expected.Patch(i).GetName(), banks.Result.Patch(i).GetName()) << i;
        for (int b = 0; b < 72; ++b)
          ASSERT_EQ(expected.Patch(i).Common.GetByte(b), banks.Result.Patch(i).Common.GetByte(b))
              << i << " common " << b;
        for (int t = 0; t < 4; ++t)
          for (int b = 0; b < 129; ++b)
            ASSERT_EQ(expected.Patch(i).Tones[t].GetByte(b),
                      banks.Result.Patch(i).Tones[t].GetByte(b))
                << i << " tone " << t << " " << b;
      }
      randomizer.RandomizePatch(banks.Source, banks.Result, 5);
      reference.Patch(banks.Source, expected.Patch(5), 5, toneCommon);
      EXPECT_TRUE(SameSound(expected.Patch(5), banks.Result.Patch(5)));
    }
  }
}

TEST(TBankRandomizerTest, UncheckedBlocksKeepTheirOwnPatchsBlock) {
  // " Common" and tones 2 and 4 unchecked: those blocks are patch i's own, the others drawn.
  TBanks banks;
  TBankRandomizer randomizer;
  randomizer.Options = {false, false, {true, false, true, false}, false};
  randomizer.RandomizeBank(banks.Source, banks.Result, 11);
  int drawn = 0;
  for (int i = 0; i < 128; ++i) {
    TPatch& source = banks.Source.Patch(i);
    TPatch& result = banks.Result.Patch(i);
    EXPECT_EQ(result.Common.Image, source.Common.Image);
    EXPECT_EQ(result.Tones[1].Image, source.Tones[1].Image);
    EXPECT_EQ(result.Tones[3].Image, source.Tones[3].Image);
    drawn += result.Tones[0].Image != source.Tones[0].Image;
  }
  EXPECT_GT(drawn, 120);
}
