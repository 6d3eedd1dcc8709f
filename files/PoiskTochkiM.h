// Where a path's extension starts, and the ".zrv" that a path without one gets.
#pragma once

#include <string>

namespace zarvel {

// The 1-based position (in characters) of the dot that starts the extension of the last
// component of `path`, or 0 when it has none. The first three characters are never
// looked at: for a full path they are the drive, its colon and the first separator.
int PoiskTochki(const std::string& path, const std::string& razdelitel);

// `path` with ".zrv" appended when it has no extension; otherwise unchanged.
std::string completeExtension(const std::string& path, const std::string& razdelitel);

}  // namespace zarvel
