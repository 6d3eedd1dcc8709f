// The program folder and the path separator, fixed once at start-up.
#pragma once

#include <string>

namespace zarvel {

struct ProgramFolder {
  std::string PutProgrammy;  // always ends in Razdelitel
  std::string Razdelitel;    // "\\" if the reported folder holds one anywhere, else "/"
};

// `reported` is the executable's folder as the platform reports it, with native
// separators: no trailing separator, except for a drive's root (C:\).
ProgramFolder programFolder(const std::string& reported);

}  // namespace zarvel
