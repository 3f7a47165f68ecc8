// vesta-cli on bad files and bad command lines: a message naming the file and the fault, exit 1
// for bad input and 2 for usage, and nothing written.
#include <QDir>

#include "model/library.h"
#include "model/patchbank.h"
#include "tests/cli/clitest.h"

TEST_F(TCliTest, BadFilesAndCommandLinesAreRefusedWithTheirReasonAndNothingIsWritten) {
  Write("short.Syx", SyxOf(ekPatch, false, "P").left(600));
  Write("small.Glb", QByteArray(1000, '\0'));
  Write("zero.Glb", QByteArray(219450, '\0'));
  Write("empty.Syx", QByteArray());
  Write("notes.txt", QByteArray("hello, this is text\n"));
  for (const char* name : {"p.Syx", "p.syx", "a.Syx", "b.Syx", "patch.Syx"})
    Write(name, SyxOf(ekPatch, false, "P"));
  Write("r.Syx", SyxOf(ekRhythm, false, "R"));
  Write("xp.Syx", SyxOf(ekPatch, true, "P"));
  Write("pxp.Syx", SyxOf(ekPerformance, true, "B"));
  TPatchBank bank(nullptr);
  bank.Init();
  Write("bank.syx", bank.SysexBytes(false));
  QByteArray damaged = SyxOf(ekPatch, false, "Cafe");
  damaged[12] = '\xE9';  // in the name, between the block's F0 and F7
  Write("damaged.syx", damaged);
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
  TLibrary library;
  library.NewElement(ekPatch);
  Write("one.Lib", library.SaveToBytes(false));
  library.NewElement(ekSystem);
  QByteArray whole = library.SaveToBytes(false);
  // The system record starts after the 10 bytes of comment and window values and the patch's 898.
  Write("cut.Lib", whole.left(whole.size() - 5));
  whole[908] = 9;
  Write("kind.Lib", whole);

  // Words split at blanks, or at "|" where a word holds blanks; every text of Says (split at
  // " && ") is in the message.
  const struct {
    const char* Line;
    int Exit;
    const char* Says;
  } cases[] = {
      {"info short.Syx", 1, "short.Syx: wrong size for a .Syx file: 600 bytes && Patch 643 or 644"},
      {"pack o.Lib short.Syx", 1, "short.Syx"},
      {"info small.Glb", 1, "small.Glb: wrong size for a .Glb file: 1000 bytes"},
      {"info zero.Glb", 1, "zero.Glb: not a global dump: kind code 0 && at byte 0"},
      {"info empty.Syx", 1, "empty.Syx: the file is empty"},
      {"info absent.Lib", 1, "absent.Lib: no such file"},
      {"info notes.txt", 1, "notes.txt: unknown kind of file"},
      {"info cut.Lib", 1, "cut.Lib: damaged library: at byte 908 && (intact before it: 1 element)"},
      {"extract kind.Lib 1 o.Syx", 1, "at byte 908 && unknown element kind 9"},
      {"convert p.Syx folder --to-xp", 1, "folder: is a folder"},
      {"pack missing/out.Lib p.Syx", 1, "out.Lib"},
      {"", 2, ""},
      {"frobnicate", 2, ""},
      {"info", 2, ""},
      {"info a --verbose", 2, ""},
      {"convert xp.Syx o.Syx --to-xp", 1, "xp.Syx: a Patch .Syx file in the XP layout"},
      {"convert xp.Syx o.Syx", 2, ""},
      {"convert xp.Syx o.Syx --to-xp --from-xp", 2, ""},
      {"pack o.Lib a.Syx r.Syx pxp.Syx", 1, "pxp.Syx: in the XP layout, but a.Syx"},
      {"extract one.Lib 2 o.Syx", 1, "holds 1 element; there is no element 2"},
      {"extract one.Lib 0 o.Syx", 2, ""},
      {"extract one.Lib first o.Syx", 2, ""},
      {"search one.Lib --from 2024-01-01", 2, ""},
      {"search one.Lib --kinds bank", 2, ""},
      {"search one.Lib --name", 2, ""},
      {"duplicates p.Syx", 1, ""},
      {"show bank.syx --element 129", 1, ""},
      {"show bank.syx --element x", 2, ""},
      {"show", 2, ""},
      {"random bank.syx -o o.Syx", 2, "give the generator's seed with --seed"},
      {"random bank.syx -o o.Syx --seed -4", 2, "the seed must be a whole number"},
      {"random bank.syx -o o.Syx --seed 4294967296", 2, "the seed must be a whole number"},
      {"random bank.syx -o o.Syx --seed 1 --no-tone 5", 2, "--no-tone needs tone numbers"},
      {"random bank.syx --seed 1", 2, "give the file to write with -o"},
      {"random patch.Syx -o o.Syx --seed 1", 1, "patch.Syx: not a patch bank .Syx file"},
      {"random missing.Syx -o o.Syx --seed 1", 1, "missing.Syx"},
      {"morph a.Syx b.Syx -o o.Syx", 2, "give exactly one of --bank and --factor K"},
      {"morph a.Syx b.Syx -o o.Syx --bank --factor 3", 2, "give exactly one of"},
      {"morph a.Syx b.Syx -o o.Syx --factor 128", 2, "a step from 0 to 127"},
      {"morph a.Syx b.Syx -o o.Syx --bank --include Volume", 2, "no box is named \"Volume\""},
      {"morph a.Syx -o o.Syx --bank", 2, "give two patch .Syx files"},
      {"morph a.Syx bank.syx -o o.Syx --bank", 1, "bank.syx: not a patch .Syx file"},
      {"set|-o|o.syx|p.syx|common/Patch Level=128", 1, "takes 0 to 127"},
      {"set|-o|o.syx|p.syx|common/Pan=L 65", 1, "takes L 64 to R 63"},
      {"set|-o|o.syx|p.syx|tone1/Filter Type=Notch", 1, "takes No Filter, Low Pass, Band Pass"},
      {"set|-o|o.syx|p.syx|tone5/Cutoff Frequency=1", 1, "no block is named \"tone5\""},
      {"set|-o|o.syx|p.syx|part1/Level=1", 1, "has no block part 1"},
      {"set|-o|o.syx|p.syx|common/Patch Loudness=1", 1, "has no parameter \"Patch Loudness\""},
      {"set|-o|o.syx|p.syx|tone1/Time Keyfollow=0", 1,
       "(offsets 69, 90, 109); name one by its offset"},
      {"set|-o|o.syx|p.syx|common/Patch Level=1|common/Patch Level=x", 1, "\"x\" is not a value"},
      {"set|-o|o.syx|p.syx|common/Patch Name=Thirteen char", 1, "up to 12 characters"},
      {"set|-o|o.syx|bank.syx|--element|129|common/Patch Level=1", 1, "there is no sound 129"},
      {"set|-o|o.syx|bank.syx|common/Patch Level=1", 2, "give --element N or --all"},
      {"set|-o|o.syx|p.syx|common/Patch Level", 2, ""},
      {"set|-o|o.syx|p.syx", 2, "at least one"},
      {"find p:tone/Cutof>3 --catalog c.db", 2,
       "vesta-cli: find: position 8: unknown caption \"Cutof\" in the tone blocks in: "
       "p:tone/Cutof>3\n"},
      {"catalog add nowhere --catalog c.db", 1, ""},
      {"catalog remove folder --catalog c.db", 1, ""},
      {"similar bank.syx --catalog c.db", 2, "holds 128 sounds; choose one with --element N"},
      {"tag p.syx --catalog c.db", 2, ""},
      {"receive sound -o x.syx", 2, ""},
      {"receive patch-bank --temporary -o x.syx", 2, ""},
      {"receive patch --number 129 -o x.syx", 2, ""},
      {"receive patch --device 16 -o x.syx", 2, ""},
      {"receive patch", 2, ""},
      {"receive system --user -o x.syx", 2, ""},
      {"receive|patch|--port|No Such Port|-o|x.syx", 1, "No Such Port"},
      // The folder is checked before the port, so nothing would have been transferred.
      {"receive|patch-bank|--port|No Such Port|-o|missing/bank.syx", 1,
       "vesta-cli: missing/bank.syx: cannot be written: No such file or directory\n"},
      {"convert p.syx missing/two.syx --to-xp", 1,
       "vesta-cli: missing/two.syx: cannot be written: No such file or directory\n"},
      // Refused whole before any port opens, so the missing port is never reached.
      {"send|damaged.syx|--port|No Such Port", 1,
       "vesta-cli: damaged.syx: Patch \"Caf\xC3\xA9\" cannot be sent: common byte 3 holds E9H, "
       "and a system-exclusive message carries only 00H to 7FH. Nothing of it was sent.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Line);
    const QString line = QString::fromUtf8(c.Line);
    const TCliRun run = Cli(line.split(line.contains(u'|') ? u'|' : u' ', Qt::SkipEmptyParts));
    EXPECT_EQ(run.Exit, c.Exit);
    for (const QString& text : QString::fromUtf8(c.Says).split(" && "))
      EXPECT_TRUE(run.Err.contains(text))
          << run.Err.toStdString() << " lacks " << text.toStdString();
  }
  for (const char* name : {"o.Lib", "o.Syx", "o.syx", "x.syx", "missing"})
    EXPECT_FALSE(QFile::exists(Path(name))) << name;
  EXPECT_TRUE(Run("info cut.Lib").Out.contains("Patch"));  // what was intact is still listed
  EXPECT_TRUE(Run("show damaged.syx")
                  .Out.contains(QRegularExpression(
                      "common +0  Patch Name +67 97 102 233 32 32 32 32 32 32 32 32  "
                      "\\(out of range: 43 61 66 E9 20 20 20 20 20 20 20 20\\)\n")));

  const QString help = Lines("--help").join(u'\n');
  for (const char* command : {"info", "convert", "extract", "pack"})
    EXPECT_TRUE(help.contains(QLatin1String(command)));
  EXPECT_TRUE(Run("help extract").Out.contains("N counts from 1"));
  EXPECT_TRUE(Run("help").Out.contains("vesta-cli set FILE -o OUT"));
}
