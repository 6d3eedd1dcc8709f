// Services for widget tests: message boxes answered by a recorder, windows counted.
#pragma once

#include <string>
#include <vector>

#include "tests/engine/FakeScreen.h"
#include "ui/Services.h"

namespace zarvel::testing {

class FakeServices : public Services {
 public:
  MsgBox& msgBox() override { return msgBoxRecorder; }
  void showVictory(QWidget* /*owner*/) override { ++victories; }

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
};

}  // namespace zarvel::testing
