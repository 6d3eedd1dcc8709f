// Services for widget tests: message boxes answered by a recorder, windows counted.
#pragma once

#include <string>

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
  int raskladDialogs = 0;
  std::vector<std::string> aboutBoxes;
  QWidget* dialogOwner = nullptr;
  RecordingShell shellRecorder;
};

}  // namespace zarvel::testing
