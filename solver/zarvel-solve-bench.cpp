// Solves every deal, or a range of layout numbers, and prints how long the solutions are
// and how long they took. Every solution is checked with the game's own moves.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <numeric>
#include <string>
#include <vector>

#include "engine/Board.h"
#include "engine/Declare.h"
#include "engine/NewGameM.h"
#include "engine/NewHodM.h"
#include "solver/Solver.h"

namespace {

using namespace zarvel;
using namespace zarvel::solver;

// Plays the moves on a board picture with the game's shift and asks the game's check.
bool solvesInGame(const Grid& grid, const std::vector<Move>& moves) {
  Picture board(kBoardPixels, kBoardPixels, 0);
  paint(IndexedBoard{grid, kCvetaTable}, board);
  for (const Move& move : moves) Sdvig(board, move.bar, move.line);
  return boardSolved(board);
}

template <typename T>
T percentile(std::vector<T> values, int percent) {
  std::sort(values.begin(), values.end());
  const std::size_t index = (values.size() - 1) * static_cast<std::size_t>(percent) / 100;
  return values[index];
}

int usage() {
  std::fputs(
      "usage: zarvel-solve-bench [FIRST [LAST]] [--step S] [--width W] [--exact DEPTH]\n"
      "                          [--each]\n"
      "Solves the deals FIRST..LAST (default all, 0..32655), or every S-th of them, and\n"
      "prints the median, the 90th percentile and the largest number of moves and time\n"
      "per deal; with --each also every deal's layout, moves and processor milliseconds\n"
      "first, one a line, so that runs over parts of the deals can be put together.\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::int32_t first = 0;
  std::int32_t last = kLayoutCount - 1;
  std::int32_t step = 1;
  SolverSettings settings;
  std::vector<std::int32_t> bounds;
  bool each = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--width" && i + 1 < argc) {
      settings.beamWidth = std::atoi(argv[++i]);
    } else if (arg == "--step" && i + 1 < argc) {
      step = std::atoi(argv[++i]);
    } else if (arg == "--each") {
      each = true;
    } else if (arg == "--exact" && i + 1 < argc) {
      settings.exactDepth = std::atoi(argv[++i]);
    } else if (!arg.empty() && arg.find_first_not_of("0123456789") == std::string::npos) {
      bounds.push_back(std::atoi(arg.c_str()));
    } else {
      return usage();
    }
  }
  if (bounds.size() > 2) return usage();
  if (!bounds.empty()) first = last = bounds[0];
  if (bounds.size() == 2) last = bounds[1];
  if (first < 0 || last >= kLayoutCount || first > last || step < 1 || step > kLayoutCount)
    return usage();

  std::vector<int> lengths;
  std::vector<int> lowerBounds;  // the summary's lower bound, before the search
  std::vector<double> millis;
  std::vector<double> cpuMillis;  // processor time: steadier than the clock on a busy machine
  int invalid = 0;
  for (std::int32_t layout = first; layout <= last; layout += step) {
    const Grid grid = dealtGrid(layout);
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    const Solution solution = solve(grid, settings);
    const std::clock_t cpuEnd = std::clock();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    cpuMillis.push_back(1000.0 * static_cast<double>(cpuEnd - cpuStart) / CLOCKS_PER_SEC);
    if (!solvesInGame(grid, solution.moves)) {
      ++invalid;
      std::fprintf(stderr, "layout %d: the solution does not solve the board\n", layout);
    }
    lengths.push_back(static_cast<int>(solution.moves.size()));
    lowerBounds.push_back(lowerBound(grid));
    millis.push_back(took.count());
    if (each) std::printf("deal %d %zu %.1f\n", layout, solution.moves.size(), cpuMillis.back());
    if (lengths.size() % 1000 == 0) {
      std::fprintf(stderr,
                   "%zu deals: moves median %d p90 %d max %d; processor ms median %.1f max %.1f\n",
                   lengths.size(), percentile(lengths, 50), percentile(lengths, 90),
                   percentile(lengths, 100), percentile(cpuMillis, 50), percentile(cpuMillis, 100));
    }
  }
  std::printf("deals %zu (layouts %d..%d), beam width %d, invalid solutions %d\n", lengths.size(),
              first, last, settings.beamWidth, invalid);
  std::printf("moves: median %d, p90 %d, max %d, mean %.2f\n", percentile(lengths, 50),
              percentile(lengths, 90), percentile(lengths, 100),
              static_cast<double>(std::accumulate(lengths.begin(), lengths.end(), 0)) /
                  static_cast<double>(lengths.size()));
  std::vector<int> byLength(static_cast<std::size_t>(percentile(lengths, 100)) + 1);
  for (const int length : lengths) ++byLength[static_cast<std::size_t>(length)];
  std::printf("deals by moves:");
  for (std::size_t length = 0; length < byLength.size(); ++length) {
    if (byLength[length] > 0) std::printf(" %zu:%d", length, byLength[length]);
  }
  std::printf("\n");
  std::printf("lower bound: median %d, min %d, max %d\n", percentile(lowerBounds, 50),
              percentile(lowerBounds, 0), percentile(lowerBounds, 100));
  std::printf("time:  median %.1f ms, p90 %.1f ms, max %.1f ms\n", percentile(millis, 50),
              percentile(millis, 90), percentile(millis, 100));
  std::printf("processor time: median %.1f ms, p90 %.1f ms, max %.1f ms\n",
              percentile(cpuMillis, 50), percentile(cpuMillis, 90), percentile(cpuMillis, 100));
  return invalid == 0 ? 0 : 1;
}
