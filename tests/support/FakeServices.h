// Services for widget tests: the file commands' recorder, and the secondary windows and the
// desktop counted instead of shown.
#pragma once

#include <string>
#include <vector>

#include "tests/support/Recorders.h"
#include "ui/Services.h"

namespace zarvel::testing {

class FakeServices : public RecordingFileUiOf<Services> {
 public:
  void showVictory() override { ++victories; }
  void showRasklad(Declare& /*declare*/, GameScreen& /*screen*/) override { ++raskladDialogs; }
  void showAbout(const std::string& pagesFolder) override { aboutBoxes.push_back(pagesFolder); }
  Shell& shell() override { return desktop; }

  int victories = 0;
  int raskladDialogs = 0;
  std::vector<std::string> aboutBoxes;
  RecordingShell desktop;
};

}  // namespace zarvel::testing
