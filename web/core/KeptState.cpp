// One value a line after a version line, the saved game's own text last, so that the board
// is read by the same reader as a file.
#include "web/core/KeptState.h"

#include <charconv>
#include <cstdint>

#include "files/SavedGameText.h"

namespace zarvel::web {
namespace {

constexpr std::string_view kVersionLine = "zarvel-page-game 1";
// More moves than a player makes in a year of evenings; a longer list is damage.
constexpr std::size_t kMostMoves = 1'000'000;

// Reads the line at `at` (without its LF) and steps past it; nothing at the end.
std::optional<std::string_view> nextLine(std::string_view text, std::size_t& at) {
  if (at >= text.size()) return std::nullopt;
  const std::size_t end = text.find('\n', at);
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view line = text.substr(at, end - at);
  at = end + 1;
  return line;
}

// The whole numbers of `line`, separated by single spaces; nothing when anything else is there.
std::optional<std::vector<std::int64_t>> numbers(std::string_view line, std::size_t count) {
  std::vector<std::int64_t> values;
  const char* p = line.data();
  const char* const end = line.data() + line.size();
  while (values.size() < count) {
    std::int64_t value = 0;
    const auto [next, error] = std::from_chars(p, end, value);
    if (error != std::errc()) return std::nullopt;
    values.push_back(value);
    p = next;
    if (values.size() < count) {
      if (p == end || *p != ' ') return std::nullopt;
      ++p;
    }
  }
  if (p != end) return std::nullopt;
  return values;
}

}  // namespace

std::string keptText(const KeptState& state) {
  std::string text(kVersionLine);
  text += '\n';
  // A name with a line end in it would end its line early: such a name is not kept.
  text += (state.file.find('\n') == std::string::npos ? state.file : std::string()) + '\n';
  text += std::to_string(state.caged ? 1 : 0) + ' ' + std::to_string(state.made) + ' ' +
          std::to_string(state.moves.size()) + '\n';
  for (const MoveHistory::Played& move : state.moves) {
    text += std::to_string(move.bar) + ' ' + std::to_string(move.line) + ' ' +
            std::to_string(move.movesBefore) + ' ' + std::to_string(move.cagedBefore ? 1 : 0) +
            '\n';
  }
  return text + savedGameText(state.game);
}

std::optional<KeptState> parseKeptText(std::string_view text) {
  std::size_t at = 0;
  if (nextLine(text, at) != kVersionLine) return std::nullopt;
  KeptState state;
  const auto file = nextLine(text, at);
  if (!file) return std::nullopt;
  state.file = std::string(*file);
  const auto heading = nextLine(text, at);
  const auto counts = heading ? numbers(*heading, 3) : std::nullopt;
  if (!counts) return std::nullopt;
  const std::int64_t caged = (*counts)[0];
  const std::int64_t made = (*counts)[1];
  const std::int64_t count = (*counts)[2];
  if (caged < 0 || caged > 1 || count < 0 || count > static_cast<std::int64_t>(kMostMoves) ||
      made < 0 || made > count) {
    return std::nullopt;
  }
  state.caged = caged == 1;
  state.made = static_cast<std::size_t>(made);
  for (std::int64_t i = 0; i < count; ++i) {
    const auto line = nextLine(text, at);
    const auto move = line ? numbers(*line, 4) : std::nullopt;
    if (!move) return std::nullopt;
    const auto& v = *move;
    if (v[0] < 0 || v[0] >= kBars || v[1] < 0 || v[1] >= kLines || v[2] < INT32_MIN ||
        v[2] > INT32_MAX || v[3] < 0 || v[3] > 1) {
      return std::nullopt;
    }
    state.moves.push_back({static_cast<std::int32_t>(v[0]), static_cast<std::int32_t>(v[1]),
                           static_cast<std::int32_t>(v[2]), v[3] == 1});
  }
  // The saved game's text is the rest, whole: lines beyond its 52 are damage here.
  const std::string_view rest = text.substr(at);
  const auto game = parseSavedGame(rest);
  if (!game || rest != savedGameText(*game)) return std::nullopt;
  state.game = *game;
  return state;
}

}  // namespace zarvel::web
