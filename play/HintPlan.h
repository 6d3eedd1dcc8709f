// The hint's solution and whether it still fits the board. The board has a version that
// every change moves on, so a search started for one board never lands on another; the
// solution itself survives exactly the moves it foresaw, so that following the hints
// always ends the game within the first solution's length.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "solver/Grid.h"

namespace zarvel {

class HintPlan {
 public:
  // The player made `move` (by its arrow or by a redo).
  void moveMade(solver::Move move);
  // Anything else changed the board: an undo, a deal, an opened game.
  void boardReplaced();

  // The board's version now; a search started now hands its solution back with it.
  std::uint64_t version() const { return version_; }
  // A search's solution for the board of `version`; false, and nothing kept, when the
  // board has changed since.
  bool adopt(std::uint64_t version, std::vector<solver::Move> moves);
  // The next move of the kept solution, if there is one.
  std::optional<solver::Move> next() const;

 private:
  std::vector<solver::Move> moves_;
  std::size_t next_ = 0;
  std::uint64_t version_ = 0;
};

}  // namespace zarvel
