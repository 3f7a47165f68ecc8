#pragma once
// Runs vesta-cli in a scratch folder on files written with the model, and reads what it wrote.
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "model/libelem.h"

struct TCliRun {
  int Exit = -1;
  QString Out;
  QString Err;
};

class TCliTest : public ::testing::Test {
 protected:
  TCliRun Cli(const QStringList& args) const {
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral(VESTA_CLI_PATH), args);
    TCliRun run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) return run;
    run.Exit = process.exitCode();
    run.Out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.Err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
  }
  // vesta-cli with its standard error on a pseudo-terminal, as in a terminal window; Err is what
  // the terminal received (line ends as written: the terminal's output processing is off).
  TCliRun CliOnTerminal(const QStringList& args) const {
    TCliRun run;
    int master = -1, slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return run;
    termios mode{};
    tcgetattr(slave, &mode);
    mode.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tcsetattr(slave, TCSANOW, &mode);
    fcntl(master, F_SETFL, O_NONBLOCK);
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.setChildProcessModifier([slave] { ::dup2(slave, 2); });
    process.start(QStringLiteral(VESTA_CLI_PATH), args);
    process.waitForStarted();
    ::close(slave);
    // Read while it runs: a full terminal buffer would stop the program.
    QByteArray terminal;
    char buffer[4096];
    for (int waited = 0; waited <= 30000; waited += 20) {
      const bool finished = process.waitForFinished(20) || process.state() == QProcess::NotRunning;
      for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;) terminal.append(buffer, n);
      if (finished) break;
    }
    ::close(master);
    if (process.state() != QProcess::NotRunning || process.exitStatus() != QProcess::NormalExit)
      return run;
    run.Exit = process.exitCode();
    run.Out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.Err = QString::fromLocal8Bit(terminal);
    return run;
  }
  // The words of line, split at blanks, as the arguments.
  TCliRun Run(const QString& line) const { return Cli(line.split(u' ', Qt::SkipEmptyParts)); }
  // The JSON document printed by a command that is expected to succeed.
  QJsonDocument Json(const QStringList& args) const {
    const TCliRun run = Cli(args);
    EXPECT_EQ(run.Exit, 0) << args.join(' ').toStdString() << ": " << run.Err.toStdString();
    return QJsonDocument::fromJson(run.Out.toUtf8());
  }
  QJsonArray JsonArray(const QString& line) const {
    return Json(line.split(u' ', Qt::SkipEmptyParts)).array();
  }
  QJsonObject InfoJson(const QString& name) const {
    return Json({"info", name, "--json"}).object();
  }
  // The lines printed by a command that is expected to succeed.
  QStringList Lines(const QString& line) const {
    const TCliRun run = Run(line);
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    return run.Out.split(u'\n', Qt::SkipEmptyParts);
  }
  QString Path(const QString& name) const { return dir.filePath(name); }
  QByteArray Read(const QString& name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void Write(const QString& name, const QByteArray& data) const {
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
  }
  // A .Syx file of the kind with contents of its own, so a round trip that loses them shows.
  QByteArray SyxOf(int kind, bool xp, const QString& name) const {
    auto element = CreateElement(kind, nullptr);
    element->Init();
    element->SetName(name, false);
    return element->SysexBytes(xp);
  }

  QTemporaryDir dir;
};

inline QString Str(const QJsonValue& value, const char* key) {
  return value.toObject()[QLatin1String(key)].toString();
}
