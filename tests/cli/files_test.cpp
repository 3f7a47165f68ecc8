// vesta-cli convert, pack and extract: round trips keep every byte; layouts are kept apart.
#include <QJsonArray>

#include "model/global.h"
#include "model/library.h"
#include "tests/cli/clitest.h"

namespace {
const QString kToXp = QStringLiteral("--to-xp");
const QString kFromXp = QStringLiteral("--from-xp");
}  // namespace

TEST_F(TCliTest, ConvertToXpAndBackGivesIdenticalBytesForEveryFileKind) {
  TLibrary library;
  library.Comment = QStringList{QStringLiteral("mixed")};
  for (int kind = ekPatch; kind <= ekGlobal; ++kind) library.NewElement(kind);
  TGlobal global(nullptr);
  Write(QStringLiteral("in.Lib"), library.SaveToBytes(false));
  Write(QStringLiteral("in.Glb"), global.GlbBytes(false));
  QStringList names{QStringLiteral("in.Lib"), QStringLiteral("in.Glb")};
  for (int kind = ekPatch; kind <= ekSystem; ++kind) {
    names << QStringLiteral("kind%1.Syx").arg(kind);
    Write(names.back(), SyxOf(kind, false, QStringLiteral("Kind %1").arg(kind)));
  }
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    const QString xpName = QStringLiteral("xp-") + name;
    const QString backName = QStringLiteral("back-") + name;
    EXPECT_EQ(Cli({QStringLiteral("convert"), name, xpName, kToXp}).Exit, 0);
    EXPECT_EQ(Cli({QStringLiteral("convert"), xpName, backName, kFromXp}).Exit, 0);
    EXPECT_EQ(Read(backName), Read(name));
  }
  EXPECT_EQ(Read(QStringLiteral("xp-kind0.Syx")).size(), 644);
  EXPECT_EQ(Read(QStringLiteral("xp-kind6.Syx")).size(), 484);
  EXPECT_EQ(Read(QStringLiteral("xp-in.Glb")).size(), TGlobal::kXpRecordSize);
  TLibrary xp;
  EXPECT_FALSE(xp.LoadFromBytes(Bytes(Read(QStringLiteral("xp-in.Lib"))), true).Damaged());
  EXPECT_EQ(xp.Count(), 8);
}

TEST_F(TCliTest, ConvertRefusesAFileAlreadyInTheTargetLayout) {
  Write(QStringLiteral("xp.Syx"), SyxOf(ekPatch, true, QStringLiteral("P")));
  const TCliRun run =
      Cli({QStringLiteral("convert"), QStringLiteral("xp.Syx"), QStringLiteral("out.Syx"), kToXp});
  EXPECT_EQ(run.Exit, 1);
  EXPECT_TRUE(run.Err.contains(QStringLiteral("xp.Syx: a Patch .Syx file in the XP layout")));
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("out.Syx"))));
  EXPECT_EQ(
      Cli({QStringLiteral("convert"), QStringLiteral("xp.Syx"), QStringLiteral("o.Syx")}).Exit, 2);
  EXPECT_EQ(Cli({QStringLiteral("convert"), QStringLiteral("xp.Syx"), QStringLiteral("o.Syx"),
                 kToXp, kFromXp})
                .Exit,
            2);
}

TEST_F(TCliTest, PackThenExtractGivesBackEachFile) {
  const QStringList syx{QStringLiteral("patch.Syx"), QStringLiteral("LongBankName1.syx"),
                        QStringLiteral("rhythm.Syx"), QStringLiteral("system.Syx")};
  Write(syx[0], SyxOf(ekPatch, false, QStringLiteral("Lead")));
  Write(syx[1], SyxOf(ekPatchBank, false, QString()));
  Write(syx[2], SyxOf(ekRhythm, false, QStringLiteral("Drums")));
  Write(syx[3], SyxOf(ekSystem, false, QString()));
  TGlobal global(nullptr);
  global.PatchBank(false).Patch(5).SetName(QStringLiteral("On Card"), false);
  Write(QStringLiteral("dump.Glb"), global.GlbBytes(false));

  ASSERT_EQ(Cli(QStringList{QStringLiteral("pack"), QStringLiteral("all.Lib")} + syx +
                QStringList{QStringLiteral("dump.Glb")})
                .Exit,
            0);
  const QJsonArray elements =
      InfoJson(QStringLiteral("all.Lib"))[QStringLiteral("elements")].toArray();
  ASSERT_EQ(elements.size(), 5);
  EXPECT_EQ(elements[0].toObject()[QStringLiteral("name")].toString(), QStringLiteral("Lead"));
  // Banks, systems and globals are named after their file: cut to 12 characters, then at a dot.
  EXPECT_EQ(elements[1].toObject()[QStringLiteral("name")].toString(),
            QStringLiteral("LongBankName"));
  EXPECT_EQ(elements[3].toObject()[QStringLiteral("name")].toString(), QStringLiteral("system"));
  EXPECT_EQ(elements[4].toObject()[QStringLiteral("name")].toString(), QStringLiteral("dump"));

  for (int i = 0; i < syx.size(); ++i) {
    const QString out = QStringLiteral("out%1.Syx").arg(i);
    EXPECT_EQ(
        Cli({QStringLiteral("extract"), QStringLiteral("all.Lib"), QString::number(i + 1), out})
            .Exit,
        0);
    EXPECT_EQ(Read(out), Read(syx[i])) << syx[i].toStdString();
  }
  EXPECT_EQ(Cli({QStringLiteral("extract"), QStringLiteral("all.Lib"), QStringLiteral("5"),
                 QStringLiteral("out.Glb")})
                .Exit,
            0);
  // The dump comes back whole; only its header holds the name and file it was packed from.
  const QByteArray extracted = Read(QStringLiteral("out.Glb"));
  ASSERT_EQ(extracted.size(), TGlobal::kRecordSize);
  EXPECT_EQ(extracted.mid(kRecordHeaderSize),
            Read(QStringLiteral("dump.Glb")).mid(kRecordHeaderSize));
}

TEST_F(TCliTest, PackRefusesFilesOfDifferentLayouts) {
  Write(QStringLiteral("a.Syx"), SyxOf(ekPatch, false, QStringLiteral("A")));
  Write(QStringLiteral("r.Syx"), SyxOf(ekRhythm, false, QStringLiteral("R")));
  Write(QStringLiteral("b.Syx"), SyxOf(ekPerformance, true, QStringLiteral("B")));
  const TCliRun run =
      Cli({QStringLiteral("pack"), QStringLiteral("out.Lib"), QStringLiteral("a.Syx"),
           QStringLiteral("r.Syx"), QStringLiteral("b.Syx")});
  EXPECT_EQ(run.Exit, 1);
  EXPECT_TRUE(run.Err.contains(QStringLiteral("b.Syx: in the XP layout, but a.Syx")));
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("out.Lib"))));
  // A rhythm set reads the same in both layouts, so it packs with an XP file.
  EXPECT_EQ(Cli({QStringLiteral("pack"), QStringLiteral("xp.Lib"), QStringLiteral("r.Syx"),
                 QStringLiteral("b.Syx")})
                .Exit,
            0);
  EXPECT_EQ(InfoJson(QStringLiteral("xp.Lib"))[QStringLiteral("layout")].toString(),
            QStringLiteral("xp"));
}

TEST_F(TCliTest, ExtractChecksTheElementNumber) {
  TLibrary library;
  library.NewElement(ekPatch);
  Write(QStringLiteral("one.Lib"), library.SaveToBytes(false));
  const TCliRun beyond = Cli({QStringLiteral("extract"), QStringLiteral("one.Lib"),
                              QStringLiteral("2"), QStringLiteral("x.Syx")});
  EXPECT_EQ(beyond.Exit, 1);
  EXPECT_TRUE(beyond.Err.contains(QStringLiteral("holds 1 element; there is no element 2")));
  for (const QString& bad : {QStringLiteral("0"), QStringLiteral("first")})
    EXPECT_EQ(
        Cli({QStringLiteral("extract"), QStringLiteral("one.Lib"), bad, QStringLiteral("x.Syx")})
            .Exit,
        2);
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("x.Syx"))));
}
