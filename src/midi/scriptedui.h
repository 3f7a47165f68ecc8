#pragma once
// A user-interface service that answers from a script and records everything it was asked:
// for tests, and for the command-line tools, which cannot ask.
#include <deque>
#include <vector>

#include <QString>

#include "midi/userinterface.h"

class TScriptedUserInterface : public TUserInterface {
 public:
  struct TQuestion {
    TMsgKind Kind;
    QString Text;
    int Buttons;
    int Answer;
  };
  struct TFileRequest {
    bool Save;
    TFileDialogOptions Options;
    QString Answer;
  };

  // Queued answers, taken in order. With none queued, Ask answers with the first of mbOK, mbNo,
  // mbCancel that the question offers, and file dialogs are cancelled.
  std::deque<int> Answers;
  std::deque<QString> Files;

  std::vector<TQuestion> Questions;
  std::vector<TFileRequest> FileRequests;

  int Ask(TMsgKind kind, const QString& text, int buttons) override;
  QString ChooseOpenFile(const TFileDialogOptions& options) override;
  QString ChooseSaveFile(const TFileDialogOptions& options) override;

  QString LastText() const { return Questions.empty() ? QString() : Questions.back().Text; }

 private:
  QString Choose(bool save, const TFileDialogOptions& options);
};

// Installs a scripted service for the lifetime of the object (tests).
class TScopedScriptedUI : public TScriptedUserInterface {
 public:
  TScopedScriptedUI() : previous_(SetUI(this)) {}
  ~TScopedScriptedUI() override { SetUI(previous_); }

 private:
  TUserInterface* previous_;
};
