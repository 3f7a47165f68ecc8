// A second vesta hands its files to the running one over the user's socket and ends: the real
// program started beside this test, which serves the socket itself or starts a real one too.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <memory>

#include <gtest/gtest.h>

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/singleinstance.h"

namespace {

constexpr int kProgramMs = 20000;

class TSingleInstanceTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (auto& process : processes_) {
      process->kill();
      process->waitForFinished();
    }
  }

  QString SocketPath() const { return dir_.filePath(QStringLiteral("vesta.socket")); }

  // The program as a file manager starts it, with this test's runtime folder, settings and folder.
  QProcess& StartVesta(const QStringList& arguments, const QString& display = QString()) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("DISPLAY"));
    if (!display.isEmpty()) environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("VESTA_SETTINGS"), dir_.filePath(QStringLiteral("V.INI")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(dir_.path());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(VESTA_PATH), arguments);
    processes_.push_back(std::move(process));
    return *processes_.back();
  }

  // This test's event loop runs meanwhile: it may be the program the files go to.
  static bool Ended(QProcess& process) {
    return QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, kProgramMs);
  }

  // A socket file as a program that died leaves it: bound, never removed, nobody listening.
  void LeaveDeadSocket() const {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(SocketPath());
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()) + 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
  }

  QTemporaryDir dir_;
  std::vector<std::unique_ptr<QProcess>> processes_;
};

TEST_F(TSingleInstanceTest, ASecondProgramHandsItsFilesToTheFirstOnItsDisplayAndEnds) {
  // A dead program's socket is in the way; the first program takes its place.
  LeaveDeadSocket();
  {
    TSingleInstance first(SocketPath());
    QSignalSpy received(&first, &TSingleInstance::FilesReceived);
    QString error;
    ASSERT_EQ(first.Start({}, &error), TSingleInstance::TStart::First);

    // Relative names, from the folder the second program starts in; --settings takes its value.
    QProcess& second = StartVesta({QStringLiteral("Bank.syx"), QStringLiteral("--settings"),
                                   QStringLiteral("Other.INI"), QStringLiteral("sub/../A B.Lib")});
    ASSERT_TRUE(Ended(second)) << "the second program kept running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    ASSERT_EQ(received.count(), 1);
    EXPECT_EQ(received.at(0).at(0).toStringList(),
              QStringList({dir_.filePath(QStringLiteral("Bank.syx")),
                           dir_.filePath(QStringLiteral("A B.Lib"))}));
  }
  // A program on another display is not handed the files: it serves its own display and runs.
  TSingleInstance first(SocketPath());
  QSignalSpy received(&first, &TSingleInstance::FilesReceived);
  QString error;
  ASSERT_EQ(first.Start({}, &error), TSingleInstance::TStart::First);
  QProcess& other = StartVesta({QStringLiteral("Bank.syx")}, QStringLiteral(":7.0"));
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return QFile::exists(dir_.filePath(QStringLiteral("vesta-_7.0.socket"))); },
      kProgramMs));
  EXPECT_EQ(other.state(), QProcess::Running);
  EXPECT_EQ(received.count(), 0);
}

TEST_F(TSingleInstanceTest, AProgramThatDoesNotAnswerIsReportedAndKeepsItsSocket) {
  // Listening, but never reading: its event loop does not run while the later one waits.
  QLocalServer silent;
  ASSERT_TRUE(silent.listen(SocketPath()));
  TSingleInstance later(SocketPath(), 100);
  QString error;
  EXPECT_EQ(later.Start({QStringLiteral("/tmp/Bank.syx")}, &error),
            TSingleInstance::TStart::Failed);
  EXPECT_EQ(error, QStringLiteral("Vesta is running but did not take the files"));
  QLocalSocket socket;
  socket.connectToServer(SocketPath());
  EXPECT_TRUE(socket.waitForConnected(1000)) << "the running program's socket was taken away";
}

}  // namespace
