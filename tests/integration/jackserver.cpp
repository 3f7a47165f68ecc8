#include "tests/integration/jackserver.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include <unistd.h>

#include <QRegularExpression>

#include "midi/rtmidibackend.h"

namespace {
constexpr int kStartTimeoutMs = 15000;
}

std::string UniqueJackName(const std::string& prefix) {
  static std::atomic<int> counter{0};
  return prefix + "-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

int IndexOfJackPort(const QStringList& names, const std::string& name) {
  const QString port = QString::fromStdString(name);
  const QRegularExpression pattern(
      QStringLiteral("^%1(-\\d+)?:%1$").arg(QRegularExpression::escape(port)));
  for (int i = 0; i < names.size(); ++i)
    if (pattern.match(names[i]).hasMatch()) return i;
  return -1;
}

TJackServer::TJackServer() : name_(UniqueJackName("vesta-e2e")) {
  if (const char* previous = std::getenv("JACK_DEFAULT_SERVER")) {
    hadPreviousServer_ = true;
    previousServer_ = previous;
  }
  ::setenv("JACK_DEFAULT_SERVER", name_.c_str(), 1);
}

TJackServer::~TJackServer() {
  Stop();
  if (hadPreviousServer_)
    ::setenv("JACK_DEFAULT_SERVER", previousServer_.c_str(), 1);
  else
    ::unsetenv("JACK_DEFAULT_SERVER");
}

bool TJackServer::Start(std::string* error) {
  // A long client time-out: on a loaded machine without real-time scheduling a client that
  // answers late would otherwise be thrown out, and its next open refused.
  if (!jackd_.Start(
          "jackd",
          {"--no-realtime", "-t", "5000", "-n", name_, "-d", "dummy", "-r", "48000", "-p", "256"},
          error)) {
    *error += " (the end-to-end tests need jackd: scripts/setup.sh installs jackd2)";
    return false;
  }
  // Up when a client can open; the RtMidi backend never starts a server itself, so polling with
  // it cannot race jackd into starting a second one.
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    if (!jackd_.Running()) {
      *error = "jackd exited at start:\n" + jackd_.Output();
      return false;
    }
    try {
      TRtMidiBackend probe(QStringLiteral("jack"));
      return true;
    } catch (const TMidiBackendError&) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  *error = "jackd did not come up within " + std::to_string(kStartTimeoutMs) + " ms:\n" +
           jackd_.Output();
  return false;
}

void TJackServer::Stop() {
  jackd_.Stop();
}

bool StartInstrument(TChildProcess& instrument, const std::string& name,
                     const std::vector<std::string>& more, std::string* error) {
  std::vector<std::string> args{"--api", "jack", "--name", name, "--device-id", "0x10"};
  args.insert(args.end(), more.begin(), more.end());
  if (!instrument.Start(VESTA_INSTRUMENT_PATH, args, error)) return false;
  if (instrument.WaitForLine("ready", kStartTimeoutMs)) return true;
  *error = "vesta-instrument did not report ready:\n" + instrument.Output();
  return false;
}
