// What the command line asks of the game: nothing, a saved game to open, the usage or the
// version. Qt takes its own options out before this sees the arguments.
#pragma once

#include <string>
#include <vector>

namespace zarvel {

struct CommandLine {
  enum class Action { Play, Usage, Version, Refuse };
  Action action = Action::Play;
  std::string file;     // Play: the saved game to open, or empty
  std::string problem;  // Refuse: what is wrong, Russian then English, for stderr
};

// `arguments` without the program's name. Before Qt has taken its own options out
// (`qtOptionsLeft`), those and their values are passed over, so that a mistake is told
// at once, even where no display can be had.
CommandLine parseCommandLine(const std::vector<std::string>& arguments, bool qtOptionsLeft = false);

// The texts printed for --help and --version, each ending in a line end.
std::string usageText();
std::string versionText();

}  // namespace zarvel
