#pragma once
// One program per user. The first vesta serves a local socket in the user's runtime folder; a
// later one hands the files of its command line to it and ends, since two programs would fight
// over the MIDI ports.
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  enum class TStart {
    First,       // no program was running: this one serves the socket from now on
    HandedOver,  // a running program took the files: this one ends
    Failed       // a program is there but did not take them (see the error)
  };

  // "vesta-DISPLAY.socket" ("vesta.socket" with no display) in the user's runtime folder
  // ($XDG_RUNTIME_DIR), which only the user reaches.
  static QString DefaultSocketPath();

  // answerMs: how long a later program waits for the running one to take its files.
  explicit TSingleInstance(QString socketPath = DefaultSocketPath(), int answerMs = 5000,
                           QObject* parent = nullptr);
  ~TSingleInstance() override;

  // Hands the files to the program serving the socket; with none serving (a socket left by a
  // program that died is removed), serves it from now on.
  TStart Start(const QStringList& files, QString* error);

 Q_SIGNALS:
  // Files a later program handed over (possibly none: it was started without files).
  void FilesReceived(const QStringList& files);

 private:
  bool HandOver(QLocalSocket& socket, const QStringList& files, QString* error);
  void Serve();

  QString socketPath_;
  int answerMs_;
  QLocalServer* server_ = nullptr;
};
