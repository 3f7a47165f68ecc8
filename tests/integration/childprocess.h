#pragma once
// A helper program run by a test: started in its own process group, its output collected in a
// file (a pipe nobody reads could stall it), and stopped whatever happens: by Stop, by the
// destructor, and by the kernel if the test process dies first.
#include <string>
#include <vector>

#include <sys/types.h>

class TChildProcess {
 public:
  TChildProcess() = default;
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;
  ~TChildProcess();

  // Runs program (looked up in PATH when it has no slash) with args; stdout and stderr go to the
  // output file. False, with the reason in error, when it cannot be started.
  bool Start(const std::string& program, const std::vector<std::string>& args, std::string* error);
  // Waits until the output holds a line equal to line; false when the time runs out or the
  // program ends first.
  bool WaitForLine(const std::string& line, int timeoutMs);
  bool Running();
  // SIGTERM to the whole group, SIGKILL after graceMs; returns the exit status (-1: killed or
  // never started).
  int Stop(int graceMs = 3000);
  std::string Output() const;
  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  int status_ = -1;
  std::string outputPath_;
};
