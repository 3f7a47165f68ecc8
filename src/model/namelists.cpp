#include "model/namelists.h"

#include <QDir>
#include <QFile>

#include "midi/userinterface.h"
#include "model/fileio.h"

namespace {
QString& StartDirectoryValue() {
  // Taken at the first use, which comes before any transfer can change the working directory.
  static QString path = QDir::currentPath();
  return path;
}

QString FilePath() {
  return QDir(StartDirectory()).filePath(TNameLists::FileName);
}
}  // namespace

TNameLists& NameLists() {
  static TNameLists lists;
  return lists;
}

QString StartDirectory() {
  return StartDirectoryValue();
}

void SetStartDirectory(const QString& path) {
  StartDirectoryValue() = path;
}

std::function<void()>& NamesWindowLoadHook() {
  static std::function<void()> hook;
  return hook;
}

TNameLists::TList TNameLists::ListOf(bool patches, bool user) {
  if (patches) return user ? nlUserPatches : nlCardPatches;
  return user ? nlUserPerformances : nlCardPerformances;
}

int TNameLists::Capacity(TList list) {
  return list == nlUserPatches || list == nlCardPatches ? 128 : 32;
}

bool TNameLists::Load() {
  for (QStringList& list : Lists) list.clear();
  QFile file(FilePath());
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) return false;
  SetBytes(file.readAll());
  return true;
}

bool TNameLists::Save() const { return WriteFileAtomic(FilePath(), Bytes()); }

void TNameLists::SetEntry(TList list, int index, const QString& name) {
  QStringList& names = Lists[list];
  if (index >= 0 && index < names.size())
    names[index] = name;
  else if (names.size() < Capacity(list))
    names.append(name);
}

TNameLists TNameLists::Blank() {
  TNameLists blank;
  for (int list = 0; list < kListCount; ++list)
    blank.Lists[list] = QStringList(Capacity(static_cast<TList>(list)), QString(12, u' '));
  return blank;
}

QByteArray TNameLists::Bytes() const {
  QByteArray bytes;
  for (const QStringList& list : Lists) {
    for (const QString& name : list) bytes += name.toLatin1() + "\r\n";
    bytes += kSeparator;
    bytes += "\r\n";
  }
  return bytes;
}

void TNameLists::SetBytes(const QByteArray& bytes) {
  for (QStringList& list : Lists) list.clear();
  int section = 0;
  for (QByteArray line : bytes.split('\n')) {
    if (section >= kListCount) break;
    if (line.endsWith('\r')) line.chop(1);
    if (line.isEmpty()) continue;
    if (line.at(0) == kSeparator) {
      ++section;
      continue;
    }
    QStringList& list = Lists[section];
    if (list.size() < Capacity(static_cast<TList>(section))) list.append(QString::fromLatin1(line));
  }
}
