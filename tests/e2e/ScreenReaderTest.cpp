// The game as a screen reader meets it: through AT-SPI alone, on a D-Bus session of the
// test's own. The arrows are buttons that move their lines, the board is a table of colour
// names that follows the moves, and the keyboard's cursor is the focus.
#include <atspi/atspi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/Game.h"

namespace zarvel::e2e {
namespace {

// The names the board's squares go by, in the order of kColours.
const std::array<std::string, 7> kColourNames = {"красный", "оранжевый", "жёлтый",    "зелёный",
                                                 "голубой", "синий",     "фиолетовый"};

std::string take(gchar* text) {
  std::string result = text != nullptr ? text : "";
  g_free(text);
  return result;
}

std::string nameOf(AtspiAccessible* accessible) {
  atspi_accessible_clear_cache(accessible);  // the name as the game tells it now
  return take(atspi_accessible_get_name(accessible, nullptr));
}

// Holds what a GLib function handed over, and lets it go.
template <typename T>
struct Held {
  T* object = nullptr;
  explicit Held(T* taken) : object(taken) {}
  ~Held() {
    if (object != nullptr) g_object_unref(object);
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
};

// What a screen reader does: finds things by name and role, reads them, presses buttons and
// hears events. Events arrive only while the GLib loop runs, which waitFor() does.
class ScreenReader {
 public:
  explicit ScreenReader(const std::string& busAddress) {
    // The accessibility bus is the one the game's session bus hands out, not the desktop's.
    setenv("DBUS_SESSION_BUS_ADDRESS", busAddress.c_str(), 1);
    unsetenv("AT_SPI_BUS_ADDRESS");
    unsetenv("DISPLAY");
    atspi_init();
    listener_ = atspi_event_listener_new(&ScreenReader::heard, this, nullptr);
    for (const char* type :
         {"object:property-change:accessible-name", "object:state-changed:focused"})
      atspi_event_listener_register(listener_, type, nullptr);
  }
  ~ScreenReader() {
    if (game_ != nullptr) g_object_unref(game_);
    g_object_unref(listener_);
  }
  ScreenReader(const ScreenReader&) = delete;
  ScreenReader& operator=(const ScreenReader&) = delete;

  bool waitFor(const std::function<bool()>& condition) {
    return waitUntil([&] {
      while (g_main_context_iteration(nullptr, FALSE)) {
      }
      return condition();
    });
  }

  // The game among the desktop's applications, once it has registered.
  bool findGame() {
    return waitFor([&] {
      Held<AtspiAccessible> desktop(atspi_get_desktop(0));
      const int count = atspi_accessible_get_child_count(desktop.object, nullptr);
      for (int index = 0; index < count && game_ == nullptr; ++index) {
        AtspiAccessible* app = atspi_accessible_get_child_at_index(desktop.object, index, nullptr);
        if (app != nullptr && nameOf(app) == "zarvel") {
          game_ = app;
        } else if (app != nullptr) {
          g_object_unref(app);
        }
      }
      return game_ != nullptr;
    });
  }

  // The first thing in the game with `role` and `name`, depth first; nullptr when none.
  AtspiAccessible* find(AtspiRole role, const std::string& name) {
    return find(game_, role, name, 0);
  }

  struct Event {
    std::string type;
    std::string source;
    AtspiRole role = ATSPI_ROLE_INVALID;
    int detail = 0;
  };
  std::vector<Event> events;

 private:
  AtspiAccessible* find(AtspiAccessible* under, AtspiRole role, const std::string& name,
                        int depth) {
    if (atspi_accessible_get_role(under, nullptr) == role && nameOf(under) == name) {
      return static_cast<AtspiAccessible*>(g_object_ref(under));
    }
    const int count = depth < 12 ? atspi_accessible_get_child_count(under, nullptr) : 0;
    for (int index = 0; index < count; ++index) {
      Held<AtspiAccessible> child(atspi_accessible_get_child_at_index(under, index, nullptr));
      if (child.object == nullptr) continue;
      if (AtspiAccessible* found = find(child.object, role, name, depth + 1)) return found;
    }
    return nullptr;
  }

  static void heard(AtspiEvent* event, void* self) {
    AtspiAccessible* source = event->source;
    static_cast<ScreenReader*>(self)->events.push_back(
        {event->type, source != nullptr ? nameOf(source) : "",
         source != nullptr ? atspi_accessible_get_role(source, nullptr) : ATSPI_ROLE_INVALID,
         event->detail1});
    g_boxed_free(ATSPI_TYPE_EVENT, event);
  }

  AtspiEventListener* listener_ = nullptr;
  AtspiAccessible* game_ = nullptr;
};

// The 49 names, column by column like the screen's board.
std::array<std::string, 49> cellNames(AtspiAccessible* board) {
  std::array<std::string, 49> names;
  Held<AtspiTable> table(atspi_accessible_get_table_iface(board));
  for (int column = 0; column < 7; ++column)
    for (int row = 0; row < 7; ++row) {
      Held<AtspiAccessible> cell(atspi_table_get_accessible_at(table.object, row, column, nullptr));
      names[static_cast<std::size_t>(7 * column + row)] =
          cell.object != nullptr ? nameOf(cell.object) : "";
    }
  return names;
}

std::array<std::string, 49> namesOnScreen(const Board& board) {
  std::array<std::string, 49> names;
  for (std::size_t cell = 0; cell < names.size(); ++cell)
    for (std::size_t colour = 0; colour < kColours.size(); ++colour)
      if (board.cells[cell] == kColours[colour]) names[cell] = kColourNames[colour];
  return names;
}

// Presses arrow `name` as a screen reader does: whether the game took the press; nothing when
// there is no such arrow.
std::optional<bool> pressByName(ScreenReader& reader, const std::string& name) {
  Held<AtspiAccessible> arrow(reader.find(ATSPI_ROLE_PUSH_BUTTON, name));
  if (arrow.object == nullptr) return std::nullopt;
  Held<AtspiAction> action(atspi_accessible_get_action_iface(arrow.object));
  return action.object != nullptr && atspi_action_do_action(action.object, 0, nullptr);
}

TEST(ScreenReader, PressesAnArrowByItsNameReadsTheBoardAndFollowsTheCursor) {
  Game game(windowManagerOfThisRun());
  std::optional<ScreenReader> listening;
  game.useScreenReader([&](const std::string& address) { listening.emplace(address); });
  ASSERT_TRUE(game.start());
  ScreenReader& reader = *listening;
  ASSERT_TRUE(reader.findGame()) << "the game never registered with the accessibility bus\n"
                                 << game.logs();

  Held<AtspiAccessible> board(reader.find(ATSPI_ROLE_TABLE, "Поле"));
  ASSERT_NE(board.object, nullptr) << "no table named «Поле»";
  const Board before = game.board();
  EXPECT_EQ(cellNames(board.object), namesOnScreen(before));
  Held<AtspiAccessible> mascot(reader.find(ATSPI_ROLE_IMAGE, "Гном на свободе"));
  EXPECT_NE(mascot.object, nullptr);

  Held<AtspiAccessible> arrow(reader.find(ATSPI_ROLE_PUSH_BUTTON, "Столбец 1 вверх"));
  ASSERT_NE(arrow.object, nullptr) << "no push button named «Столбец 1 вверх»";
  Held<AtspiAction> action(atspi_accessible_get_action_iface(arrow.object));
  ASSERT_NE(action.object, nullptr);
  reader.events.clear();
  ASSERT_TRUE(atspi_action_do_action(action.object, 0, nullptr));
  const Board after = shifted(before, 0, 0);
  ASSERT_TRUE(game.waitForBoard(after));
  EXPECT_TRUE(reader.waitFor([&] { return cellNames(board.object) == namesOnScreen(after); }));
  int renamed = 0;
  for (int row = 0; row < 7; ++row) renamed += before.at(0, row) != after.at(0, row) ? 1 : 0;
  EXPECT_TRUE(reader.waitFor([&] {
    int heard = 0;
    for (const auto& event : reader.events)
      heard += event.type == "object:property-change:accessible-name" &&
                       event.role == ATSPI_ROLE_TABLE_CELL
                   ? 1
                   : 0;
    return heard == renamed;
  })) << "a name change for each of the "
      << renamed << " squares that changed";

  // The press left the keyboard's cursor on its arrow; a key moves it and the focus with it.
  EXPECT_TRUE(game.waitForOnlyLook(0, 0, Look::Highlighted));
  game.x().key("Right");
  EXPECT_TRUE(game.waitForOnlyLook(0, 1, Look::Highlighted));
  EXPECT_TRUE(reader.waitFor([&] {
    for (const auto& event : reader.events)
      if (event.type == "object:state-changed:focused" && event.detail == 1 &&
          event.source == "Столбец 2 вверх")
        return true;
    return false;
  })) << "the focus follows the cursor to «Столбец 2 вверх»";

  // A press of the arrow the cursor is on moves its line and tells no focus again.
  reader.events.clear();
  const Board pressed = game.board();
  ASSERT_EQ(pressByName(reader, "Столбец 2 вверх"), true);
  ASSERT_TRUE(game.waitForBoard(shifted(pressed, 0, 1)));
  EXPECT_TRUE(
      reader.waitFor([&] { return cellNames(board.object) == namesOnScreen(game.board()); }));
  for (const auto& event : reader.events)
    EXPECT_NE(event.type, "object:state-changed:focused") << event.source;
}

// Orca itself on the game's session, speaking into nothing but its debug log, whose
// "SPEECH OUTPUT" lines are what a blind player hears.
class Orca {
 public:
  explicit Orca(Game& game) : log_(game.scratchFile("orca-debug.log")) {
    const std::string prefs = game.scratchFile("orca");
    std::filesystem::create_directories(prefs);
    writeFile(prefs + "/orca-customizations.py",
              "import orca.settings as settings\n"
              "settings.speechServerFactory = 'none'\n"
              "settings.speechFactoryModules = []\n"
              "settings.enableBraille = False\n"
              // Its log a line at a time, as it speaks, rather than a buffer at a time.
              "import orca.debug as debug\n"
              "if debug.debugFile:\n"
              "    debug.debugFile.flush()\n"
              "    debug.debugFile = open(debug.debugFile.name, 'a', buffering=1)\n");
    // Orca will not start beside another Orca of the same user anywhere on the machine, which
    // it asks pgrep about; each test has a session of its own, so it is told of none.
    const std::string pgrep = game.scratchFile("opener/pgrep");
    writeFile(pgrep, "#!/bin/sh\nexit 1\n");
    std::filesystem::permissions(pgrep, std::filesystem::perms::owner_all);
    process_ = game.startHelper({ZARVEL_E2E_ORCA, "-u", prefs, "--debug-file", log_}, "orca.log");
    // Listening once it says so in its log.
    ready_ =
        waitUntil([&] { return readFile(log_).find("ORCA: Initialized") != std::string::npos; });
    from_ = speech().size();
  }
  bool ready() const { return ready_; }

  // Whether Orca has said something that holds `words` since the last thing it was heard
  // to say.
  bool said(const std::string& words) {
    const std::vector<std::string> heard = speech();
    for (std::size_t line = from_; line < heard.size(); ++line)
      if (heard[line].find(words) != std::string::npos) {
        from_ = line + 1;
        return true;
      }
    return false;
  }
  std::string saidLately() const {
    std::string text;
    const std::vector<std::string> heard = speech();
    for (std::size_t line = from_; line < heard.size(); ++line) text += "\n  " + heard[line];
    return text;
  }

 private:
  std::vector<std::string> speech() const {
    std::vector<std::string> lines;
    const std::string log = readFile(log_);
    const std::string mark = "SPEECH OUTPUT: '";
    for (auto at = log.find(mark); at != std::string::npos; at = log.find(mark, at)) {
      at += mark.size();
      lines.push_back(log.substr(at, log.find('\n', at) - at));
    }
    return lines;
  }

  std::string log_;
  Process process_;
  std::size_t from_ = 0;
  bool ready_ = false;
};

// What Orca says, step by step, for a game one move from solved: the cursor's arrow with its
// line's colours, a move, an undo, the win and its undo, a deal by F3; and that the keys
// after a window reach the menus, never the arrows, while Orca holds every key back.
TEST(ScreenReader, OrcaSaysEveryMoveUndoDealAndTheWin) {
  Game game(windowManagerOfThisRun());
  const Board nearlySolved = oneMoveFromSolved(2);
  writeFile(game.scratchFile("near.zrv"), savedGameText(8, 7, nearlySolved));
  std::optional<ScreenReader> listening;
  std::optional<Orca> orca;
  game.useScreenReader([&](const std::string& address) {
    listening.emplace(address);
    orca.emplace(game);
  });
  ASSERT_TRUE(game.start({game.scratchFile("near.zrv")}));
  ASSERT_TRUE(orca->ready()) << "Orca did not start\n" << readFile(game.scratchFile("orca.log"));
  ScreenReader& reader = *listening;
  ASSERT_TRUE(reader.findGame()) << game.logs();
  // The test's own reader answers the bus meanwhile, as the game's events go to it too.
  const auto says = [&](const std::string& words) -> ::testing::AssertionResult {
    if (reader.waitFor([&] { return orca->said(words); })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "Orca never said «" << words << "»; it said:" << orca->saidLately();
  };
  EXPECT_TRUE(says("Расклад № 8, файл «near.zrv»"));

  game.x().movePointer({1, 1});
  game.x().key("Right");  // the cursor comes on «Столбец 1 вверх»
  ASSERT_TRUE(game.waitForOnlyLook(0, 0, Look::Highlighted));
  const auto names = namesOnScreen(nearlySolved);
  std::string column;
  for (std::size_t row = 0; row < 7; ++row) column += (row > 0 ? ", " : "") + names[row];
  EXPECT_TRUE(says("Столбец 1 вверх"));
  EXPECT_TRUE(says(column));
  game.x().key("space");
  ASSERT_TRUE(game.waitForBoard(shifted(nearlySolved, 0, 0)));
  EXPECT_TRUE(says("Столбец 1 вверх, ход 8"));
  game.x().key("ctrl+z");
  ASSERT_TRUE(game.waitForBoard(nearlySolved));
  EXPECT_TRUE(says("Отменён: Столбец 1 вверх, ход 7"));

  // The win by the screen reader's press; under the victory window a press is refused.
  ASSERT_EQ(pressByName(reader, "Строка 3 влево"), true);
  const Board solved = shifted(nearlySolved, 3, 2);
  EXPECT_TRUE(says("Строка 3 влево, ход 8"));
  EXPECT_TRUE(says("ПОБЕДА!!! Гном в клетке"));
  const auto victory = game.waitForDialog("Конец игры");
  ASSERT_TRUE(victory);
  EXPECT_EQ(pressByName(reader, "Столбец 5 вверх"), false) << "a press under the victory window";
  ASSERT_TRUE(game.waitForFocus(*victory));
  game.x().key("Return");
  ASSERT_TRUE(game.waitUntilGone(*victory));
  ASSERT_TRUE(game.focusMainWindow());
  ASSERT_TRUE(game.settle());
  EXPECT_EQ(game.board(), solved) << "the win, and nothing under its window";
  game.x().key("ctrl+z");
  ASSERT_TRUE(game.waitForBoard(nearlySolved));
  EXPECT_TRUE(says("Отменён: Строка 3 влево, ход 7. Гном на свободе"));
  for (int hint = 0; hint < 2; ++hint) {  // the second time the cursor is on it already
    game.x().key("h");
    EXPECT_TRUE(says("Строка 3 влево")) << "the hinted arrow";
  }

  ASSERT_TRUE(game.chooseLayout("5"));
  EXPECT_TRUE(says("Расклад № 5"));

  // F3 and Escape, then Alt and Down open «Игра»; Down and Return choose «Открыть».
  const Board dealt = game.board();
  game.x().key("F3");
  const auto layoutDialog = game.waitForDialog("Номер расклада");
  ASSERT_TRUE(layoutDialog);
  ASSERT_TRUE(game.waitForFocus(*layoutDialog));
  EXPECT_TRUE(says("Номер расклада text"));  // the box the digits go into
  game.x().key("Escape");
  ASSERT_TRUE(game.waitUntilGone(*layoutDialog));
  ASSERT_TRUE(game.waitForFocus(game.mainWindow()));
  for (const char* key : {"Alt_L", "Down", "Down", "Return"}) game.x().key(key);
  const auto open = game.waitForDialog();
  ASSERT_TRUE(open) << "no window after «Открыть»\n" << game.describeWindows();
  ASSERT_TRUE(game.waitForFocus(*open));
  game.x().key("Escape");
  ASSERT_TRUE(game.waitUntilGone(*open));
  ASSERT_TRUE(game.focusMainWindow());
  ASSERT_TRUE(game.settle());
  EXPECT_EQ(game.board(), dealt) << "a key meant for the menu made a move";
}

}  // namespace
}  // namespace zarvel::e2e
