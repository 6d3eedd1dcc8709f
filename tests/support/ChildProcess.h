// Runs a piece of a test in a child process: as an ordinary user where a promise depends on
// permissions that root would override, and under limits (a file-size limit) that must not
// touch the test program itself. POSIX only.
#pragma once

#ifndef _WIN32

#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace zarvel::testing {

// The unprivileged account the tests switch to when they run as root.
struct Nobody {
  uid_t uid = 65534;
  gid_t gid = 65534;
};

inline Nobody nobody() {
  Nobody who;
  if (const passwd* entry = getpwnam("nobody"); entry != nullptr) {
    who.uid = entry->pw_uid;
    who.gid = entry->pw_gid;
  }
  return who;
}

inline bool runningAsRoot() {
  return geteuid() == 0;
}

// What the child should be.
struct ChildSetUp {
  bool ordinaryUser = false;  // as "nobody" when the tests run as root
  rlim_t fileSizeLimit = 0;   // if not 0: files may grow to this many bytes only
};

// `work`'s result as the child's exit code, or -1 when the child did not end normally (a
// signal, such as the one a file-size limit sends, killed it).
inline int inChildProcess(const ChildSetUp& setUp, const std::function<int()>& work) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (setUp.ordinaryUser && runningAsRoot()) {
      const Nobody who = nobody();
      if (setgroups(0, nullptr) != 0 || setgid(who.gid) != 0 || setuid(who.uid) != 0) _exit(125);
    }
    if (setUp.fileSizeLimit != 0) {
      rlimit limit{};
      getrlimit(RLIMIT_FSIZE, &limit);
      limit.rlim_cur = setUp.fileSizeLimit;
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
    }
    _exit(work());
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace zarvel::testing

#endif
