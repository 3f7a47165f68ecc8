// vesta-cli show and diff: every parameter as the editors show it, and what differs.
#include <QJsonArray>

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
  const TCliRun run = Run("show p.syx --json");
  ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();
  const QJsonArray sounds = QJsonDocument::fromJson(run.Out.toUtf8()).array();
  ASSERT_EQ(sounds.size(), 1);
  EXPECT_EQ(Str(sounds[0], "kind"), "Patch");
  EXPECT_EQ(Str(sounds[0], "name"), "Warm Pad");
  const QJsonObject tempo = Param(sounds[0], "common", 44);
  EXPECT_EQ(tempo["caption"].toString(), "Default Tempo");
  EXPECT_EQ(tempo["stored"].toArray(), (QJsonArray{15, 10}));
  EXPECT_EQ(tempo["text"].toString(), "250");
  EXPECT_EQ(Param(sounds[0], "common", 0)["text"].toString(), "Warm Pad");
  EXPECT_EQ(Param(sounds[0], "common", 47)["text"].toString(), "L 64");
  EXPECT_EQ(Param(sounds[0], "tone 2", 81)["text"].toString(), "99");
  EXPECT_EQ(Param(sounds[0], "tone 4", 128)["text"].toString(), "7");
  const QJsonObject bad = Param(sounds[0], "tone 3", 80);
  EXPECT_EQ(bad["text"].toString(), "9");
  EXPECT_TRUE(bad["outOfRange"].toBool());
  EXPECT_FALSE(tempo.contains("outOfRange"));
  const QJsonObject lowGain = Param(sounds[0], "common", 14);
  EXPECT_EQ(lowGain["caption"].toString(), "Low Gain ");
  EXPECT_EQ(lowGain["text"].toString(), "+15 dB");

  // The text listing says the same, one line a parameter, and flags the odd byte.
  const TCliRun text = Run("show p.syx");
  EXPECT_TRUE(text.Out.startsWith("1: Patch \"Warm Pad\"\n"));
  EXPECT_TRUE(text.Out.contains(QRegularExpression("common +44  Default Tempo +250\n")));
  EXPECT_TRUE(text.Out.contains(QRegularExpression("tone 3 +80  Filter Type +9  \\(out of range: 09\\)")));
}

TEST_F(TCliTest, ShowGoesThroughBanksAndLibrariesMemberByMemberAndPicksOneSound) {
  TPatchBank bank(nullptr);
  bank.Init();
  static_cast<TPatch&>(bank.Member(99)).SetName(QStringLiteral("Hundredth"), false);
  Write("bank.syx", bank.SysexBytes(false));
  TLibrary library;
  library.NewElement(ekPatch);
  library.NewElement(ekPatchBank);
  Write("lib.Lib", library.SaveToBytes(false));

  const QJsonArray all = QJsonDocument::fromJson(Run("show bank.syx --json").Out.toUtf8()).array();
  EXPECT_EQ(all.size(), 128);
  const QJsonArray one =
      QJsonDocument::fromJson(Run("show bank.syx --element 100 --json").Out.toUtf8()).array();
  ASSERT_EQ(one.size(), 1);
  EXPECT_EQ(Str(one[0], "name"), "Hundredth");
  EXPECT_EQ(QJsonDocument::fromJson(Run("show lib.Lib --json").Out.toUtf8()).array().size(), 129);

  EXPECT_EQ(Run("show bank.syx --element 129").Exit, 1);
  EXPECT_EQ(Run("show bank.syx --element x").Exit, 2);
  EXPECT_EQ(Run("show").Exit, 2);
}

TEST_F(TCliTest, DiffListsOnlyTheParametersWhoseBytesDiffer) {
  Write("a.syx", PatchSyx("Same", [](TPatch&) {}));
  Write("b.syx", PatchSyx("Same", [](TPatch& p) {
          p.Tones[1].StoreByte(81, 64);
          p.Common.StoreByte(45, 5);  // tempo 21
        }));
  const TCliRun run = Run("diff a.syx b.syx");
  ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();
  const QStringList lines = run.Out.split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3) << run.Out.toStdString();
  EXPECT_EQ(lines[0], "1: Patch \"Same\" | \"Same\"");
  EXPECT_TRUE(lines[1].contains(QRegularExpression("common +44  Default Tempo +20 \\| 21$")));
  EXPECT_TRUE(lines[2].contains(QRegularExpression("tone 2 +81  Cutoff Frequency +0 \\| 64$")));
  EXPECT_EQ(Run("diff a.syx a.syx").Out, "No differences.\n");
  // Under a type the tables do not know, the effect bytes are numbers, flagged.
  Write("odd.syx", PatchSyx("Odd", [](TPatch& p) { p.Common.StoreByte(12, 45); }));
  const QJsonArray odd = QJsonDocument::fromJson(Run("show odd.syx --json").Out.toUtf8()).array();
  ASSERT_EQ(odd.size(), 1);
  EXPECT_TRUE(Param(odd[0], "common", 12)["outOfRange"].toBool());
  EXPECT_EQ(Param(odd[0], "common", 20)["text"].toString(), "0");
  const QJsonArray json = QJsonDocument::fromJson(Run("diff a.syx b.syx --json").Out.toUtf8()).array();
  ASSERT_EQ(json.size(), 2);
  EXPECT_EQ(json[1].toObject()["b"].toObject()["stored"].toArray(), QJsonArray{64});
}

TEST_F(TCliTest, ShowNamesTheBlocksOfEveryKindOfSound) {
  TLibrary library;
  for (int kind : {ekPatch, ekPerformance, ekRhythm, ekSystem}) library.NewElement(kind);
  Write("all.Lib", library.SaveToBytes(false));
  const TCliRun run = Run("show all.Lib --json");
  ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();
  const QJsonArray sounds = QJsonDocument::fromJson(run.Out.toUtf8()).array();
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
  // No block is left out: every data byte is some parameter's, except the twelfth effect
  // parameter, which the stereo equalizer of a new patch or performance does not use.
  const int bytes[] = {72 + 4 * 129 - 1, 64 + 16 * 19 - 1, 12 + 64 * 58, 40 + 17 * 12};
  for (int i = 0; i < 4; ++i) {
    int covered = 0;
    for (const QJsonValue& p : sounds[i].toObject()["parameters"].toArray())
      covered += p.toObject()["stored"].toArray().size();
    EXPECT_EQ(covered, bytes[i]) << kinds[i].toStdString();
  }
}
