// Start-up facts for tests that start the main window: a portable copy of the program.
#pragma once

#include <string>

#include "ui/ProgramFolder.h"

namespace zarvel::testing {

// The program in `folder`, which the player may write, with the help page beside it.
inline PlaceFacts portableIn(const std::string& folder) {
  PlaceFacts facts;
  facts.reported = folder;
  facts.programFolderWritable = true;
  facts.helpBesideProgram = true;
  return facts;
}

}  // namespace zarvel::testing
