// The catalog file: scans and rescans of a folder, hand-made marks that follow sounds, damaged
// files, and a scan killed part way.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
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
  QDir(dir.path()).mkpath(QStringLiteral("in/deeper"));
  WriteAll(Path(QStringLiteral("in/one.syx")), PatchBytes(QStringLiteral("Warm Pad")));
  // The same sound in a library after a bank: its element counts the bank's 128 members.
  TLibrary library;
  auto bank = std::make_unique<TPatchBank>(nullptr);
  for (int i = 0; i < bank->Count(); ++i)
    bank->Patch(i).SetName(QStringLiteral("Str %1").arg(i + 1), false);
  library.Add(std::move(bank));
  library.Add(MakePatch(QStringLiteral("Warm Pad")));
  WriteAll(Path(QStringLiteral("in/deeper/set.LIB")), library.SaveToBytes(false));
  WriteAll(Path(QStringLiteral("in/notes.txt")), QByteArray("not a sound"));
  const QByteArray before = ReadAll(Path(QStringLiteral("in/one.syx")));

  auto catalog = Open();
  EXPECT_TRUE(catalog->AddFolder(Path(QStringLiteral("in"))));
  EXPECT_FALSE(catalog->AddFolder(Path(QStringLiteral("in/"))));
  const TScanReport report = catalog->Scan();
  EXPECT_EQ(report.FilesRead, 2);
  EXPECT_TRUE(report.Damaged.empty());
  const TCatalogCounts counts = catalog->Counts();
  EXPECT_EQ(counts.Files, 2);
  EXPECT_EQ(counts.Places, 130);
  EXPECT_EQ(counts.Distinct, 129);
  EXPECT_EQ(counts.ByKind[0], 129);

  const TCatalogIndex index = catalog->LoadIndex();
  EXPECT_EQ(Places(index, QStringLiteral("warm")),
            (QStringList{QStringLiteral("Warm Pad@set.LIB#129"), QStringLiteral("Warm Pad@one.syx#1")}));
  EXPECT_EQ(Places(index, QStringLiteral("\"str 12\" -\"str 12\"")), QStringList());
  EXPECT_EQ(Places(index, QStringLiteral("\"str 127\"")), QStringList{QStringLiteral("Str 127@set.LIB#127")});
  // Categories come from the names.
  EXPECT_EQ(Named(index, QStringLiteral("Warm Pad"))->Categories, QStringList{QStringLiteral("Pad")});
  EXPECT_EQ(Named(index, QStringLiteral("Str 5"))->Categories, QStringList{QStringLiteral("Strings")});
  // The scanned files are only read.
  EXPECT_EQ(ReadAll(Path(QStringLiteral("in/one.syx"))), before);

  // Nothing changed: nothing is read again.
  EXPECT_EQ(catalog->Scan().FilesRead, 0);
  EXPECT_EQ(catalog->Counts().Places, 130);
}

TEST_F(TCatalogTest, RescanFollowsChangesRemovalsAndRenames) {
  QDir(dir.path()).mkpath(QStringLiteral("in"));
  const QString a = Path(QStringLiteral("in/a.syx"));
  const QString b = Path(QStringLiteral("in/b.syx"));
  WriteAll(a, PatchBytes(QStringLiteral("Alpha")));
  WriteAll(b, PatchBytes(QStringLiteral("Beta")));
  auto catalog = Open();
  catalog->AddFolder(Path(QStringLiteral("in")));
  catalog->Scan();
  catalog->SetTag(Hash(QStringLiteral("Beta")), QStringLiteral("mine"), true);
  catalog->SetFavourite(Hash(QStringLiteral("Beta")), true);
  catalog->SetCategory(Hash(QStringLiteral("Beta")), QStringLiteral("Bass"), true);

  // Changed: a file of another size or time is read again, and its old sound goes.
  WriteAll(a, PatchBytes(QStringLiteral("Gamma")));
  QFile(a).setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
  EXPECT_EQ(catalog->Scan().FilesRead, 1);
  EXPECT_EQ(Places(catalog->LoadIndex()),
            (QStringList{QStringLiteral("Gamma@a.syx#1"), QStringLiteral("Beta@b.syx#1")}));

  // Renamed: the sound is found again in its new file with its tag, mark and category.
  ASSERT_TRUE(QFile::rename(b, Path(QStringLiteral("in/c.syx"))));
  EXPECT_EQ(catalog->Scan().FilesRead, 1);
  TCatalogIndex index = catalog->LoadIndex();
  EXPECT_EQ(Places(index, QStringLiteral("tag:mine fav cat:bass")),
            QStringList{QStringLiteral("Beta@c.syx#1")});
  EXPECT_EQ(catalog->Counts().Distinct, 2);

  // Removed: its places go; its marks stay with the sound and come back with it.
  ASSERT_TRUE(QFile::remove(Path(QStringLiteral("in/c.syx"))));
  EXPECT_EQ(catalog->Scan().FilesRead, 0);
  EXPECT_EQ(Places(catalog->LoadIndex()), QStringList{QStringLiteral("Gamma@a.syx#1")});
  WriteAll(Path(QStringLiteral("in/d.syx")), PatchBytes(QStringLiteral("Beta")));
  catalog->Scan();
  EXPECT_EQ(Places(catalog->LoadIndex(), QStringLiteral("tag:mine fav cat:bass")),
            QStringList{QStringLiteral("Beta@d.syx#1")});
}

TEST_F(TCatalogTest, HandMadeCategoriesSurviveScansAndFolderRemoval) {
  QDir(dir.path()).mkpath(QStringLiteral("in"));
  WriteAll(Path(QStringLiteral("in/a.syx")), PatchBytes(QStringLiteral("Lead Pad")));
  auto catalog = Open();
  catalog->AddFolder(Path(QStringLiteral("in")));
  catalog->Scan();
  const QByteArray hash = Hash(QStringLiteral("Lead Pad"));
  EXPECT_EQ(Named(catalog->LoadIndex(), QStringLiteral("Lead Pad"))->Categories,
            (QStringList{QStringLiteral("Lead"), QStringLiteral("Pad")}));
  catalog->SetCategory(hash, QStringLiteral("Pad"), false);
  catalog->SetCategory(hash, QStringLiteral("Brass"), true);
  catalog->SetHidden(hash, true);

  ASSERT_TRUE(catalog->RemoveFolder(Path(QStringLiteral("in"))));
  EXPECT_EQ(catalog->Counts().Places, 0);
  EXPECT_FALSE(catalog->RemoveFolder(Path(QStringLiteral("in"))));
  catalog->AddFolder(Path(QStringLiteral("in")));
  catalog->Scan();
  const TCatalogIndex index = catalog->LoadIndex();
  const TIndexedSound* sound = Named(index, QStringLiteral("Lead Pad"));
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(sound->Categories, (QStringList{QStringLiteral("Brass"), QStringLiteral("Lead")}));
  EXPECT_TRUE(sound->Hidden);
  EXPECT_EQ(Places(index), QStringList());
  EXPECT_EQ(Places(index, QStringLiteral("hidden")).size(), 1);
}

TEST_F(TCatalogTest, DamagedFilesAreSkippedWithTheirReason) {
  QDir(dir.path()).mkpath(QStringLiteral("in"));
  WriteAll(Path(QStringLiteral("in/a.syx")), PatchBytes(QStringLiteral("Good")));
  WriteAll(Path(QStringLiteral("in/b.syx")), PatchBytes(QStringLiteral("Cut")).left(100));
  WriteAll(Path(QStringLiteral("in/c.glb")), QByteArray(10, '\0'));
  TLibrary library;
  library.Add(MakePatch(QStringLiteral("In Lib")));
  library.Add(MakePatch(QStringLiteral("Lost")));
  WriteAll(Path(QStringLiteral("in/d.lib")), library.SaveToBytes(false).chopped(300));
  WriteAll(Path(QStringLiteral("in/e.syx")), QByteArray());

  auto catalog = Open();
  catalog->AddFolder(Path(QStringLiteral("in")));
  const TScanReport report = catalog->Scan();
  EXPECT_EQ(report.FilesRead, 1);
  ASSERT_EQ(report.Damaged.size(), 4u);
  EXPECT_EQ(QFileInfo(report.Damaged[0].first).fileName(), QStringLiteral("b.syx"));
  EXPECT_EQ(report.Damaged[0].second, QStringLiteral("wrong size for a .Syx file: 100 bytes"));
  EXPECT_EQ(report.Damaged[1].second, QStringLiteral("wrong size for a .Glb file: 10 bytes"));
  EXPECT_TRUE(report.Damaged[2].second.startsWith(QStringLiteral("damaged library: at byte ")));
  EXPECT_EQ(report.Damaged[3].second, QStringLiteral("the file is empty"));
  // A damaged library is not half entered.
  EXPECT_EQ(Places(catalog->LoadIndex()), QStringList{QStringLiteral("Good@a.syx#1")});
}

TEST_F(TCatalogTest, OpensOnlyItsOwnVersionsAndSharesTheFile) {
  auto first = Open();
  auto second = Open();  // another program on the same catalog
  QDir(dir.path()).mkpath(QStringLiteral("in"));
  WriteAll(Path(QStringLiteral("in/a.syx")), PatchBytes(QStringLiteral("Shared")));
  first->AddFolder(Path(QStringLiteral("in")));
  EXPECT_EQ(second->Scan().FilesRead, 1);
  EXPECT_EQ(first->Counts().Places, 1);
  first.reset();
  second.reset();

  WriteAll(Path(QStringLiteral("not.db")), QByteArray(4096, 'x'));
  EXPECT_THROW(TCatalog(Path(QStringLiteral("not.db"))), TCatalogError);
}

// A scan killed while it runs leaves a catalog that opens, holds whole files only, and that the
// next scan completes.
TEST_F(TCatalogTest, ScanKilledPartWayIsCompletedByTheNext) {
  QDir(dir.path()).mkpath(QStringLiteral("in"));
  constexpr int kFiles = 60;
  for (int i = 0; i < kFiles; ++i)
    WriteAll(Path(QStringLiteral("in/bank%1.syx").arg(i, 2, 10, QLatin1Char('0'))),
             BankBytes(QStringLiteral("B%1").arg(i)));
  Open()->AddFolder(Path(QStringLiteral("in")));

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
  QElapsedTimer clock;
  clock.start();
  int entered = 0;
  while (clock.elapsed() < 20000) {
    entered = Open()->Counts().Files;
    if (entered >= 3) break;
    QThread::msleep(5);
  }
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the scan ended before it could be killed";
  ASSERT_GE(entered, 3);

  auto catalog = Open();
  const TCatalogCounts after = catalog->Counts();
  EXPECT_LT(after.Files, kFiles);
  EXPECT_EQ(after.Places, after.Files * 128);  // whole files only
  const TScanReport report = catalog->Scan();
  EXPECT_EQ(report.FilesRead, kFiles - after.Files);
  EXPECT_EQ(catalog->Counts().Places, kFiles * 128);
  EXPECT_EQ(catalog->Counts().Distinct, kFiles * 128);
}
