// The values the whole program shares. One Declare is owned by the application and
// handed to every operation by reference, so each test starts from a clean one.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/Geometry.h"
#include "engine/Rnd.h"

namespace zarvel {

// The seven board colours from red to violet, as 0x00BBGGRR values.
inline constexpr std::array<Colour, kColours> kCvetaTable = {
    0x0000FF,  // red
    0x4080FF,  // orange
    0x00FFFF,  // yellow
    0x00FF00,  // green
    0xFFFF00,  // light blue
    0xFF0000,  // blue
    0xFF00FF,  // violet
};

struct Declare {
  std::int32_t NmRasklada = 0;  // current layout number
  std::int32_t NmHod = 0;       // moves made in the current game
  std::int32_t TekRjad = 0;     // row or column of the arrow last entered (7: no arrow)
  std::string ImjaFaila;        // full path of the current saved game, UTF-8; empty if none
  std::string PutProgrammy;     // program folder, UTF-8, ending in Razdelitel
  std::string Razdelitel;       // "\\" or "/"
  // Where saved games, the site link's pages and the help page are, ending in Razdelitel:
  // PutProgrammy for a portable copy, the player's own folders for an installed one.
  std::string gamesFolder;
  std::string pagesFolder;
  std::string helpFolder;
  std::array<Colour, kColours> Cveta{};  // filled once at start-up
  Rnd rnd;                               // the one process-wide generator
};

// Fills the colour table; start-up does this once, after the main window is shown.
inline void fillCveta(Declare& declare) {
  declare.Cveta = kCvetaTable;
}

}  // namespace zarvel
