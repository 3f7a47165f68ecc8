#include "cli/outputfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "cli/clierror.h"
#include "model/fileio.h"

namespace {
QString Shown(const QString& path) {
  return QDir::toNativeSeparators(path);
}

[[noreturn]] void CannotWrite(const QString& path, const QString& reason) {
  throw TCliError::BadInput(
      QStringLiteral("%1: cannot be written: %2").arg(Shown(path), reason));
}

void RefuseFolder(const QString& path) {
  if (QFileInfo(path).isDir())
    throw TCliError::BadInput(
        QStringLiteral("%1: is a folder; give the name of the file to write").arg(Shown(path)));
}
}  // namespace

void CheckWritable(const QString& path) {
  RefuseFolder(path);
  // The same steps as the write: a new file beside the target, which is then dropped.
  QSaveFile probe(path);
  if (!probe.open(QIODevice::WriteOnly)) CannotWrite(path, probe.errorString());
  probe.cancelWriting();
}

void WriteOutputFile(const QString& path, const QByteArray& data) {
  RefuseFolder(path);
  const QString failure = WriteFileAtomicQuiet(path, data);
  // The model's text is the file name, a line break and the platform's reason.
  if (!failure.isEmpty()) CannotWrite(path, failure.section(u'\n', 1));
}
