// What the open and save commands need of the user interface: a path from the open or
// save dialog, message boxes, and the main window's title. The main window supplies
// them with Qt; tests supply recorders.
#pragma once

#include <string>

#include "files/MsgBox.h"

namespace zarvel {

class FileCommandsUi {
 public:
  virtual ~FileCommandsUi() = default;

  // Shows the save dialog (`save`) or the open dialog, starting in the program's folder
  // with `initialName` in the name box; the chosen full path (UTF-8), or "" on Cancel.
  virtual std::string OpenSaveDialog(bool save, const std::string& initialName) = 0;

  virtual MsgBox& msgBox() = 0;

  // Sets the main window's title (UTF-8).
  virtual void showTitle(const std::string& title) = 0;
};

}  // namespace zarvel
