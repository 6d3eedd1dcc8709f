// The file primitives on Windows: the C runtime's numbered handles over the system's own,
// links followed by the system, and files replaced with ReplaceFileW, which keeps the
// replaced file's access list, attributes and identity.
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
// After windows.h, which they build on.
#include <aclapi.h>
#include <sddl.h>
#include <shellapi.h>

#include <cerrno>
#include <cstdlib>

#include "files/FileIo.h"
#include "files/Utf8Path.h"

namespace zarvel {
namespace {

namespace fs = std::filesystem;

FileError lastError() {
  return {errno, static_cast<unsigned long>(_doserrno)};
}

int openPath(const fs::path& path, int flags, FileError& error) {
  // The C runtime leaves the system's code alone when it fails for a reason of its own.
  _doserrno = 0;
  const int fd = _wopen(path.c_str(), flags | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
  if (fd < 0) error = lastError();
  return fd;
}

// A handle the step hook let through, or -1 (closed) when it made the step fail.
int passed(FileStep step, int fd) {
  if (stepDone(step, fd >= 0)) return fd;
  if (fd >= 0) _close(fd);
  return -1;
}

// "\\?\C:\x" as "C:\x" and "\\?\UNC\server\x" as "\\server\x": the names a player
// would type, which every file function of the C runtime takes.
fs::path withoutLongPrefix(std::wstring name) {
  if (name.starts_with(L"\\\\?\\UNC\\")) return fs::path(L"\\\\" + name.substr(8));
  if (name.starts_with(L"\\\\?\\")) return fs::path(name.substr(4));
  return fs::path(name);
}

// The access list "the player alone, nothing passed on from the folder", in the system's
// text form; empty when the player's account cannot be told.
std::wstring playerOnly() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  alignas(TOKEN_USER) unsigned char buffer[256];
  DWORD size = 0;
  const bool known = GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &size) != 0;
  CloseHandle(token);
  wchar_t* sid = nullptr;
  if (!known || !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid)) {
    return {};
  }
  std::wstring list = L"D:P(A;;FA;;;" + std::wstring(sid) + L")";
  LocalFree(sid);
  return list;
}

// A new file at `path`, created exclusively with an access list that lets the player alone
// in: a temporary file holds a game that may be private, and ReplaceFileW gives it the
// replaced file's list only at the very end.
int createdPrivately(const fs::path& path, FileError& error) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const std::wstring list = playerOnly();
  if (list.empty() || !ConvertStringSecurityDescriptorToSecurityDescriptorW(
                          list.c_str(), SDDL_REVISION_1, &descriptor, nullptr)) {
    descriptor = nullptr;  // then the folder's list is the best there is
  }
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, FALSE};
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &attributes, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  const DWORD code = handle == INVALID_HANDLE_VALUE ? GetLastError() : 0;
  if (descriptor != nullptr) LocalFree(descriptor);
  if (handle == INVALID_HANDLE_VALUE) {
    const bool exists = code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS;
    const bool missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
    error = {exists ? EEXIST : missing ? ENOENT : code == ERROR_ACCESS_DENIED ? EACCES : EIO, code};
    return -1;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    error = {EIO, 0};
  }
  return fd;
}

// A file that took a name nothing had gets the access list any new file there gets, what
// the folder passes on, in place of the player-only list it was made with.
void inheritFromFolder(const fs::path& path) {
  ACL empty{};
  if (!InitializeAcl(&empty, sizeof(empty), ACL_REVISION)) return;
  SetNamedSecurityInfoW(const_cast<wchar_t*>(path.c_str()), SE_FILE_OBJECT,
                        DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                        nullptr, &empty, nullptr);
}

HANDLE systemHandle(int fd) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

// Flushes what the system holds of the file or folder at `path`.
bool flush(const fs::path& path) {
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const bool flushed = FlushFileBuffers(handle) != 0;
  CloseHandle(handle);
  return flushed;
}

// Whether the file at `path` may be replaced: false for one that another program holds
// open without letting it go (Wine's ReplaceFileW, started on such a file, leaves a
// temporary file of its own behind). `exists` tells whether anything is there at all.
bool mayReplace(const fs::path& path, bool& exists) {
  const HANDLE handle =
      CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  const DWORD code = handle == INVALID_HANDLE_VALUE ? GetLastError() : 0;
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  exists = code != ERROR_FILE_NOT_FOUND;
  return code == 0 || !exists;
}

}  // namespace

std::vector<std::string> argumentNames(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> names;
  for (int i = 0; wide != nullptr && count == argc && i < count; ++i) {
    names.push_back(utf8FromPath(fs::path(wide[i])));
  }
  if (wide != nullptr) LocalFree(wide);
  // A command line that splits otherwise than the runtime split it is not guessed at.
  if (names.size() != static_cast<std::size_t>(argc)) names.assign(argv, argv + argc);
  return names;
}

bool FileError::denied() const {
  // The C runtime calls a sharing violation EACCES too; the system's code tells them apart.
  if (system != 0) {
    return system == ERROR_ACCESS_DENIED || system == ERROR_WRITE_PROTECT ||
           system == ERROR_FILE_READ_ONLY;
  }
  return code == EACCES || code == EPERM || code == EROFS;
}

bool FileError::inUse() const {
  return system == ERROR_SHARING_VIOLATION || system == ERROR_LOCK_VIOLATION;
}

OpenFile OpenFile::forReading(const fs::path& path, FileError& error) {
  return {openPath(path, _O_RDONLY, error), true};
}

OpenFile OpenFile::forWriting(const fs::path& path, FileError& error) {
  const int fd = openPath(path, _O_RDWR, error);
  if (fd >= 0 || error.system != ERROR_ACCESS_DENIED) return {fd, true};
  return {openPath(path, _O_WRONLY, error), false};
}

OpenFile OpenFile::createdThroughLink(const fs::path& path, FileError& error) {
  return {openPath(path, _O_RDWR | _O_CREAT, error), true};
}

OpenFile OpenFile::atName(const fs::path& path, FileError& error) {
  std::error_code ignored;
  if (fs::is_symlink(fs::symlink_status(path, ignored))) {
    error = {ELOOP, 0};
    return {};
  }
  return {openPath(path, _O_WRONLY, error), false};
}

OpenFile OpenFile::created(const fs::path& path, FileError& error) {
  return {passed(FileStep::Created, createdPrivately(path, error)), false};
}

void OpenFile::release() {
  if (fd_ >= 0) _close(fd_);
  fd_ = -1;
}

bool OpenFile::facts(FileFacts& facts) const {
  struct _stat64 info = {};
  if (fd_ < 0 || _fstat64(fd_, &info) != 0) return false;
  facts.regular = (info.st_mode & _S_IFMT) == _S_IFREG;
  facts.writeBit = (info.st_mode & _S_IWRITE) != 0;
  // Who owns a file says little here: access lists decide, and ReplaceFileW keeps them.
  facts.mine = true;
  facts.links = 1;
  BY_HANDLE_FILE_INFORMATION handleInfo{};
  if (GetFileInformationByHandle(systemHandle(fd_), &handleInfo)) {
    facts.attributes = handleInfo.dwFileAttributes;
    facts.links = handleInfo.nNumberOfLinks;
  }
  facts.size = static_cast<std::uint64_t>(info.st_size);
  facts.mode = static_cast<unsigned>(info.st_mode) & 07777U;
  return stepDone(FileStep::Examined, true);
}

OpenFile OpenFile::duplicate() const {
  return {fd_ < 0 ? -1 : _dup(fd_), readable_};
}

fs::path OpenFile::finalName(const fs::path& openedAs) const {
  // The system names the file it opened, links followed; where it cannot, as in older Wine,
  // the name it was opened by stands.
  std::wstring name(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = GetFinalPathNameByHandleW(systemHandle(fd_), name.data(),
                                                   static_cast<DWORD>(name.size()), 0);
    if (length == 0) break;
    if (length < name.size()) {
      name.resize(length);
      return withoutLongPrefix(name);
    }
    name.resize(length + 1);
  }
  std::error_code ignored;
  return fs::absolute(openedAs, ignored);
}

long long OpenFile::read(std::string& into, std::size_t room) {
  const std::size_t start = into.size();
  into.resize(start + room);
  const int got = _read(fd_, into.data() + start, static_cast<unsigned>(room));
  into.resize(start + (got > 0 ? static_cast<std::size_t>(got) : 0));
  return static_cast<long long>(got);
}

bool OpenFile::writeAt(std::uint64_t offset, std::string_view bytes) {
  // Writing past a size limit is an ordinary error here: there is no signal to mask.
  bool written = _lseeki64(fd_, static_cast<__int64>(offset), SEEK_SET) >= 0;
  while (written && !bytes.empty()) {
    const int count = _write(fd_, bytes.data(), static_cast<unsigned>(bytes.size()));
    written = count > 0;
    if (written) bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return stepDone(FileStep::Written, written);
}

bool OpenFile::resize(std::uint64_t size) {
  return _chsize_s(fd_, static_cast<__int64>(size)) == 0;
}

bool OpenFile::sync() {
  return stepDone(FileStep::Synced, _commit(fd_) == 0);
}

bool OpenFile::lockExclusive() {
  // The C runtime lets others write a file it opened; a lock of every byte keeps another
  // save out until this handle and its duplicates are closed.
  if (fd_ < 0) return false;
  OVERLAPPED from{};
  const bool locked =
      LockFileEx(systemHandle(fd_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                 MAXDWORD, MAXDWORD, &from) != 0 ||
      GetLastError() != ERROR_LOCK_VIOLATION;
  return stepDone(FileStep::Locked, locked);
}

bool OpenFile::takeModeOf(const FileFacts* original) {
  // A file the player hid stays hidden. The archive flag is not taken over but set, as on
  // any file whose contents changed, so that a backup takes the new game. A new file keeps
  // the access list its folder passes on, as any new file there does.
  constexpr DWORD kKept =
      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const DWORD kept = original != nullptr ? static_cast<DWORD>(original->attributes) & kKept : 0;
  if (kept != 0) {
    FILE_BASIC_INFO info{};  // times left at zero stay as they are
    info.FileAttributes = kept | FILE_ATTRIBUTE_ARCHIVE;
    static_cast<void>(
        SetFileInformationByHandle(systemHandle(fd_), FileBasicInfo, &info, sizeof info));
  }
  return stepDone(FileStep::ModeSet, true);
}

bool OpenFile::close() {
  if (fd_ < 0) return true;
  const bool closed = _close(fd_) == 0;
  fd_ = -1;
  return stepDone(FileStep::Closed, closed);
}

Folder Folder::open(const fs::path& path, FileError& error) {
  Folder folder;
  std::error_code status;
  folder.opened_ = fs::is_directory(path, status);
  if (!folder.opened_) error = {ENOENT, 0};
  folder.path_ = path;
  return folder;
}

Folder::~Folder() = default;

Folder::Folder(Folder&& other) noexcept : path_(std::move(other.path_)), opened_(other.opened_) {
  other.opened_ = false;
}

Folder& Folder::operator=(Folder&& other) noexcept {
  path_ = std::move(other.path_);
  opened_ = other.opened_;
  other.opened_ = false;
  return *this;
}

bool Folder::facts(FileFacts& facts) const {
  // A folder's read-only flag does not protect what is in it: only a try tells.
  facts.writeBit = true;
  facts.mine = true;
  return opened_;
}

OpenFile Folder::create(const fs::path& name, FileError& error) const {
  return OpenFile::created(path_ / name, error);
}

bool Folder::replace(const fs::path& from, const fs::path& to, OpenFile& held,
                     FileError& error) const {
  held.release();
  const fs::path source = path_ / from;
  const fs::path target = path_ / to;
  // ReplaceFileW keeps the replaced file's access list, attributes and identity; a plain
  // move would give it the temporary file's. It works only on a file that exists, and not on
  // every file system; only there does a move stand in for it.
  bool exists = true;
  bool replaced = mayReplace(target, exists) && exists &&
                  ReplaceFileW(target.c_str(), source.c_str(), nullptr, 0, nullptr, nullptr) != 0;
  const DWORD code = replaced ? 0 : GetLastError();
  if (!exists || code == ERROR_INVALID_FUNCTION || code == ERROR_NOT_SUPPORTED ||
      code == ERROR_INVALID_PARAMETER) {
    replaced = MoveFileExW(source.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    // One that replaced a file keeps the player-only list: anything looser would be a guess.
    if (replaced && !exists) inheritFromFolder(target);
  }
  // Windows refuses to replace a file that another program holds open with the code it gives
  // a write-protected one; the target's own protection was asked before (its read-only flag,
  // opening it for writing), so what is left is a file in use, and the player is told so: no
  // denial, which would have the file written in place, where the other program would see
  // half a game.
  if (!replaced) error = {EIO, ERROR_SHARING_VIOLATION};
  return stepDone(FileStep::Replaced, replaced);
}

bool Folder::remove(const fs::path& name) const {
  return removeFile(path_ / name);
}

bool Folder::sync(const fs::path& changed) const {
  return stepDone(FileStep::FolderSynced, flush(path_) || flush(path_ / changed));
}

bool nameTaken(const fs::path& path) {
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD code = GetLastError();
  return code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION ||
         code == ERROR_CANT_ACCESS_FILE || code == ERROR_CANT_RESOLVE_FILENAME;
}

bool refusedLink(const fs::path& path) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(path, error))) return false;
  static_cast<void>(fs::status(path, error));
  return static_cast<bool>(error);
}

bool folderTakesNewFiles(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return false;
  // Access lists, not attributes, protect folders here, and only a try reads them.
  FileError ignored;
  const fs::path probe = folder / fs::path(temporaryName());
  OpenFile file = OpenFile::created(probe, ignored);
  if (!file) return false;
  file.close();
  removeFile(probe);
  return true;
}

}  // namespace zarvel
