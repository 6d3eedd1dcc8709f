// Writing and reading saved games. The reader looks at no more than a sound file can hold
// and checks all of it before it touches the game; the writer never leaves a half-written
// file in place of a good one.
#include "files/GameFile.h"

#include <array>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/Board.h"
#include "files/FileIo.h"
#include "files/Utf8Path.h"

namespace zarvel {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHeader = "[zarvel]";
constexpr std::string_view kLineEnd = "\r\n";
// No sound value comes near this many characters; the line end does not count.
constexpr std::size_t kLongestLine = 256;
constexpr auto kLinesToRead = static_cast<std::size_t>(kGameFileLines);
// The most a sound file's first 52 lines can take, line ends included.
constexpr std::size_t kLongestText = kLinesToRead * (kLongestLine + kLineEnd.size());
constexpr std::size_t kReadChunk = 4096;
// Links are followed this many times before the chain counts as a loop.
constexpr int kLinkHops = 40;
// A file that may only be written in place is kept in memory meanwhile, so that a failed
// write can put it back; a larger one is no saved game and is not risked.
constexpr std::uint64_t kLargestInPlace = 16U << 20U;

void appendNumber(std::string& text, std::int32_t value) {
  const auto wide = static_cast<std::int64_t>(value);
  text += wide < 0 ? '-' : ' ';
  text += std::to_string(wide < 0 ? -wide : wide);
  text += ' ';
  text += kLineEnd;
}

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

// The new text through a fresh file beside the target, renamed over it once complete.
FileStatus replaceWhole(const fs::path& target, const std::string& text, const FileFacts* old,
                        FileError& createError) {
  fs::path temporary;
  OpenFile file;
  for (int attempt = 0; attempt < 100 && !file; ++attempt) {
    temporary = target.parent_path() / pathFromUtf8(temporaryName());
    createError = {};
    file = OpenFile::created(temporary, createError);
    if (!file && !createError.taken()) return statusOf(createError);
  }
  if (!file) return FileStatus::Failed;
  if (old != nullptr) file.takeModeOf(*old);
  const bool written = file.writeAt(0, text) && file.sync();
  FileError renameError;
  if (!file.close() || !written || !replaceFile(temporary, target, renameError)) {
    removeFile(temporary);
    return written ? statusOf(renameError) : FileStatus::Failed;
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
FileStatus readGameText(OpenFile& file, std::string& text) {
  std::size_t scanned = 0;
  std::size_t lineStart = 0;
  std::size_t lines = 0;
  while (text.size() < kLongestText) {
    const long long got = file.read(text, std::min(kReadChunk, kLongestText - text.size()));
    if (got < 0) return FileStatus::Failed;
    if (got == 0) return FileStatus::Ok;
    for (; scanned < text.size(); ++scanned) {
      if (text[scanned] != '\n') continue;
      lineStart = scanned + 1;
      if (++lines == kLinesToRead) {
        text.resize(lineStart);
        return FileStatus::Ok;
      }
    }
    if (text.size() - lineStart > kLongestLine + 1) return FileStatus::BadHeader;  // +1: a CR
  }
  return FileStatus::BadHeader;
}

struct SavedGame {
  std::int32_t layout = 0;
  std::int32_t moves = 0;
  std::array<Colour, kLines * kLines> cells{};  // column by column
};

std::string_view trimmed(std::string_view value) {
  const auto first = value.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return value.substr(first, value.find_last_not_of(" \t") - first + 1);
}

std::optional<std::int32_t> wholeNumber(std::string_view line) {
  const std::string_view value = trimmed(line);
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (value.empty() || error != std::errc() || end != value.data() + value.size()) {
    return std::nullopt;
  }
  return number;
}

// The lines of `text` without their line ends (LF or CR LF); the last may lack its end.
// nullopt when a line is longer than a sound value can be.
std::optional<std::vector<std::string_view>> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    if (line.size() > kLongestLine) return std::nullopt;
    lines.push_back(line);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

std::optional<SavedGame> parse(const std::vector<std::string_view>& lines) {
  if (lines.size() < kLinesToRead || trimmed(lines.front()) != kHeader) return std::nullopt;
  std::array<std::int32_t, kGameFileLines - 1> values{};
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto value = wholeNumber(lines[i + 1]);
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  SavedGame game;
  game.layout = values[0];
  game.moves = values[1];
  for (std::size_t cell = 0; cell < game.cells.size(); ++cell) {
    const std::int32_t colour = values[cell + 2];
    if (colour < 0 || colour > kLargestColour) return std::nullopt;
    game.cells[cell] = colour;
  }
  return game;
}

void show(const SavedGame& game, Declare& declare, GameScreen& screen) {
  declare.NmRasklada = game.layout;
  declare.NmHod = game.moves;
  freeMascot(screen);
  screen.showNmRasklada(declare.NmRasklada);
  screen.showNmHod(declare.NmHod);
  Picture& board = screen.picPole();
  std::size_t cell = 0;
  for (int column = 0; column < kLines; ++column) {
    for (int row = 0; row < kLines; ++row) {
      fillSquare(board, cellOrigin(column), cellOrigin(row), game.cells[cell++]);
    }
  }
}

}  // namespace

std::string gameFileText(const Declare& declare, const Picture& board) {
  std::string text(kHeader);
  text += kLineEnd;
  appendNumber(text, declare.NmRasklada);
  appendNumber(text, declare.NmHod);
  for (int column = 0; column < kLines; ++column) {
    for (int row = 0; row < kLines; ++row) appendNumber(text, cellColour(board, column, row));
  }
  return text;
}

FileStatus WriteGameFile(const std::string& path, const Declare& declare, GameScreen& screen) {
  const std::string text = gameFileText(declare, screen.picPole());
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

  FileError createError{EACCES, 0};
  FileStatus status = FileStatus::AccessDenied;
#ifndef _WIN32
  // A folder's write bits decide for root too; on Windows a folder's read-only flag does
  // not protect what is in it, so it is not asked there.
  if (!writeBitsCleared(folder))
#endif
  {
    status = replaceWhole(target, text, exists ? &old : nullptr, createError);
  }
  // A file the player may write in a folder where they may not create one (a shared
  // folder, a file handed to them) is written in place instead.
  if (status == FileStatus::AccessDenied && createError.denied() && exists) {
    return writeInPlace(target, text);
  }
  return status;
}

FileStatus ReadGameFile(const std::string& path, Declare& declare, GameScreen& screen) {
  const fs::path source = pathFromUtf8(path);
  std::string text;
  {
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
    const FileStatus read = readGameText(file, text);
    if (read != FileStatus::Ok) return read;
  }
  const auto lines = linesOf(text);
  const std::optional<SavedGame> game = lines ? parse(*lines) : std::nullopt;
  if (!game) return FileStatus::BadHeader;
  show(*game, declare, screen);
  return FileStatus::Ok;
}

}  // namespace zarvel
