#pragma once
// A private JACK server for a test (dummy driver, no real-time, a name of its own that this process
// and the programs it starts use through JACK_DEFAULT_SERVER), and the programs run on it.
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

#include <sys/prctl.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>

#include "midi/rtmidibackend.h"

constexpr int kStartTimeoutMs = 15000;

// A helper program in its own process group, ended should the test die first; its output goes
// to a file (a pipe nobody reads could stall it). SIGTERM, not SIGKILL: a killed jackd leaves its
// entry in JACK's server registry, and a few such entries refuse every later server.
class TChildProcess : public QProcess {
 public:
  TChildProcess() {
    output_.open();
    setProcessChannelMode(MergedChannels);
    setStandardOutputFile(output_.fileName());
    setChildProcessModifier([] {
      ::setpgid(0, 0);
      ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    });
  }
  ~TChildProcess() override { Stop(); }
  // Runs program (looked up in PATH); false, with the reason in error, when it cannot start.
  bool Start(const QString& program, const QStringList& args, std::string* error) {
    start(program, args);
    if (waitForStarted()) return true;
    *error = "cannot run " + program.toStdString() + ": " + errorString().toStdString();
    return false;
  }
  // Waits until the output holds the line; false when the time runs out or the program ends.
  bool WaitForLine(const QString& line, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 20) {
      if (QString::fromStdString(Output()).split(u'\n').contains(line)) return true;
      if (state() == NotRunning || waitForFinished(20)) return false;
    }
    return false;
  }
  // SIGTERM to the group, SIGKILL after graceMs (JACK is slow to close when loaded); the exit code.
  int Stop(int graceMs = 15000) {
    if (state() == NotRunning) return exitStatus() == NormalExit ? exitCode() : -1;
    const pid_t group = static_cast<pid_t>(processId());
    ::kill(-group, SIGTERM);
    if (waitForFinished(graceMs)) return exitStatus() == NormalExit ? exitCode() : -1;
    ::kill(-group, SIGKILL);
    waitForFinished();
    return -1;
  }
  std::string Output() const {
    QFile file(output_.fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
  }

 private:
  QTemporaryFile output_;
};

// Index in names of the port that a program opened as virtual port "name" in client "name":
// RtMidi's input and output are two JACK clients, so one of them is renamed "name-01" and the
// port reads "name:name" or "name-NN:name". -1 when there is none.
inline int IndexOfJackPort(const QStringList& names, const std::string& name) {
  const QString port = QRegularExpression::escape(QString::fromStdString(name));
  return static_cast<int>(
      names.indexOf(QRegularExpression(QStringLiteral("^%1(-\\d+)?:%1$").arg(port))));
}

class TJackServer {
 public:
  // A server name that no other test run uses.
  TJackServer()
      : name_("vesta-e2e-" + std::to_string(::getpid()) + "-" + std::to_string(++count_)) {
    ::setenv("JACK_DEFAULT_SERVER", name_.c_str(), 1);
  }
  // Starts jackd and waits until clients can connect; false, with the reason in error, when
  // jackd is missing or does not come up in time.
  bool Start(std::string* error) {
    // A long client time-out: on a loaded machine without real-time scheduling a client that
    // answers late would otherwise be thrown out, and its next open refused.
    if (!jackd_.Start(QStringLiteral("jackd"),
                      {"--no-realtime", "-t", "5000", "-n", QString::fromStdString(name_), "-d",
                       "dummy", "-r", "48000", "-p", "256"},
                      error)) {
      *error += " (the end-to-end tests need jackd: scripts/setup.sh installs jackd2)";
      return false;
    }
    // Up when a client can open; the RtMidi backend never starts a server itself, so polling
    // with it cannot race jackd into starting a second one.
    for (int waited = 0; waited < kStartTimeoutMs; waited += 50) {
      if (jackd_.waitForFinished(0)) break;
      try {
        TRtMidiBackend probe(QStringLiteral("jack"));
        return true;
      } catch (const TMidiBackendError&) {
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    *error = "jackd did not come up:\n" + jackd_.Output();
    return false;
  }

 private:
  static inline int count_ = 0;
  std::string name_;
  TChildProcess jackd_;
};

// Starts vesta-instrument on JACK as client "name", device ID 10H, with any further arguments
// (faults, memory files), and waits until it is ready; false, with the reason in error, if not.
inline bool StartInstrument(TChildProcess& instrument, const std::string& name,
                            const QStringList& more, std::string* error) {
  const QStringList args =
      QStringList{"--api", "jack", "--name", QString::fromStdString(name), "--device-id", "0x10"} +
      more;
  if (!instrument.Start(QStringLiteral(VESTA_INSTRUMENT_PATH), args, error)) return false;
  if (instrument.WaitForLine(QStringLiteral("ready"), kStartTimeoutMs)) return true;
  *error = "vesta-instrument did not report ready:\n" + instrument.Output();
  return false;
}
