#pragma once
// The user-interface service of the program: message boxes and file dialogs.
#include <QString>

#include "midi/userinterface.h"

class QWidget;

class TQtUserInterface : public TUserInterface {
 public:
  // parent: the window the boxes and dialogs are centred on (may be none).
  explicit TQtUserInterface(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  int Ask(TMsgKind kind, const QString& text, int buttons) override;
  QString ChooseOpenFile(const TFileDialogOptions& options) override;
  QString ChooseSaveFile(const TFileDialogOptions& options) override;

  // "Syx file|*.Syx" -> "Syx file (*.Syx)"; several pairs become several filters, and the
  // patterns of one pair, separated by ';', are separated by blanks.
  static QString ConvertFilter(const QString& filter);
  // path with "." + ext appended when its file name has no extension (and ext is not empty).
  static QString WithDefaultExt(const QString& path, const QString& ext);

  // The dialogs start in the folder last used for their kind of file (libraries, SysEx files
  // and global dumps, MIDI files), kept in the settings file [Folders]; a file that has a folder
  // of its own still starts there. No settings file: nothing is remembered.
  void RememberFoldersIn(const QString& settingsPath) { settingsPath_ = settingsPath; }
  // The kind of file a dialog is for ("Libraries", "SysEx", "Midi"), or empty.
  static QString FolderKind(const TFileDialogOptions& options);
  // The options with the remembered folder, where it applies.
  TFileDialogOptions WithRememberedFolder(const TFileDialogOptions& options) const;
  // The folder of a chosen file becomes the one remembered for its kind.
  void RememberFolder(const TFileDialogOptions& options, const QString& chosen) const;

 private:
  QString Choose(bool save, const TFileDialogOptions& requested);
  QString ChooseIn(bool save, const TFileDialogOptions& options);

  QWidget* parent_;
  QString settingsPath_;
};
