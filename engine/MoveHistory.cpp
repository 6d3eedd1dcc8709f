// Undo and redo on the board's drawing.
#include "engine/MoveHistory.h"

#include "engine/Board.h"
#include "engine/NewHodM.h"

namespace zarvel {
namespace {

// The bar across the board moves the same line the other way.
constexpr std::int32_t oppositeBar(std::int32_t bar) {
  return (bar + 2) % kBars;
}

}  // namespace

bool mascotCaged(GameScreen& screen) {
  return screen.PicTrol().pixels() == screen.picKletka().pixels();
}

void MoveHistory::play(Declare& declare, GameScreen& screen, std::int32_t bar, std::int32_t line) {
  moves_.resize(made_);
  moves_.push_back({bar, line, declare.NmHod, mascotCaged(screen)});
  // Counted before the move: a victory window keeps it from returning for a while, and a key
  // pressed in the main window meanwhile must already see the move as made.
  ++made_;
  moveLine(declare, screen, bar, line);
}

bool MoveHistory::undo(Declare& declare, GameScreen& screen) {
  if (!canUndo()) return false;
  const Played& move = moves_[--made_];
  Sdvig(screen.picPole(), oppositeBar(move.bar), move.line);
  declare.NmHod = move.movesBefore;
  screen.showNmHod(declare.NmHod);
  if (!move.cagedBefore) freeMascot(screen);
  return true;
}

bool MoveHistory::redo(Declare& declare, GameScreen& screen) {
  if (!canRedo()) return false;
  const Played move = moves_[made_++];
  moveLine(declare, screen, move.bar, move.line);
  return true;
}

std::optional<std::pair<std::int32_t, std::int32_t>> MoveHistory::nextRedo() const {
  if (!canRedo()) return std::nullopt;
  return std::pair{moves_[made_].bar, moves_[made_].line};
}

bool MoveHistory::restore(std::vector<Played> moves, std::size_t made) {
  if (made > moves.size()) return false;
  for (const Played& move : moves) {
    if (move.bar < 0 || move.bar >= kBars || move.line < 0 || move.line >= kLines) return false;
  }
  moves_ = std::move(moves);
  made_ = made;
  return true;
}

void MoveHistory::clear() {
  moves_.clear();
  made_ = 0;
}

}  // namespace zarvel
