// .Lib, .Glb and .Syx files: exact layouts, XP conversion, round trips, damaged files, refusals,
// atomic saves, the load and save commands with their dialogs, and opening a file by its content.
#include <sys/resource.h>

#include <csignal>

#include <QDir>
#include <QFileInfo>

#include "midi/sysex.h"
#include "model/global.h"
#include "model/library.h"
#include "model/openedfile.h"
#include "model/patchbank.h"
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

TEST_F(TLibraryFiles, EveryKindRoundTripsInBothLayoutsAndCommentLinesAreLengthPrefixed) {
  for (bool xp : {false, true}) {
    TLibrary library;
    for (int kind = 0; kind < kKindCount; ++kind) library.NewElement(kind).Name = "K";
    auto& global = static_cast<TGlobal&>(library.Element(ekGlobal));
    global.RhythmBank(false).Rhythm(1).SetName("Card Kit", false);
    const QByteArray bytes = library.SaveToBytes(xp);
    TLibrary back;
    ASSERT_FALSE(back.LoadFromBytes(Bytes(bytes), xp).Damaged()) << xp;
    ASSERT_EQ(back.Count(), kKindCount);
    EXPECT_EQ(back.SaveToBytes(xp), bytes) << xp;
    EXPECT_EQ(static_cast<TGlobal&>(back.Element(ekGlobal)).RhythmBank(false).Rhythm(1).GetName(),
              "Card Kit");
  }
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

TEST_F(TLibraryFiles, DamagedLibraryKeepsTheCompleteElementsAndSaysWhereAndHowManyInWords) {
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
  for (const QString& part : {QDir::toNativeSeparators(Path("Cut.Lib")),
                              QStringLiteral("byte %1").arg(third), QString("Rhythm record")})
    EXPECT_TRUE(ui.LastText().contains(part)) << ui.LastText().toStdString();
  EXPECT_TRUE(ui.LastText().endsWith(
      "were loaded.\nSave writes a new file; the damaged file is kept as it is."));
  // Untied from the damaged file: the first save asks for a name and the file is kept.
  EXPECT_EQ(std::tuple(cut.Untied, cut.IsUntitled(), cut.GetName()),
            std::tuple(true, true, QString("Cut.Lib")));
  cut.NewElement(ekRhythm).Modified();
  EXPECT_FALSE(cut.Save(false));  // the save dialog, cancelled
  ASSERT_EQ(ui.FileRequests.size(), 1u);
  ui.Files.push_back(Path("Kept.Lib"));
  ASSERT_TRUE(cut.Save(false));
  EXPECT_EQ(ReadAll(Path("Cut.Lib")), bytes.left(third + 100));
  EXPECT_EQ(ReadAll(Path("Kept.Lib")).size(), third + 4590);
  EXPECT_FALSE(cut.IsUntitled());
  ASSERT_TRUE(cut.Save(false));  // tied to the new file: no question
  EXPECT_EQ(ui.FileRequests.size(), 2u);

  TLibrary tiny;
  EXPECT_TRUE(tiny.LoadFromBytes(Bytes(QByteArray("\xFF\xFF\x01", 3)), false).Damaged());
  EXPECT_TRUE(tiny.LoadFromBytes(Bytes(bytes.left(third + 1)), false).Damaged());
  EXPECT_EQ(tiny.Count(), 2);

  // A comment cut by the end of the file: its line is kept, the missing window values are damage.
  TLibrary comment;
  const TLibraryDamage cutComment = comment.LoadFromBytes(Bytes(QByteArray("\x01\x00x", 3)), false);
  EXPECT_EQ(std::tuple(comment.Comment, cutComment.Damaged(), cutComment.Offset),
            std::tuple(QStringList{"x"}, true, 3));
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

TEST_F(TLibraryFiles, GlobalDumpFileIsItsRecord) {
  TGlobal global(nullptr);
  global.PatchBank(false).Patch(5).SetName("Card Six", false);
  global.System().Common.StoreByte(18, 0x22);
  ui.Files.push_back(Path("All.Glb"));
  ASSERT_TRUE(global.SaveGlobal(false));
  const QByteArray file = ReadAll(Path("All.Glb"));
  ASSERT_EQ(file.size(), 219450);
  EXPECT_EQ(file.left(2), QByteArray("\x07\x00", 2));

  TLibrary library;
  auto& loaded = static_cast<TGlobal&>(library.NewElement(ekGlobal));
  ui.Files.push_back(Path("All.Glb"));
  ASSERT_TRUE(loaded.LoadGlobal());
  EXPECT_EQ(std::tuple(loaded.Name, loaded.PatchBank(false).Patch(5).GetName(),
                       loaded.System().Common.GetByte(18), library.Saved),
            std::tuple(QString("All"), QString("Card Six"), 0x22, false));
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
  EXPECT_EQ(library.FileName, "Untitled.Lib");
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

using TSysexFiles = TModelTest;

namespace {
QByteArray SysexOf(int kind, bool xp) {
  return CreateElement(kind, nullptr)->SysexBytes(xp);
}
}  // namespace

// A file of the element's kind and layout loads; a patch keeps the name its data gives, the other
// kinds are named after the file; a file of another size is refused and changes nothing.
TEST_F(TSysexFiles, LoadTakesItsKindAndLayoutOnlyAndNamesAllButSoundsAfterTheFile) {
  QByteArray hand;  // a patch put together from the address map
  TBytes common(72, 0);
  const char name[] = "Handmade    ";
  std::copy(name, name + 12, common.begin());
  common[44] = 9;
  auto append = [&hand](const TBytes& message) {
    hand.append(QByteArray(reinterpret_cast<const char*>(message.data()), message.size()));
  };
  append(DataSet(0x03000000, common));
  for (int t = 0; t < 4; ++t) append(DataSet(0x03001000 + t * 0x200, TBytes(129, 10 + t)));
  ASSERT_EQ(hand.size(), 643);
  const struct {
    const char* File;
    QByteArray Bytes;
    int Kind;
    bool Xp, Loads;
    const char* Name;   // the element's own name field afterwards
    const char* Shown;  // its name as shown
  } cases[] = {
      {"Hand.Syx", hand, ekPatch, false, true, "", "Handmade"},
      {"Xp.Syx", SysexOf(ekPatch, true), ekPatch, false, false, "", "Keep"},
      {"Xp.Syx", SysexOf(ekPatch, true), ekPatch, true, true, "", ""},  // Import From XP
      {"MySys.Syx", SysexOf(ekSystem, false), ekSystem, false, true, "MySys", "MySys"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.File);
    WriteAll(Path(c.File), c.Bytes);
    TLibrary library;
    TLibElem& element = library.NewElement(c.Kind);
    element.SetName("Keep", false);
    const QByteArray before = element.SysexBytes(false);
    library.Saved = true;
    SetXpFlag(c.Xp);
    ui.Files.push_back(Path(c.File));
    EXPECT_EQ(element.LoadSysexFile(), c.Loads);
    EXPECT_EQ(std::tuple(element.Name, element.GetName(), library.Saved),
              std::tuple(QString(c.Name), QString(c.Shown), !c.Loads));
    if (c.Loads) {
      EXPECT_EQ(element.FileName, Path(c.File));
      EXPECT_EQ(element.SysexBytes(c.Xp), c.Bytes);
      continue;
    }
    EXPECT_EQ(std::tuple(ui.LastText(), ui.Questions.back().Kind, element.FileName),
              std::tuple(QString("Incorrect SysEx File Type."), TMsgKind::Information,
                         QString("Untitled.Syx")));
    EXPECT_EQ(element.SysexBytes(false), before);
  }
  SetXpFlag(false);
}

TEST_F(TSysexFiles, XpLayoutsRoundTripWithFreshChecksums) {
  TPatch patch(nullptr);
  patch.SetName("XP Test", false);
  patch.Common.StoreByte(71, 0x55);
  const QByteArray normal = patch.SysexBytes(false);
  const QByteArray xp = patch.SysexBytes(true);
  ASSERT_EQ(xp.size(), 644);
  EXPECT_EQ(xp.left(81), normal.left(81));
  EXPECT_EQ(xp.at(81), 0);
  EXPECT_EQ(quint8(xp.at(82)), Checksum(reinterpret_cast<const std::uint8_t*>(xp.data()), 83));
  EXPECT_EQ(quint8(xp.at(83)), 0xF7);
  EXPECT_EQ(xp.mid(84), normal.mid(83));

  TPatch back(nullptr);
  ASSERT_TRUE(back.ReadSysexBytes(Bytes(xp), true));
  EXPECT_EQ(back.SysexBytes(false), normal);
  EXPECT_FALSE(back.ReadSysexBytes(Bytes(xp), false));

  TSystem system(nullptr);
  system.Common.StoreByte(39, 0x11);
  const QByteArray systemXp = system.SysexBytes(true);
  EXPECT_EQ(quint8(systemXp.at(91)),
            Checksum(reinterpret_cast<const std::uint8_t*>(systemXp.data()), 92));
  TSystem systemBack(nullptr);
  ASSERT_TRUE(systemBack.ReadSysexBytes(Bytes(systemXp), true));
  EXPECT_EQ(systemBack.SysexBytes(false), system.SysexBytes(false));
}

TEST_F(TSysexFiles, SaveAsksForAFileUntilTheElementHasOneAndBeforeOverwriting) {
  TPatch patch(nullptr);
  patch.FileName = "untitled.syx";
  EXPECT_FALSE(patch.SaveSysexFile(false));  // dialog cancelled: nothing written
  ASSERT_EQ(ui.FileRequests.size(), 1u);
  EXPECT_EQ(std::tuple(ui.FileRequests[0].Save, patch.SavedToFile), std::tuple(true, false));

  ui.Files.push_back(Path("One.Syx"));
  ASSERT_TRUE(patch.SaveSysexFile(false));
  EXPECT_EQ(std::tuple(patch.FileName, patch.SavedToFile, ReadAll(Path("One.Syx")).size()),
            std::tuple(Path("One.Syx"), true, 643));

  patch.SetName("Second", false);
  ASSERT_TRUE(patch.SaveSysexFile(false));  // no dialog now
  EXPECT_EQ(ui.FileRequests.size(), 2u);
  EXPECT_EQ(ReadAll(Path("One.Syx")).mid(9, 6), "Second");

  // Save as over an existing file asks first; No keeps the file.
  WriteAll(Path("Old.Syx"), "old contents");
  ui.Files.push_back(Path("Old.Syx"));
  ui.Answers.push_back(mbNo);
  EXPECT_FALSE(patch.SaveSysexFile(true));
  EXPECT_EQ(std::tuple(ui.LastText(), ui.Questions.back().Buttons, ReadAll(Path("Old.Syx")),
                       patch.FileName),
            std::tuple(QString("File Alredy Exist. Overwrite it ?"), mbYes | mbNo,
                       QByteArray("old contents"), Path("One.Syx")));

  ui.Files.push_back(Path("Old.Syx"));
  ui.Answers.push_back(mbYes);
  EXPECT_TRUE(patch.SaveSysexFile(true));
  EXPECT_EQ(ReadAll(Path("Old.Syx")).size(), 643);

  // Export To XP writes the longer layout.
  TPerformanceBank bank(nullptr);
  TXpScope exporting;
  ui.Files.push_back(Path("Xp.Syx"));
  ASSERT_TRUE(bank.SaveSysexFile(true));
  EXPECT_EQ(ReadAll(Path("Xp.Syx")).size(), 20896);
}

using TOpenedFiles = TModelTest;

namespace {
QByteArray LibraryOf(std::initializer_list<int> kinds) {
  TLibrary library;
  for (int kind : kinds) library.NewElement(kind);
  return library.SaveToBytes(false);
}
}  // namespace

TEST_F(TOpenedFiles, ReadsEachFileByItsContentIntoALibrary) {
  struct TCase {
    const char* Name;
    QByteArray Bytes;
    bool Xp;
    int Kind;           // the element a SysEx file or global dump gives; -1: read as a library
    int Count;          // elements in the library opened; -1: refused
    const char* Shown;  // the element's name, or a part of the message
  };
  std::unique_ptr<TLibElem> warm = CreateElement(ekPatch, nullptr);
  warm->SetName("Warm Pad", false);
  const QByteArray patch = warm->SysexBytes(false);
  const QByteArray cutLibrary = LibraryOf({ekPatch, ekSystem}).left(10 + 898 + 10);
  const TCase cases[] = {
      {"real-bank-1.syx", SysexOf(ekPatchBank, false), false, ekPatchBank, 1, "real-bank-1"},
      {"One.Syx", patch, false, ekPatch, 1, "Warm Pad"},
      {"Stage.dat", SysexOf(ekPerformance, false), false, ekPerformance, 1, ""},
      {"Kits.Syx", SysexOf(ekRhythmBank, false), false, ekRhythmBank, 1, "Kits"},
      {"Setup.Syx", SysexOf(ekSystem, false), false, ekSystem, 1, "Setup"},
      {"Perf Bank.Syx", SysexOf(ekPerformanceBank, true), true, ekPerformanceBank, 1, "Perf Bank"},
      {"Dump.Glb", TGlobal(nullptr).GlbBytes(false), false, ekGlobal, 1, "Dump"},
      {"Named.Syx", LibraryOf({ekPatch, ekRhythm}), false, -1, 2, ""},
      {"Cut.Lib", cutLibrary, false, -1, 1, "Save writes a new file"},
      {"Two.Syx", patch + patch, false, -1, -1, "is 1286 bytes long, which is no sound's"},
      {"Xp.Syx", SysexOf(ekPatch, true), false, -1, -1, "Patch in the XP layout"},
      {"Noise.Lib",
       QByteArray("\x05\x00"
                  "ab",
                  4),
       false, -1, -1, "neither a library"},
      {"Empty.Syx", QByteArray(), false, -1, -1, "is empty"},
      {"BadMember.Glb", QByteArray(TGlobal(nullptr).GlbBytes(false)).replace(139, 1, "\x03"), false,
       -1, -1, "not a global dump"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    WriteAll(Path(c.Name), c.Bytes);
    const TOpenedFile opened = OpenByContent(Path(c.Name), c.Xp);
    if (c.Count < 0) {
      EXPECT_TRUE(opened.Refused());
      EXPECT_TRUE(opened.Message.contains(QDir::toNativeSeparators(Path(c.Name))));
      EXPECT_TRUE(opened.Message.contains(c.Shown)) << opened.Message.toStdString();
      continue;
    }
    ASSERT_FALSE(opened.Refused()) << opened.Message.toStdString();
    TLibrary& library = *opened.Library;
    ASSERT_EQ(library.Count(), c.Count);
    EXPECT_TRUE(library.Saved);
    if (c.Kind < 0) {
      EXPECT_EQ(library.FileName, Path(c.Name));
      EXPECT_EQ(library.Untied, !opened.Message.isEmpty());
      EXPECT_TRUE(opened.Message.contains(c.Shown)) << opened.Message.toStdString();
      continue;
    }
    // A new library that no file stands behind, holding the element as the file had it.
    EXPECT_TRUE(opened.Message.isEmpty());
    EXPECT_TRUE(library.IsUntitled());
    EXPECT_EQ(library.GetName(), "Untitled.Lib");
    TLibElem& element = library.Element(0);
    EXPECT_EQ(element.Kind, c.Kind);
    EXPECT_EQ(element.Owner, &library);
    EXPECT_EQ(element.FileName, Path(c.Name));
    if (*c.Shown) {
      EXPECT_EQ(element.GetName(), c.Shown);
    }
    if (c.Kind == ekGlobal) {
      // Past the record header, which now names the file.
      EXPECT_EQ(static_cast<TGlobal&>(element).GlbBytes(false).mid(135), c.Bytes.mid(135));
    } else {
      EXPECT_EQ(element.SysexBytes(c.Xp), c.Bytes);
    }
  }
  EXPECT_TRUE(OpenByContent(Path("Missing.Lib"), false).Message.contains("cannot be read"));
}
