#include "midi/userinterface.h"

#include "midi/scriptedui.h"

namespace {
TUserInterface* current = nullptr;

TUserInterface& Fallback() {
  static TScriptedUserInterface fallback;
  return fallback;
}
}  // namespace

TUserInterface& UI() { return current ? *current : Fallback(); }

TUserInterface* SetUI(TUserInterface* ui) {
  TUserInterface* previous = current;
  current = ui;
  return previous;
}

int TScriptedUserInterface::Ask(TMsgKind kind, const QString& text, int buttons) {
  int answer = mbNone;
  if (!Answers.empty()) {
    answer = Answers.front();
    Answers.pop_front();
  } else {
    for (int b : {mbOK, mbNo, mbCancel})
      if (buttons & b) {
        answer = b;
        break;
      }
  }
  Questions.push_back({kind, text, buttons, answer});
  return answer;
}

QString TScriptedUserInterface::Choose(bool save, const TFileDialogOptions& options) {
  QString answer;
  if (!Files.empty()) {
    answer = Files.front();
    Files.pop_front();
  }
  FileRequests.push_back({save, options, answer});
  return answer;
}

QString TScriptedUserInterface::ChooseOpenFile(const TFileDialogOptions& options) {
  return Choose(false, options);
}

QString TScriptedUserInterface::ChooseSaveFile(const TFileDialogOptions& options) {
  return Choose(true, options);
}
