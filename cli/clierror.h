#pragma once
// TCliError: why a command stopped, with the exit status it ends the program with.
#include <QString>

enum TExitCode : int {
  ecSuccess = 0,
  ecBadInput = 1,  // a file is missing, unreadable, damaged, of the wrong kind or unwritable
  ecUsage = 2,     // the command line itself is wrong
};

class TCliError {
 public:
  TCliError(TExitCode code, const QString& message) : Code(code), Message(message) {}
  static TCliError BadInput(const QString& message) { return {ecBadInput, message}; }
  static TCliError Usage(const QString& message) { return {ecUsage, message}; }

  TExitCode Code;
  QString Message;
};

// Throws a bad-input error made of what the model told the user-interface service since the
// last call (the scripted service records it; the command line cannot ask), or of fallback.
[[noreturn]] void FailWithRecordedMessages(const QString& fallback);
