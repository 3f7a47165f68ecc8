#pragma once
// Runs vesta-cli in a scratch folder on files written with the model, and reads what it wrote.

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
  TCliRun Cli(const QStringList& args, const QString& program = VESTA_CLI_PATH) const {
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(program, args);
    TCliRun run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) return run;
    run.Exit = process.exitCode();
    run.Out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.Err = QString::fromLocal8Bit(process.readAllStandardError());
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
