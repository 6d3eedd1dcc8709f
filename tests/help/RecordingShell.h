// A desktop that opens nothing: it keeps what it was asked to open, and lets a test
// look at the screen at that moment.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "help/OpURL.h"

namespace zarvel::testing {

class RecordingShell : public Shell {
 public:
  void ShellOpen(const std::string& document) override {
    opened.push_back(document);
    if (onOpen) onOpen();
  }
  void processPendingEvents() override { ++eventRounds; }

  std::vector<std::string> opened;
  int eventRounds = 0;
  std::function<void()> onOpen;  // runs while the document is being handed over
};

}  // namespace zarvel::testing
