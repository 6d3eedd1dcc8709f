// Services for widget tests: message boxes answered by a recorder, windows counted.
#pragma once

#include "tests/engine/FakeScreen.h"
#include "ui/Services.h"

namespace zarvel::testing {

class FakeServices : public Services {
 public:
  MsgBox& msgBox() override { return msgBoxRecorder; }
  void showVictory(QWidget* /*owner*/) override { ++victories; }

  RecordingMsgBox msgBoxRecorder{MsgAnswer::Yes};
  int victories = 0;
};

}  // namespace zarvel::testing
