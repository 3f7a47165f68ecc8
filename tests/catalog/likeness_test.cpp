// The distance between hand-made pairs of patches, and the nearest sounds of a catalog index.
#include "catalog/likeness.h"
#include "tests/catalog/catalogfixture.h"

namespace {
// The rows every two patches share: 27 common rows without the name, 20 of the effects page
// (type, outputs, sends, control sources, chorus, reverb) and 4 x 127 tone rows.
constexpr double kSharedRows = 27 + 20 + 4 * 127;
// Type 1 "Stereo Equalizer" has 11 rows of its own.
constexpr double kEqualizerRows = 11;

QByteArray Data(const TPatch& patch) {
  return CatalogSound(patch).Data;
}
}  // namespace

class TLikenessTest : public TCatalogTest {};

TEST_F(TLikenessTest, DistanceOfHandMadePairs) {
  const auto base = MakePatch(QStringLiteral("Base"));

  // The name is left out: a renamed copy is at 0.
  const auto renamed = MakePatch(QStringLiteral("Other name"));
  EXPECT_EQ(TLikeness::Distance(ekPatch, Data(*base), Data(*renamed)), 0.0);

  // One numeric row, Cutoff Frequency 0..127, moved from 64 to 127: 63/127 of one row.
  auto brighter = MakePatch(QStringLiteral("Base"));
  brighter->Tones[1].StoreByte(kCutoff, 127);
  EXPECT_NEAR(TLikeness::Distance(ekPatch, Data(*base), Data(*brighter)),
              (63.0 / 127.0) / (kSharedRows + kEqualizerRows), 1e-9);

  // A list row (tone 1's Filter Type, offset 80): different counts 1, however far the items.
  auto filtered = MakePatch(QStringLiteral("Base"));
  filtered->Tones[0].StoreByte(80, static_cast<std::uint8_t>(base->Tones[0].GetByte(80) + 2));
  EXPECT_DOUBLE_EQ(TLikeness::Distance(ekPatch, Data(*base), Data(*filtered)),
                   1.0 / (kSharedRows + kEqualizerRows));

  // Both changes add up.
  brighter->Tones[0].StoreByte(80, filtered->Tones[0].GetByte(80));
  EXPECT_NEAR(TLikeness::Distance(ekPatch, Data(*base), Data(*brighter)),
              (1.0 + 63.0 / 127.0) / (kSharedRows + kEqualizerRows), 1e-9);

  // Different effect types: the type row differs (1) and the types' own rows are left out,
  // whatever their bytes hold.
  auto overdrive = MakePatch(QStringLiteral("Base"));
  overdrive->Common.StoreByte(kEfxType, 1);
  for (int offset = 13; offset <= 24; ++offset) overdrive->Common.StoreByte(offset, 5);
  EXPECT_DOUBLE_EQ(TLikeness::Distance(ekPatch, Data(*base), Data(*overdrive)),
                   1.0 / kSharedRows);
  EXPECT_DOUBLE_EQ(TLikeness::Distance(ekPatch, Data(*overdrive), Data(*base)),
                   1.0 / kSharedRows);
}

TEST_F(TLikenessTest, NearestAreOfTheKindByDistanceThenPlace) {
  TCatalogIndex index;
  index.Files = {QStringLiteral("/a.syx"), QStringLiteral("/b.syx")};
  auto add = [&](const TLibElem& sound, std::vector<std::pair<int, int>> places, bool hidden) {
    const TCatalogSound made = CatalogSound(sound);
    index.Sounds.push_back({made.Hash, made.Kind, made.Name, made.Data, false, hidden, {}, {},
                            std::move(places)});
  };
  const auto asked = MakePatch(QStringLiteral("Asked"));
  auto far = MakePatch(QStringLiteral("Far"));
  for (TTone& tone : far->Tones) tone.StoreByte(kCutoff, 0);
  auto near = MakePatch(QStringLiteral("Near"));
  near->Tones[3].StoreByte(kCutoff, 60);
  auto twin = MakePatch(QStringLiteral("Twin"));  // the same but for the name
  auto hidden = MakePatch(QStringLiteral("Hidden"));
  TPerformance performance(nullptr);
  add(*far, {{0, 1}}, false);
  add(*near, {{0, 2}}, false);
  add(*twin, {{1, 1}}, false);
  add(*asked, {{1, 2}}, false);
  add(*hidden, {{0, 3}}, true);
  add(performance, {{0, 4}}, false);

  const TLikeness likeness(index);
  const auto nearest = likeness.Nearest(ekPatch, Data(*asked), 3);
  ASSERT_EQ(nearest.size(), 3u);
  // Twin and Asked at 0, ordered by their places (b.syx 1, then b.syx 2); then Near.
  EXPECT_EQ(index.Sounds[static_cast<std::size_t>(nearest[0].Sound)].Name, QStringLiteral("Twin"));
  EXPECT_EQ(index.Sounds[static_cast<std::size_t>(nearest[1].Sound)].Name, QStringLiteral("Asked"));
  EXPECT_EQ(index.Sounds[static_cast<std::size_t>(nearest[2].Sound)].Name, QStringLiteral("Near"));
  EXPECT_EQ(nearest[0].Distance, 0.0);
  EXPECT_EQ(nearest[1].Distance, 0.0);
  EXPECT_NEAR(nearest[2].Distance, (4.0 / 127.0) / (kSharedRows + kEqualizerRows), 1e-7);
  // Far comes last; hidden sounds and other kinds are not among them.
  const auto all = likeness.Nearest(ekPatch, Data(*asked), 10);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(index.Sounds[static_cast<std::size_t>(all[3].Sound)].Name, QStringLiteral("Far"));
  EXPECT_NEAR(all[3].Distance, 4 * (64.0 / 127.0) / (kSharedRows + kEqualizerRows), 1e-7);
}
