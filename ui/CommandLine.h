// What the command line asks of the game: nothing, a saved game to open, the usage or the
// version; and the hand-over of the arguments to Qt, which takes its own options out first.
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

// The hand-over to Qt. Qt is shown the program's name and what stands before "--" alone, so
// that a file named like one of its options stays the game's; it takes its own options out
// of that in place. The game then reads what Qt left and everything from "--" on, from
// `names`: each argument as the file functions take it (argumentNames()), never as Qt
// spelled it, which loses a file name that is no valid text.
class QtHandOver {
 public:
  // `argv` holds as many arguments as `names`, the program's name first.
  QtHandOver(char** argv, std::vector<std::string> names);
  QtHandOver(const QtHandOver&) = delete;
  QtHandOver& operator=(const QtHandOver&) = delete;

  // For QApplication, which keeps both as long as it lives.
  int& qtArgc() { return qtArgc_; }
  char** qtArgv() { return qtArgv_.data(); }

  // Before Qt has seen them: every argument, Qt's options passed over.
  CommandLine beforeQt() const;
  // Once Qt has taken its options out.
  CommandLine afterQt() const;

 private:
  std::vector<std::string>::const_iterator firstArgument() const;

  char** argv_;
  std::vector<std::string> names_;
  std::size_t ownFrom_;  // where "--" stands, or the end
  std::vector<char*> qtArgv_;
  int qtArgc_;
};

// The texts printed for --help and --version, and when there is no display to show the game
// on (Russian, then English), each ending in a line end.
std::string usageText();
std::string versionText();
std::string noDisplayText();

}  // namespace zarvel
