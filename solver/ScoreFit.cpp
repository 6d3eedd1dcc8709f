// Fitting the beam's score: the boards whose distance is known, and the least squares.
#include "solver/ScoreFit.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "engine/Rnd.h"
#include "solver/Solver.h"

namespace zarvel::solver {

ScoreFeatures scoreFeatures(const Grid& oriented, const Targets& targets) {
  ScoreFeatures features{};
  for (int y = 0; y < kLines; ++y) {
    std::array<int, kLines> counts{};  // [offset]
    for (int x = 0; x < kLines; ++x) ++counts[offset(targets[oriented.at(x, y)], x)];
    for (std::size_t s = 1; s < kLines; ++s) {
      if (counts[s] == 0) continue;
      ++features[static_cast<std::size_t>(kLines * (kCyclicDistance[s] - 1) + counts[s] - 1)];
    }
  }
  return features;
}

ScoreFeatures scoreFeatures(const Grid& oriented) {
  return scoreFeatures(oriented, likelyTargets(oriented, 1).front());
}

namespace {

// The board oriented for the goal it solves: as it is for the columns, else transposed.
Grid orientedFor(const Grid& board, const Grid& solved) {
  return solved.columnsSolved() ? board : board.transposed();
}

constexpr int kNearSolvedGroup = 1000;

}  // namespace

std::vector<FitSample> routeSamples(std::int32_t first, std::int32_t last, std::int32_t step,
                                    int width, int layers) {
  std::vector<FitSample> samples;
  SolverSettings wide;
  wide.beamWidth = width;
  for (std::int32_t layout = first; layout <= last; layout += step) {
    Grid board = dealtGrid(layout).canonical();
    const std::vector<Move> moves = solve(board, wide).moves;
    Grid end = board;
    for (const Move& move : moves) end.apply(move);
    for (std::size_t k = 0; k < moves.size() && static_cast<int>(k) < layers; ++k) {
      samples.push_back({scoreFeatures(orientedFor(board, end)),
                         static_cast<double>(moves.size() - k), static_cast<int>(k)});
      board.apply(moves[k]);
    }
  }
  return samples;
}

std::vector<FitSample> nearSolvedSamples(int count, int depth) {
  std::vector<FitSample> samples;
  // The game's own generator: the samples are the same with every library.
  Rnd random;
  random.reseed(2026);
  for (int i = 0; i < count; ++i) {
    std::array<std::uint8_t, kLines> colours = {0, 1, 2, 3, 4, 5, 6};
    for (std::size_t c = kLines - 1; c > 0; --c) {
      std::swap(
          colours[c],
          colours[static_cast<std::size_t>(random.nextBelow(static_cast<std::int32_t>(c) + 1))]);
    }
    std::array<std::uint8_t, kCells> cells{};
    for (std::size_t cell = 0; cell < kCells; ++cell) cells[cell] = colours[cell / kLines];
    Grid board = Grid::fromCells(cells);
    const int moves = 1 + random.nextBelow(depth);
    for (int m = 0; m < moves; ++m) board.apply(random.nextBelow(kMoveCount));
    if (board.solved()) continue;
    const auto shortest = shortestSolution(board, depth);
    if (!shortest) continue;
    Grid end = board;
    for (const Move& move : *shortest) end.apply(move);
    samples.push_back({scoreFeatures(orientedFor(board, end)),
                       static_cast<double>(shortest->size()), kNearSolvedGroup});
  }
  return samples;
}

GroupScores fitGroupScores(const std::vector<FitSample>& samples) {
  // A constant per group is the same as fitting each group's departures from its means.
  std::map<int, std::pair<int, FitSample>> sums;  // [group]: boards, sums
  for (const FitSample& sample : samples) {
    auto& [boards, sum] = sums[sample.group];
    ++boards;
    for (std::size_t i = 0; i < sum.features.size(); ++i) sum.features[i] += sample.features[i];
    sum.distance += sample.distance;
  }
  constexpr std::size_t kTerms = 3 * kLines;
  std::array<std::array<double, kTerms + 1>, kTerms> system{};  // normal equations
  for (const FitSample& sample : samples) {
    const auto& [boards, sum] = sums[sample.group];
    std::array<double, kTerms> x{};
    for (std::size_t i = 0; i < kTerms; ++i) x[i] = sample.features[i] - sum.features[i] / boards;
    const double y = sample.distance - sum.distance / boards;
    for (std::size_t i = 0; i < kTerms; ++i) {
      for (std::size_t j = 0; j < kTerms; ++j) system[i][j] += x[i] * x[j];
      system[i][kTerms] += x[i] * y;
    }
  }
  // Groups of a size no board shows are held at zero rather than left undetermined.
  for (std::size_t i = 0; i < kTerms; ++i) system[i][i] += 1e-6;
  for (std::size_t col = 0; col < kTerms; ++col) {
    std::size_t pivot = col;
    for (std::size_t row = col + 1; row < kTerms; ++row) {
      if (std::abs(system[row][col]) > std::abs(system[pivot][col])) pivot = row;
    }
    std::swap(system[col], system[pivot]);
    for (std::size_t row = 0; row < kTerms; ++row) {
      if (row == col) continue;
      const double factor = system[row][col] / system[col][col];
      for (std::size_t k = col; k <= kTerms; ++k) system[row][k] -= factor * system[col][k];
    }
  }
  const double unit = system[0][kTerms] / system[0][0];
  GroupScores scores{};
  if (!(unit > 0)) return scores;
  for (std::size_t i = 0; i < kTerms; ++i) {
    const double score = 20 * system[i][kTerms] / system[i][i] / unit;
    scores[i / kLines][i % kLines] = static_cast<std::int16_t>(std::max(0L, std::lround(score)));
  }
  return scores;
}

}  // namespace zarvel::solver
