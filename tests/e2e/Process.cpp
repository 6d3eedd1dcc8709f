// Starting and ending child processes, and the temporary folder of a test.
#include "tests/e2e/Process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <utility>

extern char** environ;

namespace zarvel::e2e {

Environment currentEnvironment() {
  Environment environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const auto equals = text.find('=');
    if (equals != std::string::npos) environment[text.substr(0, equals)] = text.substr(equals + 1);
  }
  return environment;
}

Process::Process(const std::vector<std::string>& argv, const Environment& environment,
                 const std::string& logFile, const std::string& folder, int keepFd) {
  if (argv.empty() || argv.front().empty() || argv.front().front() != '/') {
    ADD_FAILURE() << "a program is started by its full path, not '"
                  << (argv.empty() ? "" : argv.front()) << "'";
    return;
  }
  // Everything the child needs is prepared before fork: after it only async-signal-safe
  // calls are allowed.
  std::vector<std::string> envText;
  for (const auto& [name, value] : environment) envText.push_back(name + "=" + value);
  std::vector<char*> args;
  for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  std::vector<char*> envp;
  for (auto& entry : envText) envp.push_back(entry.data());
  envp.push_back(nullptr);
  const int log = ::open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  const pid_t parent = getpid();

  pid_ = fork();
  if (pid_ == 0) {
    // Ends with the test process, also when that one is killed by a time-out.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    setpgid(0, 0);  // its own group, so that stop() reaches what it starts in turn
    const int devNull = ::open("/dev/null", O_RDONLY);
    dup2(devNull, 0);
    if (log >= 0) {
      dup2(log, 1);
      dup2(log, 2);
    }
    if (keepFd >= 0) dup2(keepFd, 3);
    closefrom(keepFd >= 0 ? 4 : 3);
    if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(126);
    execve(args[0], args.data(), envp.data());
    _exit(127);
  }
  if (log >= 0) ::close(log);
  if (pid_ < 0) ADD_FAILURE() << "cannot start " << argv.front();
}

Process::~Process() {
  stop();
}

Process::Process(Process&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), status_(other.status_) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    stop();
    pid_ = std::exchange(other.pid_, -1);
    status_ = other.status_;
  }
  return *this;
}

void Process::reap(bool wait) {
  if (pid_ <= 0 || status_) return;
  int status = 0;
  const pid_t done = waitpid(pid_, &status, wait ? 0 : WNOHANG);
  if (done == pid_) {
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
  } else if (done < 0) {
    status_ = -1;
  }
}

bool Process::running() {
  reap(false);
  return pid_ > 0 && !status_;
}

std::optional<int> Process::exitStatus() {
  reap(false);
  return status_;
}

void Process::stop(std::chrono::milliseconds grace) {
  if (!running()) return;
  kill(-pid_, SIGTERM);
  kill(pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + grace;
  while (running() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (running()) {
    kill(-pid_, SIGKILL);
    kill(pid_, SIGKILL);
    reap(true);
  }
}

TempFolder::TempFolder() {
  // Only letters and digits in the name: the tests type this path into file dialogs.
  std::string pattern = "/tmp/zarvel-e2e-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    ADD_FAILURE() << "cannot create a temporary folder";
  }
  path_ = pattern;
}

TempFolder::~TempFolder() {
  if (keep_ || path_.empty()) return;
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out.good()) ADD_FAILURE() << "cannot write " << path;
}

}  // namespace zarvel::e2e
