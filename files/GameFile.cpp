// Saved games on disk. The reader looks at no more than a sound file can hold; the writer
// never leaves a half-written file in place of a good one.
#include "files/GameFile.h"

#include <algorithm>
#include <cerrno>
#include <optional>

#include "files/FileIo.h"
#include "files/SavedGameText.h"
#include "files/Utf8Path.h"

namespace zarvel {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kReadChunk = 4096;
// Links are followed this many times before the chain counts as a loop.
constexpr int kLinkHops = 40;
// A file that may only be written in place is kept in memory meanwhile, so that a failed
// write can put it back; a larger one is no saved game and is not risked.
constexpr std::uint64_t kLargestInPlace = 16U << 20U;

FileStatus statusOf(const FileError& error) {
  return error.denied() ? FileStatus::AccessDenied : FileStatus::Failed;
}

// Mode bits decide for root too, which would otherwise write anywhere.
bool writeBitsCleared(const fs::file_status& status) {
  constexpr auto kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (status.permissions() & kWrite) == fs::perms::none;
}

// The file that `path` names once every symbolic link at its end is followed; nullopt for
// a loop of links or a link that cannot be read. The file itself need not exist.
std::optional<fs::path> followLinks(fs::path path) {
  for (int hop = 0; hop < kLinkHops; ++hop) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (status.type() == fs::file_type::not_found) return path;
    if (error) return std::nullopt;
    if (!fs::is_symlink(status)) return path;
    const fs::path next = fs::read_symlink(path, error);
    if (error) return std::nullopt;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return std::nullopt;
}

// Why the finished file could not take the target's place.
FileStatus renameStatus([[maybe_unused]] const FileError& error) {
#ifdef _WIN32
  // Windows refuses to replace a file that another program holds open with the code it
  // gives a write-protected one. The target's own protection has been asked already (its
  // read-only flag, opening it for writing), so what is left is a file in use.
  return FileStatus::Failed;
#else
  return statusOf(error);
#endif
}

// The new text through a fresh file beside the target, renamed over it once complete.
FileStatus replaceWhole(const fs::path& target, const std::string& text, const FileFacts* old) {
  fs::path temporary;
  OpenFile file;
  for (int attempt = 0; attempt < 100 && !file; ++attempt) {
    temporary = target.parent_path() / pathFromUtf8(temporaryName());
    FileError createError;
    file = OpenFile::created(temporary, createError);
    if (!file && !createError.taken()) return statusOf(createError);
  }
  if (!file) return FileStatus::Failed;
  if (old != nullptr) file.takeModeOf(*old);
  const bool written = file.writeAt(0, text) && file.sync();
  FileError renameError;
  if (!file.close() || !written || !replaceFile(temporary, target, renameError)) {
    removeFile(temporary);
    return written ? renameStatus(renameError) : FileStatus::Failed;
  }
  return FileStatus::Ok;
}

// The new text written over the old one in the file itself, for a file that may be written
// where no new file may be made. The old bytes go back if anything fails.
FileStatus writeInPlace(const fs::path& target, const std::string& text) {
  FileError error;
  OpenFile file = OpenFile::forUpdate(target, error);
  if (!file) return statusOf(error);
  FileFacts facts;
  if (!file.facts(facts) || !facts.regular || facts.size > kLargestInPlace) {
    return FileStatus::Failed;
  }
  std::string old;
  for (long long got = 1; got > 0;) {
    got = file.read(old, kReadChunk);
    if (got < 0) return FileStatus::Failed;
  }
  if (file.writeAt(0, text) && file.resize(text.size()) && file.sync() && file.close()) {
    return FileStatus::Ok;
  }
  if (file) {
    static_cast<void>(file.writeAt(0, old) && file.resize(old.size()) && file.sync());
  }
  return FileStatus::Failed;
}

// Reads what a sound file can hold and no more: up to its 52nd line end, stopping early at
// a line that is already too long. Ok with the text, BadHeader when the file cannot be a
// saved game, Failed when reading itself failed.
FileStatus readBounded(OpenFile& file, std::string& text) {
  std::size_t scanned = 0;
  std::size_t lineStart = 0;
  std::size_t lines = 0;
  while (text.size() < kLongestGameText) {
    const long long got = file.read(text, std::min(kReadChunk, kLongestGameText - text.size()));
    if (got < 0) return FileStatus::Failed;
    if (got == 0) return FileStatus::Ok;
    for (; scanned < text.size(); ++scanned) {
      if (text[scanned] != '\n') continue;
      lineStart = scanned + 1;
      if (++lines == kGameFileLines) {
        text.resize(lineStart);
        return FileStatus::Ok;
      }
    }
    if (text.size() - lineStart > kLongestLine + 1) return FileStatus::BadHeader;  // +1: a CR
  }
  return FileStatus::BadHeader;
}

}  // namespace

FileStatus writeGameText(const std::string& path, const std::string& text) {
  // Through a link, the file it names is the one written, also when it does not exist yet.
  const std::optional<fs::path> followed = followLinks(pathFromUtf8(path));
  if (!followed) return FileStatus::Failed;
  const fs::path target = followed->has_parent_path() ? *followed : fs::path(u8".") / *followed;

  std::error_code error;
  const fs::file_status targetStatus = fs::status(target, error);
  const bool exists = fs::exists(targetStatus);
  FileFacts old;
  if (exists) {
    if (!fs::is_regular_file(targetStatus)) return FileStatus::Failed;
    if (writeBitsCleared(targetStatus)) return FileStatus::AccessDenied;
    // The target itself must take writing, even where it is replaced rather than written.
    FileError openError;
    OpenFile probe = OpenFile::forUpdate(target, openError);
    if (!probe) return statusOf(openError);
    if (!probe.facts(old) || !old.regular) return FileStatus::Failed;
  }
  const fs::file_status folder = fs::status(target.parent_path(), error);
  if (!fs::is_directory(folder)) return FileStatus::Failed;

  FileStatus status = FileStatus::AccessDenied;
#ifndef _WIN32
  // A folder's write bits decide for root too; on Windows a folder's read-only flag does
  // not protect what is in it, so it is not asked there.
  if (!writeBitsCleared(folder))
#endif
  {
    status = replaceWhole(target, text, exists ? &old : nullptr);
  }
  // A file the player may write where they may not create or replace one (a shared folder,
  // a file handed to them in a folder with the sticky bit) is written in place instead.
  if (status == FileStatus::AccessDenied && exists) return writeInPlace(target, text);
  return status;
}

FileStatus readGameText(const std::string& path, std::string& text) {
  const fs::path source = pathFromUtf8(path);
  FileError error;
  OpenFile file = OpenFile::forReading(source, error);
  if (!file) {
    std::error_code ignored;
    const fs::path folder = source.has_parent_path() ? source.parent_path() : fs::path(u8".");
    return error.missing() && fs::is_directory(folder, ignored) ? FileStatus::NotFound
                                                                : FileStatus::Failed;
  }
  // Folders, devices, pipes and sockets are no saved games, whatever their names.
  FileFacts facts;
  if (!file.facts(facts) || !facts.regular) return FileStatus::Failed;
  return readBounded(file, text);
}

FileStatus readSavedGame(const std::string& path, SavedGame& game) {
  std::string text;
  const FileStatus status = readGameText(path, text);
  if (status != FileStatus::Ok) return status;
  const std::optional<SavedGame> parsed = parseSavedGame(text);
  if (!parsed) return FileStatus::BadHeader;
  game = *parsed;
  return FileStatus::Ok;
}

FileStatus WriteGameFile(const std::string& path, const Declare& declare, const Picture& board) {
  return writeGameText(path, savedGameText(currentGame(declare, board)));
}

FileStatus ReadGameFile(const std::string& path, Declare& declare, GameScreen& screen) {
  SavedGame game;
  const FileStatus status = readSavedGame(path, game);
  if (status == FileStatus::Ok) showGame(declare, screen, game);
  return status;
}

}  // namespace zarvel
