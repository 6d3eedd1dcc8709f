// Everything modal or outside the program that the main window starts: the file commands'
// dialogs, message boxes and title (the FileCommandsUi seam), the victory window, the
// layout-number dialog, the About box and the desktop. The application passes QtServices;
// tests pass recorders, so no test ever waits in a nested event loop.
#pragma once

#include <string>

#include "files/FileCommandsUi.h"
#include "help/Shell.h"

namespace zarvel {

struct Declare;
class GameScreen;

class Services : public FileCommandsUi {
 public:
  // The victory window, modally; returns once it is closed.
  virtual void showVictory() = 0;
  // The layout-number dialog, modally; "OK" deals the typed layout on `screen`.
  virtual void showRasklad(Declare& declare, GameScreen& screen) = 0;
  // The About box, modally; its link writes a page into `pagesFolder`.
  virtual void showAbout(const std::string& pagesFolder) = 0;
  // The desktop that opens documents (the help page, the site link).
  virtual Shell& shell() = 0;
};

}  // namespace zarvel
