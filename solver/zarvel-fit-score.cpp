// Fits the beam's score table to boards whose distance is known and prints it beside the
// table in the source (kGroupScores in solver/BeamScore.h).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/NewGameM.h"
#include "solver/ScoreFit.h"

namespace {

using namespace zarvel::solver;

int usage() {
  std::fputs(
      "usage: zarvel-fit-score [--step S] [--width W] [--layers L] [--near N]\n"
      "Solves every S-th deal (default 64) with a beam of W boards a move (default 46000),\n"
      "takes the boards of the first L moves of the answers (default 16) with the moves\n"
      "they still take, and those of N boards made by a few random moves from solved\n"
      "(default 2000) that a shortest solution of at most four moves solves, and fits the\n"
      "score's table to them: what a row scores for a group of squares that share an\n"
      "offset, by the offset's distance (rows) and the group's size (1..7).\n",
      stderr);
  return 2;
}

void print(const char* what, const GroupScores& scores) {
  std::printf("%s:\n", what);
  for (const auto& row : scores) {
    std::printf("   ");
    for (const std::int16_t score : row) std::printf(" %4d", score);
    std::printf("\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  int step = 64;
  int width = 46000;
  int layers = 16;
  int near = 2000;
  if (argc % 2 == 0) return usage();
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    const int value = std::atoi(argv[i + 1]);
    if (arg == "--step") {
      step = value;
    } else if (arg == "--width") {
      width = value;
    } else if (arg == "--layers") {
      layers = value;
    } else if (arg == "--near") {
      near = value;
    } else {
      return usage();
    }
  }
  if (step < 1 || width < 1 || layers < 0 || near < 0) return usage();
  std::vector<FitSample> samples = routeSamples(0, zarvel::kLayoutCount - 1, step, width, layers);
  const std::vector<FitSample> close = nearSolvedSamples(near, 4);
  samples.insert(samples.end(), close.begin(), close.end());
  std::printf("boards %zu (%zu near solved)\n", samples.size(), close.size());
  print("fitted", fitGroupScores(samples));
  print("source", kGroupScores);
  return 0;
}
