// "Открыть": choose a saved game with the open dialog and load it.
#pragma once

#include <string>

#include "engine/Declare.h"
#include "engine/GameScreen.h"
#include "files/FileCommandsUi.h"

namespace zarvel {

// Asks for a file with the open dialog; a path without extension gets ".zrv".
void OpenGame(Declare& declare, GameScreen& screen, FileCommandsUi& ui);

// Loads the game at `path`; on success it becomes the current file and names the window,
// otherwise the failure is shown and everything stays as it was.
void LoadGame(const std::string& path, Declare& declare, GameScreen& screen, FileCommandsUi& ui);

}  // namespace zarvel
