// Files as the game touches them: a few primitives on both platforms that never block on a
// pipe or a device, never create through a planted link, and say exactly why they failed,
// so that saved games and redirect pages can promise that a failure loses nothing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zarvel {

// Why an operation failed: the C library's errno and, on Windows, the system's own code,
// which is what tells a write-protected file from one that another program holds open.
struct FileError {
  int code = 0;
  unsigned long system = 0;

  bool denied() const;   // refused for protection: read-only, or no permission
  bool missing() const;  // nothing at that name, or a folder on the way is missing
  bool taken() const;    // the name is in use already (exclusive creation)
};

// What an open file is, read from the file itself and not from its name.
struct FileFacts {
  bool regular = false;   // a plain file: not a folder, a device, a pipe or a socket
  bool writeBit = false;  // some write permission bit is set (the read-only flag on Windows)
  std::uint64_t size = 0;
  unsigned mode = 0;  // permission bits
  long owner = -1;
  long group = -1;
  unsigned long attributes = 0;  // Windows: hidden, system and the like
};

class OpenFile {
 public:
  // An existing file for reading; opening a pipe or a device returns at once.
  static OpenFile forReading(const std::filesystem::path& path, FileError& error);
  // An existing file for reading and writing, neither emptied nor reached through a
  // symbolic link at its own name.
  static OpenFile forUpdate(const std::filesystem::path& path, FileError& error);
  // A new file, created exclusively: whatever is at the name already, a dangling link
  // included, makes it fail with taken().
  static OpenFile created(const std::filesystem::path& path, FileError& error);

  OpenFile() = default;
  ~OpenFile();
  OpenFile(OpenFile&& other) noexcept;
  OpenFile& operator=(OpenFile&& other) noexcept;
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  explicit operator bool() const { return fd_ >= 0; }

  // False when the file cannot be asked (then it is treated as no regular file).
  bool facts(FileFacts& facts) const;

  // Up to `room` bytes appended to `into`; 0 at the end of the file, -1 on an error.
  long long read(std::string& into, std::size_t room);

  // The whole of `bytes` at `offset`; false on any error, a full disk or a size limit
  // among them (the program is never stopped by the size-limit signal).
  bool writeAt(std::uint64_t offset, std::string_view bytes);
  bool resize(std::uint64_t size);
  // Pushes what was written to the disk.
  bool sync();
  // Gives the file what another file shows besides its contents: on POSIX its permission
  // bits and, where allowed, its owner and group; on Windows its hidden and system flags.
  void takeModeOf(const FileFacts& original);
  // False if the file could not be closed cleanly, which may mean written data was lost.
  bool close();

 private:
  explicit OpenFile(int fd) : fd_(fd) {}
  int fd_ = -1;
};

// True when the player may create files in `folder`. Checked without writing anything where
// the platform can tell (on Windows only a try does, with a file that is removed at once).
bool folderTakesNewFiles(const std::filesystem::path& folder);

// Puts `from` in the place of `to`, replacing a file there, in one step.
bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to,
                 FileError& error);

// Removes a file; false if it could not be removed.
bool removeFile(const std::filesystem::path& path);

// A name for a temporary file that nobody else is likely to use: a dot, "zarvel" and a
// random part; short, so that it fits wherever the file it stands in for fits.
std::string temporaryName();

}  // namespace zarvel
