#pragma once
// A private JACK server for one test: the dummy driver, no real-time, and a name of its own,
// which this process and every program it starts use through JACK_DEFAULT_SERVER.
#include <string>
#include <vector>

#include <QStringList>

#include "tests/integration/childprocess.h"

class TJackServer {
 public:
  TJackServer();
  ~TJackServer();

  // Starts jackd and waits until clients can connect. False, with the reason in error, when
  // jackd is missing or does not come up in time.
  bool Start(std::string* error);
  void Stop();
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
  std::string previousServer_;
  bool hadPreviousServer_ = false;
  TChildProcess jackd_;
};

// Index in names of the port that a program opened as virtual port "name" in client "name":
// RtMidi's input and output are two JACK clients, so one of them is renamed "name-01" and the
// port reads "name:name" or "name-NN:name". -1 when there is none.
int IndexOfJackPort(const QStringList& names, const std::string& name);

// A JACK server name that no other test run uses.
std::string UniqueJackName(const std::string& prefix);

// Starts vesta-instrument on JACK as client "name", device ID 10H, with any further arguments
// (faults, memory files), and waits until it is ready. False, with the reason in error, when it
// does not start or does not come up in time.
bool StartInstrument(TChildProcess& instrument, const std::string& name,
                     const std::vector<std::string>& more, std::string* error);
