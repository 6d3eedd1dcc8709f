// The file primitives on POSIX systems and on Windows. Both use the C runtime's numbered
// handles, so everything above them is written once.
#include "files/FileIo.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <random>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstdlib>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

namespace zarvel {
namespace {

#ifdef _WIN32

FileError lastError() {
  return {errno, static_cast<unsigned long>(_doserrno)};
}

// Writing past a size limit is an ordinary error here: there is no signal to mask.
struct NoFileSizeSignal {};

#else

FileError lastError() {
  return {errno, 0};
}

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
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    return action;
  }();
  struct sigaction saved_ {};
};

#endif

int openPath(const std::filesystem::path& path, int flags, FileError& error) {
#ifdef _WIN32
  // The C runtime leaves the system's code alone when it fails for a reason of its own.
  _doserrno = 0;
  const int fd = _wopen(path.c_str(), flags | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
#else
  int fd = -1;
  do {
    fd = ::open(path.c_str(), flags | O_NOCTTY | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
#endif
  if (fd < 0) error = lastError();
  return fd;
}

}  // namespace

bool FileError::denied() const {
#ifdef _WIN32
  // The C runtime calls a sharing violation EACCES too; the system's code tells them apart.
  if (system != 0) {
    return system == ERROR_ACCESS_DENIED || system == ERROR_WRITE_PROTECT ||
           system == ERROR_FILE_READ_ONLY;
  }
  return code == EACCES || code == EPERM || code == EROFS;
#else
  return code == EACCES || code == EPERM || code == EROFS;
#endif
}

bool FileError::missing() const {
  return code == ENOENT;
}

bool FileError::taken() const {
  return code == EEXIST;
}

OpenFile OpenFile::forReading(const std::filesystem::path& path, FileError& error) {
#ifdef _WIN32
  return OpenFile(openPath(path, _O_RDONLY, error));
#else
  return OpenFile(openPath(path, O_RDONLY | O_NONBLOCK, error));
#endif
}

OpenFile OpenFile::forUpdate(const std::filesystem::path& path, FileError& error) {
#ifdef _WIN32
  std::error_code ignored;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, ignored))) {
    error = {ELOOP, 0};
    return {};
  }
  return OpenFile(openPath(path, _O_RDWR, error));
#else
  return OpenFile(openPath(path, O_RDWR | O_NONBLOCK | O_NOFOLLOW, error));
#endif
}

OpenFile OpenFile::created(const std::filesystem::path& path, FileError& error) {
#ifdef _WIN32
  return OpenFile(openPath(path, _O_WRONLY | _O_CREAT | _O_EXCL, error));
#else
  return OpenFile(openPath(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, error));
#endif
}

OpenFile::~OpenFile() {
  close();
}

OpenFile::OpenFile(OpenFile&& other) noexcept : fd_(other.fd_) {
  other.fd_ = -1;
}

OpenFile& OpenFile::operator=(OpenFile&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

bool OpenFile::facts(FileFacts& facts) const {
#ifdef _WIN32
  struct _stat64 info {};
  if (fd_ < 0 || _fstat64(fd_, &info) != 0) return false;
  facts.regular = (info.st_mode & _S_IFMT) == _S_IFREG;
  facts.writeBit = (info.st_mode & _S_IWRITE) != 0;
  BY_HANDLE_FILE_INFORMATION handleInfo{};
  if (GetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(fd_)), &handleInfo)) {
    facts.attributes = handleInfo.dwFileAttributes;
  }
#else
  struct stat info {};
  if (fd_ < 0 || fstat(fd_, &info) != 0) return false;
  facts.regular = S_ISREG(info.st_mode);
  facts.writeBit = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
  facts.owner = static_cast<long>(info.st_uid);
  facts.group = static_cast<long>(info.st_gid);
#endif
  facts.size = static_cast<std::uint64_t>(info.st_size);
  facts.mode = static_cast<unsigned>(info.st_mode) & 07777U;
  return true;
}

long long OpenFile::read(std::string& into, std::size_t room) {
  const std::size_t start = into.size();
  into.resize(start + room);
#ifdef _WIN32
  const int got = _read(fd_, into.data() + start, static_cast<unsigned>(room));
#else
  ssize_t got = -1;
  do {
    got = ::read(fd_, into.data() + start, room);
  } while (got < 0 && errno == EINTR);
#endif
  into.resize(start + (got > 0 ? static_cast<std::size_t>(got) : 0));
  return static_cast<long long>(got);
}

bool OpenFile::writeAt(std::uint64_t offset, std::string_view bytes) {
  [[maybe_unused]] const NoFileSizeSignal guard;
#ifdef _WIN32
  if (_lseeki64(fd_, static_cast<__int64>(offset), SEEK_SET) < 0) return false;
#else
  if (lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) return false;
#endif
  while (!bytes.empty()) {
#ifdef _WIN32
    const int written = _write(fd_, bytes.data(), static_cast<unsigned>(bytes.size()));
#else
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
#endif
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool OpenFile::resize(std::uint64_t size) {
  [[maybe_unused]] const NoFileSizeSignal guard;
#ifdef _WIN32
  return _chsize_s(fd_, static_cast<__int64>(size)) == 0;
#else
  return ftruncate(fd_, static_cast<off_t>(size)) == 0;
#endif
}

bool OpenFile::sync() {
#ifdef _WIN32
  return _commit(fd_) == 0;
#else
  // Some file systems cannot sync a file at all; what was written is all there is then.
  return fsync(fd_) == 0 || errno == EINVAL;
#endif
}

void OpenFile::takeModeOf(const FileFacts& original) {
#ifdef _WIN32
  // A file the player hid stays hidden. The archive flag is not taken over but set, as on
  // any file whose contents changed, so that a backup takes the new game.
  constexpr DWORD kKept =
      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const DWORD kept = static_cast<DWORD>(original.attributes) & kKept;
  if (kept == 0) return;
  FILE_BASIC_INFO info{};  // times left at zero stay as they are
  info.FileAttributes = kept | FILE_ATTRIBUTE_ARCHIVE;
  static_cast<void>(SetFileInformationByHandle(reinterpret_cast<HANDLE>(_get_osfhandle(fd_)),
                                               FileBasicInfo, &info, sizeof info));
#else
  // Only the owner (or root) may give a file away; a player keeps at least the group when
  // they belong to it. Neither is worth failing a save for.
  if (fchown(fd_, static_cast<uid_t>(original.owner), static_cast<gid_t>(original.group)) != 0) {
    static_cast<void>(fchown(fd_, static_cast<uid_t>(-1), static_cast<gid_t>(original.group)));
  }
  static_cast<void>(fchmod(fd_, static_cast<mode_t>(original.mode)));
#endif
}

bool OpenFile::close() {
  if (fd_ < 0) return true;
#ifdef _WIN32
  const bool closed = _close(fd_) == 0;
#else
  // After EINTR the descriptor is gone all the same on the systems we run on.
  const bool closed = ::close(fd_) == 0;
#endif
  fd_ = -1;
  return closed;
}

bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to,
                 FileError& error) {
#ifdef _WIN32
  // The C library's rename never replaces an existing file here.
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  const DWORD code = GetLastError();
  error = {code == ERROR_ACCESS_DENIED ? EACCES : EIO, code};
  return false;
#else
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  error = lastError();
  return false;
#endif
}

bool folderTakesNewFiles(const std::filesystem::path& folder) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return false;
#ifdef _WIN32
  // Access lists, not attributes, protect folders here, and only a try reads them.
  FileError ignored;
  const std::filesystem::path probe = folder / std::filesystem::path(temporaryName());
  OpenFile file = OpenFile::created(probe, ignored);
  if (!file) return false;
  file.close();
  removeFile(probe);
  return true;
#else
  // Root may create files anywhere; its folders' write bits decide for it, as for saving.
  struct stat info {};
  if (access(folder.c_str(), W_OK | X_OK) != 0 || stat(folder.c_str(), &info) != 0) return false;
  return geteuid() != 0 || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
#endif
}

bool removeFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::remove(path, error);
}

std::string temporaryName() {
  static std::atomic<std::uint64_t> counter{0};
  static const std::uint64_t seed = [] {
    std::uint64_t value = 0;
    try {
      value = std::random_device{}();
    } catch (...) {
      // A clock and a counter still keep names apart within a run.
    }
    return value;
  }();
  // splitmix64 over the clock, a counter and the seed.
  std::uint64_t z =
      seed ^
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (++counter * 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
  z ^= z >> 31U;
  constexpr std::string_view kAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = ".zarvel-";
  for (int i = 0; i < 10; ++i) {
    name += kAlphabet[static_cast<std::size_t>(z % kAlphabet.size())];
    z /= kAlphabet.size();
  }
  return name;
}

}  // namespace zarvel
