// libFuzzer target for the saved-game reader. Every input is written to a file in memory-backed
// storage and read into a game that already holds a dealt board with a caged mascot. Anything
// but Ok must leave the whole game exactly as it was; Ok must show the file's values, which a
// plain reference reader here works out on its own, and the game must survive being written
// and read back.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Board.h"
#include "engine/NewGameM.h"
#include "engine/SavedGame.h"
#include "files/GameFile.h"
#include "files/SavedGameText.h"
#include "files/Utf8Path.h"
#include "tests/support/FakeScreen.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace zarvel {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "zarvel fuzz: %s\n", what);
  std::abort();
}

// Everything a read may touch.
struct Snapshot {
  std::int32_t NmRasklada = 0;
  std::int32_t NmHod = 0;
  std::int32_t TekRjad = 0;
  std::string ImjaFaila;
  std::string PutProgrammy;
  std::string Razdelitel;
  std::array<Colour, kColours> Cveta{};
  std::array<std::int32_t, 4> rndAhead{};  // the generator's next values
  std::vector<Colour> board;
  std::vector<Colour> mascot;
  std::int32_t lblNmRasklada = 0;
  std::int32_t lblNmHod = 0;
};

Snapshot snapshotOf(const Declare& declare, testing::FakeScreen& screen) {
  Rnd ahead = declare.rnd;
  std::array<std::int32_t, 4> next{};
  for (auto& value : next) value = ahead.nextBelow(1 << 24);
  return {declare.NmRasklada,
          declare.NmHod,
          declare.TekRjad,
          declare.ImjaFaila,
          declare.PutProgrammy,
          declare.Razdelitel,
          declare.Cveta,
          next,
          screen.picPole().pixels(),
          screen.PicTrol().pixels(),
          screen.lblNmRasklada,
          screen.lblNmHod};
}

// The game still is `before`, compared in place: most inputs are refused, and copying the
// pictures for every one of them would be most of the run's time.
bool unchanged(const Snapshot& before, const Declare& declare, testing::FakeScreen& screen) {
  Rnd ahead = declare.rnd;
  for (const std::int32_t value : before.rndAhead) {
    if (ahead.nextBelow(1 << 24) != value) return false;
  }
  return declare.NmRasklada == before.NmRasklada && declare.NmHod == before.NmHod &&
         declare.TekRjad == before.TekRjad && declare.ImjaFaila == before.ImjaFaila &&
         declare.PutProgrammy == before.PutProgrammy && declare.Razdelitel == before.Razdelitel &&
         declare.Cveta == before.Cveta && screen.picPole().pixels() == before.board &&
         screen.PicTrol().pixels() == before.mascot &&
         screen.lblNmRasklada == before.lblNmRasklada && screen.lblNmHod == before.lblNmHod;
}

// The file's values read the plain way: the first 52 lines, LF or CR LF, none longer than
// 256 characters, the header, then whole numbers in 32 bits and colours in 24 bits.
std::optional<std::array<std::int64_t, kGameFileLines - 1>> referenceValues(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;
  for (const char c : text) {
    if (lines.size() == kGameFileLines) break;
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
      open = false;
    } else {
      line += c;
      open = true;
    }
  }
  if (open && lines.size() < kGameFileLines) lines.push_back(line);
  if (lines.size() < kGameFileLines) return std::nullopt;
  for (const std::string& each : lines) {
    if (each.size() > kLongestLine) return std::nullopt;
  }
  auto trim = [](std::string value) {
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.erase(0, 1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
    return value;
  };
  if (trim(lines[0]) != "[zarvel]") return std::nullopt;
  std::array<std::int64_t, kGameFileLines - 1> values{};
  for (std::size_t i = 1; i < kGameFileLines; ++i) {
    const std::string value = trim(lines[i]);
    const bool negative = !value.empty() && value[0] == '-';
    const std::string digits = value.substr(negative ? 1 : 0);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
      return std::nullopt;
    }
    const std::size_t significant = digits.find_first_not_of('0');
    if (significant != std::string::npos && digits.size() - significant > 10) return std::nullopt;
    std::int64_t number = 0;
    for (const char d : digits) number = number * 10 + (d - '0');
    if (negative) number = -number;
    const bool colour = i >= 3;
    const std::int64_t low = colour ? 0 : INT32_MIN;
    const std::int64_t high = colour ? kLargestColour : INT32_MAX;
    if (number < low || number > high) return std::nullopt;
    values[i - 1] = number;
  }
  return values;
}

// A fresh folder in memory for this process's input files.
fs::path scratchFolder() {
  fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
#ifndef _WIN32
  base /= "zarvel-fuzz-" + std::to_string(getpid());
#else
  base /= "zarvel-fuzz";
#endif
  fs::create_directories(base);
  return base;
}

struct Game {
  Game() { reset(); }
  // Layout 1234 dealt, two moves made, the mascot caged, a current file.
  void reset() {
    declare = testing::startedDeclare();
    declare.NmRasklada = 1234;
    NewRasklad(declare, screen);
    declare.NmHod = 2;
    screen.showNmHod(2);
    declare.ImjaFaila = "/home/player/партия.zrv";
    declare.PutProgrammy = "/opt/zarvel/";
    declare.Razdelitel = "/";
    cageMascot(screen);
  }
  Declare declare;
  testing::FakeScreen screen;
};

}  // namespace
}  // namespace zarvel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zarvel;
  static const fs::path folder = scratchFolder();
  static const std::string path = utf8FromPath(folder / "игра.zrv");
  static const std::string copy = utf8FromPath(folder / "копия.zrv");
  static Game game;
  static const Snapshot before = snapshotOf(game.declare, game.screen);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream file(folder / "игра.zrv", std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file) fail("cannot write the input file");
  }
  const FileStatus status = ReadGameFile(path, game.declare, game.screen);
  const auto expected = referenceValues(text);

  if (status != FileStatus::Ok) {
    if (status != FileStatus::BadHeader) fail("a regular file was not read");
    if (expected) fail("a sound file was refused");
    if (!unchanged(before, game.declare, game.screen)) fail("a refused file changed the game");
    return 0;
  }
  if (!expected) fail("an unsound file was accepted");
  const std::vector<Colour> cells = testing::cells(game.screen.picPole());
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (cells[i] != (*expected)[i + 2]) fail("the board does not show the file's colours");
  }
  if (game.declare.NmRasklada != (*expected)[0] || game.declare.NmHod != (*expected)[1] ||
      game.screen.lblNmRasklada != (*expected)[0] || game.screen.lblNmHod != (*expected)[1]) {
    fail("the counters or their labels do not show the file's values");
  }
  if (game.screen.caged()) fail("an opened game kept the cage");
  if (game.declare.ImjaFaila != before.ImjaFaila) fail("reading changed the current file");

  // Written and read back, the game stays the same game.
  const SavedGame shown = currentGame(game.declare, game.screen.picPole());
  if (WriteGameFile(copy, game.declare, game.screen.picPole()) != FileStatus::Ok) {
    fail("the game could not be written");
  }
  SavedGame reread;
  if (readSavedGame(copy, reread) != FileStatus::Ok || !(reread == shown)) {
    fail("the game did not come back as it was written");
  }
  if (parseSavedGame(savedGameText(shown)) != shown) fail("text and game disagree");
  game.reset();  // the next input meets the same game again
  return 0;
}
