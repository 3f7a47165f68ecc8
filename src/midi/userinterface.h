#pragma once
// The small user-interface service through which code below the windows asks the user something
// or tells them something. The program installs one built on message boxes and file dialogs;
// tests install TScriptedUserInterface and script every answer.
#include <QString>

enum class TMsgKind { Information, Warning, Error, Confirmation };

// Buttons of a question, combinable as a set; Ask returns the one pressed.
enum TMsgButton : int {
  mbNone = 0,
  mbOK = 1,
  mbCancel = 2,
  mbYes = 4,
  mbNo = 8,
  mbRetry = 16,
  mbAbort = 32,
  mbIgnore = 64,
};

struct TFileDialogOptions {
  QString Title;        // "Load SysEx"
  QString DefaultExt;   // "Syx", added when the user typed no extension
  QString Filter;       // "Syx file|*.Syx" (description|patterns, pairs separated by |)
  QString InitialDir;   // folder the dialog starts in
  QString FileName;     // file name proposed
  bool MustExist = false;
};

class TUserInterface {
 public:
  virtual ~TUserInterface() = default;
  virtual int Ask(TMsgKind kind, const QString& text, int buttons) = 0;
  void Show(TMsgKind kind, const QString& text) { Ask(kind, text, mbOK); }
  // Both return the chosen path, or an empty string when the user cancelled.
  virtual QString ChooseOpenFile(const TFileDialogOptions& options) = 0;
  virtual QString ChooseSaveFile(const TFileDialogOptions& options) = 0;
};

// The service in force. Until one is installed, a TScriptedUserInterface with no answers queued.
TUserInterface& UI();
// Installs a service (not owned) and returns the previous one; nullptr restores the default.
TUserInterface* SetUI(TUserInterface* ui);
