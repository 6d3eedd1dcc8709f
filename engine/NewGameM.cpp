// Dealing layouts. The order of the steps is part of what a layout number means: the
// cells are dealt column by column, each taking values until its colour fits.
#include "engine/NewGameM.h"

#include "engine/SavedGame.h"

namespace zarvel {

void NewGame(Declare& declare, GameScreen& screen) {
  NewGame(declare, screen, secondsSinceMidnight());
}

void NewGame(Declare& declare, GameScreen& screen, double secondsSinceMidnight) {
  declare.rnd.seedFromSeconds(secondsSinceMidnight);
  declare.NmRasklada = declare.rnd.nextBelow(kLayoutCount);
  NewRasklad(declare, screen);
}

std::array<std::int32_t, kLines * kLines> dealColourIndices(Rnd& rnd) {
  std::array<int, kColours> used{};
  std::array<std::int32_t, kLines * kLines> indices{};
  for (auto& index : indices) {
    do {
      index = rnd.nextBelow(kColours);
    } while (used[static_cast<std::size_t>(index)] == kLines);
    ++used[static_cast<std::size_t>(index)];
  }
  return indices;
}

void NewRasklad(Declare& declare, GameScreen& screen) {
  declare.ImjaFaila.clear();
  declare.rnd.reseed(declare.NmRasklada);
  const auto indices = dealColourIndices(declare.rnd);
  SavedGame deal{declare.NmRasklada, 0, {}};
  for (std::size_t cell = 0; cell < deal.cells.size(); ++cell) {
    deal.cells[cell] = declare.Cveta[static_cast<std::size_t>(indices[cell])];
  }
  showGame(declare, screen, deal);
}

void chooseRasklad(Declare& declare, GameScreen& screen, std::int32_t number) {
  declare.NmRasklada = number;
  NewRasklad(declare, screen);
}

}  // namespace zarvel
