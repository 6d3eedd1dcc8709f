// Text to game and back. The parser checks everything before it answers, so a file that is
// not a whole game never reaches the screen.
#include "files/SavedGameText.h"

#include <array>
#include <charconv>
#include <vector>

namespace zarvel {
namespace {

constexpr std::string_view kHeader = "[zarvel]";
constexpr std::string_view kLineEnd = "\r\n";

void appendNumber(std::string& text, std::int32_t value) {
  const auto wide = static_cast<std::int64_t>(value);
  text += wide < 0 ? '-' : ' ';
  text += std::to_string(wide < 0 ? -wide : wide);
  text += ' ';
  text += kLineEnd;
}

std::string_view trimmed(std::string_view value) {
  const auto first = value.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return value.substr(first, value.find_last_not_of(" \t") - first + 1);
}

std::optional<std::int32_t> wholeNumber(std::string_view line) {
  const std::string_view value = trimmed(line);
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (value.empty() || error != std::errc() || end != value.data() + value.size()) {
    return std::nullopt;
  }
  return number;
}

// The first 52 lines of `text` without their line ends (LF or CR LF); the last may lack its
// end. nullopt when one of them is longer than a sound value can be.
std::optional<std::vector<std::string_view>> firstLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty() && lines.size() < kGameFileLines) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    if (line.size() > kLongestLine) return std::nullopt;
    lines.push_back(line);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

}  // namespace

std::string savedGameText(const SavedGame& game) {
  std::string text(kHeader);
  text += kLineEnd;
  appendNumber(text, game.layout);
  appendNumber(text, game.moves);
  for (const Colour colour : game.cells) appendNumber(text, colour);
  return text;
}

std::optional<SavedGame> parseSavedGame(std::string_view text) {
  const auto lines = firstLines(text);
  if (!lines || lines->size() < kGameFileLines || trimmed(lines->front()) != kHeader) {
    return std::nullopt;
  }
  std::array<std::int32_t, kGameFileLines - 1> values{};
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto value = wholeNumber((*lines)[i + 1]);
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  SavedGame game{values[0], values[1], {}};
  for (std::size_t cell = 0; cell < game.cells.size(); ++cell) {
    const std::int32_t colour = values[cell + 2];
    if (colour < 0 || colour > kLargestColour) return std::nullopt;
    game.cells[cell] = colour;
  }
  return game;
}

}  // namespace zarvel
