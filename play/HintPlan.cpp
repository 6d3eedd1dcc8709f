// Keeping and dropping the hint's solution.
#include "play/HintPlan.h"

namespace zarvel {

void HintPlan::moveMade(solver::Move move) {
  ++version_;
  if (next_ < moves_.size() && moves_[next_] == move) {
    ++next_;
  } else {
    moves_.clear();
    next_ = 0;
  }
}

void HintPlan::boardReplaced() {
  ++version_;
  moves_.clear();
  next_ = 0;
}

bool HintPlan::adopt(std::uint64_t version, std::vector<solver::Move> moves) {
  if (version != version_) return false;
  moves_ = std::move(moves);
  next_ = 0;
  return true;
}

std::optional<solver::Move> HintPlan::next() const {
  if (next_ >= moves_.size()) return std::nullopt;
  return moves_[next_];
}

}  // namespace zarvel
