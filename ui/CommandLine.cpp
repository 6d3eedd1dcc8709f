// Reading the command line.
#include "ui/CommandLine.h"

#include <algorithm>
#include <set>

namespace zarvel {
namespace {

CommandLine refuse(const std::string& russian, const std::string& english) {
  return {CommandLine::Action::Refuse,
          {},
          "zarvel: " + russian + "\nzarvel: " + english + "\nПодробнее / more: zarvel --help\n"};
}

// Qt's own options, with one dash or two; the first group takes a value.
const std::set<std::string> kQtOptionsWithValue = {"platform",
                                                   "platformpluginpath",
                                                   "platformtheme",
                                                   "plugin",
                                                   "qwindowgeometry",
                                                   "qwindowicon",
                                                   "qwindowtitle",
                                                   "session",
                                                   "display",
                                                   "geometry",
                                                   "style",
                                                   "stylesheet",
                                                   "name",
                                                   "title",
                                                   "visual",
                                                   "ncols",
                                                   "cmap"};
const std::set<std::string> kQtFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

std::string optionName(const std::string& argument) {
  const std::size_t dashes = argument.rfind("--", 0) == 0 ? 2 : 1;
  const std::string name = argument.substr(dashes);
  return name.substr(0, name.find('='));
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments, bool qtOptionsLeft) {
  CommandLine result;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool option = !optionsEnded && argument.size() > 1 && argument.front() == '-';
    if (option && qtOptionsLeft && kQtFlags.contains(optionName(argument))) continue;
    if (option && qtOptionsLeft && kQtOptionsWithValue.contains(optionName(argument))) {
      if (argument.find('=') == std::string::npos) ++i;
      continue;
    }
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
      return {CommandLine::Action::Usage, {}, {}};
    } else if (!optionsEnded && argument == "--version") {
      return {CommandLine::Action::Version, {}, {}};
    } else if (option) {
      return refuse("неизвестный параметр «" + argument + "»", "unknown option '" + argument + "'");
    } else if (argument.empty()) {
      return refuse("пустое имя файла", "empty file name");
    } else if (!result.file.empty()) {
      return refuse("открыть можно только один файл", "only one file can be opened");
    } else {
      result.file = argument;
    }
  }
  return result;
}

QtHandOver::QtHandOver(char** argv, std::vector<std::string> names)
    : argv_(argv), names_(std::move(names)) {
  ownFrom_ =
      static_cast<std::size_t>(std::find(firstArgument(), names_.cend(), "--") - names_.begin());
  qtArgv_.assign(argv, argv + ownFrom_);
  qtArgv_.push_back(nullptr);  // C's own convention, which Qt keeps
  qtArgc_ = static_cast<int>(ownFrom_);
}

std::vector<std::string>::const_iterator QtHandOver::firstArgument() const {
  return names_.cbegin() + (names_.empty() ? 0 : 1);  // past the program's name
}

CommandLine QtHandOver::beforeQt() const {
  return parseCommandLine({firstArgument(), names_.cend()}, true);
}

CommandLine QtHandOver::afterQt() const {
  std::vector<std::string> left;
  for (int i = 1; i < qtArgc_; ++i) {
    // Qt keeps the pointers it leaves, so each still tells which argument it was.
    const auto at = std::find(argv_, argv_ + ownFrom_, qtArgv_[static_cast<std::size_t>(i)]);
    left.push_back(names_[static_cast<std::size_t>(at - argv_)]);
  }
  left.insert(left.end(), names_.begin() + static_cast<std::ptrdiff_t>(ownFrom_), names_.end());
  return parseCommandLine(left);
}

std::string usageText() {
  return "Использование: zarvel [ФАЙЛ]\n"
         "Головоломка «Zarvel». С именем файла открывает эту сохранённую игру (.zrv).\n"
         "  --help     показать эту справку и выйти\n"
         "  --version  показать версию и выйти\n"
         "\n"
         "Usage: zarvel [FILE]\n"
         "The Zarvel puzzle. Given a file, opens that saved game (.zrv).\n"
         "  --help     show this help and exit\n"
         "  --version  show the version and exit\n";
}

std::string noDisplayText() {
  return "zarvel: нет экрана, на котором можно показать игру: запустите её в графическом сеансе\n"
         "zarvel: there is no display to show the game on: start it in a graphical session\n";
}

std::string versionText() {
  return "zarvel " ZARVEL_VERSION "\n";
}

}  // namespace zarvel
