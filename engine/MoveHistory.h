// The moves of the current game that can be taken back and made again. Taking a move back
// shifts its line the other way and puts back the counter and the mascot as they were
// before it; making it again is the same move as its arrow would make.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "engine/Declare.h"
#include "engine/GameScreen.h"

namespace zarvel {

class MoveHistory {
 public:
  // One move made, with what taking it back must put back.
  struct Played {
    std::int32_t bar;
    std::int32_t line;
    std::int32_t movesBefore;  // the counter may stand at its largest value and not grow
    bool cagedBefore;          // a winning move cages the mascot; taking it back frees him
  };

  // Makes the move of `bar` on `line` and remembers it; what could have been made again
  // after an undo is dropped. Like NewHod it returns after any victory window has closed.
  void play(Declare& declare, GameScreen& screen, std::int32_t bar, std::int32_t line);
  // Take back the last move, or make again the last one taken back; false when there is none.
  bool undo(Declare& declare, GameScreen& screen);
  bool redo(Declare& declare, GameScreen& screen);
  // A new game: nothing to take back or make again.
  void clear();

  bool canUndo() const { return made_ > 0; }
  bool canRedo() const { return made_ < moves_.size(); }
  // The bar and line that a redo would move; nothing when there is none.
  std::optional<std::pair<std::int32_t, std::int32_t>> nextRedo() const;

  // Every move remembered, and how many of them are on the board: what a page that is
  // loaded again needs to take them back. `restore` refuses moves no arrow makes.
  const std::vector<Played>& played() const { return moves_; }
  std::size_t made() const { return made_; }
  bool restore(std::vector<Played> moves, std::size_t made);

 private:
  std::vector<Played> moves_;
  std::size_t made_ = 0;  // moves_[0..made_) are on the board; the rest can be made again
};

// True when the mascot shows the caged picture.
bool mascotCaged(GameScreen& screen);

}  // namespace zarvel
