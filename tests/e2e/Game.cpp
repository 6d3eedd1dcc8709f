// Starting the game on its own X server and reading and driving it from outside.
#include "tests/e2e/Game.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <thread>

#include "files/Utf8Path.h"

namespace zarvel::e2e {
namespace {

namespace fs = std::filesystem;
using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

const std::string kMainTitle = "Головоломка «Zarvel»";
constexpr Rgb kBlack = rgb(0x000000);
constexpr Rgb kArrowGrey = rgb(0x808080);

// The environment of every program the suite starts: no desktop of the machine running
// the tests leaks in, settings and caches stay in the test's folder, and the stand-in
// for the desktop's opener comes first in PATH.
Environment childEnvironment(const std::string& display, const TempFolder& temp) {
  Environment environment = currentEnvironment();
  for (const char* name :
       {"DESKTOP_SESSION", "XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "XDG_SESSION_TYPE",
        "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "DBUS_SESSION_BUS_ADDRESS",
        "WAYLAND_DISPLAY", "XAUTHORITY", "BROWSER", "DEFAULT_BROWSER", "QT_QPA_PLATFORMTHEME",
        "QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI",
        "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_ENABLE_HIGHDPI_SCALING", "LANGUAGE"}) {
    environment.erase(name);
  }
  environment["DISPLAY"] = display;
  environment["QT_QPA_PLATFORM"] = "xcb";
  environment["LC_ALL"] = "C.UTF-8";
  environment["HOME"] = temp.file("home");
  environment["XDG_CONFIG_HOME"] = temp.file("home/.config");
  environment["XDG_DATA_HOME"] = temp.file("home/.local/share");
  environment["XDG_RUNTIME_DIR"] = temp.file("runtime");
  const auto path = environment.find("PATH");
  environment["PATH"] =
      temp.file("opener") + ":" + (path != environment.end() ? path->second : "/usr/bin:/bin");
  return environment;
}

// Reads the first line a program writes to `fd` once it is ready: the display number of
// Xvfb, the address of a D-Bus daemon.
std::optional<std::string> readFirstLine(int fd) {
  std::string text;
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (text.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd request{fd, POLLIN, 0};
    if (poll(&request, 1, static_cast<int>(left.count())) <= 0) return std::nullopt;
    char buffer[32];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got <= 0) return std::nullopt;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return text.substr(0, text.find('\n'));
}

// Every `step`-th pixel of `image` in both directions: a picture of the game's own pixels
// when the game runs at `step` device pixels a pixel.
Image everyNth(const Image& image, int step) {
  if (step == 1) return image;
  Image sampled(image.width() / step, image.height() / step);
  for (int y = 0; y < sampled.height(); ++y)
    for (int x = 0; x < sampled.width(); ++x) sampled.set(x, y, image.at(step * x, step * y));
  return sampled;
}

bool gridAt(const Image& window, int top) {
  using namespace layout;
  if (window.width() < kBoard.x + kBoard.width || window.height() < top + kClientHeight) {
    return false;
  }
  const int left = kBoard.x;
  const int boardTop = top + kBoard.y;
  if (window.at(left, boardTop - 1) != kBackground ||
      window.at(left - 1, boardTop) != kBackground) {
    return false;
  }
  for (int line = 0; line <= 7; ++line) {
    for (int along = 0; along < kBoard.width; ++along) {
      if (window.at(left + kPitch * line, boardTop + along) != kBlack ||
          window.at(left + along, boardTop + kPitch * line) != kBlack) {
        return false;
      }
    }
  }
  return true;
}

std::string describe(const std::array<std::array<Look, 7>, 4>& looks) {
  std::ostringstream out;
  for (std::size_t bar = 0; bar < looks.size(); ++bar) {
    out << "\n  bar " << bar << ":";
    for (const Look look : looks[bar]) out << ' ' << toString(look);
  }
  return out.str();
}

// The look of one arrow in a picture of the client area.
Look lookIn(const Image& client, int bar, int segment) {
  const Rect& box = layout::kBars[static_cast<std::size_t>(bar)];
  const bool horizontal = bar == 0 || bar == 2;
  const int along = layout::kPitch * segment + 1;
  const Rect square{box.x + (horizontal ? along : 0), box.y + (horizontal ? 0 : along),
                    layout::kSquare, layout::kSquare};
  if (client.width() < square.x + square.width || client.height() < square.y + square.height) {
    return Look::Unknown;
  }
  const Image image = client.crop(square);
  const Rect all{0, 0, layout::kSquare, layout::kSquare};
  const int grey = image.count(all, kArrowGrey);
  int black = 0;
  int left = layout::kSquare;
  int right = -1;
  int top = layout::kSquare;
  int bottom = -1;
  for (int y = 0; y < layout::kSquare; ++y) {
    for (int x = 0; x < layout::kSquare; ++x) {
      if (image.at(x, y) != kBlack) continue;
      ++black;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  // Every pixel is the bar's ground or the arrow's one colour; the grey arrow and the
  // large black one fill about a third of the square, the small one about a ninth.
  const int ground = image.count(all, layout::kBackground);
  const int extent = std::max(right - left, bottom - top) + 1;
  if (ground + grey + black != layout::kSquare * layout::kSquare) return Look::Unknown;
  if (black == 0 && grey >= 400) return Look::Plain;
  if (grey == 0 && black >= 400 && extent >= 37) return Look::Highlighted;
  if (grey == 0 && black >= 100 && black <= 250 && extent <= 23) return Look::Pressed;
  return Look::Unknown;
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds patience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

WindowManager windowManagerOfThisRun() {
  const char* value = std::getenv("ZARVEL_E2E_WM");
  return value != nullptr && std::string(value) == "openbox" ? WindowManager::Openbox
                                                             : WindowManager::None;
}

std::string toString(const Board& board) {
  std::ostringstream out;
  for (int row = 0; row < 7; ++row) {
    out << "\n ";
    for (int column = 0; column < 7; ++column) out << ' ' << e2e::toString(board.at(column, row));
  }
  return out.str();
}

void PrintTo(const Board& board, std::ostream* out) {
  *out << toString(board);
}

Board shifted(const Board& board, int bar, int line) {
  Board result = board;
  for (int i = 0; i < 7; ++i) {
    switch (bar) {
      case 0:
        result.at(line, i) = board.at(line, (i + 1) % 7);
        break;
      case 1:
        result.at(i, line) = board.at((i + 6) % 7, line);
        break;
      case 2:
        result.at(line, i) = board.at(line, (i + 6) % 7);
        break;
      default:
        result.at(i, line) = board.at((i + 1) % 7, line);
        break;
    }
  }
  return result;
}

Board oneMoveFromSolved(int row) {
  Board solved;
  for (int column = 0; column < 7; ++column) {
    for (int r = 0; r < 7; ++r) solved.at(column, r) = kColours[static_cast<std::size_t>(column)];
  }
  return shifted(solved, 1, row);
}

std::string savedGameText(int layoutNumber, int moves, const Board& board) {
  const auto number = [](long long value) {
    return (value < 0 ? "-" : " ") + std::to_string(value < 0 ? -value : value) + " \r\n";
  };
  std::string text = "[zarvel]\r\n" + number(layoutNumber) + number(moves);
  for (const Rgb cell : board.cells) {
    text += number(static_cast<long long>(cell.r) | (static_cast<long long>(cell.g) << 8) |
                   (static_cast<long long>(cell.b) << 16));
  }
  return text;
}

std::string toString(Look look) {
  switch (look) {
    case Look::Plain:
      return "grey";
    case Look::Highlighted:
      return "BLACK";
    case Look::Pressed:
      return "small";
    default:
      return "??";
  }
}

Game::Game(WindowManager windowManager, Origin origin, int scale)
    : windowManager_(windowManager), origin_(origin), scale_(scale) {}

AssertionResult Game::copyProgram() {
  gameFolder_ = temp_.file("game");
  program_ = gameFolder_ + "/zarvel";
  std::error_code error;
  fs::create_directories(gameFolder_, error);
  fs::copy_file(ZARVEL_E2E_PROGRAM, program_, error);
  if (error) return AssertionFailure() << "cannot copy " << ZARVEL_E2E_PROGRAM;
  fs::copy_file(pathFromUtf8(ZARVEL_E2E_HELP_PAGE), pathFromUtf8(gameFolder_ + "/Справка.html"),
                error);
  if (error) return AssertionFailure() << "cannot copy " << ZARVEL_E2E_HELP_PAGE;
  return AssertionSuccess();
}

// Installs the build into a prefix of its own and finds the program the way the desktop
// does: the command of the menu entry, looked up in the installation's program folder,
// which is then made read-only, as a system folder is to a player.
AssertionResult Game::install() {
  prefix_ = temp_.file("prefix/usr");
  Process installer({ZARVEL_E2E_CMAKE, "--install", ZARVEL_E2E_BUILD, "--prefix", prefix_},
                    currentEnvironment(), temp_.file("install.log"), {});
  if (!waitUntil([&] { return !installer.running(); }) || installer.exitStatus() != 0) {
    return AssertionFailure() << "cmake --install failed:\n" << readFile(temp_.file("install.log"));
  }
  const std::string entry = readFile(prefix_ + "/share/applications/" ZARVEL_E2E_ID ".desktop");
  const std::size_t exec = entry.find("\nExec=");
  if (exec == std::string::npos) return AssertionFailure() << "the menu entry has no Exec line";
  const std::size_t start = exec + 6;
  const std::string command = entry.substr(start, entry.find_first_of(" \n", start) - start);
  for (const char* folder : {"/bin", "/games"}) {
    if (fs::exists(prefix_ + folder + "/" + command)) gameFolder_ = prefix_ + folder;
  }
  if (gameFolder_.empty()) return AssertionFailure() << "no installed program " << command;
  program_ = gameFolder_ + "/" + command;
  std::error_code error;
  fs::permissions(gameFolder_,
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove, error);
  return AssertionSuccess();
}

Game::~Game() {
  // The game first, while its X server still runs, so that it ends cleanly.
  game_.stop();
  openbox_.stop();
  bus_.stop();  // the accessibility bus it started ends with it
  x_.reset();
  xvfb_.stop();
  // The temporary folder goes, the read-only program folder of an installation with it.
  if (origin_ == Origin::Installation && !gameFolder_.empty()) {
    std::error_code error;
    fs::permissions(gameFolder_, fs::perms::owner_write, fs::perm_options::add, error);
  }
}

AssertionResult Game::start(const std::vector<std::string>& arguments) {
  std::error_code error;
  for (const char* folder : {"opener", "home", "runtime"}) {
    fs::create_directories(temp_.file(folder), error);
  }
  home_ = temp_.file("home");
  fs::permissions(temp_.file("runtime"), fs::perms::owner_all, error);
  if (AssertionResult ready = origin_ == Origin::Installation ? install() : copyProgram(); !ready) {
    return ready;
  }
  const std::string opener = temp_.file("opener/xdg-open");
  writeFile(opener,
            "#!/bin/sh\n"
            "# Stands in for the desktop's opener: notes what it was asked to open.\n"
            "printf '%s\\n' \"$*\" >> '" +
                temp_.file("opened.txt") + "'\n");
  fs::permissions(opener, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read,
                  error);

  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return AssertionFailure() << "cannot make a pipe";
  const std::string screenSize =
      std::to_string(1024 * scale_) + "x" + std::to_string(768 * scale_) + "x24";
  xvfb_ = Process({ZARVEL_E2E_XVFB, "-displayfd", "3", "-screen", "0", screenSize, "-nolisten",
                   "tcp", "-noreset"},
                  currentEnvironment(), temp_.file("xvfb.log"), {}, pipeFds[1]);
  close(pipeFds[1]);
  const auto number = readFirstLine(pipeFds[0]);
  close(pipeFds[0]);
  if (!number) return AssertionFailure() << "Xvfb did not start:\n" << logs();
  const std::string display = ":" + *number;
  x_ = std::make_unique<XDisplay>(display);
  if (!x_->connected()) return AssertionFailure() << "cannot connect to " << display;
  // The pointer rests off the window until a test moves it.
  x_->movePointer({1, 1});

  environment_ = childEnvironment(display, temp_);
  if (scale_ != 1) environment_["QT_SCALE_FACTOR"] = std::to_string(scale_);
  if (screenReaderReady_) {
    // The accessibility bus and its registry are started by this session bus on demand.
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return AssertionFailure() << "cannot make a pipe";
    bus_ = Process({ZARVEL_E2E_DBUS, "--session", "--nofork", "--nopidfile", "--print-address=3"},
                   environment_, temp_.file("dbus.log"), {}, pipeFds[1]);
    close(pipeFds[1]);
    const auto address = readFirstLine(pipeFds[0]);
    close(pipeFds[0]);
    if (!address) return AssertionFailure() << "dbus-daemon did not start:\n" << logs();
    environment_["DBUS_SESSION_BUS_ADDRESS"] = *address;
    environment_["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1";
    screenReaderReady_(*address);
  }
  const Environment& environment = environment_;
  if (windowManager_ == WindowManager::Openbox) {
    openbox_ = Process({ZARVEL_E2E_OPENBOX, "--sm-disable"}, environment, temp_.file("openbox.log"),
                       temp_.file("home"));
    // Ready once it frames a window of ours. Openbox announces itself before it handles
    // requests and never manages a window mapped in between (the first probe is always
    // lost), so a probe that stays bare for a while is given up and another one tried.
    const bool managing = waitUntil(
        [&] { return x_->windowManagerName() == "Openbox" && x_->windowGetsFramed(250); });
    if (!managing) return AssertionFailure() << "openbox does not manage windows:\n" << logs();
  }

  // A portable copy is started in its own folder, an installed game from the player's home,
  // as a menu entry starts it.
  std::vector<std::string> command{program_};
  command.insert(command.end(), arguments.begin(), arguments.end());
  game_ = Process(command, environment, temp_.file("zarvel.log"),
                  origin_ == Origin::Installation ? home_ : gameFolder_);
  const bool shown = waitUntil([&] {
    for (const Window window : x_->windowsOf(game_.pid())) {
      // A saved game named on the command line may have put its name in the title already.
      if (x_->title(window).rfind(kMainTitle, 0) != 0) continue;
      // A window manager must have framed it before its place is final.
      if (windowManager_ == WindowManager::Openbox && x_->parent(window) == x_->root()) continue;
      main_ = window;
      return true;
    }
    return false;
  });
  if (!shown) {
    const auto status = game_.exitStatus();
    return AssertionFailure() << "no window titled \"" << kMainTitle << "\" appeared; the game "
                              << (status ? "ended with " + std::to_string(*status) : "runs")
                              << ", openbox " << (openbox_.running() ? "runs" : "ended") << "\n"
                              << describeWindows() << logs();
  }
  // The game centres its window again once the window manager has framed it; its place is
  // final when the frame sits in the middle of the screen.
  if (windowManager_ == WindowManager::Openbox) {
    const Rect screen = x_->screen();
    const bool centred = waitUntil([&] {
      const Rect frame = x_->frame(main_);
      return std::abs(2 * frame.x + frame.width - screen.width) <= 4 &&
             std::abs(2 * frame.y + frame.height - screen.height) <= 4;
    });
    if (!centred) {
      return AssertionFailure() << "the main window was not centred with its frame, at "
                                << toString(x_->frame(main_)) << "\n"
                                << logs();
    }
  }
  if (AssertionResult found = findClientArea(); !found) return found;
  if (!waitUntil([&] { return static_cast<bool>(boardIsDrawn()); })) {
    return AssertionFailure() << "the first deal did not appear: " << boardIsDrawn().message();
  }
  return waitForFocus(main_);
}

AssertionResult Game::findClientArea() {
  // The menu bar's height belongs to the style and fonts, so it is found by looking:
  // the client area starts where the board's black grid lies at its place.
  const bool found = waitUntil([&] {
    const Image window = everyNth(x_->grab(x_->area(main_)), scale_);
    for (int top = 0; top <= 80; ++top) {
      if (gridAt(window, top)) {
        menuBar_ = top;
        return true;
      }
    }
    return false;
  });
  if (!found) {
    return AssertionFailure() << "the board's grid is nowhere in the main window at "
                              << toString(x_->area(main_));
  }
  return AssertionSuccess();
}

Rect Game::client() const {
  const Rect window = x_->area(main_);
  return {window.x, window.y + scale_ * menuBar_, window.width, window.height - scale_ * menuBar_};
}

Point Game::onClient(Point inClient) const {
  const Rect area = client();
  return {area.x + scale_ * inClient.x, area.y + scale_ * inClient.y};
}

Rect Game::onScreen(const Rect& inClient) const {
  const Point corner = onClient(inClient.topLeft());
  return {corner.x, corner.y, scale_ * inClient.width, scale_ * inClient.height};
}

Point Game::arrow(int bar, int segment) {
  // A pointer that left the window and jumps straight back to the very pixel where Qt
  // last saw it inside can go unnoticed (no move event reaches the bar), so each visit
  // lands on a slightly different pixel of the arrow, as a hand would anyway.
  static constexpr std::array<Point, 9> kNear{
      {{0, 0}, {1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}, {-1, -1}, {1, -1}, {-1, 1}}};
  const Point near = kNear[static_cast<std::size_t>(arrowVisits_++) % kNear.size()];
  const Rect& box = layout::kBars[static_cast<std::size_t>(bar)];
  const int along = layout::kPitch * segment + 1 + layout::kSquare / 2;
  const bool horizontal = bar == 0 || bar == 2;
  return onClient({box.x + (horizontal ? along : layout::kSquare / 2) + near.x,
                   box.y + (horizontal ? layout::kSquare / 2 : along) + near.y});
}

Image Game::clientImage() {
  return everyNth(x_->grab(client()), scale_);
}

Board Game::board() {
  const Image image = clientImage();
  Board board;
  if (image.width() < layout::kClientWidth || image.height() < layout::kClientHeight) return board;
  for (int column = 0; column < 7; ++column) {
    for (int row = 0; row < 7; ++row) {
      board.at(column, row) = image.at(layout::kBoard.x + 1 + layout::kPitch * column + 19,
                                       layout::kBoard.y + 1 + layout::kPitch * row + 19);
    }
  }
  return board;
}

AssertionResult Game::boardIsDrawn() {
  const Image image = clientImage();
  if (!gridAt(image, 0)) return AssertionFailure() << "the board's black grid is not whole";
  std::array<int, 7> perColour{};
  for (int column = 0; column < 7; ++column) {
    for (int row = 0; row < 7; ++row) {
      const int left = layout::kBoard.x + 1 + layout::kPitch * column;
      const int top = layout::kBoard.y + 1 + layout::kPitch * row;
      const Rgb colour = image.at(left + 19, top + 19);
      const int last = layout::kSquare - 1;
      for (const Point corner : {Point{0, 0}, Point{last, 0}, Point{0, last}, Point{last, last}}) {
        if (image.at(left + corner.x, top + corner.y) != colour) {
          return AssertionFailure() << "cell (" << column << ", " << row << ") is not one colour";
        }
      }
      const auto known = std::find(kColours.begin(), kColours.end(), colour);
      if (known == kColours.end()) {
        return AssertionFailure() << "cell (" << column << ", " << row << ") shows "
                                  << toString(colour) << ", not a board colour";
      }
      ++perColour[static_cast<std::size_t>(known - kColours.begin())];
    }
  }
  for (std::size_t colour = 0; colour < perColour.size(); ++colour) {
    if (perColour[colour] != 7) {
      return AssertionFailure() << toString(kColours[colour]) << " covers " << perColour[colour]
                                << " cells, not 7";
    }
  }
  return AssertionSuccess();
}

AssertionResult Game::waitForOnlyLook(int bar, int segment, Look expected,
                                      std::chrono::milliseconds patience) {
  std::array<std::array<Look, 7>, 4> seen{};
  const auto shown = [&] {
    bool all = true;
    const Image client = clientImage();
    for (int b = 0; b < 4; ++b) {
      for (int s = 0; s < 7; ++s) {
        seen[static_cast<std::size_t>(b)][static_cast<std::size_t>(s)] = lookIn(client, b, s);
      }
      for (int s = 0; s < 7; ++s) {
        const Look wanted = b == bar && s == segment ? expected : Look::Plain;
        all = all && seen[static_cast<std::size_t>(b)][static_cast<std::size_t>(s)] == wanted;
      }
    }
    return all;
  };
  const bool ok = waitUntil(shown, patience);
  if (ok) return AssertionSuccess();
  return AssertionFailure() << "expected arrow " << segment << " of bar " << bar << " to look "
                            << toString(expected) << " and all others grey; the screen shows"
                            << describe(seen);
}

AssertionResult Game::waitForAllPlain() {
  return waitForOnlyLook(0, -1, Look::Plain);
}

std::optional<std::array<int, 2>> Game::waitForBlink() {
  std::optional<std::array<int, 2>> pressed;
  const bool blinked = waitUntil([&] {
    const Image client = clientImage();
    pressed.reset();
    int others = 0;
    for (int b = 0; b < 4; ++b) {
      for (int s = 0; s < 7; ++s) {
        const Look look = lookIn(client, b, s);
        if (look == Look::Pressed && !pressed) {
          pressed = std::array<int, 2>{b, s};
        } else if (look != Look::Plain) {
          ++others;
        }
      }
    }
    return pressed && others == 0;
  });
  return blinked ? pressed : std::nullopt;
}

AssertionResult Game::waitForBoard(const Board& expected) {
  Board seen;
  if (waitUntil([&] { return (seen = board()) == expected; })) return AssertionSuccess();
  return AssertionFailure() << "expected the board" << toString(expected) << "\nbut it shows"
                            << toString(seen);
}

AssertionResult Game::waitForImage(const std::function<Image()>& grab, const Image& expected) {
  Image seen;
  if (waitUntil([&] { return (seen = grab()) == expected; })) return AssertionSuccess();
  return AssertionFailure() << "the screen shows another picture: " << differences(seen, expected);
}

Image Game::layoutNumberImage() {
  return x_->grab(onScreen(layout::kLayoutNumber));
}
Image Game::moveNumberImage() {
  return x_->grab(onScreen(layout::kMoveNumber));
}
Image Game::mascotImage() {
  return x_->grab(onScreen(layout::kMascot));
}

std::optional<Window> Game::waitForDialog(const std::optional<std::string>& title) {
  Window found = 0;
  waitUntil([&] {
    const auto windows = x_->windowsOf(game_.pid());
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
      if (*it == main_ || x_->overrideRedirect(*it)) continue;
      if (title && x_->title(*it) != *title) continue;
      if (windowManager_ == WindowManager::Openbox && x_->parent(*it) == x_->root()) continue;
      found = *it;
      return true;
    }
    return false;
  });
  if (found == 0) return std::nullopt;
  return found;
}

AssertionResult Game::waitUntilGone(Window window) {
  const bool gone = waitUntil([&] {
    if (x_->viewable(window)) return false;
    const Window parent = x_->parent(window);  // 0 once the window no longer exists
    return windowManager_ == WindowManager::None || parent == 0 || parent == x_->root();
  });
  if (gone) return AssertionSuccess();
  return AssertionFailure() << "the window \"" << x_->title(window) << "\" did not close";
}

AssertionResult Game::waitForNoPopUps() {
  const auto none = [&] {
    const auto windows = x_->windowsOf(game_.pid());
    return std::none_of(windows.begin(), windows.end(),
                        [&](Window window) { return x_->overrideRedirect(window); });
  };
  if (waitUntil(none)) return AssertionSuccess();
  return AssertionFailure() << "a pop-up of the game stays open\n" << describeWindows();
}

AssertionResult Game::waitForFocus(Window window) {
  if (waitUntil([&] { return x_->focus() == window; })) return AssertionSuccess();
  return AssertionFailure() << "the keyboard focus did not come to \"" << x_->title(window)
                            << "\" (it is on window " << x_->focus() << ", \""
                            << x_->title(x_->focus()) << "\")";
}

AssertionResult Game::waitForTitle(Window window, const std::string& expected) {
  if (waitUntil([&] { return x_->title(window) == expected; })) return AssertionSuccess();
  return AssertionFailure() << "the title is \"" << x_->title(window) << "\", not \"" << expected
                            << "\"";
}

AssertionResult Game::focusMainWindow() {
  // Qt lets a click activate a window only when it knows the window is not active, which it
  // learns a moment after another program took the focus: a click that came too soon is
  // followed by another.
  int looks = 0;
  const bool focused = waitUntil([&] {
    if (x_->focus() == main_) return true;
    if (looks++ % 25 == 0) x_->click(onClient(layout::kBanner));
    return false;
  });
  return focused ? AssertionSuccess() : waitForFocus(main_);
}

namespace {

// Opens a command's dialog with `keys` and waits until it has the keyboard focus.
std::optional<Window> openDialog(Game& game, const std::string& keys, const std::string& title,
                                 AssertionResult& result) {
  result = game.focusMainWindow();
  if (!result) return std::nullopt;
  game.x().key(keys);
  const auto dialog = game.waitForDialog(title);
  if (!dialog) {
    result = AssertionFailure() << keys << " opened no window titled \"" << title << "\"";
    return std::nullopt;
  }
  result = game.waitForFocus(*dialog);
  if (!result) return std::nullopt;
  return dialog;
}

}  // namespace

AssertionResult Game::openFile(const std::string& path) {
  AssertionResult result = AssertionSuccess();
  const auto dialog = openDialog(*this, "ctrl+o", "Открыть", result);
  if (!dialog) return result;
  x_->type(path);
  x_->key("Return");
  if (auto gone = waitUntilGone(*dialog); !gone) return gone;
  // The dialog's completion list may outlive it for a moment.
  if (auto closed = waitForNoPopUps(); !closed) return closed;
  return settle();
}

std::optional<Window> Game::openFileExpectingMessage(const std::string& path) {
  AssertionResult result = AssertionSuccess();
  const auto dialog = openDialog(*this, "ctrl+o", "Открыть", result);
  if (!dialog) {
    ADD_FAILURE() << result.message();
    return std::nullopt;
  }
  x_->type(path);
  x_->key("Return");
  const auto message = waitForDialog(kMainTitle);
  if (!message) {
    ADD_FAILURE() << "no message appeared after opening " << path;
  } else if (const auto closed = waitForNoPopUps(); !closed) {
    ADD_FAILURE() << closed.message();
  }
  return message;
}

AssertionResult Game::saveUnderProposedName() {
  AssertionResult result = AssertionSuccess();
  const auto dialog = openDialog(*this, "ctrl+s", "Сохранить как", result);
  if (!dialog) return result;
  x_->key("Return");
  if (auto gone = waitUntilGone(*dialog); !gone) return gone;
  if (auto closed = waitForNoPopUps(); !closed) return closed;
  return settle();
}

AssertionResult Game::chooseLayout(const std::string& digits) {
  AssertionResult result = AssertionSuccess();
  const auto dialog = openDialog(*this, "F3", "Номер расклада", result);
  if (!dialog) return result;
  x_->type(digits);
  x_->key("Return");
  if (auto gone = waitUntilGone(*dialog); !gone) return gone;
  return settle();
}

AssertionResult Game::newGame(bool yes) {
  AssertionResult result = AssertionSuccess();
  const auto question = openDialog(*this, "ctrl+n", x_->title(main_), result);
  if (!question) return result;
  // «Да» is the default button; Tab moves the focus on to «Нет».
  x_->key(yes ? "Return" : "Tab");
  if (!yes) x_->key("Return");
  if (auto gone = waitUntilGone(*question); !gone) return gone;
  return settle();
}

// Now and then, under load, openbox swallows the one warp made just after the victory window
// closes: no move reaches the game at all, as when a window manager holds the pointer for a
// moment (Qt takes no move from the crossing that ends such a grab). A hand would simply go
// on moving.
AssertionResult Game::pointAt(int bar, int segment) {
  constexpr std::chrono::milliseconds kWhile{1000};
  for (auto waited = kWhile; waited < kPatience; waited += kWhile) {
    x_->movePointer(arrow(bar, segment));
    if (waitForOnlyLook(bar, segment, Look::Highlighted, kWhile)) return AssertionSuccess();
  }
  x_->movePointer(arrow(bar, segment));
  return waitForOnlyLook(bar, segment, Look::Highlighted);
}

AssertionResult Game::makeMove(int bar, int segment, bool waitForRelease) {
  if (auto shown = pointAt(bar, segment); !shown) return shown;
  x_->button(1, true);
  if (auto shown = waitForOnlyLook(bar, segment, Look::Pressed); !shown) return shown;
  x_->button(1, false);
  return waitForRelease ? waitForOnlyLook(bar, segment, Look::Highlighted) : AssertionSuccess();
}

Game::TitleBar Game::titleBar(Window window) {
  const Rect frame = x_->frame(window);
  const Image bar = x_->grab({frame.x, frame.y, frame.width, x_->area(window).y - frame.y});
  TitleBar seen;
  std::vector<bool> inked(static_cast<std::size_t>(bar.width()));
  for (int y = 0; y < bar.height(); ++y) {
    std::map<std::uint32_t, int> counts;  // the ground is the commonest colour of the row
    for (int x = 0; x < bar.width(); ++x)
      ++counts[bar.at(x, y).r << 16U | bar.at(x, y).g << 8U | bar.at(x, y).b];
    const auto commonest = std::max_element(counts.begin(), counts.end(),
                                            [](auto& a, auto& b) { return a.second < b.second; });
    seen.ground.push_back(rgb(commonest->first));
    for (int x = 0; x < bar.width(); ++x)
      inked[static_cast<std::size_t>(x)] =
          inked[static_cast<std::size_t>(x)] || bar.at(x, y) != seen.ground.back();
  }
  seen.ink = static_cast<int>(std::count(inked.begin(), inked.end(), true));
  return seen;
}

std::string Game::describeWindows() {
  std::ostringstream out;
  out << "windows of the game:";
  for (const Window window : x_->windowsOf(game_.pid())) {
    out << "\n  " << window << " \"" << x_->title(window) << "\" at " << toString(x_->area(window))
        << (x_->parent(window) == x_->root() ? ", unframed" : ", framed")
        << (x_->overrideRedirect(window) ? ", pop-up" : "");
  }
  return out.str() + "\n";
}

std::string Game::openedDocuments() const {
  return readFile(temp_.file("opened.txt"));
}

std::string Game::logs() const {
  std::string text;
  for (const char* name : {"xvfb.log", "dbus.log", "openbox.log", "zarvel.log"}) {
    const std::string log = readFile(temp_.file(name));
    if (!log.empty()) text += std::string("--- ") + name + "\n" + log;
  }
  return text;
}

void Game::reportFailure(const std::string& testName) {
  temp_.keep();
  // The saved games, pages and logs are worth a look; the copy of the program is not.
  std::error_code ignored;
  fs::remove(gameFolder_ + "/zarvel", ignored);
  std::cout << "The test's folder is kept: " << temp_.path() << "\n" << logs();
  if (!x_ || !x_->connected()) return;
  std::error_code error;
  fs::create_directories(ZARVEL_E2E_SCREENSHOTS, error);
  const std::string shot = std::string(ZARVEL_E2E_SCREENSHOTS) + "/" + testName + ".png";
  if (writePng(x_->grabScreen(), shot)) {
    std::cout << "Screenshot at the failure: " << shot << std::endl;
  }
}

Process Game::startHelper(const std::vector<std::string>& argv, const std::string& logName) {
  return Process(argv, environment_, temp_.file(logName), temp_.path());
}

AssertionResult Game::settle() {
  if (auto shown = pointAt(0, 0); !shown) return shown;
  x_->movePointer({1, 1});
  return waitForAllPlain();
}

std::optional<Window> Game::openAboutBox() {
  // The menu titles are the two runs of dark text on the menu bar; "Справка" is the second.
  const Rect window = x_->area(main_);
  const Image bar = x_->grab({window.x, window.y, window.width, menuBar_});
  std::vector<std::pair<int, int>> runs;
  int gap = 0;
  for (int x = 0; x < bar.width(); ++x) {
    bool ink = false;
    for (int y = 0; y < bar.height(); ++y) {
      const Rgb c = bar.at(x, y);
      ink = ink || c.r + c.g + c.b < 3 * 128;
    }
    if (!ink) {
      ++gap;
      continue;
    }
    if (runs.empty() || gap >= 8) runs.emplace_back(x, x);
    runs.back().second = x;
    gap = 0;
  }
  if (runs.size() < 2) {
    ADD_FAILURE() << "found " << runs.size() << " menu titles on the menu bar, not 2";
    return std::nullopt;
  }
  x_->click({window.x + (runs[1].first + runs[1].second) / 2, window.y + menuBar_ / 2});
  const bool open = waitUntil([&] {
    for (const Window w : x_->windowsOf(game_.pid())) {
      if (x_->overrideRedirect(w)) return true;
    }
    return false;
  });
  if (!open) {
    ADD_FAILURE() << "a click on the second menu title opened no menu";
    return std::nullopt;
  }
  x_->key("Down");
  x_->key("Down");
  x_->key("Return");
  const auto about = waitForDialog("О программе");
  if (!about) {
    ADD_FAILURE() << "the second item of the second menu opened no \"О программе\"";
    return std::nullopt;
  }
  for (const auto& ready : {waitForNoPopUps(), waitForFocus(*about)}) {
    if (!ready) {
      ADD_FAILURE() << ready.message();
      return std::nullopt;
    }
  }
  return about;
}

std::optional<Image> pictureOf(Game& game, const ExpectedMessage& expected) {
  // What the screen shows before the box: a picture of the box must be something else, not a
  // screen the box's pixels have yet to reach.
  const Image before = game.x().grab(game.x().screen());
  Process helper = game.startHelper(
      {ZARVEL_E2E_MSGBOX, expected.question ? "question" : "error", expected.title, expected.text},
      "msgbox.log");
  XDisplay& x = game.x();
  Window box = 0;
  waitUntil([&] {
    for (const Window w : x.windowsOf(helper.pid())) {
      if (x.overrideRedirect(w) || x.title(w) != expected.title) continue;
      if (game.windowManager() == WindowManager::Openbox && x.parent(w) == x.root()) continue;
      box = w;
      return true;
    }
    return false;
  });
  if (box == 0 || !game.waitForFocus(box)) {
    ADD_FAILURE() << "the expected message box did not appear\n"
                  << readFile(game.scratchFile("msgbox.log"));
    return std::nullopt;
  }
  // Drawn once the helper says so and the X server has shown it: two looks alike.
  const bool drawn = waitUntil([&] {
    return readFile(game.scratchFile("msgbox.log")).find("drawn\n") != std::string::npos;
  });
  const Rect area = x.area(box);
  const auto showsTheBox = [&](const Image& now) {
    for (int y = 0; y < now.height(); ++y)
      for (int x0 = 0; x0 < now.width(); ++x0)
        if (now.at(x0, y) != before.at(area.x + x0, area.y + y)) return true;
    return false;
  };
  Image picture;
  const bool steady = waitUntil([&] {
    Image now = x.grab(area);
    std::swap(now, picture);
    return now == picture && showsTheBox(picture);
  });
  if (!drawn || !steady) ADD_FAILURE() << "the expected message box was not drawn";
  x.key("Escape");
  if (!waitUntil([&] { return !helper.running(); })) {
    ADD_FAILURE() << "the expected message box did not close";
  }
  return picture;
}

AssertionResult waitForPicture(Game& game, Window window, const Image& expected,
                               const std::string& name) {
  Image seen;
  if (waitUntil([&] { return (seen = game.x().grab(game.x().area(window))) == expected; })) {
    return AssertionSuccess();
  }
  std::error_code error;
  fs::create_directories(ZARVEL_E2E_SCREENSHOTS, error);
  const std::string base = std::string(ZARVEL_E2E_SCREENSHOTS) + "/" + name;
  writePng(seen, base + ".seen.png");
  writePng(expected, base + ".expected.png");
  return AssertionFailure() << "the window \"" << game.title(window) << "\" (" << seen.width()
                            << "x" << seen.height() << ") does not show what was expected ("
                            << expected.width() << "x" << expected.height() << "); see " << base
                            << ".seen.png and " << base << ".expected.png";
}

std::vector<std::string> filesEndingIn(const std::string& folder, const std::string& extension) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > extension.size() &&
        name.compare(name.size() - extension.size(), extension.size(), extension) == 0) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string percentDecoded(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace zarvel::e2e
