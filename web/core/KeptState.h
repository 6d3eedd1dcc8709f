// The game a browser keeps between visits of the page: the board and counters as a saved
// game holds them, the saved game's name, whether the gnome is caged, and the moves that
// can be taken back and made again. Text in, text out; a text that is not whole is no game.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/MoveHistory.h"
#include "engine/SavedGame.h"

namespace zarvel::web {

struct KeptState {
  SavedGame game;
  std::string file;  // ImjaFaila: the name the browser gave, or empty
  bool caged = false;
  std::vector<MoveHistory::Played> moves;
  std::size_t made = 0;
};

std::string keptText(const KeptState& state);

// The state of `text`, or nothing for a text of another version, a damaged one or one that
// holds what no game of this page can hold.
std::optional<KeptState> parseKeptText(std::string_view text);

}  // namespace zarvel::web
