// .Lib and .Glb files: exact layouts, round trips, damaged files, refusals and atomic saves.
#include <sys/resource.h>

#include <csignal>

#include <QDir>
#include <QFileInfo>

#include "model/global.h"
#include "model/library.h"
#include "modelfixture.h"

using TLibraryFiles = TModelTest;

namespace {
// Limits the size of files this process writes, as a full disk would (RLIMIT_FSIZE binds root
// too); the signal that comes with it is ignored so that the write just fails.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~TFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};
}  // namespace

TEST_F(TLibraryFiles, CommentLinesAreLengthPrefixedAndEndWithFFFF) {
  TLibrary library;
  EXPECT_EQ(library.SaveToBytes(false), QByteArray(10, '\xFF'));  // empty: ten bytes
  library.Comment = QStringList{"ab", QString()};
  library.Width = 0x0102;
  EXPECT_EQ(library.SaveToBytes(false).left(10), QByteArray("\x02\x00"
                                                            "ab\x00\x00\xFF\xFF\x02\x01",
                                                            10));
  TLibrary back;
  EXPECT_FALSE(back.LoadFromBytes(Bytes(library.SaveToBytes(false)), false).Damaged());
  EXPECT_EQ(std::tuple(back.Comment, back.Width), std::tuple(library.Comment, 0x0102));
}

TEST_F(TLibraryFiles, OnePatchReadsBackWithNameDatesLocationAndPages) {
  TLibrary library;
  auto& patch = static_cast<TPatch&>(library.NewElement(ekPatch));
  patch.SetName("Brass", false);
  patch.Temporary = false;
  patch.User = true;
  patch.Number = 77;
  patch.CreatedDate = 45000;
  patch.CreatedTime = 0.25;
  patch.ModifiedDate = 45001;
  patch.ModifiedTime = 0.75;
  patch.FileName = "C:\\Sounds\\Brass.Syx";
  patch.WinLeft = 10;
  patch.Tones[1].Pages[TTone::pgLFO2] = {nullptr, false, 300, 40};
  patch.Common.Pages[TCommon::pgEffects] = {nullptr, false, 5, 6};
  ui.Files.push_back(Path("One.Lib"));
  ASSERT_TRUE(library.Save(false));
  EXPECT_EQ(ReadAll(Path("One.Lib")).size(), 10 + 898);
  EXPECT_EQ(library.FileName, Path("One.Lib"));
  EXPECT_TRUE(library.Saved);

  TLibrary back;
  ASSERT_TRUE(back.LoadFromFile(Path("One.Lib")));
  ASSERT_EQ(back.Count(), 1);
  auto& read = static_cast<TPatch&>(back.Element(0));
  EXPECT_EQ(std::tuple(read.GetName(), read.LocationText(), read.CreatedDate, read.CreatedTime,
                       read.ModifiedTime, read.FileName, read.WinLeft, read.WinTop),
            std::tuple(QString("Brass"), QString("User : 77"), 45000.0, 0.25, 0.75, patch.FileName,
                       10, 0xFFFF));
  EXPECT_EQ(
      std::tuple(read.Tones[1].Pages[TTone::pgLFO2].Left, read.Tones[1].Pages[TTone::pgLFO2].Top,
                 read.Common.Pages[TCommon::pgEffects].Top),
      std::tuple(300, 40, 6));
  EXPECT_EQ(read.Owner, &back);
  EXPECT_TRUE(back.Saved);
  EXPECT_EQ(read.RecordBytes(false), patch.RecordBytes(false));
}

TEST_F(TLibraryFiles, EveryKindRoundTripsInBothLayouts) {
  for (bool xp : {false, true}) {
    TLibrary library;
    for (int kind = 0; kind < kKindCount; ++kind) library.NewElement(kind).Name = "K";
    static_cast<TRhythm&>(library.Element(ekRhythm)).Pages[TRhythm::pgMain].Left = 7;
    static_cast<TSystem&>(library.Element(ekSystem)).Pages[TSystem::pgPreview].Top = 8;
    auto& global = static_cast<TGlobal&>(library.Element(ekGlobal));
    global.RhythmBank(false).Rhythm(1).SetName("Card Kit", false);
    const QByteArray bytes = library.SaveToBytes(xp);
    TLibrary back;
    ASSERT_FALSE(back.LoadFromBytes(Bytes(bytes), xp).Damaged()) << xp;
    ASSERT_EQ(back.Count(), kKindCount);
    EXPECT_EQ(back.SaveToBytes(xp), bytes) << xp;
    EXPECT_EQ(static_cast<TRhythm&>(back.Element(ekRhythm)).Pages[TRhythm::pgMain].Left, 7);
    EXPECT_EQ(static_cast<TSystem&>(back.Element(ekSystem)).Pages[TSystem::pgPreview].Top, 8);
    EXPECT_EQ(static_cast<TGlobal&>(back.Element(ekGlobal)).RhythmBank(false).Rhythm(1).GetName(),
              "Card Kit");
  }
}

TEST_F(TLibraryFiles, DamagedLibraryKeepsTheCompleteElementsAndSaysWhere) {
  TLibrary library;
  library.NewElement(ekPatch);
  library.NewElement(ekSystem);
  library.NewElement(ekRhythm);
  QByteArray bytes = library.SaveToBytes(false);
  const qint64 third = 10 + 898 + 593;
  WriteAll(Path("Cut.Lib"), bytes.left(third + 100));
  TLibrary cut;
  ASSERT_TRUE(cut.LoadFromFile(Path("Cut.Lib")));
  EXPECT_EQ(cut.Count(), 2);
  for (const QString& part :
       {QDir::toNativeSeparators(Path("Cut.Lib")), QStringLiteral("byte %1").arg(third),
        QStringLiteral("Rhythm record")})
    EXPECT_TRUE(ui.LastText().contains(part)) << ui.LastText().toStdString();

  bytes[third] = 9;  // an unknown kind code
  TLibrary unknown;
  const TLibraryDamage damage = unknown.LoadFromBytes(Bytes(bytes), false);
  EXPECT_EQ(std::tuple(damage.Offset, damage.Problem, unknown.Count()),
            std::tuple(third, QString("unknown element kind 9"), 2));

  TLibrary tiny;
  EXPECT_TRUE(tiny.LoadFromBytes(Bytes(QByteArray("\xFF\xFF\x01", 3)), false).Damaged());
  EXPECT_TRUE(tiny.LoadFromBytes(Bytes(bytes.left(third + 1)), false).Damaged());
  EXPECT_EQ(tiny.Count(), 2);

  // A comment cut by the end of the file: its line is kept, the missing window values are damage.
  TLibrary comment;
  const TLibraryDamage cutComment = comment.LoadFromBytes(Bytes(QByteArray("\x01\x00x", 3)), false);
  EXPECT_EQ(std::tuple(comment.Comment, cutComment.Damaged(), cutComment.Offset),
            std::tuple(QStringList{"x"}, true, 3));
}

TEST_F(TLibraryFiles, GlobalDumpFileIsItsRecord) {
  TGlobal global(nullptr);
  global.PatchBank(false).Patch(5).SetName("Card Six", false);
  global.System().Common.StoreByte(18, 0x22);
  ui.Files.push_back(Path("All.Glb"));
  ASSERT_TRUE(global.SaveGlobal(false));
  EXPECT_EQ(std::tuple(ui.FileRequests.back().Options.Title, ui.FileRequests.back().Options.Filter),
            std::tuple(QString("Save Global"), QString("Glb file|*.Glb")));
  const QByteArray file = ReadAll(Path("All.Glb"));
  ASSERT_EQ(file.size(), 219450);
  EXPECT_EQ(file.left(2), QByteArray("\x07\x00", 2));

  TLibrary library;
  auto& loaded = static_cast<TGlobal&>(library.NewElement(ekGlobal));
  ui.Files.push_back(Path("All.Glb"));
  ASSERT_TRUE(loaded.LoadGlobal());
  EXPECT_EQ(std::tuple(ui.FileRequests.back().Options.Title, loaded.Name,
                       loaded.PatchBank(false).Patch(5).GetName(),
                       loaded.System().Common.GetByte(18), library.Saved),
            std::tuple(QString("Load Global"), QString("All"), QString("Card Six"), 0x22, false));

  TXpScope exporting;
  EXPECT_EQ(global.GlbBytes(XpFlag()).size(), 226020);
}

TEST_F(TLibraryFiles, GlobalRefusesOtherFilesAndKeepsItsContents) {
  TGlobal source(nullptr);
  QByteArray good = source.GlbBytes(false);
  TGlobal global(nullptr);
  global.PatchBank(true).Patch(0).SetName("Kept", false);
  const QByteArray before = global.GlbBytes(false);

  QByteArray wrongMember = good;
  wrongMember[139] = 3;  // the user patch bank's kind code
  const QByteArray wrongKind = QByteArray(1, '\x01') + good.mid(1);
  for (const QByteArray& bad : {good.left(219449), good + '\0', wrongMember, wrongKind}) {
    WriteAll(Path("Bad.Glb"), bad);
    ui.Files.push_back(Path("Bad.Glb"));
    EXPECT_FALSE(global.LoadGlobal());
    EXPECT_TRUE(ui.LastText().contains("not a global dump")) << ui.LastText().toStdString();
    EXPECT_EQ(global.GlbBytes(false), before);
    EXPECT_EQ(global.FileName, "Untitled.Glb");
  }
  EXPECT_TRUE(ui.LastText().contains("kind code 1")) << ui.LastText().toStdString();
  EXPECT_TRUE(global.ReadGlbBytes(Bytes(good), false).isEmpty());
}

TEST_F(TLibraryFiles, CancelledDeclinedOrFailedSaveLeavesTheOldFileAndTheLibraryState) {
  TLibrary library;
  library.NewElement(ekPatch);
  library.Saved = false;
  EXPECT_FALSE(library.Save(false));  // dialog cancelled
  EXPECT_EQ(std::tuple(ui.FileRequests.back().Options.Title,
                       ui.FileRequests.back().Options.DefaultExt, library.FileName),
            std::tuple(QString("Save Library"), QString("Lib"), QString("Untitled.Lib")));
  WriteAll(Path("Keep.Lib"), "previous");
  ui.Files.push_back(Path("Keep.Lib"));
  ui.Answers.push_back(mbNo);  // do not overwrite
  EXPECT_FALSE(library.Save(true));
  EXPECT_EQ(ReadAll(Path("Keep.Lib")), "previous");
  EXPECT_FALSE(library.Saved);

  library.FileName = Path("Keep.Lib");
  {
    // The disk "fills up" after a few bytes: the write fails half way, for any user.
    TFileSizeLimit limit(4);
    EXPECT_FALSE(library.Save(false));
  }
  EXPECT_EQ(ReadAll(Path("Keep.Lib")), "previous");
  EXPECT_FALSE(library.Saved);
  EXPECT_TRUE(ui.LastText().contains("Keep.Lib")) << ui.LastText().toStdString();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Keep.Lib"});  // no leftovers

  // A folder that does not exist fails too.
  TLibrary lost;
  lost.FileName = Path("missing/Lost.Lib");
  EXPECT_FALSE(lost.Save(false));
  EXPECT_TRUE(ui.LastText().contains("Lost.Lib")) << ui.LastText().toStdString();
  EXPECT_FALSE(lost.SavedToFile);
}

TEST_F(TLibraryFiles, OpenDialogLoadSetsSavedEvenWhenCancelledAndUntitledNamesAreNumbered) {
  TLibrary source;
  source.NewElement(ekPerformance);
  WriteAll(Path("Perf.Lib"), source.SaveToBytes(false));
  TLibrary library;
  library.Saved = false;
  EXPECT_FALSE(library.OpenDialogLoad());
  EXPECT_TRUE(library.Saved);
  EXPECT_EQ(std::tuple(ui.FileRequests.back().Options.Title, ui.FileRequests.back().Options.Filter),
            std::tuple(QString("Load Library"), QString("Lib file|*.Lib")));
  ui.Files.push_back(Path("Perf.Lib"));
  EXPECT_TRUE(library.OpenDialogLoad());
  EXPECT_EQ(std::tuple(library.Count(), library.GetName()), std::tuple(1, QString("Perf.Lib")));

  EXPECT_EQ(std::tuple(TLibrary::UntitledName(1), TLibrary::UntitledName(2),
                       TLibrary::UntitledNumber("Untitled.Lib"),
                       TLibrary::UntitledNumber("untitled 12.lib")),
            std::tuple(QString("Untitled.Lib"), QString("Untitled 2.Lib"), 1, 12));
  for (const char* other : {"Untitled2.Lib", "/home/me/Untitled.Lib", "Untitled 2.Syx", "Mine.Lib"})
    EXPECT_EQ(TLibrary::UntitledNumber(other), 0) << other;

  // "Untitled 3.Lib" asks for a name like "Untitled.Lib" does; a file saved so named does not.
  TLibrary untitled;
  untitled.FileName = "Untitled 3.Lib";
  EXPECT_TRUE(untitled.IsUntitled());
  EXPECT_FALSE(untitled.Save(false));
  EXPECT_EQ(ui.FileRequests.size(), 3u);
  EXPECT_FALSE(QFileInfo::exists("Untitled 3.Lib"));
}

TEST_F(TLibraryFiles, DamageMessageCountsTheLoadedElementsInWords) {
  const struct {
    int count;
    const char* line;
  } cases[] = {
      {0, "No element before that point could be loaded."},
      {1, "The element before that point was loaded."},
      {3, "The 3 elements before that point were loaded."},
  };
  for (const auto& c : cases) {
    TLibrary library;
    for (int i = 0; i < c.count; ++i) library.NewElement(ekPatch);
    const QStringList lines =
        library.DamageMessage(Path("Cut.Lib"), TLibraryDamage{12, "the file ends early"})
            .split('\n');
    ASSERT_EQ(lines.size(), 3) << c.count;
    EXPECT_EQ(lines[1].toStdString(), c.line) << c.count;
  }
}

TEST_F(TLibraryFiles, DamagedLibraryIsUntiedSoItsFirstSaveAsksAndTheFileIsKept) {
  TLibrary library;
  library.NewElement(ekPatch);
  library.NewElement(ekSystem);
  const QByteArray damaged = library.SaveToBytes(false).left(10 + 898 + 100);
  WriteAll(Path("Cut.Lib"), damaged);

  TLibrary cut;
  ASSERT_TRUE(cut.LoadFromFile(Path("Cut.Lib")));
  ASSERT_EQ(cut.Count(), 1);
  EXPECT_TRUE(
      ui.LastText().endsWith("The element before that point was loaded.\n"
                             "Save writes a new file; the damaged file is kept as it is."))
      << ui.LastText().toStdString();
  EXPECT_EQ(std::tuple(cut.Untied, cut.IsUntitled(), cut.GetName()),
            std::tuple(true, true, QString("Cut.Lib")));

  cut.NewElement(ekRhythm).Modified();
  EXPECT_FALSE(cut.Save(false));  // the save dialog, cancelled
  ASSERT_EQ(ui.FileRequests.size(), 1u);
  EXPECT_EQ(ui.FileRequests[0].Options.Title, "Save Library");
  EXPECT_EQ(ReadAll(Path("Cut.Lib")), damaged);

  ui.Files.push_back(Path("Kept.Lib"));
  ASSERT_TRUE(cut.Save(false));
  EXPECT_EQ(ReadAll(Path("Cut.Lib")), damaged);
  EXPECT_EQ(ReadAll(Path("Kept.Lib")).size(), 10 + 898 + 4590);
  EXPECT_FALSE(cut.IsUntitled());
  // Tied to the new file: the next save goes there without a question.
  ASSERT_TRUE(cut.Save(false));
  EXPECT_EQ(ui.FileRequests.size(), 2u);
}
