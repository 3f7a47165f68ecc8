#include "catalog/catalog.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStandardPaths>

#include "catalog/soundfile.h"

namespace {
// One prepared statement, reset after each use.
class TStatement {
 public:
  TStatement(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK)
      throw TCatalogError(QString::fromUtf8(sqlite3_errmsg(db)));
  }
  ~TStatement() { sqlite3_finalize(statement_); }
  TStatement(const TStatement&) = delete;
  TStatement& operator=(const TStatement&) = delete;

  TStatement& Bind(int index, qint64 value) {
    sqlite3_bind_int64(statement_, index, value);
    return *this;
  }
  TStatement& Bind(int index, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement_, index, utf8.constData(), static_cast<int>(utf8.size()),
                      SQLITE_TRANSIENT);
    return *this;
  }
  TStatement& Bind(int index, const QByteArray& blob) {
    sqlite3_bind_blob(statement_, index, blob.constData(), static_cast<int>(blob.size()),
                      SQLITE_TRANSIENT);
    return *this;
  }
  // True while there is a row; throws on failure.
  bool Step() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) return true;
    sqlite3_reset(statement_);
    if (result != SQLITE_DONE) throw TCatalogError(QString::fromUtf8(sqlite3_errmsg(db_)));
    sqlite3_clear_bindings(statement_);
    return false;
  }
  void Run() {
    while (Step()) {
    }
  }
  qint64 Int(int column) const { return sqlite3_column_int64(statement_, column); }
  QString Text(int column) const {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement_, column)),
                             sqlite3_column_bytes(statement_, column));
  }
  QByteArray Blob(int column) const {
    return QByteArray(static_cast<const char*>(sqlite3_column_blob(statement_, column)),
                      sqlite3_column_bytes(statement_, column));
  }

 private:
  sqlite3* db_;
  sqlite3_stmt* statement_ = nullptr;
};

// Commits at the end of its scope, or rolls back when left by an exception.
class TTransaction {
 public:
  explicit TTransaction(sqlite3* db) : db_(db) { Exec("BEGIN IMMEDIATE"); }
  ~TTransaction() {
    if (!done_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  void Commit() {
    Exec("COMMIT");
    done_ = true;
  }

 private:
  void Exec(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
      throw TCatalogError(QString::fromUtf8(sqlite3_errmsg(db_)));
  }
  sqlite3* db_;
  bool done_ = false;
};

const char* const kSchema = R"(
CREATE TABLE folders(path TEXT PRIMARY KEY) WITHOUT ROWID;
CREATE TABLE files(id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE, size INTEGER NOT NULL,
                   time INTEGER NOT NULL);
CREATE TABLE sounds(id INTEGER PRIMARY KEY, hash BLOB NOT NULL UNIQUE, kind INTEGER NOT NULL,
                    name TEXT NOT NULL, data BLOB NOT NULL);
CREATE TABLE places(file INTEGER NOT NULL, element INTEGER NOT NULL, sound INTEGER NOT NULL,
                    PRIMARY KEY(file, element)) WITHOUT ROWID;
CREATE INDEX places_sound ON places(sound);
CREATE TABLE marks(hash BLOB PRIMARY KEY, favourite INTEGER NOT NULL DEFAULT 0,
                   hidden INTEGER NOT NULL DEFAULT 0) WITHOUT ROWID;
CREATE TABLE tags(hash BLOB NOT NULL, tag TEXT NOT NULL, PRIMARY KEY(hash, tag)) WITHOUT ROWID;
CREATE TABLE categories(hash BLOB NOT NULL, name TEXT NOT NULL, byhand INTEGER NOT NULL,
                        present INTEGER NOT NULL, PRIMARY KEY(hash, name)) WITHOUT ROWID;
)";

struct TFileState {
  qint64 Id = 0;
  qint64 Size = 0;
  qint64 Time = 0;
};

qint64 FileTime(const QFileInfo& info) {
  return info.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch();
}

QString Clean(const QString& folder) {
  return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

bool Inside(const QString& path, const QString& folder) {
  return path.startsWith(folder + u'/') || folder == QLatin1String("/");
}

// Reads a file whole, again while its size or time changes under the reading; false when it
// would not hold still.
bool ReadSteady(const QString& path, QByteArray& bytes, qint64& size, qint64& time,
                QString& damage) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      damage = QStringLiteral("cannot be read: %1").arg(file.errorString());
      return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
      damage = QStringLiteral("cannot be read: %1").arg(file.errorString());
      return false;
    }
    file.close();
    const QFileInfo after(path);
    if (after.size() == size && FileTime(after) == time && bytes.size() == size) return true;
    size = after.size();
    time = FileTime(after);
  }
  damage = QStringLiteral("changed while being read");
  return false;
}
}  // namespace

int TCatalogIndex::SoundAt(const QString& file, int element) const {
  const qsizetype index = Files.indexOf(file);
  if (index < 0) return -1;
  for (std::size_t s = 0; s < Sounds.size(); ++s)
    for (const auto& place : Sounds[s].Places)
      if (place.first == index && place.second == element) return static_cast<int>(s);
  return -1;
}

TCatalog::TCatalog(const QString& path, TCategoryTable categories)
    : path_(path), categories_(std::move(categories)) {
  const QFileInfo info(path);
  if (!info.absoluteDir().exists() && !QDir().mkpath(info.absolutePath()))
    throw TCatalogError(
        QStringLiteral("%1: cannot make the catalog's folder").arg(info.absolutePath()));
  if (sqlite3_open_v2(path.toUtf8().constData(), &db_,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                      nullptr) != SQLITE_OK) {
    const QString message = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString();
    sqlite3_close(db_);
    db_ = nullptr;
    throw TCatalogError(QStringLiteral("%1: cannot open the catalog: %2").arg(path, message));
  }
  try {
    // Another program writing the catalog holds it briefly: wait rather than fail.
    sqlite3_busy_timeout(db_, 10000);
    Exec("PRAGMA journal_mode=WAL");
    Exec("PRAGMA synchronous=NORMAL");
    CreateOrUpgrade();
  } catch (const TCatalogError& error) {
    sqlite3_close(db_);
    db_ = nullptr;
    throw TCatalogError(QStringLiteral("%1: not a catalog: %2").arg(path, error.Message));
  }
}

TCatalog::~TCatalog() {
  sqlite3_close(db_);
}

QString TCatalog::DefaultPath() {
  const QString named = qEnvironmentVariable("VESTA_CATALOG");
  if (!named.isEmpty()) return named;
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return QDir(data).filePath(QStringLiteral("vesta/Catalog.db"));
}

void TCatalog::Exec(const char* sql) const {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
    const QString text = QString::fromUtf8(message ? message : sqlite3_errmsg(db_));
    sqlite3_free(message);
    throw TCatalogError(text);
  }
}

void TCatalog::CreateOrUpgrade() {
  TTransaction transaction(db_);
  TStatement version(db_, "PRAGMA user_version");
  version.Step();
  const int found = static_cast<int>(version.Int(0));
  version.Step();
  if (found > kSchemaVersion)
    throw TCatalogError(QStringLiteral("made by a newer Vesta (catalog version %1)").arg(found));
  // Each version's changes in turn; version 0 is a new file.
  if (found < 1) Exec(kSchema);
  if (found < kSchemaVersion)
    Exec(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion).toUtf8().constData());
  transaction.Commit();
}

QStringList TCatalog::Folders() const {
  TStatement select(db_, "SELECT path FROM folders ORDER BY path");
  QStringList folders;
  while (select.Step()) folders << select.Text(0);
  return folders;
}

bool TCatalog::AddFolder(const QString& folder) {
  TStatement insert(db_, "INSERT OR IGNORE INTO folders(path) VALUES(?)");
  insert.Bind(1, Clean(folder)).Run();
  return sqlite3_changes(db_) > 0;
}

bool TCatalog::RemoveFolder(const QString& folder) {
  const QString path = Clean(folder);
  const QStringList others = [&] {
    QStringList list = Folders();
    list.removeAll(path);
    return list;
  }();
  TTransaction transaction(db_);
  TStatement remove(db_, "DELETE FROM folders WHERE path = ?");
  remove.Bind(1, path).Run();
  if (sqlite3_changes(db_) == 0) return false;
  TStatement files(db_, "SELECT id, path FROM files");
  std::vector<qint64> dropped;
  while (files.Step()) {
    const QString file = files.Text(1);
    if (Inside(file, path) && std::none_of(others.begin(), others.end(), [&](const QString& o) {
          return Inside(file, o);
        }))
      dropped.push_back(files.Int(0));
  }
  for (const qint64 id : dropped) DropFile(id);
  DropOrphans();
  transaction.Commit();
  return true;
}

void TCatalog::DropFile(qint64 id) {
  TStatement places(db_, "DELETE FROM places WHERE file = ?");
  places.Bind(1, id).Run();
  TStatement file(db_, "DELETE FROM files WHERE id = ?");
  file.Bind(1, id).Run();
}

void TCatalog::DropOrphans() {
  // The sounds no file holds any more; what was set by hand stays with their hashes.
  Exec("DELETE FROM sounds WHERE NOT EXISTS (SELECT 1 FROM places WHERE sound = sounds.id)");
  Exec("DELETE FROM categories WHERE byhand = 0 AND hash NOT IN (SELECT hash FROM sounds)");
}

int TCatalog::ScanFile(const QString& path, qint64 size, qint64 time, QString& damage) {
  QByteArray bytes;
  if (!ReadSteady(path, bytes, size, time, damage)) return 0;
  const TSoundFile file = ReadSoundFile(path, bytes);
  damage = file.Damage;
  if (!damage.isEmpty()) return 0;

  TTransaction transaction(db_);
  TStatement old(db_, "SELECT id FROM files WHERE path = ?");
  old.Bind(1, path);
  if (old.Step()) {
    const qint64 id = old.Int(0);
    old.Step();
    DropFile(id);
  }
  TStatement insertFile(db_, "INSERT INTO files(path, size, time) VALUES(?, ?, ?)");
  insertFile.Bind(1, path).Bind(2, size).Bind(3, time).Run();
  const qint64 fileId = sqlite3_last_insert_rowid(db_);

  TStatement insertSound(db_,
                         "INSERT OR IGNORE INTO sounds(hash, kind, name, data) VALUES(?, ?, ?, ?)");
  TStatement findSound(db_, "SELECT id FROM sounds WHERE hash = ?");
  TStatement insertPlace(db_, "INSERT INTO places(file, element, sound) VALUES(?, ?, ?)");
  TStatement insertCategory(
      db_, "INSERT OR IGNORE INTO categories(hash, name, byhand, present) VALUES(?, ?, 0, 1)");
  for (const TCatalogSound& sound : file.Sounds) {
    insertSound.Bind(1, sound.Hash).Bind(2, sound.Kind).Bind(3, sound.Name).Bind(4, sound.Data);
    insertSound.Run();
    qint64 soundId = 0;
    if (sqlite3_changes(db_) > 0) {
      soundId = sqlite3_last_insert_rowid(db_);
      // A category set or taken away by hand has its row already: the automatic one is ignored.
      for (const QString& category : categories_.CategoriesOf(sound.Name))
        insertCategory.Bind(1, sound.Hash).Bind(2, category).Run();
    } else {
      findSound.Bind(1, sound.Hash);
      findSound.Step();
      soundId = findSound.Int(0);
      findSound.Step();
    }
    insertPlace.Bind(1, fileId).Bind(2, sound.Element).Bind(3, soundId).Run();
  }
  transaction.Commit();
  return static_cast<int>(file.Sounds.size());
}

TScanReport TCatalog::Scan(const std::function<bool(int, int, const QString&)>& progress) {
  TScanReport report;
  // What the catalog knows of each file, and what is on the disk now.
  QHash<QString, TFileState> known;
  {
    TStatement select(db_, "SELECT id, path, size, time FROM files");
    while (select.Step()) known.insert(select.Text(1), {select.Int(0), select.Int(2), select.Int(3)});
  }
  QStringList present;
  QSet<QString> seen;
  std::vector<std::pair<QString, QFileInfo>> toRead;
  for (const QString& folder : Folders()) {
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
    while (it.hasNext()) {
      it.next();
      const QFileInfo info = it.fileInfo();
      if (!IsSoundFileName(info.fileName())) continue;
      const QString path = QDir::cleanPath(info.absoluteFilePath());
      if (seen.contains(path)) continue;
      seen.insert(path);
      present << path;
    }
  }
  present.sort();
  for (const QString& path : present) {
    const QFileInfo info(path);
    const auto found = known.constFind(path);
    if (found != known.cend() && found->Size == info.size() && found->Time == FileTime(info))
      continue;
    toRead.emplace_back(path, info);
  }
  // Files that have gone lose their places first, so a cancelled scan leaves none behind.
  bool dropped = false;
  {
    const QSet<QString>& here = seen;
    TTransaction transaction(db_);
    for (auto it = known.cbegin(); it != known.cend(); ++it)
      if (!here.contains(it.key())) {
        DropFile(it->Id);
        dropped = true;
      }
    transaction.Commit();
  }
  const int total = static_cast<int>(toRead.size());
  for (int i = 0; i < total; ++i) {
    const auto& [path, info] = toRead[static_cast<std::size_t>(i)];
    if (progress && !progress(i, total, path)) {
      report.Cancelled = true;
      break;
    }
    QString damage;
    ScanFile(path, info.size(), FileTime(info), damage);
    if (known.contains(path)) dropped = true;
    if (damage.isEmpty()) {
      ++report.FilesRead;
    } else {
      report.Damaged.emplace_back(path, damage);
      // A file that no longer reads keeps no places from before.
      if (known.contains(path)) {
        TTransaction transaction(db_);
        DropFile(known.value(path).Id);
        transaction.Commit();
      }
    }
  }
  if (progress && !report.Cancelled) progress(total, total, QString());
  if (dropped) {
    TTransaction transaction(db_);
    DropOrphans();
    transaction.Commit();
  }
  return report;
}

TCatalogCounts TCatalog::Counts() const {
  TCatalogCounts counts;
  auto count = [this](const char* sql) {
    TStatement select(db_, sql);
    select.Step();
    const int n = static_cast<int>(select.Int(0));
    select.Step();
    return n;
  };
  counts.Folders = count("SELECT count(*) FROM folders");
  counts.Files = count("SELECT count(*) FROM files");
  counts.Places = count("SELECT count(*) FROM places");
  counts.Distinct = count("SELECT count(*) FROM sounds");
  TStatement kinds(db_, "SELECT kind, count(*) FROM sounds GROUP BY kind");
  while (kinds.Step()) {
    const int kind = static_cast<int>(kinds.Int(0));
    if (kind >= 0 && kind <= 6 && kind % 2 == 0) counts.ByKind[kind / 2] = static_cast<int>(kinds.Int(1));
  }
  counts.Bytes = QFileInfo(path_).size() + QFileInfo(path_ + QStringLiteral("-wal")).size();
  return counts;
}

void TCatalog::SetMark(const QByteArray& hash, const char* column, bool on) {
  const QString sql =
      QStringLiteral("INSERT INTO marks(hash, %1) VALUES(?, ?) ON CONFLICT(hash) DO UPDATE SET "
                     "%1 = excluded.%1")
          .arg(QLatin1String(column));
  TStatement upsert(db_, sql.toUtf8().constData());
  upsert.Bind(1, hash).Bind(2, on ? 1 : 0).Run();
}

void TCatalog::SetFavourite(const QByteArray& hash, bool on) {
  SetMark(hash, "favourite", on);
}

void TCatalog::SetHidden(const QByteArray& hash, bool on) {
  SetMark(hash, "hidden", on);
}

void TCatalog::SetTag(const QByteArray& hash, const QString& tag, bool on) {
  TStatement statement(db_, on ? "INSERT OR IGNORE INTO tags(hash, tag) VALUES(?, ?)"
                               : "DELETE FROM tags WHERE hash = ? AND tag = ?");
  statement.Bind(1, hash).Bind(2, tag).Run();
}

void TCatalog::SetCategory(const QByteArray& hash, const QString& name, bool on) {
  // Taking a category away by hand is remembered too, so a rescan does not give it back.
  TStatement upsert(db_,
                    "INSERT INTO categories(hash, name, byhand, present) VALUES(?, ?, 1, ?) "
                    "ON CONFLICT(hash, name) DO UPDATE SET byhand = 1, present = excluded.present");
  upsert.Bind(1, hash).Bind(2, name).Bind(3, on ? 1 : 0).Run();
}

TCatalogIndex TCatalog::LoadIndex() const {
  TCatalogIndex index;
  // One read transaction: a scan by another program cannot slip between the tables.
  Exec("BEGIN");
  try {
    QHash<qint64, int> files;
    TStatement selectFiles(db_, "SELECT id, path FROM files ORDER BY path");
    while (selectFiles.Step()) {
      files.insert(selectFiles.Int(0), static_cast<int>(index.Files.size()));
      index.Files << selectFiles.Text(1);
    }
    QHash<qint64, int> sounds;
    QHash<QByteArray, int> hashes;
    TStatement selectSounds(db_, "SELECT id, hash, kind, name, data FROM sounds");
    while (selectSounds.Step()) {
      TIndexedSound sound;
      sound.Hash = selectSounds.Blob(1);
      sound.Kind = static_cast<int>(selectSounds.Int(2));
      sound.Name = selectSounds.Text(3);
      sound.Data = selectSounds.Blob(4);
      sounds.insert(selectSounds.Int(0), static_cast<int>(index.Sounds.size()));
      hashes.insert(sound.Hash, static_cast<int>(index.Sounds.size()));
      index.Sounds.push_back(std::move(sound));
    }
    TStatement places(db_, "SELECT file, element, sound FROM places ORDER BY file, element");
    while (places.Step()) {
      const auto sound = sounds.constFind(places.Int(2));
      const auto file = files.constFind(places.Int(0));
      if (sound == sounds.cend() || file == files.cend()) continue;
      index.Sounds[static_cast<std::size_t>(*sound)].Places.emplace_back(
          *file, static_cast<int>(places.Int(1)));
    }
    auto each = [&](const char* sql, const std::function<void(TIndexedSound&, TStatement&)>& use) {
      TStatement select(db_, sql);
      while (select.Step()) {
        const auto found = hashes.constFind(select.Blob(0));
        if (found != hashes.cend()) use(index.Sounds[static_cast<std::size_t>(*found)], select);
      }
    };
    each("SELECT hash, favourite, hidden FROM marks", [](TIndexedSound& s, TStatement& row) {
      s.Favourite = row.Int(1) != 0;
      s.Hidden = row.Int(2) != 0;
    });
    each("SELECT hash, tag FROM tags ORDER BY tag",
         [](TIndexedSound& s, TStatement& row) { s.Tags << row.Text(1); });
    each("SELECT hash, name FROM categories WHERE present = 1 ORDER BY name",
         [](TIndexedSound& s, TStatement& row) { s.Categories << row.Text(1); });
  } catch (...) {
    Exec("ROLLBACK");
    throw;
  }
  Exec("COMMIT");
  // Places are listed by file then element; files are numbered in path order.
  for (TIndexedSound& sound : index.Sounds) std::sort(sound.Places.begin(), sound.Places.end());
  return index;
}
