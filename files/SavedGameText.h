// The saved-game file's text, apart from any file: the header "[zarvel]", the layout number,
// the move counter and the 49 cell colours column by column, one value a line, each line
// ending in CR LF. A number is written with a space (or its minus sign) before it and a
// space after it; reading takes LF or CR LF and any spaces or tabs around a value.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/SavedGame.h"

namespace zarvel {

inline constexpr std::size_t kGameFileLines = 3 + kCells;  // 52
inline constexpr Colour kLargestColour = 0xFFFFFF;
// No sound value comes near this many characters; the line end does not count.
inline constexpr std::size_t kLongestLine = 256;
// The most a sound file's first 52 lines can take, CR LF line ends included.
inline constexpr std::size_t kLongestGameText = kGameFileLines * (kLongestLine + 2);

std::string savedGameText(const SavedGame& game);

// The game in the first 52 lines of `text` (lines after them are ignored), or nullopt when
// they are not a whole game: a wrong header, a line too long, too few lines, a value that
// is not a whole 32-bit number, or a colour outside 0 .. 0xFFFFFF.
std::optional<SavedGame> parseSavedGame(std::string_view text);

}  // namespace zarvel
