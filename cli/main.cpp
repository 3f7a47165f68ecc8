// vesta-cli: the command-line librarian. Parses the command line against the subcommand table,
// runs the subcommand, and turns every failure into a message on stderr and an exit status.
#include <cstdio>

#include <QCoreApplication>

#include "cli/clierror.h"
#include "cli/commands.h"
#include "midi/scriptedui.h"
#include "vestaversion.h"

namespace {
// The command line cannot ask anything: the model's messages are recorded here and reported.
TScriptedUserInterface* recordingUi = nullptr;

void Out(FILE* stream, const QString& text) {
  const QByteArray bytes = text.toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

QString UsageLine(const TCliCommand& command) {
  return QStringLiteral("vesta-cli %1 %2")
      .arg(QLatin1String(command.Name), QLatin1String(command.Arguments));
}

QString GeneralHelp() {
  QString text = QStringLiteral(
      "vesta-cli: the command-line librarian for .Syx, .Glb and .Lib sound files\n\n"
      "Usage: vesta-cli COMMAND ARGUMENTS...\n\nCommands:\n");
  for (const TCliCommand& command : CliCommands())
    text += QStringLiteral("  %1  %2\n")
                .arg(UsageLine(command), -44)
                .arg(QLatin1String(command.Summary));
  text += QStringLiteral(
      "  vesta-cli help [COMMAND]                      this help, or a command's\n"
      "  vesta-cli --version                           the version\n\n"
      "Element numbers count from 1. Files are written whole or not at all.\n"
      "Exit status: 0 success, 1 bad input (missing, unreadable, damaged or wrong-sized file,\n"
      "unwritable output), 2 wrong command line.\n");
  return text;
}

QString CommandHelp(const TCliCommand& command) {
  return QStringLiteral("Usage: %1\n%2.\n\n%3\n")
      .arg(UsageLine(command), QLatin1String(command.Summary), QLatin1String(command.Details));
}

TCliArgs Parse(const TCliCommand& command, const QStringList& words) {
  TCliArgs args;
  args.Words = words;
  for (const QString& word : words) {
    if (word.startsWith(QLatin1String("--")) && word.size() > 2) {
      if (!command.Options.contains(word))
        throw TCliError::Usage(
            QStringLiteral("%1: unknown option %2").arg(QLatin1String(command.Name), word));
      args.Options.insert(word);
    } else {
      args.Positional << word;
    }
  }
  const int count = static_cast<int>(args.Positional.size());
  if (count < command.MinPositional ||
      (command.MaxPositional >= 0 && count > command.MaxPositional))
    throw TCliError::Usage(
        QStringLiteral("wrong number of arguments\nUsage: %1").arg(UsageLine(command)));
  return args;
}

int Run(const QStringList& words) {
  if (words.isEmpty()) throw TCliError::Usage(QStringLiteral("no command given\n") + GeneralHelp());
  const QString name = words.first();
  if (name == QLatin1String("--version")) {
    Out(stdout, QStringLiteral("vesta-cli %1\n").arg(QLatin1String(kVestaVersion)));
    return ecSuccess;
  }
  if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
      name == QLatin1String("help")) {
    if (words.size() > 1 && name == QLatin1String("help")) {
      const TCliCommand* command = FindCliCommand(words[1]);
      if (!command) throw TCliError::Usage(QStringLiteral("unknown command \"%1\"").arg(words[1]));
      Out(stdout, CommandHelp(*command));
    } else {
      Out(stdout, GeneralHelp());
    }
    return ecSuccess;
  }
  const TCliCommand* command = FindCliCommand(name);
  if (!command)
    throw TCliError::Usage(
        QStringLiteral("unknown command \"%1\"; `vesta-cli help` lists the commands").arg(name));
  const QStringList rest = words.mid(1);
  if (rest.contains(QLatin1String("--help")) || rest.contains(QLatin1String("-h"))) {
    Out(stdout, CommandHelp(*command));
    return ecSuccess;
  }
  const int code = command->Run(Parse(*command, rest));
  // Anything the model wanted to tell the user is a failure nobody saw otherwise.
  if (!recordingUi->Questions.empty()) FailWithRecordedMessages(QString());
  return code;
}
}  // namespace

void FailWithRecordedMessages(const QString& fallback) {
  QStringList texts;
  if (recordingUi)
    for (const auto& question : recordingUi->Questions)
      texts << QString(question.Text).replace(u'\n', QStringLiteral(": "));
  if (recordingUi) recordingUi->Questions.clear();
  throw TCliError::BadInput(texts.isEmpty() ? fallback : texts.join(u'\n'));
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  TScopedScriptedUI ui;
  recordingUi = &ui;
  int code = ecSuccess;
  try {
    code = Run(app.arguments().mid(1));
  } catch (const TCliError& error) {
    Out(stderr, QStringLiteral("vesta-cli: ") + error.Message + u'\n');
    code = error.Code;
  } catch (const std::exception& error) {
    Out(stderr, QStringLiteral("vesta-cli: ") + QString::fromLocal8Bit(error.what()) + u'\n');
    code = ecBadInput;
  }
  recordingUi = nullptr;
  return code;
}
