// "Сохранить" and "Сохранить как...": write the game to the current file or to a new one.
#pragma once

#include <functional>
#include <string>

#include "engine/Declare.h"
#include "engine/GameScreen.h"
#include "files/FileCommandsUi.h"

namespace zarvel {

// The name the save dialog proposes: the current file, or else the layout number.
std::string proposedSaveName(const Declare& declare);

// Whether saving at `path` first asks before it replaces what is there: only for a path
// other than the current file (exact comparison: the current file spelled in other letter
// case counts as another) where `somethingThere()`, which is asked only then.
bool asksBeforeReplacing(const std::string& path, const Declare& declare,
                         const std::function<bool()>& somethingThere);

// "Сохранить": the current file at once, or, when there is none, "Сохранить как...".
void SaveCurrentGame(Declare& declare, GameScreen& screen, FileCommandsUi& ui);

// Asks for a path with the save dialog, proposing the current file or else the layout
// number; a path without extension gets ".zrv".
void SaveGameAs(Declare& declare, GameScreen& screen, FileCommandsUi& ui);

// Saves at `path`, first asking before it replaces a file other than the current one;
// on success `path` becomes the current file and names the window.
void SaveGame(const std::string& path, Declare& declare, GameScreen& screen, FileCommandsUi& ui);

}  // namespace zarvel
