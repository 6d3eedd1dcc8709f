// The beam search: a layer of boards a move, each board's children ranked by the score,
// and the best new ones kept.
#include "solver/BeamSearch.h"

#include <algorithm>
#include <limits>

#include "solver/BeamScore.h"

namespace zarvel::solver {
namespace {

// The same move on the transposed board: columns become rows, up becomes left.
int transposedMove(int move) {
  return (3 - move / kLines) * kLines + move % kLines;
}

constexpr std::uint8_t kColumnGoal = 1;
constexpr std::uint8_t kRowGoal = 2;

// A board's squares, the move that made it and the goals it still plays for, in one
// cache line: the goals are known as soon as the squares are in the cache.
struct alignas(64) Squares {
  Grid grid;
  std::int8_t move = -1;
  std::uint8_t goals = kColumnGoal | kRowGoal;
};

// Row y's colours, byte x the one in column x.
Bytes rowColours(const Grid& grid, int y) {
  Bytes colours = 0;
  for (std::size_t x = 0; x < kLines; ++x) {
    colours |= Bytes{grid.at(static_cast<int>(x), y)} << (8 * x);
  }
  return colours;
}

// Squares on which a column differs from the one below it (cyclically), over all columns:
// byte y is non-zero when some column changes colour between rows y and y + 1.
Bytes rowBoundaries(const Grid& oriented) {
  Bytes boundaries = 0;
  for (const Bytes word : oriented.columnWords()) boundaries |= word ^ turnedDown(word);
  return boundaries;
}

// True if some single move might solve the board. A row move changes one row only, so
// it can complete the columns only if every column already agrees on the other six rows:
// colour changes at most at two neighbouring row boundaries. Likewise for the rows.
bool mayFinishInOneMove(const Grid& grid) {
  auto fewBoundaries = [](Bytes boundaries) {
    int count = 0;
    for (std::size_t y = 0; y < kLines; ++y) count += byteAt(boundaries, y) != 0;
    return count <= 2;
  };
  // Rows change colour between two columns exactly where the columns differ.
  const auto& words = grid.columnWords();
  int columnBoundaries = 0;
  for (std::size_t x = 0; x < kLines; ++x) columnBoundaries += words[x] != words[(x + 1) % kLines];
  return fewBoundaries(rowBoundaries(grid)) || columnBoundaries <= 2;
}

// A layer's boards. The places are made once and reused layer after layer, so that a
// board only writes the parts it uses: a goal given up is neither copied nor kept up to
// date. A board's squares, its first goal (the column goal if it plays for it, else the
// row goal) and its second (the row goal, if it plays for both) lie in three arrays, so
// that the nine boards in ten that play for one goal take up no more memory than that.
class Layer {
 public:
  explicit Layer(std::size_t capacity) : squares_(capacity), first_(capacity), second_(capacity) {}
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  void clear() { size_ = 0; }
  const Squares& squares(std::size_t i) const { return squares_[i]; }
  // The goals board i plays for, or null.
  const Goal* columns(std::size_t i) const {
    return (squares_[i].goals & kColumnGoal) != 0 ? &first_[i] : nullptr;
  }
  const Goal* rows(std::size_t i) const {
    const std::uint8_t goals = squares_[i].goals;
    if ((goals & kRowGoal) == 0) return nullptr;
    return (goals & kColumnGoal) != 0 ? &second_[i] : &first_[i];
  }
  // A new board's place: its parts to be written.
  std::size_t add() {
    if (size_ == squares_.size()) {
      squares_.resize(2 * size_ + 1);
      first_.resize(2 * size_ + 1);
      second_.resize(2 * size_ + 1);
    }
    return size_++;
  }
  Squares& squares(std::size_t i) { return squares_[i]; }
  Goal& first(std::size_t i) { return first_[i]; }
  Goal& second(std::size_t i) { return second_[i]; }
  void swap(Layer& other) {
    squares_.swap(other.squares_);
    first_.swap(other.first_);
    second_.swap(other.second_);
    std::swap(size_, other.size_);
  }
  // Asks for a board to be brought into the cache before it is needed: its squares first,
  // then, once they are there, the goals it plays for.
  void prefetchSquares(std::size_t i) const { prefetch(&squares_[i], sizeof(Squares)); }
  void prefetchGoals(std::size_t i) const {
    const std::uint8_t goals = squares_[i].goals;
    prefetch(&first_[i], sizeof(Goal));
    if (goals == (kColumnGoal | kRowGoal)) prefetch(&second_[i], sizeof(Goal));
  }

 private:
  static void prefetch(const void* from, std::size_t bytes) {
#if defined(__GNUC__)
    const char* begin = static_cast<const char*>(from);
    for (std::size_t i = 0; i < bytes; i += 64) __builtin_prefetch(begin + i);
    __builtin_prefetch(begin + bytes - 1);
#else
    (void)from;
    (void)bytes;
#endif
  }

  std::vector<Squares> squares_;
  std::vector<Goal> first_;
  std::vector<Goal> second_;
  std::size_t size_ = 0;
};

// How each kept board was made: its parent in the layer before, and the move.
struct Step {
  std::int32_t parent;
  std::int32_t move;
};

// The moves to board `index` of the last layer, read back through the parents.
std::vector<int> pathTo(const std::vector<std::vector<Step>>& layers, std::size_t index) {
  std::vector<int> path;
  for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer) {
    const Step& step = (*layer)[index];
    path.push_back(step.move);
    index = static_cast<std::size_t>(step.parent);
  }
  std::reverse(path.begin(), path.end());
  return path;
}

// Boards kept so far, by 32 bits of their hash; open addressing, made big enough at the
// start and grown at half full. Four bytes a board keep it small; two boards that share
// the bits (a few in a million deals) only cost the search one board.
class SeenSet {
 public:
  // Room for `boards` without growing, each growth being a pass of cache misses.
  explicit SeenSet(std::size_t boards) {
    std::size_t size = 1 << 12;
    while (size < 2 * boards) size *= 2;
    slots_.assign(size, 0);
  }
  void prefetch(std::uint64_t hash) const {
    const auto key = static_cast<std::uint32_t>(hash >> 32) | 1;
#if defined(__GNUC__)
    __builtin_prefetch(&slots_[key & (slots_.size() - 1)]);
#else
    (void)key;
#endif
  }
  // True if the board is new.
  bool insert(std::uint64_t hash) {
    const auto key = static_cast<std::uint32_t>(hash >> 32) | 1;  // zero marks an empty slot
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = key & mask;; i = (i + 1) & mask) {
      if (slots_[i] == key) return false;
      if (slots_[i] == 0) {
        slots_[i] = key;
        if (++size_ * 2 > slots_.size()) grow();
        return true;
      }
    }
  }

 private:
  void grow() {
    std::vector<std::uint32_t> old(slots_.size() * 2, 0);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const std::uint32_t key : old) {
      if (key == 0) continue;
      std::size_t i = key & mask;
      while (slots_[i] != 0) i = (i + 1) & mask;
      slots_[i] = key;
    }
  }

  std::vector<std::uint32_t> slots_;
  std::size_t size_ = 0;
};

// A child of the beam: its score, its parent's place in the layer and its move.
struct Candidate {
  std::int32_t score;
  std::int32_t parent;
  std::int32_t move;
};

// A child's score fits in 16 bits: every row scores at most the most of its two lookups.
constexpr int highestRowScore() {
  int low = 0;
  int high = 0;
  for (const std::int16_t value : kLowOffsets) low = std::max<int>(low, value);
  for (const std::int16_t value : kHighOffsets) high = std::max<int>(high, value);
  return low + high;
}
constexpr int kHighestScore = kLines * highestRowScore();
// Marks a child that is never made: the move that undoes the last one.
constexpr std::uint16_t kNoChild = std::numeric_limits<std::uint16_t>::max();
static_assert(kHighestScore < kNoChild);

// The children of a layer: every child's score, [parent * 28 + move], and how many
// children have each score. Only the best children are ranked, those up to a score that
// enough of them reach; the rest only if those run out. Ranked, children go by score,
// then by parent and move, as they were made, so the order does not depend on how much
// of it is worked out.
class Children {
 public:
  void clear(std::size_t parents) {
    scores_.resize(parents * kMoveCount);
    best_.resize(parents);
    parts_.assign(kParts * (static_cast<std::size_t>(kHighestScore) + 2), 0);
    counted_ = false;
  }
  void set(std::size_t parent, const std::array<int, kMoveCount>& scores, int undo) {
    std::array<std::uint16_t, kMoveCount> clamped{};
    for (std::size_t move = 0; move < kMoveCount; ++move) {
      clamped[move] = static_cast<std::uint16_t>(std::min(scores[move], kHighestScore));
    }
    // Neighbouring moves often score the same: four counts apart keep the additions from
    // waiting on each other. The move that undoes the last one is taken back out.
    std::int32_t* parts = parts_.data();
    for (std::size_t move = 0; move < kMoveCount; move += kParts) {
      for (std::size_t k = 0; k < kParts; ++k) ++parts[kParts * clamped[move + k] + k];
    }
    if (undo >= 0) {
      const auto u = static_cast<std::size_t>(undo);
      --parts[kParts * clamped[u] + u % kParts];
      clamped[u] = kNoChild;
    }
    std::uint16_t best = kNoChild;
    for (const std::uint16_t score : clamped) best = std::min(best, score);
    best_[parent] = best;
    std::copy(clamped.begin(), clamped.end(),
              scores_.begin() + static_cast<std::ptrdiff_t>(parent * kMoveCount));
  }
  // The lowest score that at least `wanted` children reach or beat.
  int scoreReachedBy(std::size_t wanted) {
    count();
    std::size_t sum = 0;
    for (int score = 0; score <= kHighestScore; ++score) {
      sum += static_cast<std::size_t>(counts_[static_cast<std::size_t>(score)]);
      if (sum >= wanted) return score;
    }
    return kHighestScore;
  }
  // The children scoring within [low, high], ranked. Every child is written, those out of
  // range to a spare place past the end, without a branch.
  void rank(int low, int high, std::vector<Candidate>& ranked) {
    count();
    starts_.assign(counts_.size(), 0);
    std::int32_t total = 0;
    for (int score = low; score <= high; ++score) {
      starts_[static_cast<std::size_t>(score)] = total;
      total += counts_[static_cast<std::size_t>(score)];
    }
    ranked.resize(static_cast<std::size_t>(total) + 1);
    for (std::size_t score = 0; score < starts_.size(); ++score) {
      if (static_cast<int>(score) < low || static_cast<int>(score) > high) starts_[score] = total;
    }
    starts_.push_back(total);  // where the children that are never made go
    for (std::size_t parent = 0; parent < best_.size(); ++parent) {
      if (best_[parent] > high) continue;  // as most boards in the layer
      const std::uint16_t* scores = scores_.data() + parent * kMoveCount;
      for (std::size_t move = 0; move < kMoveCount; ++move) {
        const std::size_t score = std::min<std::size_t>(scores[move], counts_.size());
        std::int32_t& start = starts_[score];
        ranked[static_cast<std::size_t>(start)] = {static_cast<std::int32_t>(score),
                                                   static_cast<std::int32_t>(parent),
                                                   static_cast<std::int32_t>(move)};
        start += static_cast<int>(start < total);
      }
    }
    ranked.pop_back();
  }

 private:
  void count() {
    if (counted_) return;
    counts_.assign(parts_.size() / kParts, 0);
    for (std::size_t i = 0; i < parts_.size(); ++i) counts_[i / kParts] += parts_[i];
    counted_ = true;
  }

  static constexpr std::size_t kParts = 4;
  static_assert(kMoveCount % kParts == 0);
  std::vector<std::uint16_t> scores_;
  std::vector<std::uint16_t> best_;   // [parent]: its best child's score
  std::vector<std::int32_t> parts_;   // [kParts * score + move % kParts]
  std::vector<std::int32_t> counts_;  // [score]
  bool counted_ = false;
  std::vector<std::int32_t> starts_;
};

constexpr int kDeepestBeam = 150;
// A goal scored this far behind the other is left alone: its targets are not improved.
// One this far behind is given up for good, since one move never brought it level on
// deals; nine boards in ten have given one up.
constexpr int kTargetsMargin = 4 * kTravelWeight;
constexpr int kScoringMargin = 20 * kTravelWeight;
// Which target columns suit the search best shows only after a few moves: the start is
// given the likeliest assignments of each goal, one board each, and the boards of the first
// layers play for whichever of them scores best. Sixteen found shorter solutions on deals
// than four, and more than sixteen or more layers no shorter ones for their time.
constexpr std::size_t kLikelyTargets = 16;
constexpr int kTargetChoiceLayers = 2;

// The goal with whichever of the likely targets scores lowest, if that is lower.
void adoptLikelyTargets(const Grid& oriented, const std::vector<Targets>& likely, Goal& goal) {
  for (const Targets& targets : likely) {
    Goal other;
    other.targets = targets;
    rescore(oriented, other);
    if (other.score < goal.score) goal = other;
  }
}
}  // namespace

std::optional<std::vector<int>> beamSearch(const Grid& start, int width) {
  Layer current(static_cast<std::size_t>(width));
  Layer next(static_cast<std::size_t>(width));
  const std::vector<Targets> likelyColumns = likelyTargets(start, kLikelyTargets);
  const std::vector<Targets> likelyRows = likelyTargets(start.transposed(), kLikelyTargets);
  for (std::size_t k = 0; k < likelyColumns.size(); ++k) {
    const std::size_t root = current.add();
    current.squares(root).grid = start;
    current.first(root).targets = likelyColumns[k];
    rescore(start, current.first(root));
    current.second(root).targets = likelyRows[std::min(k, likelyRows.size() - 1)];
    rescore(start.transposed(), current.second(root));
  }
  std::vector<std::vector<Step>> layers;  // the kept boards' steps, one layer per move
  // Most deals are solved within about 32 moves of `width` boards, and only boards kept
  // go into the set.
  SeenSet seen(static_cast<std::size_t>(width) * 32);
  seen.insert(start.hash());
  Children children;
  std::vector<Candidate> ranked;
  // How far down the ranking the last layer went to keep `width` new boards: this one
  // ranks a little more than that at first.
  std::size_t lastUsed = static_cast<std::size_t>(width);
  std::size_t used = 0;
  // Scores the layer's children, or finds a board of the layer that one move solves (the
  // first, by place and move): then the path to it.
  auto collect = [&]() -> std::optional<std::vector<int>> {
    children.clear(current.size());
    // The goals still played for are scored two at a time, for this board or the next.
    constexpr std::size_t kChunk = 32;
    std::array<const Goal*, 2 * kChunk + 1> goals{};
    std::array<std::array<int, kMoveCount>, 2 * kChunk + 1> scores{};
    for (std::size_t first = 0; first < current.size(); first += kChunk) {
      const std::size_t last = std::min(first + kChunk, current.size());
      std::size_t count = 0;
      for (std::size_t i = first; i < last; ++i) {
        // The layer is read in order, but its boards lie too far apart for the processor
        // to see that.
        if (i + 8 < current.size()) current.prefetchSquares(i + 8);
        if (i + 4 < current.size()) current.prefetchGoals(i + 4);
        const Squares& squares = current.squares(i);
        if (mayFinishInOneMove(squares.grid)) {
          for (int move = 0; move < kMoveCount; ++move) {
            Grid grid = squares.grid;
            grid.apply(move);
            if (!grid.solved()) continue;
            std::vector<int> path = pathTo(layers, i);
            path.push_back(move);
            return path;
          }
        }
        if (const Goal* columns = current.columns(i)) goals[count++] = columns;
        if (const Goal* rows = current.rows(i)) goals[count++] = rows;
      }
      goals[count] = goals[count - 1];
      for (std::size_t j = 0; j < count; j += 2) {
        if (!childScoresAvx2(*goals[j], *goals[j + 1], scores[j], scores[j + 1])) {
          childScores(*goals[j], scores[j]);
          childScores(*goals[j + 1], scores[j + 1]);
        }
      }
      std::size_t j = 0;
      for (std::size_t i = first; i < last; ++i) {
        const std::uint8_t played = current.squares(i).goals;
        std::array<int, kMoveCount> values{};
        values.fill(std::numeric_limits<int>::max());
        if ((played & kColumnGoal) != 0) values = scores[j++];
        // The row goal's moves come bar by bar in the opposite order (transposedMove).
        if ((played & kRowGoal) != 0) {
          const auto& rowScores = scores[j++];
          for (std::size_t bar = 0; bar < 4; ++bar) {
            for (std::size_t line = 0; line < kLines; ++line) {
              int& value = values[bar * kLines + line];
              value = std::min(value, rowScores[(3 - bar) * kLines + line]);
            }
          }
        }
        const int made = current.squares(i).move;
        children.set(i, values, made >= 0 ? inverseMove(made) : -1);
      }
    }
    return std::nullopt;
  };
  // Makes the ranked children into boards until `width` new ones are kept. The hash slot
  // of a child a few places ahead is fetched early, as the set outgrows the cache.
  constexpr std::size_t kAhead = 8;
  std::array<std::pair<Grid, std::uint64_t>, kAhead> ahead{};
  auto child = [&](std::size_t r) {
    if (r + kAhead < ranked.size())
      current.prefetchSquares(static_cast<std::size_t>(ranked[r + kAhead].parent));
    const Candidate& c = ranked[r];
    current.prefetchGoals(static_cast<std::size_t>(c.parent));
    Grid grid = current.squares(static_cast<std::size_t>(c.parent)).grid;
    grid.apply(c.move);
    const std::uint64_t hash = grid.hash();
    seen.prefetch(hash);
    ahead[r % kAhead] = {grid, hash};
  };
  auto keep = [&](std::vector<Step>& steps) {
    for (std::size_t r = 0; r < std::min(kAhead, ranked.size()); ++r) {
      current.prefetchSquares(static_cast<std::size_t>(ranked[r].parent));
    }
    for (std::size_t r = 0; r < std::min(kAhead, ranked.size()); ++r) child(r);
    for (std::size_t r = 0; r < ranked.size(); ++r) {
      if (next.size() == static_cast<std::size_t>(width)) {
        used += r;
        return;
      }
      const Candidate& c = ranked[r];
      const auto [grid, hash] = ahead[r % kAhead];
      if (r + kAhead < ranked.size()) child(r + kAhead);
      if (!seen.insert(hash)) continue;
      const auto parent = static_cast<std::size_t>(c.parent);
      const Squares& from = current.squares(parent);
      const Goal* fromColumns = current.columns(parent);
      const Goal* fromRows = current.rows(parent);
      const std::size_t k = next.add();
      Squares& to = next.squares(k);
      to.grid = grid;
      to.move = static_cast<std::int8_t>(c.move);
      to.goals = from.goals;
      Goal* columns = fromColumns != nullptr ? &next.first(k) : nullptr;
      Goal* rows = fromRows == nullptr  ? nullptr
                   : columns != nullptr ? &next.second(k)
                                        : &next.first(k);
      // A row move takes the squares of a row of the board (a column of its transpose)
      // to other columns; a column move does the same for the row goal.
      const auto line = static_cast<std::size_t>(c.move % kLines);
      if (columns != nullptr) {
        *columns = *fromColumns;
        if (!isColumnMove(c.move)) {
          moveTravels(*columns, rowColours(from.grid, c.move % kLines),
                      c.move / kLines == kBarRight);
        }
        update(*columns, c.move);
      }
      if (rows != nullptr) {
        *rows = *fromRows;
        if (isColumnMove(c.move)) {
          moveTravels(*rows, from.grid.columnWords()[line], c.move / kLines == kBarBottom);
        }
        update(*rows, transposedMove(c.move));
      }
      // A row move changes what the columns hold, a column move what the rows hold;
      // the goal whose lines changed may now be nearer with other targets.
      if (isColumnMove(c.move)) {
        if (rows != nullptr &&
            (columns == nullptr || rows->score <= columns->score + kTargetsMargin)) {
          improveTargets(grid, true, *rows);
        }
      } else if (columns != nullptr &&
                 (rows == nullptr || columns->score <= rows->score + kTargetsMargin)) {
        improveTargets(grid, *columns);
      }
      if (static_cast<int>(layers.size()) <= kTargetChoiceLayers) {
        if (columns != nullptr) adoptLikelyTargets(grid, likelyColumns, *columns);
        if (rows != nullptr) adoptLikelyTargets(grid.transposed(), likelyRows, *rows);
      }
      // A goal far behind the other is given up; the row goal then comes first.
      if (columns != nullptr && rows != nullptr) {
        if (columns->score > rows->score + kScoringMargin) {
          to.goals = kRowGoal;
          *columns = *rows;
        } else if (rows->score > columns->score + kScoringMargin) {
          to.goals = kColumnGoal;
        }
      }
      steps.push_back({c.parent, c.move});
    }
  };
  for (int depth = 0; depth < kDeepestBeam; ++depth) {
    if (auto path = collect()) return path;
    next.clear();
    std::vector<Step>& steps = layers.emplace_back();
    steps.reserve(static_cast<std::size_t>(width));
    used = 0;
    const int limit = children.scoreReachedBy(lastUsed + lastUsed / 4);
    children.rank(0, limit, ranked);
    keep(steps);
    if (next.size() < static_cast<std::size_t>(width)) {
      used = ranked.size();
      children.rank(limit + 1, kHighestScore, ranked);
      keep(steps);
    }
    lastUsed = std::max<std::size_t>(used, 1);
    if (next.empty()) return std::nullopt;
    current.swap(next);
  }
  return std::nullopt;
}

}  // namespace zarvel::solver
