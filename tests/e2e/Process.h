// Child processes of a test (the X server, the window manager, the game): started with
// an environment of our choosing, ended when the test ends, even when it crashes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zarvel::e2e {

using Environment = std::map<std::string, std::string>;

// This process's environment, as a map to adjust.
Environment currentEnvironment();

class Process {
 public:
  Process() = default;
  // Starts `argv[0]` (a path, or a name looked up in PATH of `environment`), in `folder`
  // when given, with stdout and stderr going to `logFile`. `keepFd` stays open in the
  // child under its own number. Fails the calling test when it cannot start.
  Process(const std::vector<std::string>& argv, const Environment& environment,
          const std::string& logFile, const std::string& folder = {}, int keepFd = -1);
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t pid() const { return pid_; }
  bool running();
  // The exit status once it has ended (-signal for a signal), nothing while it runs.
  std::optional<int> exitStatus();
  // Asks it to end (SIGTERM), then forces it (SIGKILL) after `grace`.
  void stop(std::chrono::milliseconds grace = std::chrono::milliseconds(2000));

 private:
  void reap(bool wait);

  pid_t pid_ = -1;
  std::optional<int> status_;
};

// A fresh folder under the system's temporary folder; removed by its destructor unless
// `keep()` was called (a failed test keeps its folder for a look).
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  void keep() { keep_ = true; }

 private:
  std::string path_;
  bool keep_ = false;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

}  // namespace zarvel::e2e
