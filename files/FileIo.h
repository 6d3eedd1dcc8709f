// Files as the game touches them: a few primitives that never block on a pipe or a device,
// leave links to the system's own open, create nothing that others may read before its
// final mode is set, and say exactly why they failed, so that saved games and redirect
// pages can promise that a failure loses nothing. FileIoPosix.cpp and FileIoWindows.cpp
// implement them, one of the two chosen by CMake; FileIo.cpp holds what both share.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zarvel {

// Why an operation failed: the C library's errno and, on Windows, the system's own code,
// which is what tells a write-protected file from one that another program holds open.
struct FileError {
  int code = 0;
  unsigned long system = 0;

  bool denied() const;   // refused for protection: read-only, or no permission
  bool missing() const;  // nothing at that name, or a folder on the way is missing
  bool taken() const;    // the name is in use already (exclusive creation)
  bool inUse() const;    // another program holds the file (Windows' sharing and lock codes)
};

// What an open file is, read from the file itself and not from its name.
struct FileFacts {
  bool regular = false;     // a plain file: not a folder, a device, a pipe or a socket
  bool writeBit = false;    // some write permission bit is set (the read-only flag on Windows)
  bool mine = false;        // owned by the user the program runs as (always so on Windows)
  std::uint64_t links = 0;  // names the file has (hard links)
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
  // An existing file for writing (and for reading, where that is allowed too), neither
  // emptied nor created. Links are followed by the system's own open, under its rules:
  // at most 40 of them, and none that the system protects (a link planted by another user
  // in a shared folder where fs.protected_symlinks is on).
  static OpenFile forWriting(const std::filesystem::path& path, FileError& error);
  // The file that the link at `path` names but that does not exist yet, created through
  // the link by the system's own open (with its rules, as above), with mode 0600.
  static OpenFile createdThroughLink(const std::filesystem::path& path, FileError& error);
  // The file at `path` itself for writing, failing for a link at that name.
  static OpenFile atName(const std::filesystem::path& path, FileError& error);
  // A new file, created exclusively with mode 0600: whatever is at the name already, a
  // dangling link included, makes it fail with taken().
  static OpenFile created(const std::filesystem::path& path, FileError& error);

  OpenFile() = default;
  ~OpenFile();
  OpenFile(OpenFile&& other) noexcept;
  OpenFile& operator=(OpenFile&& other) noexcept;
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  explicit operator bool() const { return fd_ >= 0; }
  bool readable() const { return readable_; }

  // False when the file cannot be asked (then it is treated as no regular file).
  bool facts(FileFacts& facts) const;
  // A second handle on the same open file, which outlives a close of this one.
  OpenFile duplicate() const;
  // The name the file has in its folder, links resolved, found from the open file itself
  // and checked to name this very file; empty when it cannot be told. `openedAs` is the
  // path it was opened by.
  std::filesystem::path finalName(const std::filesystem::path& openedAs) const;

  // Up to `room` bytes appended to `into`; 0 at the end of the file, -1 on an error.
  long long read(std::string& into, std::size_t room);

  // The whole of `bytes` at `offset`; false on any error, a full disk or a size limit
  // among them (the program is never stopped by the size-limit signal).
  bool writeAt(std::uint64_t offset, std::string_view bytes);
  bool resize(std::uint64_t size);
  // Pushes what was written to the disk.
  bool sync();
  // Holds the file for this handle and its duplicates alone until all of them are closed.
  // False at once when another handle holds it, another program's or another save's: the
  // caller runs on the window's thread, which must never stand waiting for someone else.
  bool lockExclusive();
  // Gives the file what `original` shows besides its contents (on POSIX its permission bits
  // and, where allowed, its owner and group; on Windows its hidden and system flags), or,
  // with nullptr, the mode any new file of the player's gets.
  bool takeModeOf(const FileFacts* original);
  // False if the file could not be closed cleanly, which may mean written data was lost.
  bool close();

 private:
  friend class Folder;
  OpenFile(int fd, bool readable) : fd_(fd), readable_(readable) {}
  // Closes without counting as a step of a save: a handle let go after its work is done.
  void release();
  int fd_ = -1;
  bool readable_ = false;
};

// A folder held open while a file in it is replaced, so that every step happens in the same
// folder, and so that the folder itself can be synced once a name in it has changed.
class Folder {
 public:
  static Folder open(const std::filesystem::path& path, FileError& error);

  Folder() = default;
  ~Folder();
  Folder(Folder&& other) noexcept;
  Folder& operator=(Folder&& other) noexcept;
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;

  explicit operator bool() const { return opened_; }

  // writeBit tells whether the folder's mode lets anybody create files in it (always so on
  // Windows, where a folder's read-only flag protects nothing in it).
  bool facts(FileFacts& facts) const;
  // A new file in the folder, as OpenFile::created.
  OpenFile create(const std::filesystem::path& name, FileError& error) const;
  // Puts the file `from` in the place of `to` (names in this folder), in one step. `held` is
  // the file at `to` if it is open: Windows replaces no file that is open, so it is closed
  // there first; elsewhere it stays open, for a write in place should the folder refuse.
  bool replace(const std::filesystem::path& from, const std::filesystem::path& to, OpenFile& held,
               FileError& error) const;
  bool remove(const std::filesystem::path& name) const;
  // Pushes the folder's names to the disk, so that the change of the name `changed` in it
  // survives a power cut. (Windows flushes that file where the folder cannot be flushed
  // itself: on NTFS that commits the rename with it.)
  bool sync(const std::filesystem::path& changed) const;

 private:
  std::filesystem::path path_;
  int fd_ = -1;
  bool opened_ = false;
};

// True when something is at `path`, also when it cannot be examined (a link that the
// system refuses to follow, or one into a folder the player may not look into).
bool nameTaken(const std::filesystem::path& path);

// True when `path` is a link that the system will not follow for the player.
bool refusedLink(const std::filesystem::path& path);

// True when the player may create files in `folder`. Checked without writing anything where
// the platform can tell (on Windows only a try does, with a file that is removed at once).
bool folderTakesNewFiles(const std::filesystem::path& folder);

// The program's arguments, its name first, as the file functions take names: on POSIX
// systems the bytes the system gave, for a file name is bytes whatever the locale makes of
// it; on Windows the wide command line in UTF-8, since `argv` holds only what the code page
// can spell.
std::vector<std::string> argumentNames(int argc, char** argv);

// Removes a file; false if it could not be removed.
bool removeFile(const std::filesystem::path& path);

// A name for a temporary file that nobody else is likely to use: a dot, "zarvel" and a
// random part; short, so that it fits wherever the file it stands in for fits.
std::string temporaryName();

// The steps of writing a file, in the order a save takes them.
// Locked and OldRead belong to a write in place alone.
enum class FileStep {
  Examined,
  Locked,
  OldRead,
  Created,
  ModeSet,
  Written,
  Synced,
  Closed,
  Replaced,
  FolderSynced
};

// For tests only: a hook called after each step with whether the step succeeded, whose answer
// becomes the step's result. It sees the order of the steps, may act between two of them, or
// may make one fail. Empty by default.
using FileStepHook = std::function<bool(FileStep step, bool succeeded)>;
void setFileStepHook(FileStepHook hook);
// Called by the two platform files after each step.
bool stepDone(FileStep step, bool succeeded);

}  // namespace zarvel
