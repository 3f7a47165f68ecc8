// vesta-cli on bad files and bad command lines: a message naming the file and the fault, exit 1
// for bad input and 2 for usage, and nothing written.
#include <QDir>

#include "model/library.h"
#include "tests/cli/clitest.h"

namespace {
// Runs info on a file and expects exit 1 with every one of the texts in the message.
void ExpectRefused(const TCliRun& run, const QStringList& texts) {
  EXPECT_EQ(run.Exit, 1);
  for (const QString& text : texts)
    EXPECT_TRUE(run.Err.contains(text)) << run.Err.toStdString() << " lacks " << text.toStdString();
}
}  // namespace

TEST_F(TCliTest, SyxOfWrongSizeIsRefused) {
  Write(QStringLiteral("short.Syx"), SyxOf(ekPatch, false, QStringLiteral("P")).left(600));
  ExpectRefused(Cli({QStringLiteral("info"), QStringLiteral("short.Syx")}),
                {QStringLiteral("short.Syx: wrong size for a .Syx file: 600 bytes"),
                 QStringLiteral("Patch 643 or 644")});
  ExpectRefused(Cli({QStringLiteral("pack"), QStringLiteral("o.Lib"), QStringLiteral("short.Syx")}),
                {QStringLiteral("short.Syx")});
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("o.Lib"))));
}

TEST_F(TCliTest, DamagedLibrariesAreReportedWithTheByteOffset) {
  TLibrary library;
  library.NewElement(ekPatch);
  library.NewElement(ekSystem);
  const QByteArray whole = library.SaveToBytes(false);
  // Cut inside the system record, which starts after the 10 bytes of comment and window values
  // and the patch's 898.
  Write(QStringLiteral("cut.Lib"), whole.left(whole.size() - 5));
  const TCliRun cut = Cli({QStringLiteral("info"), QStringLiteral("cut.Lib")});
  ExpectRefused(cut, {QStringLiteral("cut.Lib: damaged library: at byte 908"),
                      QStringLiteral("(intact before it: 1 element)")});
  EXPECT_TRUE(cut.Out.contains(QStringLiteral("Patch")));  // what was intact is still listed

  QByteArray unknown = whole;
  unknown[908] = 9;
  Write(QStringLiteral("kind.Lib"), unknown);
  ExpectRefused(Cli({QStringLiteral("extract"), QStringLiteral("kind.Lib"), QStringLiteral("1"),
                     QStringLiteral("p.Syx")}),
                {QStringLiteral("at byte 908"), QStringLiteral("unknown element kind 9")});
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("p.Syx"))));
}

TEST_F(TCliTest, GlbWithWrongSizeOrKindIsRefused) {
  Write(QStringLiteral("small.Glb"), QByteArray(1000, '\0'));
  ExpectRefused(Cli({QStringLiteral("info"), QStringLiteral("small.Glb")}),
                {QStringLiteral("small.Glb: wrong size for a .Glb file: 1000 bytes")});
  Write(QStringLiteral("zero.Glb"), QByteArray(219450, '\0'));
  ExpectRefused(
      Cli({QStringLiteral("info"), QStringLiteral("zero.Glb")}),
      {QStringLiteral("zero.Glb: not a global dump: kind code 0"), QStringLiteral("at byte 0")});
}

TEST_F(TCliTest, EmptyMissingAndUnknownFilesAreRefused) {
  Write(QStringLiteral("empty.Syx"), QByteArray());
  ExpectRefused(Cli({QStringLiteral("info"), QStringLiteral("empty.Syx")}),
                {QStringLiteral("empty.Syx: the file is empty")});
  ExpectRefused(Cli({QStringLiteral("info"), QStringLiteral("absent.Lib")}),
                {QStringLiteral("absent.Lib: no such file")});
  Write(QStringLiteral("notes.txt"), QByteArray("hello, this is text\n"));
  ExpectRefused(Cli({QStringLiteral("info"), QStringLiteral("notes.txt")}),
                {QStringLiteral("notes.txt: unknown kind of file")});
}

TEST_F(TCliTest, FolderAsOutputIsRefusedAndExistingOutputKept) {
  Write(QStringLiteral("p.Syx"), SyxOf(ekPatch, false, QStringLiteral("P")));
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
  ExpectRefused(Cli({QStringLiteral("convert"), QStringLiteral("p.Syx"), QStringLiteral("folder"),
                     QStringLiteral("--to-xp")}),
                {QStringLiteral("folder: is a folder")});
  // A file that cannot be created inside a missing folder leaves nothing behind.
  ExpectRefused(
      Cli({QStringLiteral("pack"), QStringLiteral("missing/out.Lib"), QStringLiteral("p.Syx")}),
      {QStringLiteral("out.Lib")});
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("missing/out.Lib"))));
}

TEST_F(TCliTest, CommandLineMistakesExitWithTwo) {
  EXPECT_EQ(Cli({}).Exit, 2);
  EXPECT_EQ(Cli({QStringLiteral("frobnicate")}).Exit, 2);
  EXPECT_EQ(Cli({QStringLiteral("info")}).Exit, 2);
  EXPECT_EQ(Cli({QStringLiteral("info"), QStringLiteral("a"), QStringLiteral("--verbose")}).Exit,
            2);
  const TCliRun help = Cli({QStringLiteral("--help")});
  EXPECT_EQ(help.Exit, 0);
  for (const char* command : {"info", "convert", "extract", "pack"})
    EXPECT_TRUE(help.Out.contains(QLatin1String(command)));
  EXPECT_TRUE(Cli({QStringLiteral("help"), QStringLiteral("extract")})
                  .Out.contains(QStringLiteral("N counts from 1")));
}
