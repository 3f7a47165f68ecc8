#pragma once
// The command line of vesta: vesta [--settings FILE] [FILE...], plus --help and --version.
#include <optional>

#include <QString>
#include <QStringList>

// The text of `vesta --help`.
QString VestaHelpText();
// "vesta 2.1": the text of `vesta --version`.
QString VestaVersionText();

// --help and --version are answered before the program (and its display) starts: the text on
// standard output and the exit status; none for any other command line. The value of
// --settings is a file name, never one of these.
std::optional<int> AnswerInformationOptions(int argc, const char* const* argv);

// The files named on a command line (TVesta::FilesFrom) as absolute paths from the folder the
// program started in, as they are handed to a program running elsewhere.
QStringList FileArguments(const QStringList& arguments);
