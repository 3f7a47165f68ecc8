// vesta-cli show and diff: every parameter as the editors show it, and what differs.
#include "model/library.h"
#include "model/patch.h"
#include "model/patchbank.h"
#include "tests/cli/clitest.h"

namespace {
// The parameter of a shown sound at block and offset.
QJsonObject Param(const QJsonValue& sound, const QString& block, int offset) {
  for (const QJsonValue& p : sound.toObject()[QLatin1String("parameters")].toArray())
    if (Str(p, "block") == block && p.toObject()[QLatin1String("offset")].toInt() == offset)
      return p.toObject();
  ADD_FAILURE() << "no parameter " << block.toStdString() << " " << offset;
  return {};
}

QByteArray PatchSyx(const QString& name, const std::function<void(TPatch&)>& edit) {
  TPatch patch(nullptr);
  patch.Init();
  patch.SetName(name, false);
  edit(patch);
  return patch.SysexBytes(false);
}
}  // namespace

TEST_F(TCliTest, ShowListsEveryPatchParameterWithItsStoredBytesAndText) {
  Write("p.syx", PatchSyx("Warm Pad", [](TPatch& p) {
          p.Common.StoreByte(44, 15);  // tempo 250
          p.Common.StoreByte(45, 10);
          p.Common.StoreByte(47, 0);  // pan L 64
          p.Tones[1].StoreByte(81, 99);
          p.Tones[3].StoreByte(128, 7);
          p.Tones[2].StoreByte(80, 9);  // no such filter type
          p.Common.StoreByte(12, 0);    // stereo equalizer
          p.Common.StoreByte(14, 30);   // low gain +15 dB
        }));
  const QJsonArray sounds = JsonArray("show p.syx --json");
  ASSERT_EQ(sounds.size(), 1);
  EXPECT_EQ(Str(sounds[0], "kind"), "Patch");
  EXPECT_EQ(Str(sounds[0], "name"), "Warm Pad");
  EXPECT_EQ(Param(sounds[0], "common", 44), (QJsonObject{{"block", "common"},
                                                         {"offset", 44},
                                                         {"caption", "Default Tempo"},
                                                         {"stored", QJsonArray{15, 10}},
                                                         {"text", "250"}}));
  EXPECT_EQ(Param(sounds[0], "tone 3", 80), (QJsonObject{{"block", "tone 3"},
                                                         {"offset", 80},
                                                         {"caption", "Filter Type"},
                                                         {"stored", QJsonArray{9}},
                                                         {"text", "9"},
                                                         {"outOfRange", true}}));
  const struct {
    const char* Block;
    int Offset;
    const char* Text;
  } texts[] = {{"common", 0, "Warm Pad"},
               {"common", 47, "L 64"},
               {"tone 2", 81, "99"},
               {"tone 4", 128, "7"},
               {"common", 14, "+15 dB"}};
  for (const auto& t : texts) EXPECT_EQ(Param(sounds[0], t.Block, t.Offset)["text"], t.Text);
  EXPECT_EQ(Param(sounds[0], "common", 14)["caption"], "Low Gain ");

  // The text listing says the same, one line a parameter, and flags the odd byte.
  const TCliRun text = Run("show p.syx");
  EXPECT_TRUE(text.Out.startsWith("1: Patch \"Warm Pad\"\n"));
  EXPECT_TRUE(text.Out.contains(QRegularExpression("common +44  Default Tempo +250\n")));
  EXPECT_TRUE(
      text.Out.contains(QRegularExpression("tone 3 +80  Filter Type +9  \\(out of range: 09\\)")));

  // Banks and libraries member by member, or one sound.
  TPatchBank bank(nullptr);
  bank.Init();
  static_cast<TPatch&>(bank.Member(99)).SetName(QStringLiteral("Hundredth"), false);
  Write("bank.syx", bank.SysexBytes(false));
  TLibrary library;
  library.NewElement(ekPatch);
  library.NewElement(ekPatchBank);
  Write("lib.Lib", library.SaveToBytes(false));
  EXPECT_EQ(JsonArray("show bank.syx --json").size(), 128);
  const QJsonArray one = JsonArray("show bank.syx --element 100 --json");
  ASSERT_EQ(one.size(), 1);
  EXPECT_EQ(Str(one[0], "name"), "Hundredth");
  EXPECT_EQ(JsonArray("show lib.Lib --json").size(), 129);
}

TEST_F(TCliTest, DiffListsOnlyTheParametersWhoseBytesDiffer) {
  Write("a.syx", PatchSyx("Same", [](TPatch&) {}));
  Write("b.syx", PatchSyx("Same", [](TPatch& p) {
          p.Tones[1].StoreByte(81, 64);
          p.Common.StoreByte(45, 5);  // tempo 21
        }));
  const QStringList lines = Lines("diff a.syx b.syx");
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], "1: Patch \"Same\" | \"Same\"");
  EXPECT_TRUE(lines[1].contains(QRegularExpression("common +44  Default Tempo +20 \\| 21$")));
  EXPECT_TRUE(lines[2].contains(QRegularExpression("tone 2 +81  Cutoff Frequency +0 \\| 64$")));
  EXPECT_EQ(Run("diff a.syx a.syx").Out, "No differences.\n");
  const QJsonArray json = JsonArray("diff a.syx b.syx --json");
  ASSERT_EQ(json.size(), 2);
  EXPECT_EQ(json[1].toObject()["b"].toObject()["stored"].toArray(), QJsonArray{64});
  // Under a type the tables do not know, the effect bytes are numbers, flagged.
  Write("odd.syx", PatchSyx("Odd", [](TPatch& p) { p.Common.StoreByte(12, 45); }));
  const QJsonArray odd = JsonArray("show odd.syx --json");
  ASSERT_EQ(odd.size(), 1);
  EXPECT_TRUE(Param(odd[0], "common", 12)["outOfRange"].toBool());
  EXPECT_EQ(Param(odd[0], "common", 20)["text"].toString(), "0");
}

TEST_F(TCliTest, ShowNamesTheBlocksOfEveryKindOfSound) {
  TLibrary library;
  for (int kind : {ekPatch, ekPerformance, ekRhythm, ekSystem}) library.NewElement(kind);
  Write("all.Lib", library.SaveToBytes(false));
  const QJsonArray sounds = JsonArray("show all.Lib --json");
  ASSERT_EQ(sounds.size(), 4);
  QStringList kinds;
  for (const QJsonValue& sound : sounds) kinds << Str(sound, "kind");
  EXPECT_EQ(kinds, (QStringList{"Patch", "Performance", "Rhythm", "System"}));
  // The performance's effects sit one byte later than a patch's, its EFX Source before them.
  EXPECT_EQ(Param(sounds[1], "common", 13)["caption"].toString(), "EFX Type");
  EXPECT_EQ(Param(sounds[1], "common", 12)["caption"].toString(), "EFX Source");
  Param(sounds[1], "part 16", 0);
  Param(sounds[2], "note 35", 0);
  Param(sounds[2], "note 98", 0);
  Param(sounds[3], "scale tune 17", 0);
  // Every data byte is some parameter's, but the twelfth effect parameter, which the stereo
  // equalizer of a new patch or performance does not use.
  const int bytes[] = {72 + 4 * 129 - 1, 64 + 16 * 19 - 1, 12 + 64 * 58, 40 + 17 * 12};
  for (int i = 0; i < 4; ++i) {
    int covered = 0;
    for (const QJsonValue& p : sounds[i].toObject()["parameters"].toArray())
      covered += p.toObject()["stored"].toArray().size();
    EXPECT_EQ(covered, bytes[i]) << kinds[i].toStdString();
  }
}
