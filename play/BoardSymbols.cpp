// Which symbol goes over which square.
#include "play/BoardSymbols.h"

#include "engine/Board.h"
#include "engine/Declare.h"

namespace zarvel {

std::optional<Shape> shapeOf(Colour colour) {
  for (std::size_t index = 0; index < kCvetaTable.size(); ++index)
    if (kCvetaTable[index] == colour) return kShapeOfColour[index];
  return std::nullopt;
}

std::vector<SymbolPlace> boardSymbols(const Picture& board) {
  std::vector<SymbolPlace> places;
  places.reserve(kCells);
  for (int row = 0; row < kLines; ++row)
    for (int column = 0; column < kLines; ++column) {
      if (const std::optional<Shape> shape = shapeOf(cellColour(board, column, row)))
        places.push_back({column, row, *shape});
    }
  return places;
}

bool SymbolsKey::press(std::uint32_t key, std::int64_t timeMs, bool markedRepeat) {
  // The arrows' keys wait a moment after a release; this key does not, so a key without a
  // time never pairs here, or its release would swallow the player's next press.
  const bool pairedWithRelease = timeMs != 0 && repeatsRelease(released_, key, timeMs);
  released_.reset();
  return !markedRepeat && !pairedWithRelease;
}

}  // namespace zarvel
