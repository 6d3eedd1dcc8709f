// "Сохранить" and "Сохранить как...": write the game to the current file or to a new one.
#pragma once

#include <string>

#include "engine/Declare.h"
#include "engine/GameScreen.h"
#include "files/FileCommandsUi.h"

namespace zarvel {

// "Сохранить": the current file at once, or, when there is none, "Сохранить как...".
void SaveCurrentGame(Declare& declare, GameScreen& screen, FileCommandsUi& ui);

// Asks for a path with the save dialog, proposing the current file or else the layout
// number; a path without extension gets ".zrv".
void SaveGameAs(Declare& declare, GameScreen& screen, FileCommandsUi& ui);

// Saves at `path`, first asking before it replaces a file other than the current one;
// on success `path` becomes the current file and names the window.
void SaveGame(const std::string& path, Declare& declare, GameScreen& screen, FileCommandsUi& ui);

}  // namespace zarvel
