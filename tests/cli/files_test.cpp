// vesta-cli convert, pack and extract: round trips keep every byte; layouts are kept apart.
#include <QJsonArray>

#include "model/global.h"
#include "model/library.h"
#include "tests/cli/clitest.h"

TEST_F(TCliTest, ConvertToXpAndBackGivesIdenticalBytesForEveryFileKind) {
  TLibrary library;
  library.Comment = QStringList{"mixed"};
  for (int kind = ekPatch; kind <= ekGlobal; ++kind) library.NewElement(kind);
  Write("in.Lib", library.SaveToBytes(false));
  Write("in.Glb", TGlobal(nullptr).GlbBytes(false));
  QStringList names{"in.Lib", "in.Glb"};
  for (int kind = ekPatch; kind <= ekSystem; ++kind) {
    names << QStringLiteral("kind%1.Syx").arg(kind);
    Write(names.back(), SyxOf(kind, false, QStringLiteral("Kind %1").arg(kind)));
  }
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    EXPECT_EQ(Run("convert " + name + " xp-" + name + " --to-xp").Exit, 0);
    EXPECT_EQ(Run("convert xp-" + name + " back-" + name + " --from-xp").Exit, 0);
    EXPECT_EQ(Read("back-" + name), Read(name));
  }
  EXPECT_EQ(Read("xp-kind0.Syx").size(), 644);
  EXPECT_EQ(Read("xp-kind6.Syx").size(), 484);
  EXPECT_EQ(Read("xp-in.Glb").size(), TGlobal::kXpRecordSize);
  TLibrary xp;
  EXPECT_FALSE(xp.LoadFromBytes(Bytes(Read("xp-in.Lib")), true).Damaged());
  EXPECT_EQ(xp.Count(), 8);
}

TEST_F(TCliTest, PackThenExtractGivesBackEachFile) {
  const QStringList syx{"patch.Syx", "LongBankName1.syx", "rhythm.Syx", "system.Syx"};
  Write(syx[0], SyxOf(ekPatch, false, "Lead"));
  Write(syx[1], SyxOf(ekPatchBank, false, QString()));
  Write(syx[2], SyxOf(ekRhythm, false, "Drums"));
  Write(syx[3], SyxOf(ekSystem, false, QString()));
  TGlobal global(nullptr);
  global.PatchBank(false).Patch(5).SetName("On Card", false);
  Write("dump.Glb", global.GlbBytes(false));

  ASSERT_EQ(Run("pack all.Lib " + syx.join(' ') + " dump.Glb").Exit, 0);
  const QJsonArray elements = InfoJson("all.Lib")["elements"].toArray();
  ASSERT_EQ(elements.size(), 5);
  EXPECT_EQ(Str(elements[0], "name"), "Lead");
  // Banks, systems and globals are named after their file: cut to 12 characters, then at a dot.
  EXPECT_EQ(Str(elements[1], "name"), "LongBankName");
  EXPECT_EQ(Str(elements[3], "name"), "system");
  EXPECT_EQ(Str(elements[4], "name"), "dump");
  for (int i = 0; i < syx.size(); ++i) {
    EXPECT_EQ(Run(QStringLiteral("extract all.Lib %1 out%1.Syx").arg(i + 1)).Exit, 0);
    EXPECT_EQ(Read(QStringLiteral("out%1.Syx").arg(i + 1)), Read(syx[i])) << syx[i].toStdString();
  }
  EXPECT_EQ(Run("extract all.Lib 5 out.Glb").Exit, 0);
  // The dump comes back whole; only its header holds the name and file it was packed from.
  const QByteArray extracted = Read("out.Glb");
  ASSERT_EQ(extracted.size(), TGlobal::kRecordSize);
  EXPECT_EQ(extracted.mid(kRecordHeaderSize), Read("dump.Glb").mid(kRecordHeaderSize));
}

TEST_F(TCliTest, ARhythmSetReadsTheSameInBothLayoutsSoItPacksWithAnXpFile) {
  Write("r.Syx", SyxOf(ekRhythm, false, "R"));
  Write("b.Syx", SyxOf(ekPerformance, true, "B"));
  EXPECT_EQ(Run("pack xp.Lib r.Syx b.Syx").Exit, 0);
  EXPECT_EQ(InfoJson("xp.Lib")["layout"].toString(), "xp");
}
