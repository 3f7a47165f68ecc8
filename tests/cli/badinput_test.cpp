// vesta-cli on bad files and bad command lines: a message naming the file and the fault, exit 1
// for bad input and 2 for usage, and nothing written.
#include <QDir>

#include "model/library.h"
#include "tests/cli/clitest.h"

namespace {
// Expects exit 1 with every one of the texts in the message.
void ExpectRefused(const TCliRun& run, const QStringList& texts) {
  EXPECT_EQ(run.Exit, 1);
  for (const QString& text : texts)
    EXPECT_TRUE(run.Err.contains(text)) << run.Err.toStdString() << " lacks " << text.toStdString();
}
}  // namespace

TEST_F(TCliTest, BadFilesAreRefusedWithTheirNameAndFault) {
  Write("short.Syx", SyxOf(ekPatch, false, "P").left(600));
  Write("small.Glb", QByteArray(1000, '\0'));
  Write("zero.Glb", QByteArray(219450, '\0'));
  Write("empty.Syx", QByteArray());
  Write("notes.txt", QByteArray("hello, this is text\n"));
  const std::vector<std::pair<QString, QStringList>> cases = {
      {"info short.Syx", {"short.Syx: wrong size for a .Syx file: 600 bytes", "Patch 643 or 644"}},
      {"pack o.Lib short.Syx", {"short.Syx"}},
      {"info small.Glb", {"small.Glb: wrong size for a .Glb file: 1000 bytes"}},
      {"info zero.Glb", {"zero.Glb: not a global dump: kind code 0", "at byte 0"}},
      {"info empty.Syx", {"empty.Syx: the file is empty"}},
      {"info absent.Lib", {"absent.Lib: no such file"}},
      {"info notes.txt", {"notes.txt: unknown kind of file"}},
  };
  for (const auto& [line, texts] : cases) {
    SCOPED_TRACE(line.toStdString());
    ExpectRefused(Run(line), texts);
  }
  EXPECT_FALSE(QFile::exists(Path("o.Lib")));
}

TEST_F(TCliTest, DamagedLibrariesAreReportedWithTheByteOffset) {
  TLibrary library;
  library.NewElement(ekPatch);
  library.NewElement(ekSystem);
  const QByteArray whole = library.SaveToBytes(false);
  // Cut inside the system record, which starts after the 10 bytes of comment and window values
  // and the patch's 898.
  Write("cut.Lib", whole.left(whole.size() - 5));
  const TCliRun cut = Run("info cut.Lib");
  ExpectRefused(cut, {"cut.Lib: damaged library: at byte 908", "(intact before it: 1 element)"});
  EXPECT_TRUE(cut.Out.contains("Patch"));  // what was intact is still listed

  QByteArray unknown = whole;
  unknown[908] = 9;
  Write("kind.Lib", unknown);
  ExpectRefused(Run("extract kind.Lib 1 p.Syx"), {"at byte 908", "unknown element kind 9"});
  EXPECT_FALSE(QFile::exists(Path("p.Syx")));
}

TEST_F(TCliTest, FolderAsOutputIsRefusedAndExistingOutputKept) {
  Write("p.Syx", SyxOf(ekPatch, false, "P"));
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
  ExpectRefused(Run("convert p.Syx folder --to-xp"), {"folder: is a folder"});
  // A file that cannot be created inside a missing folder leaves nothing behind.
  ExpectRefused(Run("pack missing/out.Lib p.Syx"), {"out.Lib"});
  EXPECT_FALSE(QFile::exists(Path("missing/out.Lib")));
}

TEST_F(TCliTest, CommandLineMistakesExitWithTwo) {
  for (const char* line : {"", "frobnicate", "info", "info a --verbose"})
    EXPECT_EQ(Run(line).Exit, 2) << line;
  const TCliRun help = Run("--help");
  EXPECT_EQ(help.Exit, 0);
  for (const char* command : {"info", "convert", "extract", "pack"})
    EXPECT_TRUE(help.Out.contains(QLatin1String(command)));
  EXPECT_TRUE(Run("help extract").Out.contains("N counts from 1"));
}
