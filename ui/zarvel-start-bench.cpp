// The start-up benchmark: the game against an empty Qt window built the same way, started in
// turn on the X server of $DISPLAY; for each, the processor time to its first paint and the
// memory it holds two seconds after its start.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
  double paintMs = 0;   // processor time of the whole process up to its first paint
  double memoryMb = 0;  // resident memory two seconds after the start
};

// The processor time another process has used so far, its ended threads included.
std::optional<double> processorMs(pid_t pid) {
  clockid_t clock{};
  timespec now{};
  if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &now) != 0) return {};
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double residentMb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string word;
  while (status >> word) {
    if (word == "VmRSS:") {
      double kilobytes = 0;
      status >> kilobytes;
      return kilobytes / 1024;
    }
  }
  return 0;
}

// Waits for the X server to report a change on the screen, for at most `limit`.
bool screenChanged(Display* display, int damageEvent, Clock::time_point limit) {
  const int connection = ConnectionNumber(display);
  while (Clock::now() < limit) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == damageEvent + XDamageNotify) return true;
    }
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(connection, &ready);
    timeval wait{0, 1000};
    select(connection + 1, &ready, nullptr, nullptr, &wait);
  }
  return false;
}

// One start of `program`: with nothing else drawing on the X server, the first change on the
// screen is the program's first paint.
std::optional<Run> measure(Display* display, Damage damage, int damageEvent, const char* program) {
  XDamageSubtract(display, damage, None, None);
  XSync(display, True);
  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    // What the program says (Qt's word on root's missing runtime folder) is no figure.
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    execl(program, program, static_cast<char*>(nullptr));
    _exit(127);
  }
  if (pid < 0) return {};
  Run run;
  std::optional<double> paint;
  if (screenChanged(display, damageEvent, start + std::chrono::seconds(2)))
    paint = processorMs(pid);
  std::this_thread::sleep_until(start + std::chrono::seconds(2));
  run.memoryMb = residentMb(pid);
  kill(pid, SIGTERM);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  // The screen the program leaves is redrawn before the next start.
  XSync(display, True);
  if (!paint || run.memoryMb == 0) return {};
  run.paintMs = *paint;
  return run;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: zarvel-start-bench GAME EMPTY_WINDOW [RUNS]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 9;
  Display* display = XOpenDisplay(nullptr);
  int damageEvent = 0;
  int damageError = 0;
  if (display == nullptr || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
    std::fprintf(stderr, "zarvel-start-bench: no X server with the DAMAGE extension\n");
    return 2;
  }
  const Damage damage = XDamageCreate(display, DefaultRootWindow(display), XDamageReportNonEmpty);
  const char* programs[2] = {argv[1], argv[2]};
  std::vector<Run> results[2];
  // One start of each first, not counted: it brings the files into the cache.
  for (int round = -1; round < runs; ++round) {
    for (int which = 0; which < 2; ++which) {
      const std::optional<Run> run = measure(display, damage, damageEvent, programs[which]);
      if (!run) {
        std::fprintf(stderr, "zarvel-start-bench: %s painted nothing\n", programs[which]);
        return 1;
      }
      if (round >= 0) results[which].push_back(*run);
    }
  }
  double paint[2];
  double memory[2];
  for (int which = 0; which < 2; ++which) {
    std::vector<double> paints;
    std::vector<double> memories;
    for (const Run& run : results[which]) {
      paints.push_back(run.paintMs);
      memories.push_back(run.memoryMb);
    }
    paint[which] = median(paints);
    memory[which] = median(memories);
    std::printf("%-13s first paint %5.1f ms (%5.1f to %5.1f), memory %5.1f MB (%5.1f to %5.1f)\n",
                which == 0 ? "game" : "empty window", paint[which],
                *std::min_element(paints.begin(), paints.end()),
                *std::max_element(paints.begin(), paints.end()), memory[which],
                *std::min_element(memories.begin(), memories.end()),
                *std::max_element(memories.begin(), memories.end()));
  }
  std::printf("game / empty  first paint %.2f, memory %.2f (medians of %d, taken in turn)\n",
              paint[0] / paint[1], memory[0] / memory[1], runs);
  XDamageDestroy(display, damage);
  XCloseDisplay(display);
  return 0;
}
