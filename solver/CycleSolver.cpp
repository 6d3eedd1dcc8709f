// The certain method: fill the columns square by square with three-square cycles. A cycle
// is a row move and a column move undone in turn (they share one square), carried onto any
// three squares by setup moves that are undone afterwards. Squares of the same colour make
// up for the parity that a lone swap would need, so the last column fills itself.
#include <array>
#include <vector>

#include "solver/Solver.h"

namespace zarvel::solver {
namespace {

using Positions = std::array<std::uint8_t, kCells>;  // cell index 7 * column + row
constexpr std::uint8_t kUnreached = 0xFF;

// Where the square on each cell goes under each move.
std::array<Positions, kMoveCount> destinations() {
  std::array<Positions, kMoveCount> result{};
  for (int move = 0; move < kMoveCount; ++move) {
    const int line = move % kLines;
    for (int column = 0; column < kLines; ++column) {
      for (int row = 0; row < kLines; ++row) {
        int toColumn = column;
        int toRow = row;
        if (isColumnMove(move) ? column == line : row == line) {
          switch (move / kLines) {
            case 0:
              toRow = (row + kLines - 1) % kLines;
              break;
            case 1:
              toColumn = (column + 1) % kLines;
              break;
            case 2:
              toRow = (row + 1) % kLines;
              break;
            default:
              toColumn = (column + kLines - 1) % kLines;
              break;
          }
        }
        result[static_cast<std::size_t>(move)][static_cast<std::size_t>(kLines * column + row)] =
            static_cast<std::uint8_t>(kLines * toColumn + toRow);
      }
    }
  }
  return result;
}

constexpr std::size_t tripleIndex(std::size_t a, std::size_t b, std::size_t c) {
  return (a * kCells + b) * kCells + c;
}

class Cycles {
 public:
  Cycles() : to_(destinations()) {
    for (std::size_t move = 0; move < to_.size(); ++move) {
      for (std::size_t cell = 0; cell < kCells; ++cell)
        from_[move][to_[move][cell]] = static_cast<std::uint8_t>(cell);
    }
    // The base cycle: the square each cell's square reaches after the four moves.
    Positions after{};
    for (std::size_t cell = 0; cell < kCells; ++cell) {
      std::uint8_t at = static_cast<std::uint8_t>(cell);
      for (const int move : kBase) at = to_[static_cast<std::size_t>(move)][at];
      after[cell] = at;
    }
    std::size_t first = 0;
    while (after[first] == first) ++first;
    base_ = {static_cast<std::uint8_t>(first), after[first], after[after[first]]};
    findSetups();
  }

  // Moves that carry the square on `from` to `to`, the one on `to` to `third` and the one
  // on `third` to `from`, and leave every other square where it was.
  std::vector<int> cycle(std::uint8_t from, std::uint8_t to, std::uint8_t third) const {
    std::vector<int> setup;
    std::array<std::uint8_t, 3> at = {from, to, third};
    while (at != base_) {
      const std::uint8_t move = next_[tripleIndex(at[0], at[1], at[2])];
      setup.push_back(move);
      for (auto& cell : at) cell = to_[move][cell];
    }
    std::vector<int> moves = setup;
    moves.insert(moves.end(), kBase.begin(), kBase.end());
    for (auto it = setup.rbegin(); it != setup.rend(); ++it) moves.push_back(inverseMove(*it));
    return moves;
  }

 private:
  // Row 0 right, column 0 down, row 0 left, column 0 up: only the squares at three corners
  // move, (0,0) to (0,6) to (6,0) and back to (0,0).
  static constexpr std::array<int, 4> kBase = {1 * kLines, 2 * kLines, 3 * kLines, 0};

  // Backwards from the base cycle's squares: for every three squares, the first move of
  // a shortest way to bring them there.
  void findSetups() {
    next_.assign(static_cast<std::size_t>(kCells) * kCells * kCells, kUnreached);
    std::vector<std::array<std::uint8_t, 3>> frontier = {base_};
    next_[tripleIndex(base_[0], base_[1], base_[2])] = 0;
    for (std::size_t i = 0; i < frontier.size(); ++i) {
      const auto state = frontier[i];
      for (std::size_t move = 0; move < to_.size(); ++move) {
        const std::array<std::uint8_t, 3> before = {from_[move][state[0]], from_[move][state[1]],
                                                    from_[move][state[2]]};
        auto& entry = next_[tripleIndex(before[0], before[1], before[2])];
        if (entry != kUnreached) continue;
        entry = static_cast<std::uint8_t>(move);
        frontier.push_back(before);
      }
    }
  }

  std::array<Positions, kMoveCount> to_;
  std::array<Positions, kMoveCount> from_{};
  std::array<std::uint8_t, 3> base_{};
  std::vector<std::uint8_t> next_;
};

// Drops every move that its successor undoes, and whatever follows the first solved board:
// setup moves undone on a board already solved by columns keep it solved.
std::vector<Move> tidied(const Grid& grid, const std::vector<int>& moves) {
  std::vector<int> kept;
  for (const int move : moves) {
    if (!kept.empty() && kept.back() == inverseMove(move)) {
      kept.pop_back();
    } else {
      kept.push_back(move);
    }
  }
  std::vector<Move> result;
  Grid board = grid;
  for (const int move : kept) {
    if (board.solved()) break;
    board.apply(move);
    result.push_back(moveOf(move));
  }
  return result;
}

}  // namespace

std::vector<Move> cycleSolution(const Grid& grid) {
  static const Cycles cycles;
  std::array<std::uint8_t, kCells> cells = grid.cells();
  std::vector<int> moves;
  // Column c takes colour c; six columns filled in order leave the seventh right.
  constexpr std::uint8_t kLastCell = kCells - 1;
  for (std::uint8_t cell = 0; cell < kCells - kLines; ++cell) {
    const std::uint8_t wanted = cell / kLines;
    if (cells[cell] == wanted) continue;
    std::uint8_t source = cell + 1;
    while (cells[source] != wanted) ++source;
    const std::uint8_t third = source == kLastCell ? kLastCell - 1 : kLastCell;
    const std::vector<int> cycle = cycles.cycle(source, cell, third);
    moves.insert(moves.end(), cycle.begin(), cycle.end());
    const std::uint8_t moving = cells[source];
    cells[source] = cells[third];
    cells[third] = cells[cell];
    cells[cell] = moving;
  }
  return tidied(grid, moves);
}

}  // namespace zarvel::solver
