// The query language over a hand-made catalog index (each term, negation, quotes, operators on
// texts and numbers, blocks, refusals) and the distance between sounds with the nearest ones.
#include <tuple>

#include <QStringList>

#include "catalog/likeness.h"
#include "catalog/query.h"
#include "tests/catalog/catalogfixture.h"

namespace {
TIndexedSound Entry(const TLibElem& sound, std::vector<std::pair<int, int>> places,
                    bool favourite = false, bool hidden = false, QStringList categories = {},
                    QStringList tags = {}) {
  const TCatalogSound made = CatalogSound(sound);
  return {made.Hash, made.Kind,  made.Name, made.Data,        favourite,
          hidden,    categories, tags,      std::move(places)};
}

// Files 0 a.syx, 1 b.lib, 2 c.syx. Every tone's cutoff is 64 unless said.
TCatalogIndex MakeIndex() {
  TCatalogIndex index;
  index.Files = {"/music/a.syx", "/music/b.lib", "/other/c.syx"};
  auto bright = MakePatch("Bright Pad");
  bright->Tones[0].StoreByte(kCutoff, 120);
  bright->Common.StoreByte(kEfxType, 17);  // "18 : Modulation-Delay"
  index.Sounds.push_back(Entry(*bright, {{0, 1}, {1, 3}}, true, false, {"Pad"}, {"mine"}));

  auto dark = MakePatch("Dark Pad");
  for (TTone& tone : dark->Tones) tone.StoreByte(kCutoff, 20);
  index.Sounds.push_back(Entry(*dark, {{0, 2}}, false, true));

  auto strings = MakePatch("Strings 1");
  strings->Tones[2].StoreByte(kCutoff, 100);
  index.Sounds.push_back(Entry(*strings, {{1, 1}}, false, false, {"Strings"}));

  index.Sounds.push_back(Entry(*MakePatch("Lead Saw"), {{1, 2}}));

  TPerformance performance(nullptr);
  performance.SetName("Perf Pad", false);
  performance.Common.StoreByte(kEfxType + 1, 0);
  for (auto& part : performance.Parts) part.StoreByte(kPartLevel, 100);
  performance.Parts[4].StoreByte(kPartLevel, 5);
  index.Sounds.push_back(Entry(performance, {{2, 1}}));
  return index;
}

// The names of the places found, in the order listed.
QString Found(const TCatalogIndex& index, const QString& text) {
  QStringList names;
  for (const TFoundPlace& place : TQuery::Parse(text).Run(index))
    names << index.Sounds[static_cast<std::size_t>(place.Sound)].Name;
  return names.join(u',');
}
}  // namespace

TEST_F(TCatalogTest, QueryEachTermFindsItsSounds) {
  const TCatalogIndex index = MakeIndex();
  const std::pair<const char*, const char*> cases[] = {
      // Words: the name contains them, case ignored; hidden sounds only when named.
      {"pad", "Bright Pad,Bright Pad,Perf Pad"},
      {"PAD hidden", "Dark Pad"},
      {"-pad", "Strings 1,Lead Saw"},
      {"\"bright pad\"", "Bright Pad,Bright Pad"},
      {"bright pad", "Bright Pad,Bright Pad"},
      {"kind:performance", "Perf Pad"},
      {"KIND:Patch -pad", "Strings 1,Lead Saw"},
      {"cat:strings", "Strings 1"},
      {"-cat:strings kind:patch", "Bright Pad,Lead Saw,Bright Pad"},
      {"tag:MINE", "Bright Pad,Bright Pad"},
      {"fav", "Bright Pad,Bright Pad"},
      {"-fav kind:patch", "Strings 1,Lead Saw"},
      {"dup", "Bright Pad,Bright Pad"},
      // A file term picks the places it names.
      {"file:b.lib", "Strings 1,Lead Saw,Bright Pad"},
      {"file:B.LIB pad", "Bright Pad"},
      {"-file:b.lib pad", "Bright Pad,Perf Pad"},
      {"\"file:/music/\" dup", "Bright Pad,Bright Pad"},
      // Parameters: numbers compared as numbers, one tone or any.
      {"\"p:tone1/Cutoff Frequency>=100\"", "Bright Pad,Bright Pad"},
      {"\"p:tone/Cutoff Frequency>=100\"", "Bright Pad,Strings 1,Bright Pad"},
      {"\"p:tone/Cutoff Frequency>100\"", "Bright Pad,Bright Pad"},
      {"\"p:tone3/Cutoff Frequency<=100\" \"p:tone3/cutoff frequency>99.5\"", "Strings 1"},
      {"\"p:tone/Cutoff Frequency<21\" hidden", "Dark Pad"},
      {"\"p:tone/Cutoff Frequency<64\"", ""},
      {"\"p:tone4/Cutoff Frequency=64\" -pad", "Strings 1,Lead Saw"},
      {"\"p:tone/Cutoff Frequency!=64\"", "Bright Pad,Strings 1,Bright Pad"},
      {"\"-p:tone/Cutoff Frequency>=100\" kind:patch", "Lead Saw"},
      {"p:\"tone/Cutoff Frequency\">=100 -dup", "Strings 1"},
      // Shown texts compared with case ignored and blanks evened out.
      {"\"p:common/EFX Type=18 : Modulation-Delay\"", "Bright Pad,Bright Pad"},
      {"\"p:common/efx type=  18  :  MODULATION-delay \"", "Bright Pad,Bright Pad"},
      {"\"p:common/EFX Type!=1 : Stereo Equalizer\" kind:patch", "Bright Pad,Bright Pad"},
      {"\"p:common/EFX Type>17\"", "Bright Pad,Bright Pad"},
      {"\"p:common/Patch Name=strings 1\"", "Strings 1"},
      // Any part of a performance; a patch has none.
      {"\"p:part/Part Level<=10\"", "Perf Pad"},
      {"\"p:part5/Part Level=5\"", "Perf Pad"},
      {"\"p:part6/Part Level=5\"", ""},
  };
  for (const auto& [query, names] : cases)
    EXPECT_EQ(Found(index, QString::fromUtf8(query)), QString::fromUtf8(names)) << query;
}

TEST_F(TCatalogTest, QueryRefusesWhatDoesNotParseWithPositionAndReason) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"pad \"bright", 5, "the quote is not closed"},
      {"pad -", 5, "a \"-\" needs a term right after it"},
      {"kind:sound", 6, "unknown kind \"sound\": patch, performance, rhythm or system"},
      {"fav cat:", 9, "cat: needs a value"},
      {"tag:", 5, "tag: needs a value"},
      {"p:voice/Level=1", 3,
       "unknown block \"voice\": common, tone1 to tone4, tone, part1 to part16, part, note35 to "
       "note98, note, scale1 to scale17, scale"},
      {"p:tone5/Cutoff Frequency>1", 3, "no block tone5: tone1 to tone4"},
      {"p:note34/Level=1", 3, "no block note34: note35 to note98"},
      {"pad \"p:tone/Cutof Frequency>1\"", 13,
       "unknown caption \"Cutof Frequency\" in the tone blocks"},
      {"\"p:tone/Cutoff Frequency\"", 26, "an operator is missing: =, !=, <, <=, > or >="},
      {"\"p:tone/Cutoff Frequency>=\"", 28, "the value is missing"},
      {"\"p:tone/Cutoff Frequency>=high\"", 27, "\"high\" is not a number; >= compares numbers"},
      {"p:tone/=5", 8, "the parameter's caption is missing"},
      {"p:tone", 3, "a parameter is written p:BLOCK/CAPTION OP VALUE"},
  };
  for (const auto& [query, position, reason] : cases) {
    try {
      TQuery::Parse(QString::fromUtf8(query));
      ADD_FAILURE() << query << " accepted";
    } catch (const TQueryError& error) {
      EXPECT_EQ(std::pair(error.Position, error.Reason), std::pair(position, QString(reason)))
          << query;
    }
  }
}

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

TEST_F(TCatalogTest, LikenessDistanceOfHandMadePairs) {
  const auto base = MakePatch("Base");

  // The name is left out: a renamed copy is at 0.
  const auto renamed = MakePatch("Other name");
  EXPECT_EQ(TLikeness::Distance(ekPatch, Data(*base), Data(*renamed)), 0.0);

  // One numeric row, Cutoff Frequency 0..127, moved from 64 to 127: 63/127 of one row.
  auto brighter = MakePatch("Base");
  brighter->Tones[1].StoreByte(kCutoff, 127);
  EXPECT_NEAR(TLikeness::Distance(ekPatch, Data(*base), Data(*brighter)),
              (63.0 / 127.0) / (kSharedRows + kEqualizerRows), 1e-9);

  // A list row (tone 1's Filter Type, offset 80): different counts 1, however far the items.
  auto filtered = MakePatch("Base");
  filtered->Tones[0].StoreByte(80, static_cast<std::uint8_t>(base->Tones[0].GetByte(80) + 2));
  EXPECT_DOUBLE_EQ(TLikeness::Distance(ekPatch, Data(*base), Data(*filtered)),
                   1.0 / (kSharedRows + kEqualizerRows));

  // Different effect types: the type row differs (1) and the types' own rows are left out,
  // whatever their bytes hold.
  auto overdrive = MakePatch("Base");
  overdrive->Common.StoreByte(kEfxType, 1);
  for (int offset = 13; offset <= 24; ++offset) overdrive->Common.StoreByte(offset, 5);
  EXPECT_DOUBLE_EQ(TLikeness::Distance(ekPatch, Data(*overdrive), Data(*base)), 1.0 / kSharedRows);
}

TEST_F(TCatalogTest, LikenessNearestAreOfTheKindByDistanceThenPlace) {
  TCatalogIndex index;
  index.Files = {"/a.syx", "/b.syx"};
  const auto asked = MakePatch("Asked");
  auto far = MakePatch("Far");
  for (TTone& tone : far->Tones) tone.StoreByte(kCutoff, 0);
  auto near = MakePatch("Near");
  near->Tones[3].StoreByte(kCutoff, 60);
  auto twin = MakePatch("Twin");  // the same but for the name
  auto hidden = MakePatch("Hidden");
  TPerformance performance(nullptr);
  index.Sounds = {Entry(*far, {{0, 1}}),
                  Entry(*near, {{0, 2}}),
                  Entry(*twin, {{1, 1}}),
                  Entry(*asked, {{1, 2}}),
                  Entry(*hidden, {{0, 3}}, false, true),
                  Entry(performance, {{0, 4}})};
  const TLikeness likeness(index);
  const auto nearest = likeness.Nearest(ekPatch, Data(*asked), 3);
  ASSERT_EQ(nearest.size(), 3u);
  // Twin and Asked at 0, ordered by their places (b.syx 1, then b.syx 2); then Near.
  EXPECT_EQ(std::tuple(nearest[0].Sound, nearest[0].Distance, nearest[1].Sound, nearest[1].Distance,
                       nearest[2].Sound),
            std::tuple(2, 0.0, 3, 0.0, 1));
  EXPECT_NEAR(nearest[2].Distance, (4.0 / 127.0) / (kSharedRows + kEqualizerRows), 1e-7);
  // Far comes last; hidden sounds and other kinds are not among them.
  const auto all = likeness.Nearest(ekPatch, Data(*asked), 10);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[3].Sound, 0);  // Far
  EXPECT_NEAR(all[3].Distance, 4 * (64.0 / 127.0) / (kSharedRows + kEqualizerRows), 1e-7);
}
