// Opening a saved game.
#include "files/OpenFileM.h"

#include "files/CommandMessages.h"
#include "files/GameFile.h"
#include "files/PoiskTochkiM.h"

namespace zarvel {

void OpenGame(Declare& declare, GameScreen& screen, FileCommandsUi& ui) {
  const std::string path = ui.OpenSaveDialog(false, {});
  if (path.empty()) return;
  LoadGame(completeExtension(path, declare.Razdelitel), declare, screen, ui);
}

void LoadGame(const std::string& path, Declare& declare, GameScreen& screen, FileCommandsUi& ui) {
  const FileStatus status = ReadGameFile(path, declare, screen);
  if (status != FileStatus::Ok) {
    ui.msgBox().show(openFailureMessage(status, path));
    return;
  }
  makeCurrentFile(path, declare, ui);
}

}  // namespace zarvel
