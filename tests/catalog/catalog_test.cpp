// The catalog file: scans and rescans of a folder shared by two programs, hand-made marks that
// follow sounds, damaged files, and a scan killed part way.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QThread>

#include "catalog/query.h"
#include "tests/catalog/catalogfixture.h"

namespace {
// Every place of the index as "name@file#element" with the file's name only, in listing order.
QStringList Places(const TCatalogIndex& index, const QString& query = QString()) {
  QStringList places;
  for (const TFoundPlace& p : TQuery::Parse(query).Run(index))
    places << QStringLiteral("%1@%2#%3")
                  .arg(index.Sounds[static_cast<std::size_t>(p.Sound)].Name,
                       QFileInfo(index.Files[p.File]).fileName())
                  .arg(p.Element);
  return places;
}

const TIndexedSound* Named(const TCatalogIndex& index, const QString& name) {
  for (const TIndexedSound& sound : index.Sounds)
    if (sound.Name == name) return &sound;
  return nullptr;
}
}  // namespace

TEST_F(TCatalogTest, ScanEntersEverySoundOnceWithItsPlaces) {
  Put("one.syx", PatchBytes("Warm Pad"));
  // The same sound in a library after a bank: its element counts the bank's 128 members.
  TLibrary library;
  auto bank = std::make_unique<TPatchBank>(nullptr);
  for (int i = 0; i < bank->Count(); ++i)
    bank->Patch(i).SetName(QStringLiteral("Str %1").arg(i + 1), false);
  library.Add(std::move(bank));
  library.Add(MakePatch("Warm Pad"));
  Put("deeper/set.LIB", library.SaveToBytes(false));
  Put("notes.txt", QByteArray("not a sound"));
  const QByteArray before = ReadAll(Path("in/one.syx"));

  auto catalog = Open();
  auto other = Open();  // another program on the same catalog
  EXPECT_TRUE(catalog->AddFolder(Path("in")));
  EXPECT_FALSE(catalog->AddFolder(Path("in/")));
  const TScanReport report = other->Scan();
  EXPECT_EQ(report.FilesRead, 2);
  const TCatalogCounts counts = catalog->Counts();
  EXPECT_EQ(std::tuple(counts.Files, counts.Places, counts.Distinct, counts.ByKind[0]),
            std::tuple(2, 130, 129, 129));

  const TCatalogIndex index = catalog->LoadIndex();
  EXPECT_EQ(Places(index, "warm"), (QStringList{"Warm Pad@set.LIB#129", "Warm Pad@one.syx#1"}));
  EXPECT_EQ(Places(index, "\"str 127\""), QStringList{"Str 127@set.LIB#127"});
  // Categories come from the names.
  EXPECT_EQ(Named(index, "Str 5")->Categories, QStringList{"Strings"});
  // The scanned files are only read.
  EXPECT_EQ(ReadAll(Path("in/one.syx")), before);
}

TEST_F(TCatalogTest, MarksFollowTheSoundThroughChangesRenamesRemovalsAndFolderRemoval) {
  const QString a = Path("in/a.syx");
  const QString b = Path("in/b.syx");
  Put("a.syx", PatchBytes("Alpha"));
  Put("b.syx", PatchBytes("Lead Pad"));
  auto catalog = Open();
  catalog->AddFolder(Path("in"));
  catalog->Scan();
  const QByteArray hash = CatalogSound(*MakePatch("Lead Pad")).Hash;
  EXPECT_EQ(Named(catalog->LoadIndex(), "Lead Pad")->Categories, (QStringList{"Lead", "Pad"}));
  catalog->SetTag(hash, "mine", true);
  catalog->SetFavourite(hash, true);
  catalog->SetCategory(hash, "Pad", false);
  catalog->SetCategory(hash, "Bass", true);

  // Changed: a file of another size or time is read again, and its old sound goes.
  WriteAll(a, PatchBytes("Gamma"));
  QFile(a).setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
  EXPECT_EQ(catalog->Scan().FilesRead, 1);
  EXPECT_EQ(Places(catalog->LoadIndex()), (QStringList{"Gamma@a.syx#1", "Lead Pad@b.syx#1"}));

  // Renamed: the sound is found again in its new file with its tag, mark and category.
  ASSERT_TRUE(QFile::rename(b, Path("in/c.syx")));
  EXPECT_EQ(catalog->Scan().FilesRead, 1);
  EXPECT_EQ(Places(catalog->LoadIndex(), "tag:mine fav cat:bass"), QStringList{"Lead Pad@c.syx#1"});
  EXPECT_EQ(catalog->Counts().Distinct, 2);

  // Removed: its places go; its marks stay with the sound and come back with it.
  ASSERT_TRUE(QFile::remove(Path("in/c.syx")));
  EXPECT_EQ(catalog->Scan().FilesRead, 0);
  EXPECT_EQ(Places(catalog->LoadIndex()), QStringList{"Gamma@a.syx#1"});
  Put("d.syx", PatchBytes("Lead Pad"));
  catalog->Scan();
  EXPECT_EQ(Places(catalog->LoadIndex(), "tag:mine fav cat:bass"), QStringList{"Lead Pad@d.syx#1"});

  // So also when its folder is removed and added again.
  catalog->SetHidden(hash, true);
  ASSERT_TRUE(catalog->RemoveFolder(Path("in")));
  EXPECT_EQ(catalog->Counts().Places, 0);
  EXPECT_FALSE(catalog->RemoveFolder(Path("in")));
  catalog->AddFolder(Path("in"));
  catalog->Scan();
  const TCatalogIndex index = catalog->LoadIndex();
  const TIndexedSound* sound = Named(index, "Lead Pad");
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->Categories, (QStringList{"Bass", "Lead"}));
  EXPECT_TRUE(sound->Hidden);
  EXPECT_EQ(Places(index), QStringList{"Gamma@a.syx#1"});
  EXPECT_EQ(Places(index, "hidden"), QStringList{"Lead Pad@d.syx#1"});
}

TEST_F(TCatalogTest, DamagedFilesAreSkippedWithTheirReason) {
  Put("a.syx", PatchBytes("Good"));
  Put("b.syx", PatchBytes("Cut").left(100));
  Put("c.glb", QByteArray(10, '\0'));
  TLibrary library;
  library.Add(MakePatch("In Lib"));
  library.Add(MakePatch("Lost"));
  Put("d.lib", library.SaveToBytes(false).chopped(300));
  Put("e.syx", QByteArray());

  auto catalog = Open();
  catalog->AddFolder(Path("in"));
  const TScanReport report = catalog->Scan();
  EXPECT_EQ(report.FilesRead, 1);
  QStringList damaged;
  for (const auto& [file, reason] : report.Damaged)
    damaged << QFileInfo(file).fileName() + ": " + reason.left(reason.indexOf(" at byte "));
  EXPECT_EQ(damaged, (QStringList{"b.syx: wrong size for a .Syx file: 100 bytes",
                                  "c.glb: wrong size for a .Glb file: 10 bytes",
                                  "d.lib: damaged library:", "e.syx: the file is empty"}));
  // A damaged library is not half entered.
  EXPECT_EQ(Places(catalog->LoadIndex()), QStringList{"Good@a.syx#1"});
  // Nor is a file that is not a catalog opened as one.
  WriteAll(Path("not.db"), QByteArray(4096, 'x'));
  EXPECT_THROW(TCatalog(Path("not.db")), TCatalogError);
}

// A scan killed while it runs leaves a catalog that opens, holds whole files only, and that the
// next scan completes.
TEST_F(TCatalogTest, ScanKilledPartWayIsCompletedByTheNext) {
  constexpr int kFiles = 60;
  for (int i = 0; i < kFiles; ++i)
    Put(QStringLiteral("bank%1.syx").arg(i, 2, 10, QLatin1Char('0')),
        BankBytes(QStringLiteral("B%1").arg(i)));
  Open()->AddFolder(Path("in"));

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    try {
      Open()->Scan();
    } catch (...) {
    }
    _exit(0);
  }
  // Kill it once some files are in, long before all are.
  int entered = 0;
  for (int waited = 0; waited < 20000 && (entered = Open()->Counts().Files) < 3; waited += 5)
    QThread::msleep(5);
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the scan ended before it could be killed";
  ASSERT_GE(entered, 3);

  auto catalog = Open();
  const TCatalogCounts after = catalog->Counts();
  EXPECT_LT(after.Files, kFiles);
  EXPECT_EQ(after.Places, after.Files * 128);  // whole files only
  EXPECT_EQ(catalog->Scan().FilesRead, kFiles - after.Files);
  EXPECT_EQ(catalog->Counts().Places, kFiles * 128);
  EXPECT_EQ(catalog->Counts().Distinct, kFiles * 128);
}
