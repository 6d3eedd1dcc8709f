// Saving the game.
#include "files/SaveFileM.h"

#include "files/CommandMessages.h"
#include "files/FileIo.h"
#include "files/GameFile.h"
#include "files/PoiskTochkiM.h"
#include "files/Utf8Path.h"

namespace zarvel {
namespace {

// A name that is there but cannot be looked through (a link the system will not follow)
// counts as taken. When it cannot be told at all whether something is there, nothing is
// asked: the write that follows reports the trouble.
bool somethingAt(const std::string& path) {
  return nameTaken(pathFromUtf8(path));
}

}  // namespace

std::string proposedSaveName(const Declare& declare) {
  return declare.ImjaFaila.empty() ? std::to_string(declare.NmRasklada) : declare.ImjaFaila;
}

bool asksBeforeReplacing(const std::string& path, const Declare& declare,
                         const std::function<bool()>& somethingThere) {
  return path != declare.ImjaFaila && somethingThere();
}

void SaveCurrentGame(Declare& declare, GameScreen& screen, FileCommandsUi& ui) {
  if (declare.ImjaFaila.empty()) {
    SaveGameAs(declare, screen, ui);
  } else {
    SaveGame(declare.ImjaFaila, declare, screen, ui);
  }
}

void SaveGameAs(Declare& declare, GameScreen& screen, FileCommandsUi& ui) {
  const std::string path = ui.OpenSaveDialog(true, proposedSaveName(declare));
  if (path.empty()) return;
  SaveGame(completeExtension(path, declare.Razdelitel), declare, screen, ui);
}

void SaveGame(const std::string& path, Declare& declare, GameScreen& screen, FileCommandsUi& ui) {
  if (asksBeforeReplacing(path, declare, [&path] { return somethingAt(path); }) &&
      ui.msgBox().show(replaceQuestion(path)) == MsgAnswer::No) {
    return;
  }
  const FileStatus status = WriteGameFile(path, declare, screen.picPole());
  if (status != FileStatus::Ok) {
    ui.msgBox().show(saveFailureMessage(status, path));
    return;
  }
  makeCurrentFile(path, declare, ui);
}

}  // namespace zarvel
