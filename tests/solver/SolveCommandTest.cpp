// The zarvel-solve program as a user runs it: its moves, its output and its exit status.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Board.h"
#include "engine/NewGameM.h"
#include "files/GameFile.h"
#include "files/SavedGameText.h"
#include "tests/solver/SolverTestBoards.h"
#include "tests/support/TempFolder.h"

namespace zarvel {
namespace {

using testing::TempFolder;

struct ProgramRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string quoted(const std::string& text) {
  std::string result = "'";
  for (const char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return result + "'";
}

ProgramRun runSolve(const std::vector<std::string>& args) {
  const TempFolder folder;
  const std::string errFile = folder.file("stderr.txt");
  std::string command = quoted(ZARVEL_SOLVE_PROGRAM);
  for (const std::string& arg : args) command += " " + quoted(arg);
  command += " 2>" + quoted(errFile) + " </dev/null";
  ProgramRun run;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = testing::readBytes(errFile);
  return run;
}

// The moves on stdout; fails the test on any line that is not "BAR LINE".
std::vector<solver::Move> movesOf(const std::string& out) {
  std::vector<solver::Move> moves;
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) {
    EXPECT_EQ(line.size(), 3U) << line;
    if (line.size() != 3) continue;
    EXPECT_TRUE(line[0] >= '0' && line[0] <= '3' && line[1] == ' ' && line[2] >= '0' &&
                line[2] <= '6')
        << line;
    moves.push_back({line[0] - '0', line[2] - '0'});
  }
  return moves;
}

TEST(SolveCommand, LayoutMovesSolveTheDealThatTheGameDeals) {
  for (const std::int32_t layout : {0, 32655}) {
    const ProgramRun run = runSolve({"--layout", std::to_string(layout)});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto moves = movesOf(run.out);
    EXPECT_FALSE(moves.empty());
    EXPECT_NE(run.err.find("moves: " + std::to_string(moves.size())), std::string::npos) << run.err;
    // Played on the board that the game itself deals for this number.
    Declare declare = testing::startedDeclare();
    testing::FakeScreen screen;
    declare.NmRasklada = layout;
    NewRasklad(declare, screen);
    for (const solver::Move& move : moves) {
      declare.TekRjad = move.line;
      NewHod(declare, screen, move.bar);
    }
    EXPECT_TRUE(boardSolved(screen.picPole())) << layout;
    EXPECT_EQ(screen.victories, 1) << layout;
  }
}

TEST(SolveCommand, WrongLayoutNumbersAreRefused) {
  for (const char* number : {"32656", "-1", "12x", "", "99999999999", " 5"}) {
    const ProgramRun run = runSolve({"--layout", number});
    EXPECT_EQ(run.status, 2) << number;
    EXPECT_TRUE(run.out.empty()) << number;
    EXPECT_NE(run.err.find("0 to 32655"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("от 0 до 32655"), std::string::npos) << run.err;
  }
}

TEST(SolveCommand, WrongArgumentsAreRefused) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"--layout"}, {"--layout", "1", "2"}, {"--frobnicate"}, {"a.zrv", "b.zrv"}}) {
    const ProgramRun run = runSolve(args);
    EXPECT_EQ(run.status, 2) << args.size();
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;
  }
}

TEST(SolveCommand, HelpExplainsInRussianAndEnglish) {
  const ProgramRun run = runSolve({"--help"});
  EXPECT_EQ(run.status, 0);
  for (const char* text :
       {"--layout N", "ФАЙЛ.zrv", "BAR LINE", "ПАНЕЛЬ РЯД", "0 top", "0 верхняя", "32655"}) {
    EXPECT_NE(run.out.find(text), std::string::npos) << text;
  }
}

class SolveCommandFile : public ::testing::Test {
 protected:
  // Saves a game whose board shows `colours` (column by column) and returns its path.
  std::string save(const std::string& name, const std::array<Colour, kCells>& colours) {
    const std::string path = folder.file(name);
    EXPECT_EQ(writeGameText(path, savedGameText(SavedGame{1234, 0, colours})), FileStatus::Ok);
    return path;
  }

  static std::array<Colour, kCells> coloursOf(const solver::Grid& grid,
                                              const std::array<Colour, kLines>& palette) {
    std::array<Colour, kCells> colours{};
    const auto cells = grid.cells();
    for (std::size_t i = 0; i < cells.size(); ++i) colours[i] = palette[cells[i]];
    return colours;
  }

  TempFolder folder;
};

TEST_F(SolveCommandFile, AnyBoardWithSevenOfEachColourIsSolved) {
  // Colours that are not the game's: a saved game may hold any values.
  const std::array<Colour, kLines> palette = {0x000000, 0x010203, 0xFFFFFF, 0x808080,
                                              0x00AA00, 0x123456, 0xFEDCBA};
  Rnd rnd;
  rnd.reseed(3);
  const solver::Grid grid = testing::scrambled(rnd, 60, false);
  const std::string path = save("any colours.zrv", coloursOf(grid, palette));
  const ProgramRun run = runSolve({path});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto moves = movesOf(run.out);
  solver::Grid after = grid;
  for (const solver::Move& move : moves) after.apply(move);
  EXPECT_TRUE(after.solved());
  EXPECT_TRUE(testing::playInGame(grid, moves).solved);
}

TEST_F(SolveCommandFile, ASolvedBoardGivesNoMoves) {
  const std::string path =
      save("solved.zrv", coloursOf(testing::solvedGrid({0, 1, 2, 3, 4, 5, 6}, true), kCvetaTable));
  const ProgramRun run = runSolve({path});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.empty()) << run.out;
  EXPECT_NE(run.err.find("moves: 0"), std::string::npos) << run.err;
}

TEST_F(SolveCommandFile, ABoardWithoutSevenOfEachColourIsRefused) {
  auto colours = coloursOf(solver::dealtGrid(10), kCvetaTable);
  colours[0] = colours[0] == kCvetaTable[0] ? kCvetaTable[1] : kCvetaTable[0];
  const std::string path = save("eight.zrv", colours);
  const ProgramRun run = runSolve({path});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.empty());
  EXPECT_NE(run.err.find("seven squares"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("семь цветов"), std::string::npos) << run.err;
}

TEST_F(SolveCommandFile, UnreadableFilesGetTheGamesMessages) {
  const std::string notAGame = folder.file("not a game.zrv");
  testing::writeBytes(notAGame, "[ZARVEL]\r\n");
  const std::string cutShort = folder.file("short.zrv");
  testing::writeBytes(cutShort, "[zarvel]\r\n 1 \r\n 0 \r\n 255 \r\n");
  struct Case {
    std::string path;
    std::string russian;
  };
  for (const Case& c :
       {Case{folder.file("missing.zrv"), "не найден."}, Case{notAGame, "не подходит к программе."},
        Case{cutShort, "не подходит к программе."},
        Case{folder.file("no such folder/x.zrv"), "открыть не возможно."}}) {
    const ProgramRun run = runSolve({c.path});
    EXPECT_EQ(run.status, 2) << c.path;
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("Файл «" + c.path + "» " + c.russian), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace zarvel

#endif  // _WIN32
