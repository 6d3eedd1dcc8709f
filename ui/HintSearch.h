// Solves boards for the hint on a worker thread, so that the window keeps painting and
// answering while the solver works, and hands each solution back on the window's thread.
// The play session asks for one search at a time and keeps the one that waits.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "solver/Grid.h"

namespace zarvel {

class HintSearch : public QObject {
 public:
  using Found = std::function<void(std::uint64_t version, std::vector<solver::Move> moves)>;
  // What solves a board; the game's solver, or a stand-in the tests hold back at will.
  using Solve = std::function<std::vector<solver::Move>(const solver::Grid& grid)>;
  static std::vector<solver::Move> solveWithTheSolver(const solver::Grid& grid);

  explicit HintSearch(Found found, Solve solve = solveWithTheSolver, QObject* parent = nullptr);
  // Waits for a running search: the solver ends on its own in a fraction of a second.
  ~HintSearch() override;
  HintSearch(const HintSearch&) = delete;
  HintSearch& operator=(const HintSearch&) = delete;

  // Solves `grid`, the board of `version`, once the search before it has handed back.
  void request(const solver::Grid& grid, std::uint64_t version);

 private:
  void finished(std::uint64_t version, std::vector<solver::Move> moves);

  Found found_;
  Solve solve_;
  std::thread worker_;
};

}  // namespace zarvel
