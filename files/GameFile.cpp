// Writing and reading saved games. The reader checks the whole file before it touches
// the game; the writer never leaves a half-written file in place of a good one.
#include "files/GameFile.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/Board.h"
#include "files/Utf8Path.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zarvel {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHeader = "[zarvel]";
constexpr std::string_view kLineEnd = "\r\n";
// No sound value comes near this; a longer line is refused without being kept whole.
constexpr std::size_t kLongestLine = 256;
constexpr auto kLinesToRead = static_cast<std::size_t>(kGameFileLines);

// Closes the file on every way out.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Opens through the wide API on Windows; `errno` tells why when it fails.
std::FILE* openFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
  std::wstring wideMode(mode, mode + std::strlen(mode));
  std::FILE* file = nullptr;
  errno = _wfopen_s(&file, path.c_str(), wideMode.c_str());
  return file;
#else
  return std::fopen(path.c_str(), mode);
#endif
}

bool deniedError(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

bool deniedError(const std::error_code& error) {
  return error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
         error == std::errc::read_only_file_system;
}

// Mode bits decide for root too, which would otherwise write anywhere.
bool writeBitsCleared(const fs::file_status& status) {
  constexpr auto kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (status.permissions() & kWrite) == fs::perms::none;
}

void appendNumber(std::string& text, std::int32_t value) {
  const auto wide = static_cast<std::int64_t>(value);
  text += wide < 0 ? '-' : ' ';
  text += std::to_string(wide < 0 ? -wide : wide);
  text += ' ';
  text += kLineEnd;
}

// Pushes the file's text to the disk and closes it; false if any step failed.
bool finishFile(File file) {
  bool ok = std::fflush(file.get()) == 0;
#ifdef _WIN32
  ok = ok && _commit(_fileno(file.get())) == 0;
#else
  ok = ok && (fsync(fileno(file.get())) == 0 || errno == EINVAL);  // EINVAL: cannot sync
#endif
  return std::fclose(file.release()) == 0 && ok;
}

// A fresh file beside `target`, created exclusively so that nothing is overwritten.
File createTemporary(const fs::path& target, fs::path& temporary, int& error) {
  const fs::path folder = target.parent_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path name = u8".";
    name += target.filename();
    name += "." + std::to_string(attempt) + ".tmp";
    temporary = folder / name;
    if (File file{openFile(temporary, "wbx")}) return file;
    error = errno;
    if (error != EEXIST) break;
  }
  return nullptr;
}

FileStatus statusOfOpenError(int error) {
  return deniedError(error) ? FileStatus::AccessDenied : FileStatus::Failed;
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

std::optional<std::int32_t> wholeNumber(const std::optional<std::string>& line) {
  if (!line) return std::nullopt;
  const std::string_view value = trimmed(*line);
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (value.empty() || error != std::errc() || end != value.data() + value.size()) {
    return std::nullopt;
  }
  return number;
}

// The first 52 lines of the file, without their line ends (LF or CR LF); a line too long
// to be sound is kept as nullopt. The last line may lack its line end.
std::optional<std::vector<std::optional<std::string>>> readLines(std::FILE* file) {
  std::vector<std::optional<std::string>> lines;
  std::optional<std::string> line = std::string();
  bool pending = false;
  auto endLine = [&] {
    if (line && !line->empty() && line->back() == '\r') line->pop_back();
    lines.push_back(std::move(line));
    line = std::string();
    pending = false;
  };
  for (int ch = 0; lines.size() < kLinesToRead && (ch = std::getc(file)) != EOF;) {
    if (ch == '\n') {
      endLine();
      continue;
    }
    pending = true;
    if (line && line->size() < kLongestLine) {
      line->push_back(static_cast<char>(ch));
    } else {
      line.reset();
    }
  }
  if (std::ferror(file) != 0) return std::nullopt;
  if (pending && lines.size() < kLinesToRead) endLine();
  return lines;
}

std::optional<SavedGame> parse(const std::vector<std::optional<std::string>>& lines) {
  if (lines.size() < kLinesToRead) return std::nullopt;
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
  fs::path target = pathFromUtf8(path);
  std::error_code error;
  // Through a link, the file it names is the one to replace.
  if (fs::is_symlink(fs::symlink_status(target, error))) {
    const fs::path resolved = fs::canonical(target, error);
    if (!error) target = resolved;
  }
  const fs::file_status status = fs::status(target, error);
  const bool exists = fs::exists(status);
  if (exists) {
    if (!fs::is_regular_file(status)) return FileStatus::Failed;
    if (writeBitsCleared(status)) return FileStatus::AccessDenied;
    // The target itself must take writing, even though it is replaced rather than written.
    if (!File{openFile(target, "ab")}) return statusOfOpenError(errno);
  }
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(u8".");
  const fs::file_status folderStatus = fs::status(folder, error);
  if (!fs::is_directory(folderStatus)) return FileStatus::Failed;
#ifndef _WIN32
  // On Windows a folder's read-only flag does not protect its files, so it is not asked.
  if (writeBitsCleared(folderStatus)) return FileStatus::AccessDenied;
#endif
  if (!target.has_parent_path()) target = folder / target;

  fs::path temporary;
  int openError = 0;
  File file = createTemporary(target, temporary, openError);
  if (!file) return statusOfOpenError(openError);
  const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  if (!finishFile(std::move(file)) || !written) {
    fs::remove(temporary, error);
    return FileStatus::Failed;
  }
  if (exists) fs::permissions(temporary, status.permissions(), error);  // keep the old mode
  fs::rename(temporary, target, error);
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return deniedError(error) ? FileStatus::AccessDenied : FileStatus::Failed;
  }
  return FileStatus::Ok;
}

FileStatus ReadGameFile(const std::string& path, Declare& declare, GameScreen& screen) {
  const fs::path source = pathFromUtf8(path);
  std::optional<std::vector<std::optional<std::string>>> lines;
  {
    const File file{openFile(source, "rb")};
    if (!file) {
      std::error_code error;
      const fs::path folder = source.has_parent_path() ? source.parent_path() : fs::path(u8".");
      const bool folderThere = fs::is_directory(folder, error);
      const bool fileThere = fs::exists(source, error);
      return folderThere && !fileThere && !error ? FileStatus::NotFound : FileStatus::Failed;
    }
    lines = readLines(file.get());
  }
  if (!lines) return FileStatus::Failed;
  if (lines->empty() || !lines->front() || trimmed(*lines->front()) != kHeader) {
    return FileStatus::BadHeader;
  }
  const std::optional<SavedGame> game = parse(*lines);
  if (!game) return FileStatus::BadHeader;
  show(*game, declare, screen);
  return FileStatus::Ok;
}

}  // namespace zarvel
