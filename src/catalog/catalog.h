#pragma once
// TCatalog: every sound in the folders the user adds, kept in one SQLite file. A sound is one
// entry per content (its hash) with all its places (file and element number); categories, tags,
// the favourite and hidden marks belong to the hash, so they follow the sound into every file and
// outlive rescans, moved files and removed folders. Scans enter each file in a transaction of its
// own, so a scan stopped at any moment leaves a catalog that opens and that the next scan
// completes; the write-ahead log lets the window and vesta-cli use one catalog at once.
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "catalog/categories.h"

struct sqlite3;

class TCatalogError : public std::runtime_error {
 public:
  explicit TCatalogError(const QString& message)
      : std::runtime_error(message.toStdString()), Message(message) {}
  QString Message;
};

struct TScanReport {
  int FilesRead = 0;
  std::vector<std::pair<QString, QString>> Damaged;  // file, reason
  bool Cancelled = false;
};

struct TCatalogCounts {
  int Folders = 0;
  int Files = 0;
  int Places = 0;    // sounds, each place counted
  int Distinct = 0;  // distinct sounds
  int ByKind[4] = {};  // distinct patches, performances, rhythm sets, systems
  qint64 Bytes = 0;    // the database file with its log
};

// One sound as queries and likeness see it, loaded from the catalog at once.
struct TIndexedSound {
  QByteArray Hash;
  int Kind = 0;
  QString Name;
  QByteArray Data;
  bool Favourite = false;
  bool Hidden = false;
  QStringList Categories;
  QStringList Tags;
  std::vector<std::pair<int, int>> Places;  // index in TCatalogIndex::Files, element
};

struct TCatalogIndex {
  std::vector<TIndexedSound> Sounds;
  QStringList Files;
  // The sound at a place, or -1.
  int SoundAt(const QString& file, int element) const;
};

class TCatalog {
 public:
  static constexpr int kSchemaVersion = 1;

  // Opens the catalog file, creating it and its folder when missing; throws TCatalogError.
  explicit TCatalog(const QString& path, TCategoryTable categories = TCategoryTable::Installed());
  ~TCatalog();
  TCatalog(const TCatalog&) = delete;
  TCatalog& operator=(const TCatalog&) = delete;

  // VESTA_CATALOG when set, otherwise Catalog.db in the user's data folder.
  static QString DefaultPath();
  QString Path() const { return path_; }

  QStringList Folders() const;
  // Folders are kept as absolute paths; false when already there.
  bool AddFolder(const QString& folder);
  // Drops the folder and the places of its files no other folder holds; false when unknown.
  bool RemoveFolder(const QString& folder);

  // Reads the files of every folder that are new or whose size or time changed, and drops the
  // places of files that have gone. progress (files done, files to read, file) returns false to
  // stop after the file being read.
  TScanReport Scan(const std::function<bool(int, int, const QString&)>& progress = {});

  TCatalogCounts Counts() const;

  // Marks of a sound by its hash, made by hand.
  void SetFavourite(const QByteArray& hash, bool on);
  void SetHidden(const QByteArray& hash, bool on);
  void SetTag(const QByteArray& hash, const QString& tag, bool on);
  void SetCategory(const QByteArray& hash, const QString& name, bool on);

  TCatalogIndex LoadIndex() const;

 private:
  void Exec(const char* sql) const;
  void CreateOrUpgrade();
  void SetMark(const QByteArray& hash, const char* column, bool on);
  int ScanFile(const QString& path, qint64 size, qint64 time, QString& damage);
  void DropFile(qint64 id);
  void DropOrphans();

  QString path_;
  TCategoryTable categories_;
  sqlite3* db_ = nullptr;
};
