// vesta-cli's listing of performances, rhythm sets and systems: every byte of every block once,
// part 10 with its rhythm sets, the effects one byte later than a patch's.
#include <gtest/gtest.h>

#include <map>

#include "editors/params/paramlisting.h"
#include "model/performance.h"
#include "model/rhythm.h"
#include "model/system.h"

namespace {

// Bytes claimed per block name.
std::map<QString, std::vector<int>> Claims(const TShownSound& shown) {
  std::map<QString, std::vector<int>> claims;
  for (const TShownParam& p : shown.Parameters) {
    std::vector<int>& bytes = claims[p.Block];
    for (int b = p.Offset; b < p.Offset + p.Stored.size(); ++b) {
      if (b >= static_cast<int>(bytes.size())) bytes.resize(static_cast<std::size_t>(b) + 1);
      ++bytes[static_cast<std::size_t>(b)];
    }
  }
  return claims;
}

const TShownParam* Find(const TShownSound& shown, const QString& block, int offset) {
  for (const TShownParam& p : shown.Parameters)
    if (p.Block == block && p.Offset == offset) return &p;
  return nullptr;
}

TEST(PerfSysListing, EveryByteOfEveryBlockIsListedOnce) {
  TPerformance performance(nullptr);
  TRhythm rhythm(nullptr);
  TSystem system(nullptr);
  // The block names and sizes from the command line's description.
  std::map<QString, int> performanceBlocks = {{"common", 64}}, rhythmBlocks = {{"common", 12}},
                         systemBlocks = {{"common", 40}};
  for (int p = 1; p <= 16; ++p) performanceBlocks[QStringLiteral("part %1").arg(p)] = 19;
  for (int k = 35; k <= 98; ++k) rhythmBlocks[QStringLiteral("note %1").arg(k)] = 58;
  for (int s = 1; s <= 17; ++s) systemBlocks[QStringLiteral("scale tune %1").arg(s)] = 12;
  const std::pair<const TLibElem*, std::map<QString, int>*> sounds[] = {
      {&performance, &performanceBlocks}, {&rhythm, &rhythmBlocks}, {&system, &systemBlocks}};
  for (const auto& [sound, blocks] : sounds) {
    const TShownSound shown = ShowSound(*sound);
    SCOPED_TRACE(shown.Kind.toStdString());
    const auto claims = Claims(shown);
    ASSERT_EQ(blocks->size(), claims.size());
    for (const auto& [block, size] : *blocks) {
      ASSERT_TRUE(claims.count(block)) << block.toStdString();
      std::vector<int> bytes = claims.at(block);
      ASSERT_LE(bytes.size(), static_cast<std::size_t>(size)) << block.toStdString();
      bytes.resize(static_cast<std::size_t>(size));
      for (int b = 0; b < size; ++b) {
        // An effect type lists the parameters it has; its unused ones are the effects' to show.
        const bool effectParameter =
            sound == &performance && block == "common" && b >= 14 && b <= 25;
        if (!effectParameter) {
          EXPECT_EQ(1, bytes[static_cast<std::size_t>(b)]) << block.toStdString() << " " << b;
        }
      }
    }
  }
}

TEST(PerfSysListing, PartTenListsItsRhythmSetAndTheEffectsFollowTheirType) {
  TPerformance performance(nullptr);
  performance.SetName(QStringLiteral("Band"), false);
  performance.Parts[9].StoreByte(3, 6);  // GM
  performance.Parts[9].StoreByte(5, 1);  // its second set
  performance.Parts[2].StoreByte(3, 6);
  performance.Common.StoreByte(12, 3);   // EFX source: part 3
  const TShownSound shown = ShowSound(performance);
  EXPECT_EQ("Band", shown.Name);
  ASSERT_NE(nullptr, Find(shown, "part 10", 4));
  EXPECT_EQ("Rhythm Set", Find(shown, "part 10", 4)->Caption);
  EXPECT_EQ("BrusDrumSet", Find(shown, "part 10", 4)->Text);
  EXPECT_EQ("Patch Name", Find(shown, "part 3", 4)->Caption);
  EXPECT_EQ("GM", Find(shown, "part 3", 2)->Text);
  EXPECT_EQ("EFX Source", Find(shown, "common", 12)->Caption);
  EXPECT_EQ("3", Find(shown, "common", 12)->Text);
}

}  // namespace
