#include "app/qtuserinterface.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

#include "app/inifile.h"

namespace {
const QString kFolders = QStringLiteral("Folders");

struct TButtonPair {
  int Ours;
  QMessageBox::StandardButton Qt;
};
constexpr TButtonPair kButtons[] = {
    {mbOK, QMessageBox::Ok},         {mbYes, QMessageBox::Yes},     {mbNo, QMessageBox::No},
    {mbRetry, QMessageBox::Retry},   {mbAbort, QMessageBox::Abort}, {mbIgnore, QMessageBox::Ignore},
    {mbCancel, QMessageBox::Cancel},
};

QMessageBox::Icon IconOf(TMsgKind kind) {
  switch (kind) {
    case TMsgKind::Information:
      return QMessageBox::Information;
    case TMsgKind::Warning:
      return QMessageBox::Warning;
    case TMsgKind::Error:
      return QMessageBox::Critical;
    case TMsgKind::Confirmation:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QString TitleOf(TMsgKind kind) {
  switch (kind) {
    case TMsgKind::Information:
      return QStringLiteral("Information");
    case TMsgKind::Warning:
      return QStringLiteral("Warning");
    case TMsgKind::Error:
      return QStringLiteral("Error");
    case TMsgKind::Confirmation:
      return QStringLiteral("Confirm");
  }
  return QString();
}

// The answer when the box is closed without a button: the one that backs out.
int EscapeAnswer(int buttons) {
  for (int b : {mbCancel, mbNo, mbAbort, mbOK})
    if (buttons & b) return b;
  return mbNone;
}
}  // namespace

int TQtUserInterface::Ask(TMsgKind kind, const QString& text, int buttons) {
  if (buttons == mbNone) buttons = mbOK;
  QMessageBox box(IconOf(kind), TitleOf(kind), text, QMessageBox::NoButton, parent_);
  for (const TButtonPair& pair : kButtons)
    if (buttons & pair.Ours) box.addButton(pair.Qt);
  const int escape = EscapeAnswer(buttons);
  for (const TButtonPair& pair : kButtons)
    if (pair.Ours == escape) box.setEscapeButton(pair.Qt);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  const QMessageBox::StandardButton pressed =
      clicked ? box.standardButton(clicked) : QMessageBox::NoButton;
  for (const TButtonPair& pair : kButtons)
    if (pressed == pair.Qt) return pair.Ours;
  return escape;
}

QString TQtUserInterface::ConvertFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) pattern = pattern.trimmed();
    filters << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), patterns.join(QLatin1Char(' ')));
  }
  return filters.join(QStringLiteral(";;"));
}

QString TQtUserInterface::WithDefaultExt(const QString& path, const QString& ext) {
  if (path.isEmpty() || ext.isEmpty()) return path;
  if (QFileInfo(path).fileName().contains(QLatin1Char('.'))) return path;
  return path + QLatin1Char('.') + ext;
}

QString TQtUserInterface::FolderKind(const TFileDialogOptions& options) {
  const QString ext = options.DefaultExt.toLower();
  if (ext == QLatin1String("lib")) return QStringLiteral("Libraries");
  if (ext == QLatin1String("syx") || ext == QLatin1String("glb")) return QStringLiteral("SysEx");
  if (ext == QLatin1String("mid")) return QStringLiteral("Midi");
  return QString();
}

TFileDialogOptions TQtUserInterface::WithRememberedFolder(const TFileDialogOptions& options) const {
  TFileDialogOptions adjusted = options;
  const QString kind = FolderKind(options);
  if (settingsPath_.isEmpty() || kind.isEmpty()) return adjusted;
  if (!options.InitialDir.isEmpty() && QDir::isAbsolutePath(options.InitialDir)) return adjusted;
  const QString folder = TIniFile(settingsPath_).ReadString(kFolders, kind, QString());
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) adjusted.InitialDir = folder;
  return adjusted;
}

void TQtUserInterface::RememberFolder(const TFileDialogOptions& options,
                                      const QString& chosen) const {
  const QString kind = FolderKind(options);
  if (settingsPath_.isEmpty() || kind.isEmpty() || chosen.isEmpty()) return;
  const QString folder = QFileInfo(chosen).absolutePath();
  TIniFile ini(settingsPath_);
  if (ini.ReadString(kFolders, kind, QString()) == folder) return;
  ini.WriteString(kFolders, kind, folder);
  // A folder that could not be kept is no reason to trouble the user.
  ini.Save();
}

QString TQtUserInterface::Choose(bool save, const TFileDialogOptions& requested) {
  const TFileDialogOptions options = WithRememberedFolder(requested);
  const QString chosen = ChooseIn(save, options);
  RememberFolder(options, chosen);
  return chosen;
}

QString TQtUserInterface::ChooseIn(bool save, const TFileDialogOptions& options) {
  QFileDialog dialog(parent_, options.Title, options.InitialDir, ConvertFilter(options.Filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save || !options.MustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // Whether to replace an existing file is asked by the caller, with its own question.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setDefaultSuffix(options.DefaultExt);
  if (!options.FileName.isEmpty()) dialog.selectFile(options.FileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  const QString chosen = dialog.selectedFiles().constFirst();
  // Opening a file that exists as typed keeps the name; otherwise the extension is implied.
  if (!save && QFileInfo::exists(chosen)) return chosen;
  return WithDefaultExt(chosen, options.DefaultExt);
}

QString TQtUserInterface::ChooseOpenFile(const TFileDialogOptions& options) {
  return Choose(false, options);
}

QString TQtUserInterface::ChooseSaveFile(const TFileDialogOptions& options) {
  return Choose(true, options);
}
