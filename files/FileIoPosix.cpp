// The file primitives on POSIX systems: plain descriptors, links left to the kernel, and new
// files created with mode 0600 until their final mode is set.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <memory>

#include "files/FileIo.h"

namespace zarvel {
namespace {

namespace fs = std::filesystem;

// Writing past `ulimit -f` would otherwise stop the program with SIGXFSZ in the middle of
// a save; ignored, the write fails with EFBIG like any other write error.
class NoFileSizeSignal {
 public:
  NoFileSizeSignal() { sigaction(SIGXFSZ, &ignore_, &saved_); }
  ~NoFileSizeSignal() { sigaction(SIGXFSZ, &saved_, nullptr); }
  NoFileSizeSignal(const NoFileSizeSignal&) = delete;
  NoFileSizeSignal& operator=(const NoFileSizeSignal&) = delete;

 private:
  struct sigaction ignore_ = [] {
    struct sigaction action = {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    return action;
  }();
  struct sigaction saved_ = {};
};

// A new file is never readable by others before its final mode is set.
constexpr mode_t kNewFileMode = 0600;

int openAt(int folder, const fs::path& path, int flags, FileError& error) {
  int fd = -1;
  do {
    fd = ::openat(folder, path.c_str(), flags | O_NOCTTY | O_CLOEXEC, kNewFileMode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) error = {errno, 0};
  return fd;
}

// A descriptor the step hook let through, or -1 (closed) when it made the step fail.
int passed(FileStep step, int fd) {
  if (stepDone(step, fd >= 0)) return fd;
  if (fd >= 0) ::close(fd);
  return -1;
}

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The mode the player's files get when they are made: 0666 without the umask. The umask is
// only read, and the moment it is changed to do so it is tighter, never wider.
mode_t newFileMode() {
  const mode_t mask = ::umask(077);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

std::vector<std::string> argumentNames(int argc, char** argv) {
  return {argv, argv + argc};
}

bool FileError::denied() const {
  return code == EACCES || code == EPERM || code == EROFS;
}

bool FileError::inUse() const {
  // A program that runs from the file; locks are asked without an error code.
  return code == ETXTBSY;
}

OpenFile OpenFile::forReading(const fs::path& path, FileError& error) {
  return {openAt(AT_FDCWD, path, O_RDONLY | O_NONBLOCK, error), true};
}

OpenFile OpenFile::forWriting(const fs::path& path, FileError& error) {
  // Reading is only needed to put the old bytes back after a failed write in place; a
  // write-only file of the player's is still saved by replacing it.
  const int fd = openAt(AT_FDCWD, path, O_RDWR | O_NONBLOCK, error);
  if (fd >= 0 || error.code != EACCES) return {fd, true};
  return {openAt(AT_FDCWD, path, O_WRONLY | O_NONBLOCK, error), false};
}

OpenFile OpenFile::createdThroughLink(const fs::path& path, FileError& error) {
  // No O_EXCL: with it the kernel never follows the link at the end of the path.
  return {openAt(AT_FDCWD, path, O_RDWR | O_CREAT | O_NONBLOCK, error), true};
}

OpenFile OpenFile::atName(const fs::path& path, FileError& error) {
  return {openAt(AT_FDCWD, path, O_WRONLY | O_NONBLOCK | O_NOFOLLOW, error), false};
}

OpenFile OpenFile::created(const fs::path& path, FileError& error) {
  return {passed(FileStep::Created,
                 openAt(AT_FDCWD, path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, error)),
          false};
}

void OpenFile::release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool OpenFile::facts(FileFacts& facts) const {
  struct stat info = {};
  if (fd_ < 0 || fstat(fd_, &info) != 0) return false;
  facts.regular = S_ISREG(info.st_mode);
  facts.writeBit = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
  facts.mine = info.st_uid == geteuid();
  facts.links = info.st_nlink;
  facts.owner = static_cast<long>(info.st_uid);
  facts.group = static_cast<long>(info.st_gid);
  facts.size = static_cast<std::uint64_t>(info.st_size);
  facts.mode = static_cast<unsigned>(info.st_mode) & 07777U;
  return stepDone(FileStep::Examined, true);
}

OpenFile OpenFile::duplicate() const {
  return {fd_ < 0 ? -1 : fcntl(fd_, F_DUPFD_CLOEXEC, 0), readable_};
}

fs::path OpenFile::finalName(const fs::path& openedAs) const {
  struct stat opened = {};
  if (fd_ < 0 || fstat(fd_, &opened) != 0) return {};
  // The kernel knows the name it opened; where /proc is not mounted, the C library
  // works it out. Either way the name must still lead to this very file, not to a link.
  std::string name(PATH_MAX, '\0');
  const std::string proc = "/proc/self/fd/" + std::to_string(fd_);
  const ssize_t length = readlink(proc.c_str(), name.data(), name.size());
  if (length > 0 && static_cast<std::size_t>(length) < name.size()) {
    name.resize(static_cast<std::size_t>(length));
  } else {
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(openedAs.c_str(), nullptr),
                                                               &std::free);
    if (!resolved) return {};
    name = resolved.get();
  }
  struct stat named = {};
  if (lstat(name.c_str(), &named) != 0 || !sameFile(named, opened)) return {};
  return fs::path(name);
}

long long OpenFile::read(std::string& into, std::size_t room) {
  const std::size_t start = into.size();
  into.resize(start + room);
  ssize_t got = -1;
  do {
    got = ::read(fd_, into.data() + start, room);
  } while (got < 0 && errno == EINTR);
  into.resize(start + (got > 0 ? static_cast<std::size_t>(got) : 0));
  return static_cast<long long>(got);
}

bool OpenFile::writeAt(std::uint64_t offset, std::string_view bytes) {
  [[maybe_unused]] const NoFileSizeSignal guard;
  bool written = lseek(fd_, static_cast<off_t>(offset), SEEK_SET) >= 0;
  while (written && !bytes.empty()) {
    const ssize_t count = ::write(fd_, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    written = count > 0;
    if (written) bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return stepDone(FileStep::Written, written);
}

bool OpenFile::resize(std::uint64_t size) {
  [[maybe_unused]] const NoFileSizeSignal guard;
  return ftruncate(fd_, static_cast<off_t>(size)) == 0;
}

bool OpenFile::sync() {
  // Some file systems cannot sync a file at all; what was written is all there is then.
  return stepDone(FileStep::Synced, fsync(fd_) == 0 || errno == EINVAL);
}

bool OpenFile::lockExclusive() {
  // A lock of flock belongs to the open file, not to the process, so that two saves in one
  // program keep apart too. A file system that keeps no such locks is written as before.
  if (fd_ < 0) return false;
  int locked = -1;
  do {
    locked = ::flock(fd_, LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  return stepDone(FileStep::Locked, locked == 0 || errno != EWOULDBLOCK);
}

bool OpenFile::takeModeOf(const FileFacts* original) {
  // Only the owner (or root) may give a file away; a player keeps at least the group when
  // they belong to it. Neither is worth failing a save for, nor is a file system that keeps
  // no modes: the file then stays at 0600, which is tighter, not wider.
  if (original != nullptr &&
      fchown(fd_, static_cast<uid_t>(original->owner), static_cast<gid_t>(original->group)) != 0) {
    static_cast<void>(fchown(fd_, static_cast<uid_t>(-1), static_cast<gid_t>(original->group)));
  }
  const mode_t mode = original != nullptr ? static_cast<mode_t>(original->mode) : newFileMode();
  static_cast<void>(fchmod(fd_, mode));
  return stepDone(FileStep::ModeSet, true);
}

bool OpenFile::close() {
  if (fd_ < 0) return true;
  // After EINTR the descriptor is gone all the same on the systems we run on.
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  return stepDone(FileStep::Closed, closed);
}

Folder Folder::open(const fs::path& path, FileError& error) {
  Folder folder;
  folder.path_ = path;
  folder.fd_ = openAt(AT_FDCWD, path, O_RDONLY | O_DIRECTORY, error);
#ifdef O_PATH
  // A folder the player may write but not list can still be worked in, though not synced.
  if (folder.fd_ < 0 && error.code == EACCES) {
    folder.fd_ = openAt(AT_FDCWD, path, O_PATH | O_DIRECTORY, error);
  }
#endif
  folder.opened_ = folder.fd_ >= 0;
  return folder;
}

Folder::~Folder() {
  if (fd_ >= 0) ::close(fd_);
}

Folder::Folder(Folder&& other) noexcept
    : path_(std::move(other.path_)), fd_(other.fd_), opened_(other.opened_) {
  other.fd_ = -1;
  other.opened_ = false;
}

Folder& Folder::operator=(Folder&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    path_ = std::move(other.path_);
    fd_ = other.fd_;
    opened_ = other.opened_;
    other.fd_ = -1;
    other.opened_ = false;
  }
  return *this;
}

bool Folder::facts(FileFacts& facts) const {
  struct stat info = {};
  if (fd_ < 0 || fstat(fd_, &info) != 0) return false;
  facts.writeBit = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
  facts.mine = info.st_uid == geteuid();
  facts.mode = static_cast<unsigned>(info.st_mode) & 07777U;
  return true;
}

OpenFile Folder::create(const fs::path& name, FileError& error) const {
  return {
      passed(FileStep::Created, openAt(fd_, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, error)),
      false};
}

bool Folder::replace(const fs::path& from, const fs::path& to, OpenFile& /*held*/,
                     FileError& error) const {
  const bool renamed = renameat(fd_, from.c_str(), fd_, to.c_str()) == 0;
  if (!renamed) error = {errno, 0};
  return stepDone(FileStep::Replaced, renamed);
}

bool Folder::remove(const fs::path& name) const {
  return unlinkat(fd_, name.c_str(), 0) == 0;
}

bool Folder::sync(const fs::path& /*changed*/) const {
  bool synced = fsync(fd_) == 0 || errno == EINVAL;
  if (!synced && errno == EBADF) {
    // Held without read access (O_PATH), the folder cannot be synced alone: all of it is.
    ::sync();
    synced = true;
  }
  return stepDone(FileStep::FolderSynced, synced);
}

bool nameTaken(const fs::path& path) {
  struct stat info = {};
  if (stat(path.c_str(), &info) == 0) return true;
  // A dangling link names nothing yet; a link that cannot be followed names something.
  return errno != ENOENT && lstat(path.c_str(), &info) == 0;
}

bool refusedLink(const fs::path& path) {
  struct stat info = {};
  return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && stat(path.c_str(), &info) != 0;
}

bool folderTakesNewFiles(const fs::path& folder) {
  // Root may create files anywhere; its folders' write bits decide for it, as for saving.
  struct stat info = {};
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
      access(folder.c_str(), W_OK | X_OK) != 0) {
    return false;
  }
  return geteuid() != 0 || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

}  // namespace zarvel
