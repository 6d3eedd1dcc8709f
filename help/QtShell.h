// The desktop as Qt reaches it: QDesktopServices, which on Linux goes through xdg-open.
#pragma once

#include "help/Shell.h"

namespace zarvel {

class QtShell : public Shell {
 public:
  void ShellOpen(const std::string& document) override;
  void processPendingEvents() override;
};

}  // namespace zarvel
