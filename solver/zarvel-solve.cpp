// zarvel-solve: prints moves that solve a saved game's board or a layout number's deal.
// Moves go to stdout, one "BAR LINE" a line; everything else goes to stderr.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "engine/NewGameM.h"
#include "files/CommandMessages.h"
#include "files/GameFile.h"
#include "solver/Solver.h"

namespace {

using namespace zarvel;
using namespace zarvel::solver;

constexpr int kBadInput = 2;

constexpr std::string_view kHelp =
    "zarvel-solve — решение головоломки «Zarvel» / a solver for the Zarvel puzzle\n"
    "\n"
    "Использование / usage:\n"
    "  zarvel-solve ФАЙЛ.zrv        решить поле сохранённой игры / solve a saved game's board\n"
    "  zarvel-solve --layout N      решить расклад номер N (0..32655) / solve layout N\n"
    "  zarvel-solve --help          эта справка / this help\n"
    "\n"
    "Ходы выводятся по одному в строке: «ПАНЕЛЬ РЯД». ПАНЕЛЬ — панель стрелок:\n"
    "0 верхняя (столбец РЯД сдвигается вверх), 1 правая (строка РЯД вправо),\n"
    "2 нижняя (столбец вниз), 3 левая (строка влево). РЯД — от 0 до 6, слева или сверху.\n"
    "Решённое поле не требует ходов. Итог (число ходов, время) выводится в stderr.\n"
    "Поле из файла должно содержать семь цветов по семь клеток; иначе, как и при\n"
    "нечитаемом файле или неверном номере, программа завершается с кодом 2.\n"
    "\n"
    "Moves are printed one a line as \"BAR LINE\". BAR is the arrow bar: 0 top (column\n"
    "LINE moves up), 1 right (row LINE moves right), 2 bottom (column moves down), 3 left\n"
    "(row moves left). LINE is 0..6 from the left or the top. A solved board needs no\n"
    "moves. A summary (moves, time) goes to stderr. A board from a file must hold seven\n"
    "colours with seven squares each; otherwise, and for an unreadable file or a wrong\n"
    "layout number, the exit status is 2.\n";

int refuse(const std::string& russian, const std::string& english) {
  std::fprintf(stderr, "zarvel-solve: %s\nzarvel-solve: %s\n", russian.c_str(), english.c_str());
  return kBadInput;
}

int usageError(const std::string& english) {
  refuse("неверные аргументы; справка: zarvel-solve --help", english + "; see zarvel-solve --help");
  return kBadInput;
}

std::string englishFileStatus(FileStatus status) {
  switch (status) {
    case FileStatus::NotFound:
      return "the file was not found";
    case FileStatus::BadHeader:
      return "the file is not a saved Zarvel game";
    case FileStatus::AccessDenied:
      return "the file cannot be read: access denied";
    case FileStatus::InUse:
      return "the file is in use by another program";
    default:
      return "the file cannot be opened or read";
  }
}

int solveAndPrint(const Grid& grid) {
  const auto start = std::chrono::steady_clock::now();
  const Solution solution = solve(grid);
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  std::string out;
  for (const Move& move : solution.moves) {
    out += std::to_string(move.bar) + ' ' + std::to_string(move.line) + '\n';
  }
  std::fputs(out.c_str(), stdout);
  const std::string moves = std::to_string(solution.moves.size());
  const std::string bound = std::to_string(solution.lowerBound);
  const std::string ms = std::to_string(static_cast<long>(took.count() + 0.5));
  if (solution.shortest) {
    std::fprintf(stderr, "ходов: %s (кратчайшее решение), время: %s мс\n", moves.c_str(),
                 ms.c_str());
    std::fprintf(stderr, "moves: %s (shortest), time: %s ms\n", moves.c_str(), ms.c_str());
  } else {
    std::fprintf(stderr, "ходов: %s (нужно не меньше %s), время: %s мс\n", moves.c_str(),
                 bound.c_str(), ms.c_str());
    std::fprintf(stderr, "moves: %s (lower bound %s), time: %s ms\n", moves.c_str(), bound.c_str(),
                 ms.c_str());
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int solveLayout(std::string_view text) {
  std::int32_t layout = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), layout);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || layout < 0 ||
      layout >= kLayoutCount) {
    return refuse(
        "номер расклада должен быть целым числом от 0 до 32655: «" + std::string(text) + "»",
        "the layout number must be a whole number from 0 to 32655: \"" + std::string(text) + "\"");
  }
  return solveAndPrint(dealtGrid(layout));
}

int solveFile(const std::string& path) {
  // The game's own reader and checks, so the solver takes exactly the files the game opens.
  SavedGame saved;
  const FileStatus status = readSavedGame(path, saved);
  if (status != FileStatus::Ok) {
    return refuse(openFailureMessage(status, path).text,
                  englishFileStatus(status) + ": \"" + path + "\"");
  }
  const auto board = indexColours(saved.cells);
  if (!board) {
    return refuse(
        "Поле в файле «" + path + "» не решить: нужно семь цветов, по семь клеток каждого.",
        "the board in \"" + path + "\" cannot be solved: " + describeUnsolvable(saved.cells));
  }
  return solveAndPrint(board->grid);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kHelp.data(), stdout);
    return 0;
  }
  if (args.size() == 2 && args[0] == "--layout") return solveLayout(args[1]);
  if (args.size() == 1 && args[0] == "--layout") return usageError("--layout needs a number");
  if (args.size() == 1 && args[0].rfind("--layout=", 0) == 0) {
    return solveLayout(std::string_view(args[0]).substr(9));
  }
  if (args.size() == 1 && !args[0].empty() && args[0][0] != '-') return solveFile(args[0]);
  return usageError(args.empty() ? "a file or --layout N is needed" : "unexpected arguments");
}
