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

 private:
  QString Choose(bool save, const TFileDialogOptions& options);

  QWidget* parent_;
};
