// Saved games on disk. The reader looks at no more than a sound file can hold; the writer
// never leaves a half-written file in place of a good one.
#include "files/GameFile.h"

#include <algorithm>
#include <optional>

#include "files/FileIo.h"
#include "files/SavedGameText.h"
#include "files/Utf8Path.h"

namespace zarvel {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kReadChunk = 4096;
// A file that may only be written in place is kept in memory meanwhile, so that a failed
// write can put it back; a larger one is no saved game and is not risked.
constexpr std::size_t kLargestInPlace = std::size_t{16} << 20U;

FileStatus statusOf(const FileError& error) {
  if (error.inUse()) return FileStatus::InUse;
  return error.denied() ? FileStatus::AccessDenied : FileStatus::Failed;
}

fs::path folderOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(u8".");
}

// Where a save goes.
struct Target {
  fs::path name;      // the file's own name in its own folder, links resolved
  OpenFile file;      // the file there now, open from the first check to the end; none if new
  FileFacts facts;    // what that file is
  bool made = false;  // created empty through a link by this save, to be filled or removed
};

// Finds the file that `path` names the way the system's own open does: every link on the way
// is the kernel's to follow or refuse, so its protections and its limit of 40 links hold.
FileStatus findTarget(const fs::path& path, Target& target) {
  FileError error;
  target.file = OpenFile::forWriting(path, error);
  if (!target.file && error.missing()) {
    std::error_code ignored;
    if (!fs::is_symlink(fs::symlink_status(path, ignored))) {
      target.name = path;  // a new file, or a folder that is missing
      return FileStatus::Ok;
    }
    // A link to a file not made yet: the kernel makes it, where it would follow the link.
    target.file = OpenFile::createdThroughLink(path, error);
    target.made = static_cast<bool>(target.file);
  }
  if (!target.file) {
    // A link the system will not follow is no write-protected file: nothing can be saved.
    return error.denied() && refusedLink(path) ? FileStatus::Failed : statusOf(error);
  }
  // From here on the open file is asked, not its name.
  target.name = target.file.finalName(path);
  if (target.name.empty() || !target.file.facts(target.facts) || !target.facts.regular) {
    return FileStatus::Failed;
  }
  // Mode bits decide for root too, which would otherwise write anywhere.
  return target.facts.writeBit ? FileStatus::Ok : FileStatus::AccessDenied;
}

// The new text through a fresh file beside the target, renamed over it once complete and
// synced, then the folder synced: Ok means the new game survives a power cut.
FileStatus replaceWhole(Target& target, const std::string& text) {
  FileError error;
  const Folder folder = Folder::open(folderOf(target.name), error);
  FileFacts folderFacts;
  if (!folder || !folder.facts(folderFacts)) return FileStatus::Failed;
  // A folder's write bits decide for root too.
  if (!folderFacts.writeBit) return FileStatus::AccessDenied;
  fs::path temporary;
  OpenFile file;
  for (int attempt = 0; attempt < 100 && !file; ++attempt) {
    temporary = pathFromUtf8(temporaryName());
    file = folder.create(temporary, error);
    if (!file && !error.taken()) return statusOf(error);
  }
  if (!file) return FileStatus::Failed;
  // Created for the player alone; opened up to the old file's mode before the first byte.
  const bool old = target.file && !target.made;
  bool done =
      file.takeModeOf(old ? &target.facts : nullptr) && file.writeAt(0, text) && file.sync();
  done = file.close() && done;
  const fs::path name = target.name.filename();
  FileError replaceError;
  if (!done || !folder.replace(temporary, name, target.file, replaceError)) {
    folder.remove(temporary);
    return done ? statusOf(replaceError) : FileStatus::Failed;
  }
  return folder.sync(name) ? FileStatus::Ok : FileStatus::Failed;
}

// The new text written over the old one in the file itself, for a file that may be written
// where no new file may be made, through the descriptor of the first check. The old bytes go
// back if anything fails after the first byte is written, a failed close included. The lock
// comes before the old bytes are read, so that what is read is no other save's half-written
// game; and a file another save or program holds is left alone at once, not waited for with
// the window standing still.
FileStatus writeInPlace(Target& target, const std::string& text) {
  OpenFile& file = target.file;
  // A file that cannot be read cannot be put back.
  if (!file.readable()) return FileStatus::AccessDenied;
  if (!file.lockExclusive()) return FileStatus::InUse;
  if (target.facts.size > kLargestInPlace) return FileStatus::Failed;
  // Bounded by what is read, not by the size asked before: the file may grow meanwhile.
  std::string old;
  bool read = true;
  for (long long got = 1; read && got > 0 && old.size() <= kLargestInPlace;) {
    got = file.read(old, std::min(kReadChunk, kLargestInPlace + 1 - old.size()));
    read = got >= 0;
  }
  if (!stepDone(FileStep::OldRead, read)) return FileStatus::Failed;
  // A second handle outlives a close that fails, so that the old bytes can still go back.
  OpenFile spare = file.duplicate();
  if (old.size() > kLargestInPlace || !spare) return FileStatus::Failed;
  if (file.writeAt(0, text) && file.resize(text.size()) && file.sync() && file.close()) {
    return FileStatus::Ok;
  }
  OpenFile& back = file ? file : spare;
  static_cast<void>(back.writeAt(0, old) && back.resize(old.size()) && back.sync());
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
  Target target;
  const FileStatus found = findTarget(pathFromUtf8(path), target);
  if (found != FileStatus::Ok) return found;
  const FileStatus status = replaceWhole(target, text);
  // A file the player may write where they may not create or replace one (a shared folder,
  // a file handed to them in a folder with the sticky bit) is written in place instead.
  if (status == FileStatus::AccessDenied && target.file && !target.made) {
    return writeInPlace(target, text);
  }
  if (status != FileStatus::Ok && target.made) {
    FileError ignored;
    Folder::open(folderOf(target.name), ignored).remove(target.name.filename());
  }
  return status;
}

FileStatus readGameText(const std::string& path, std::string& text) {
  const fs::path source = pathFromUtf8(path);
  FileError error;
  OpenFile file = OpenFile::forReading(source, error);
  if (!file) {
    std::error_code ignored;
    const fs::path folder = source.has_parent_path() ? source.parent_path() : fs::path(u8".");
    if (error.missing() && fs::is_directory(folder, ignored)) return FileStatus::NotFound;
    return error.inUse() ? FileStatus::InUse : FileStatus::Failed;
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
