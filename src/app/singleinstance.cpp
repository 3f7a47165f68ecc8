#include "app/singleinstance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace {
// The running program's answer once it has taken the files.
constexpr char kTaken = '\x06';
constexpr int kConnectMs = 1000;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;
}  // namespace

QString TSingleInstance::DefaultSocketPath() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  // A program on another display (another seat or session of the same user) is no place for
  // files opened on this one.
  QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
  if (display.isEmpty()) display = qEnvironmentVariable("DISPLAY");
  QString name = QStringLiteral("vesta");
  if (!display.isEmpty()) {
    for (QChar& c : display)
      if (!c.isLetterOrNumber() && c != u'.' && c != u'-') c = u'_';
    name += u'-' + display;
  }
  return QDir(folder).filePath(name + QStringLiteral(".socket"));
}

TSingleInstance::TSingleInstance(QString socketPath, int answerMs, QObject* parent)
    : QObject(parent), socketPath_(std::move(socketPath)), answerMs_(answerMs) {}

TSingleInstance::~TSingleInstance() = default;

TSingleInstance::TStart TSingleInstance::Start(const QStringList& files, QString* error) {
  // Two programs started at once must not both find no server and both serve: the look and
  // the listen happen under a lock (a lock left by a dead program is taken over).
  QLockFile lock(socketPath_ + QStringLiteral(".lock"));
  lock.tryLock(answerMs_ + kConnectMs);
  {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (socket.waitForConnected(kConnectMs))
      return HandOver(socket, files, error) ? TStart::HandedOver : TStart::Failed;
  }
  // Nobody answers: whatever is left at the path is a dead program's socket.
  QLocalServer::removeServer(socketPath_);
  Serve();
  if (!server_->isListening()) {
    // Not fatal: this program works, a later one just cannot reach it.
    qWarning("vesta: cannot serve %s: %s", qPrintable(socketPath_),
             qPrintable(server_->errorString()));
  }
  return TStart::First;
}

bool TSingleInstance::HandOver(QLocalSocket& socket, const QStringList& files, QString* error) {
  QByteArray message;
  QDataStream out(&message, QIODevice::WriteOnly);
  out.setVersion(kStreamVersion);
  out << files;
  socket.write(message);
  if (!socket.waitForBytesWritten(answerMs_) && socket.bytesToWrite() > 0) {
    *error = QStringLiteral("Vesta is running but did not take the files");
    return false;
  }
  while (socket.bytesAvailable() == 0) {
    if (!socket.waitForReadyRead(answerMs_)) {
      *error = QStringLiteral("Vesta is running but did not take the files");
      return false;
    }
  }
  char answer = 0;
  socket.getChar(&answer);
  if (answer != kTaken) {
    *error = QStringLiteral("Vesta is running but did not take the files");
    return false;
  }
  return true;
}

void TSingleInstance::Serve() {
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  server_->listen(socketPath_);
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        QDataStream in(socket);
        in.setVersion(kStreamVersion);
        in.startTransaction();
        QStringList files;
        in >> files;
        if (!in.commitTransaction()) {
          // The list may come in pieces: wait for the rest; what is no list ends the talk.
          if (in.status() == QDataStream::ReadCorruptData) socket->abort();
          return;
        }
        socket->putChar(kTaken);
        socket->flush();
        socket->disconnectFromServer();
        Q_EMIT FilesReceived(files);
      });
    }
  });
}
