// The saved-game file: its exact bytes, reading it back, and every way a file can be
// unfit or a save can fail without harming the game on screen or the file on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

#include "engine/Board.h"
#include "engine/NewGameM.h"
#include "files/GameFile.h"
#include "tests/engine/FakeScreen.h"
#include "tests/files/TempFolder.h"

#ifndef _WIN32  // for the file-size limit below, which Windows does not have
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace zarvel {
namespace {

namespace fs = std::filesystem;
using testing::FakeScreen;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

// Everything a read may change, to compare before and after.
struct GameState {
  std::vector<Colour> cells;
  std::int32_t layout;
  std::int32_t moves;
  std::int32_t layoutLabel;
  std::int32_t movesLabel;
  bool caged;
  std::string imjaFaila;
  bool operator==(const GameState&) const = default;
};

GameState stateOf(const Declare& declare, FakeScreen& screen) {
  return {testing::cells(screen.picPole()),
          declare.NmRasklada,
          declare.NmHod,
          screen.lblNmRasklada,
          screen.lblNmHod,
          screen.caged(),
          declare.ImjaFaila};
}

// A game that has been played: layout 1234 dealt, a few cells moved, 5 moves, caged.
struct PlayedGame {
  PlayedGame() {
    declare.NmRasklada = 1234;
    NewRasklad(declare, screen);
    Picture& board = screen.picPole();
    const Colour corner = cellColour(board, 0, 0);
    fillSquare(board, cellOrigin(0), cellOrigin(0), cellColour(board, 6, 6));
    fillSquare(board, cellOrigin(6), cellOrigin(6), corner);
    declare.NmHod = 5;
    screen.showNmHod(5);
    declare.ImjaFaila = "/somewhere/else.zrv";
  }
  Declare declare = testing::startedDeclare();
  FakeScreen screen;
};

std::string line(const std::string& value) {
  return value + "\r\n";
}

// A sound file in the written form: header, layout, moves and the 49 colours.
std::string fileWith(std::int32_t layout, std::int32_t moves, const std::vector<Colour>& cells,
                     const std::string& lineEnd = "\r\n") {
  std::string text = "[zarvel]" + lineEnd;
  auto add = [&](std::int64_t v) {
    text += (v < 0 ? "-" : " ") + std::to_string(v < 0 ? -v : v) + " " + lineEnd;
  };
  add(layout);
  add(moves);
  for (Colour colour : cells) add(colour);
  return text;
}

std::vector<Colour> distinctCells() {
  std::vector<Colour> cells;
  for (int i = 0; i < 49; ++i) cells.push_back(0x010000 * i + 0x000100 + i);
  return cells;
}

TEST(WriteGameFile, WritesTheGameByteForByte) {
  TempFolder folder;
  Declare declare = testing::startedDeclare();
  FakeScreen screen;
  declare.NmRasklada = 1234;
  declare.NmHod = 5;
  // The leftmost column shows the seven colours in table order, top to bottom; the rest
  // of the board holds one more known colour per column.
  for (int c = 0; c < kLines; ++c)
    for (int r = 0; r < kLines; ++r)
      fillSquare(screen.picPole(), cellOrigin(c), cellOrigin(r),
                 c == 0 ? kCvetaTable[static_cast<std::size_t>(r)] : kCvetaTable[c]);

  ASSERT_EQ(WriteGameFile(folder.file("1234.zrv"), declare, screen), FileStatus::Ok);

  std::string expected =
      "\x5B\x7A\x61\x72\x76\x65\x6C\x5D\x0D\x0A"
      "\x20\x31\x32\x33\x34\x20\x0D\x0A"
      "\x20\x35\x20\x0D\x0A"
      "\x20\x32\x35\x35\x20\x0D\x0A"
      "\x20\x34\x32\x32\x37\x33\x32\x37\x20\x0D\x0A"
      "\x20\x36\x35\x35\x33\x35\x20\x0D\x0A"
      "\x20\x36\x35\x32\x38\x30\x20\x0D\x0A"
      "\x20\x31\x36\x37\x37\x36\x39\x36\x30\x20\x0D\x0A"
      "\x20\x31\x36\x37\x31\x31\x36\x38\x30\x20\x0D\x0A"
      "\x20\x31\x36\x37\x31\x31\x39\x33\x35\x20\x0D\x0A";
  const char* columns[] = {" 4227327 ",  " 65535 ",    " 65280 ",
                           " 16776960 ", " 16711680 ", " 16711935 "};
  for (const char* value : columns)
    for (int r = 0; r < kLines; ++r) expected += line(value);
  EXPECT_EQ(readBytes(folder.file("1234.zrv")), expected);
}

TEST(WriteGameFile, NegativeNumbersTakeTheMinusInPlaceOfTheSpace) {
  TempFolder folder;
  Declare declare = testing::startedDeclare();
  FakeScreen screen;
  declare.NmRasklada = -7;
  declare.NmHod = INT32_MIN;
  ASSERT_EQ(WriteGameFile(folder.file("n.zrv"), declare, screen), FileStatus::Ok);
  const std::string text = readBytes(folder.file("n.zrv"));
  EXPECT_EQ(text.substr(0, 34), "[zarvel]\r\n-7 \r\n-2147483648 \r\n 0 \r\n");
}

TEST(GameFile, APlayedGameComesBackWholeWithAFreeMascotAndNoVictory) {
  TempFolder folder;
  PlayedGame played;
  cageMascot(played.screen);
  const GameState saved = stateOf(played.declare, played.screen);
  ASSERT_EQ(WriteGameFile(folder.file("game.zrv"), played.declare, played.screen), FileStatus::Ok);

  played.declare.NmRasklada = 77;
  NewRasklad(played.declare, played.screen);
  ASSERT_NE(testing::cells(played.screen.picPole()), saved.cells);
  cageMascot(played.screen);

  ASSERT_EQ(ReadGameFile(folder.file("game.zrv"), played.declare, played.screen), FileStatus::Ok);
  EXPECT_EQ(testing::cells(played.screen.picPole()), saved.cells);
  EXPECT_EQ(played.declare.NmRasklada, 1234);
  EXPECT_EQ(played.declare.NmHod, 5);
  EXPECT_EQ(played.screen.lblNmRasklada, 1234);
  EXPECT_EQ(played.screen.lblNmHod, 5);
  EXPECT_FALSE(played.screen.caged());
  EXPECT_EQ(played.screen.victories, 0);
}

TEST(ReadGameFile, TheFifthLineIsTheCellBelowTheTopLeftOne) {
  TempFolder folder;
  const std::vector<Colour> values = distinctCells();
  writeBytes(folder.file("t.zrv"), fileWith(1, 2, values));
  Declare declare = testing::startedDeclare();
  FakeScreen screen;
  ASSERT_EQ(ReadGameFile(folder.file("t.zrv"), declare, screen), FileStatus::Ok);
  const Picture& board = screen.picPole();
  EXPECT_EQ(cellColour(board, 0, 1), values[1]);  // below, not beside
  EXPECT_EQ(cellColour(board, 1, 0), values[7]);
  for (int c = 0; c < kLines; ++c)
    for (int r = 0; r < kLines; ++r)
      EXPECT_EQ(cellColour(board, c, r), values[static_cast<std::size_t>(7 * c + r)]);
  // Every pixel of a square, not only its origin, and the lines stay background.
  EXPECT_EQ(board.point(cellOrigin(2) + 38, cellOrigin(3) + 38), values[17]);
  EXPECT_EQ(board.point(40, 40), testing::kBlack);
}

TEST(ReadGameFile, LineEndsAndSpacesAroundValuesDoNotMatter) {
  const std::vector<Colour> values = distinctCells();
  std::string bare = "[zarvel]\r\n40000\r\n-3\r\n";
  std::string tabs = "\t[zarvel] \n\t40000\t\n -3\t \n";
  for (Colour colour : values) {
    bare += std::to_string(colour) + "\r\n";
    tabs += "  " + std::to_string(colour) + "\t\n";
  }
  std::string noFinalLineEnd = fileWith(40000, -3, values);
  noFinalLineEnd.resize(noFinalLineEnd.size() - 2);
  const std::string withSpaces = fileWith(40000, -3, values);
  for (const std::string& text : {bare, tabs, noFinalLineEnd, withSpaces + "junk\r\n\r\nmore"}) {
    TempFolder folder;
    writeBytes(folder.file("v.zrv"), text);
    Declare declare = testing::startedDeclare();
    FakeScreen screen;
    ASSERT_EQ(ReadGameFile(folder.file("v.zrv"), declare, screen), FileStatus::Ok) << text;
    EXPECT_EQ(testing::cells(screen.picPole()), values);
    // Out-of-range layout numbers and negative counters are taken as they stand.
    EXPECT_EQ(declare.NmRasklada, 40000);
    EXPECT_EQ(declare.NmHod, -3);
    EXPECT_EQ(screen.lblNmHod, -3);
  }
}

TEST(ReadGameFile, UnfitFilesAreRefusedAndTheGameStaysAsItWas) {
  const std::string sound = fileWith(1234, 5, distinctCells());
  auto replaced = [&](int lineNumber, const std::string& value) {
    std::string text;
    std::size_t start = 0;
    for (int number = 1; start < sound.size(); ++number) {
      const std::size_t end = sound.find("\r\n", start) + 2;
      text += number == lineNumber ? value + "\r\n" : sound.substr(start, end - start);
      start = end;
    }
    return text;
  };
  struct Case {
    const char* what;
    std::string text;
    FileStatus status;
  };
  const Case cases[] = {
      {"empty", "", FileStatus::BadHeader},
      {"header in capitals", replaced(1, "[ZARVEL]"), FileStatus::BadHeader},
      {"another text file", "Список покупок\r\nхлеб\r\n", FileStatus::BadHeader},
      {"header only", "[zarvel]\r\n", FileStatus::BadHeader},
      {"ends at line 51", sound.substr(0, sound.rfind("\r\n", sound.size() - 3) + 2),
       FileStatus::BadHeader},
      {"blank value", replaced(30, ""), FileStatus::BadHeader},
      {"letters", replaced(2, " 12a "), FileStatus::BadHeader},
      {"fraction", replaced(3, " 1.5 "), FileStatus::BadHeader},
      {"plus sign", replaced(3, " +5 "), FileStatus::BadHeader},
      {"two values", replaced(10, " 1 2 "), FileStatus::BadHeader},
      {"overflow", replaced(2, " 2147483648 "), FileStatus::BadHeader},
      {"underflow", replaced(3, "-2147483649 "), FileStatus::BadHeader},
      {"negative colour", replaced(4, "-1 "), FileStatus::BadHeader},
      {"colour too large", replaced(52, " 16777216 "), FileStatus::BadHeader},
      {"overlong line", replaced(20, std::string(100000, ' ') + "5"), FileStatus::BadHeader},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    writeBytes(folder.file("bad.zrv"), c.text);
    PlayedGame played;
    cageMascot(played.screen);
    const GameState before = stateOf(played.declare, played.screen);
    EXPECT_EQ(ReadGameFile(folder.file("bad.zrv"), played.declare, played.screen), c.status)
        << c.what;
    EXPECT_EQ(stateOf(played.declare, played.screen), before) << c.what;
  }
}

TEST(ReadGameFile, AMissingFileIsNotFoundAndAMissingFolderFails) {
  TempFolder folder;
  PlayedGame played;
  const GameState before = stateOf(played.declare, played.screen);
  EXPECT_EQ(ReadGameFile(folder.file("нет.zrv"), played.declare, played.screen),
            FileStatus::NotFound);
  EXPECT_EQ(ReadGameFile(folder.file("нет/x.zrv"), played.declare, played.screen),
            FileStatus::Failed);
  fs::create_directory(folder.path() / "a folder.zrv");
  EXPECT_EQ(ReadGameFile(folder.file("a folder.zrv"), played.declare, played.screen),
            FileStatus::Failed);
  EXPECT_EQ(stateOf(played.declare, played.screen), before);
}

TEST(GameFile, CyrillicNamesAndSpacesWork) {
  TempFolder folder;
  fs::create_directory(folder.path() / pathFromUtf8("Мои игры"));
  const std::string path = folder.file("Мои игры/партия номер 1.zrv");
  PlayedGame played;
  const GameState saved = stateOf(played.declare, played.screen);
  ASSERT_EQ(WriteGameFile(path, played.declare, played.screen), FileStatus::Ok);
  EXPECT_TRUE(fs::exists(pathFromUtf8(path)));
  played.declare.NmRasklada = 5;
  NewRasklad(played.declare, played.screen);
  ASSERT_EQ(ReadGameFile(path, played.declare, played.screen), FileStatus::Ok);
  EXPECT_EQ(testing::cells(played.screen.picPole()), saved.cells);
}

TEST(WriteGameFile, ALongerFileIsReplacedByExactlyTheNewLines) {
  TempFolder folder;
  const std::string path = folder.file("long.zrv");
  writeBytes(path, std::string(5000, 'x'));
  fs::permissions(pathFromUtf8(path), fs::perms::owner_read | fs::perms::owner_write);
  PlayedGame played;
  ASSERT_EQ(WriteGameFile(path, played.declare, played.screen), FileStatus::Ok);
  EXPECT_EQ(readBytes(path), gameFileText(played.declare, played.screen.picPole()));
  const std::string text = readBytes(path);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 52);
  // The replaced file keeps its mode, and nothing else is left in the folder.
  EXPECT_EQ(fs::status(pathFromUtf8(path)).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(WriteGameFile, AWriteProtectedFileOrFolderIsDeniedAndKeepsItsBytes) {
  TempFolder folder;
  PlayedGame played;
  const std::string path = folder.file("old.zrv");
  writeBytes(path, "old contents");
  fs::permissions(pathFromUtf8(path), fs::perms::owner_read | fs::perms::group_read);
  EXPECT_EQ(WriteGameFile(path, played.declare, played.screen), FileStatus::AccessDenied);
  EXPECT_EQ(readBytes(path), "old contents");

#ifndef _WIN32  // Windows counterpart to come: a file another handle holds unshared is Failed
  fs::create_directory(folder.path() / "locked");
  const std::string inLocked = folder.file("locked/x.zrv");
  writeBytes(inLocked, "kept");
  fs::permissions(folder.path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(WriteGameFile(inLocked, played.declare, played.screen), FileStatus::AccessDenied);
  EXPECT_EQ(WriteGameFile(folder.file("locked/new.zrv"), played.declare, played.screen),
            FileStatus::AccessDenied);
  EXPECT_EQ(readBytes(inLocked), "kept");
  EXPECT_FALSE(fs::exists(folder.path() / "locked" / "new.zrv"));
#endif
}

TEST(WriteGameFile, AMissingFolderFails) {
  TempFolder folder;
  PlayedGame played;
  EXPECT_EQ(WriteGameFile(folder.file("нет/x.zrv"), played.declare, played.screen),
            FileStatus::Failed);
  EXPECT_FALSE(fs::exists(folder.path() / pathFromUtf8("нет")));
}

#ifndef _WIN32  // Windows counterpart to come: see the skip in the test below
// Lets files grow to `bytes` only, as a full disk would, for as long as it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*oldHandler_)(int) = nullptr;
};
#endif

TEST(WriteGameFile, AFailurePartWayReportsFailedAndKeepsTheOldFile) {
#ifdef _WIN32  // counterpart to come: a save made to fail part way there keeps the old file whole
  GTEST_SKIP() << "needs a file-size limit";
#else
  TempFolder folder;
  PlayedGame played;
  const std::string path = folder.file("old.zrv");
  const std::string old = fileWith(1, 2, distinctCells());
  writeBytes(path, old);
  FileStatus status = FileStatus::Ok;
  {
    const FileSizeLimit limit(64);
    status = WriteGameFile(path, played.declare, played.screen);
  }
  EXPECT_EQ(status, FileStatus::Failed);
  EXPECT_EQ(readBytes(path), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
#endif
}

}  // namespace
}  // namespace zarvel
