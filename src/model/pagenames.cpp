#include "model/pagenames.h"

#include <QDir>
#include <QFile>

#include "midi/userinterface.h"
#include "model/fileio.h"
#include "model/namelists.h"

namespace {
const QString kLoadError = QStringLiteral("Unable to Load File Names.Txt Or UserCard.Txt");

// The file's bytes; false when it exists but cannot be read. A missing file gives no bytes (and
// exists false).
bool ReadFile(const QString& path, QByteArray& bytes, bool& exists) {
  QFile file(path);
  exists = file.exists();
  bytes.clear();
  if (!exists) return true;
  if (!file.open(QIODevice::ReadOnly)) return false;
  bytes = file.readAll();
  return file.error() == QFileDevice::NoError;
}
}  // namespace

TPageNames& PageNames() {
  static TPageNames names;
  return names;
}

bool TPageNames::Load(bool userCardRequired) {
  for (QStringList& list : lists_) list.clear();
  const QDir start(StartDirectory());
  QByteArray bytes;
  bool exists = false;
  bool ok = ReadFile(start.filePath(NamesFile), bytes, exists);
  if (ok && !exists) ok = ReadFile(BuiltInNames, bytes, exists) && exists;
  if (ok) {
    const int last = ReadLines(bytes, 1);
    const QString userCard = start.filePath(TNameLists::FileName);
    ok = ReadFile(userCard, bytes, exists);
    if (ok && !exists && userCardRequired) {
      bytes = TNameLists::Blank().Bytes();
      // A folder that cannot be written to keeps the blank names for this run only; the update
      // of the names says so when it saves.
      WriteFileAtomicQuiet(userCard, bytes);
    }
    if (ok) ReadLines(bytes, last + 1);
  }
  if (!ok) UI().Show(TMsgKind::Error, kLoadError);
  return ok;
}

int TPageNames::ReadLines(const QByteArray& bytes, int first) {
  int list = first;
  for (QByteArray line : bytes.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    if (line.isEmpty()) continue;
    if (line.at(0) == TNameLists::kSeparator) {
      ++list;
      continue;
    }
    // Names past the last list have nowhere to go.
    if (list >= 1 && list <= kListCount) lists_[list - 1].append(QString::fromLatin1(line));
  }
  return list;
}

const QStringList& TPageNames::List(int number) const {
  static const QStringList none;
  return number >= 1 && number <= kListCount ? lists_[number - 1] : none;
}

QString TPageNames::Name(int list, int index) const {
  const QStringList& names = List(list);
  return index >= 0 && index < names.size() ? names[index] : QString();
}
