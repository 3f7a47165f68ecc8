#include "tests/integration/childprocess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

TChildProcess::~TChildProcess() {
  Stop();
  if (!outputPath_.empty()) ::unlink(outputPath_.c_str());
}

bool TChildProcess::Start(const std::string& program, const std::vector<std::string>& args,
                          std::string* error) {
  Stop();
  if (!outputPath_.empty()) ::unlink(outputPath_.c_str());
  char pathTemplate[] = "/tmp/vesta-e2e-XXXXXX";
  const int outputFd = ::mkstemp(pathTemplate);
  if (outputFd < 0) {
    *error = std::string("cannot create an output file: ") + std::strerror(errno);
    return false;
  }
  outputPath_ = pathTemplate;
  // The child reports a failed exec through this pipe; a successful exec closes it.
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) {
    *error = std::string("pipe: ") + std::strerror(errno);
    ::close(outputFd);
    return false;
  }
  std::vector<std::string> argvStrings{program};
  argvStrings.insert(argvStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& arg : argvStrings) argv.push_back(arg.data());
  argv.push_back(nullptr);

  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid < 0) {
    *error = std::string("fork: ") + std::strerror(errno);
    ::close(report[0]);
    ::close(report[1]);
    ::close(outputFd);
    return false;
  }
  if (pid == 0) {
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);  // the test died before the line above
    ::dup2(outputFd, STDOUT_FILENO);
    ::dup2(outputFd, STDERR_FILENO);
    ::close(outputFd);
    ::close(report[0]);
    ::execvp(argv[0], argv.data());
    const int code = errno;
    [[maybe_unused]] auto written = ::write(report[1], &code, sizeof code);
    ::_exit(127);
  }
  ::setpgid(pid, pid);  // also from here, so that Stop can never miss the group
  ::close(outputFd);
  ::close(report[1]);
  int code = 0;
  const auto got = ::read(report[0], &code, sizeof code);
  ::close(report[0]);
  if (got == static_cast<ssize_t>(sizeof code)) {
    ::waitpid(pid, nullptr, 0);
    *error = "cannot run " + program + ": " + std::strerror(code);
    return false;
  }
  pid_ = pid;
  status_ = -1;
  return true;
}

bool TChildProcess::WaitForLine(const std::string& line, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    std::istringstream output(Output());
    for (std::string text; std::getline(output, text);)
      if (text == line) return true;
    if (!Running()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

bool TChildProcess::Running() {
  if (pid_ < 0) return false;
  int status = 0;
  const pid_t done = ::waitpid(pid_, &status, WNOHANG);
  if (done == 0) return true;
  status_ = done == pid_ && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  ::kill(-pid_, SIGKILL);  // whatever it left behind in its group
  pid_ = -1;
  return false;
}

int TChildProcess::Stop(int graceMs) {
  if (pid_ < 0) return status_;
  ::kill(-pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(graceMs);
  while (Running() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (pid_ >= 0) {
    ::kill(-pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
    status_ = -1;
  }
  return status_;
}

std::string TChildProcess::Output() const {
  if (outputPath_.empty()) return {};
  std::ifstream file(outputPath_);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}
