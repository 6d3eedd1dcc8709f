// The game as a screen reader meets it: through AT-SPI alone, on a D-Bus session of the
// test's own. The arrows are buttons that move their lines, the board is a table of colour
// names that follows the moves, and the keyboard's cursor is the focus.
#include <atspi/atspi.h>
#include <gtest/gtest.h>

#include <cstdlib>
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
}

}  // namespace
}  // namespace zarvel::e2e
