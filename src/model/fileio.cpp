#include "model/fileio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "model/libelem.h"

namespace {
QString Failure(const QString& path, const QString& platformText) {
  return QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), platformText);
}
}  // namespace

bool ReadWholeFile(const QString& path, QByteArray& data) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    UI().Show(TMsgKind::Error, Failure(path, file.errorString()));
    return false;
  }
  data = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    UI().Show(TMsgKind::Error, Failure(path, file.errorString()));
    return false;
  }
  return true;
}

QString WriteFileAtomicQuiet(const QString& path, const QByteArray& data) {
  QSaveFile file(path);
  // Unbuffered, so that a short write (a full disk) shows in write()'s count: through the
  // buffer, the flush inside commit() lost it and the truncated file replaced the old one.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    return Failure(path, file.errorString());
  if (file.write(data) != data.size()) {
    const QString text = Failure(path, file.errorString());
    file.cancelWriting();
    return text;
  }
  if (!file.commit()) return Failure(path, file.errorString());
  return QString();
}

bool WriteFileAtomic(const QString& path, const QByteArray& data) {
  const QString failure = WriteFileAtomicQuiet(path, data);
  if (failure.isEmpty()) return true;
  UI().Show(TMsgKind::Error, failure);
  return false;
}

TFileDialogOptions DialogFor(const QString& title, const QString& ext, const QString& filter,
                             const QString& fileName, bool mustExist) {
  TFileDialogOptions options;
  options.Title = title;
  options.DefaultExt = ext;
  options.Filter = filter;
  options.InitialDir = FolderPart(fileName);
  options.FileName = FileNamePart(fileName);
  options.MustExist = mustExist;
  return options;
}

QString SaveTarget(bool saveAs, const QString& fileName, bool savedToFile, const QString& untitled,
                   const TFileDialogOptions& dialog) {
  if (!saveAs && (fileName.compare(untitled, Qt::CaseInsensitive) != 0 || savedToFile))
    return fileName;
  const QString chosen = UI().ChooseSaveFile(dialog);
  if (chosen.isEmpty()) return QString();
  if (QFileInfo::exists(chosen) &&
      UI().Ask(TMsgKind::Confirmation, kOverwriteQuestion, mbYes | mbNo) != mbYes)
    return QString();
  return chosen;
}
