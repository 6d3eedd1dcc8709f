// Services for widget tests: message boxes answered by a recorder, windows counted.
#pragma once

#include <string>
#include <vector>

#include "tests/engine/FakeScreen.h"
#include "tests/help/RecordingShell.h"
#include "ui/Services.h"

namespace zarvel::testing {

class FakeServices : public Services {
 public:
  MsgBox& msgBox() override { return msgBoxRecorder; }
  void showVictory(QWidget* /*owner*/) override { ++victories; }

  // Layout-number dialog, help and About.
  void showRasklad(Declare& /*declare*/, GameScreen& /*screen*/, QWidget* owner) override {
    ++raskladDialogs;
    dialogOwner = owner;
  }
  void showAbout(const std::string& PutProgrammy, QWidget* owner) override {
    aboutBoxes.push_back(PutProgrammy);
    dialogOwner = owner;
  }
  Shell& shell() override { return shellRecorder; }

  RecordingMsgBox msgBoxRecorder{MsgAnswer::Yes};
  int victories = 0;

  // File dialogs: each is recorded and answers chosenPath ("" is Cancel).
  struct DialogRequest {
    bool save;
    std::string initialName;
    std::string folder;
  };
  std::string OpenSaveDialog(QWidget* /*owner*/, bool save, const std::string& initialName,
                             const std::string& folder) override {
    dialogs.push_back({save, initialName, folder});
    return chosenPath;
  }
  std::vector<DialogRequest> dialogs;
  std::string chosenPath;

  int raskladDialogs = 0;
  std::vector<std::string> aboutBoxes;
  QWidget* dialogOwner = nullptr;
  RecordingShell shellRecorder;
};

}  // namespace zarvel::testing
