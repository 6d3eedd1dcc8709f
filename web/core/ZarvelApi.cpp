// The C API the page calls through WebAssembly: one game, its pictures by number, its
// requests as JSON text, and the rules of the dialogs and the victory window. Strings come
// and go as UTF-8; a returned string stays valid until the same function is called again.
#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/Board.h"
#include "engine/MoveHistory.h"
#include "files/CommandMessages.h"
#include "files/FileCommandsUi.h"
#include "files/PoiskTochkiM.h"
#include "files/RaskladRules.h"
#include "files/SavedGameText.h"
#include "help/ProductInfo.h"
#include "help/Shell.h"
#include "help/frmOprogLayout.h"
#include "play/AccessibleNames.h"
#include "play/BoardSymbols.h"
#include "play/VictoryFrame.h"
#include "play/frmFormaLayout.h"
#include "solver/Solver.h"
#include "web/core/Address.h"
#include "web/core/Json.h"
#include "web/core/WebGame.h"

#define ZARVEL_API extern "C" EMSCRIPTEN_KEEPALIVE

namespace {

using zarvel::web::PictureId;
using zarvel::web::WebGame;

std::unique_ptr<WebGame> game;

WebGame& theGame() {
  if (!game) game = std::make_unique<WebGame>();
  return *game;
}

bool validPicture(int id) {
  return id >= 0 && id < zarvel::web::kPictureCount;
}

// RGBA bytes, as a canvas gives them, as colour values.
std::vector<zarvel::Colour> coloursOfRgba(const std::uint8_t* rgba, int width, int height) {
  std::vector<zarvel::Colour> pixels(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const std::uint8_t* p = rgba + 4 * i;
    pixels[i] = static_cast<zarvel::Colour>(p[0] | (p[1] << 8U) | (p[2] << 16U));
  }
  return pixels;
}

enum PointerKind { kMoved = 0, kPressed = 1, kReleased = 2, kLeft = 3, kElsewhere = 4 };

}  // namespace

// The game: started once, with a random deal (layout < 0) or the layout of an address.
ZARVEL_API void zarvel_start(double secondsSinceMidnight, int layout) {
  if (layout < 0) {
    theGame().start(secondsSinceMidnight);
  } else {
    theGame().startWith(layout);
  }
}

ZARVEL_API int zarvel_picture_width(int id) {
  return validPicture(id) ? theGame().picture(static_cast<PictureId>(id)).width() : 0;
}

ZARVEL_API int zarvel_picture_height(int id) {
  return validPicture(id) ? theGame().picture(static_cast<PictureId>(id)).height() : 0;
}

// The picture's pixels, row by row, as 0x00BBGGRR values.
ZARVEL_API const std::int32_t* zarvel_picture_pixels(int id) {
  return validPicture(id) ? theGame().picture(static_cast<PictureId>(id)).pixels().data() : nullptr;
}

// Gives a picture its own picture from RGBA bytes; a picture of another size is refused.
ZARVEL_API int zarvel_set_own_picture(int id, const std::uint8_t* rgba, int width, int height) {
  if (!validPicture(id)) return 0;
  zarvel::Picture& picture = theGame().picture(static_cast<PictureId>(id));
  if (width != picture.width() || height != picture.height()) return 0;
  picture.setOwnPicture(coloursOfRgba(rgba, width, height));
  return 1;
}

// The art of a picture drawn at twice the size, as RGBA bytes.
ZARVEL_API int zarvel_set_large_art(int id, const std::uint8_t* rgba, int width, int height) {
  if (!validPicture(id) || width <= 0 || height <= 0) return 0;
  return theGame().setLargeArt(static_cast<PictureId>(id), coloursOfRgba(rgba, width, height)) ? 1
                                                                                               : 0;
}

// Picture `id` at twice its size, 0x00BBGGRR values row by row; null while it has no large
// art. Valid until the next call.
ZARVEL_API const std::int32_t* zarvel_fine_pixels(int id) {
  static std::vector<zarvel::Colour> fine;
  if (!validPicture(id)) return nullptr;
  fine = theGame().fineDrawing(static_cast<PictureId>(id));
  return fine.empty() ? nullptr : fine.data();
}

// The symbols over the board as it is now: their number, then each one's column, row and
// tile in the symbols' picture.
ZARVEL_API const std::int32_t* zarvel_board_symbols() {
  static std::vector<std::int32_t> list;
  list.assign(1, 0);
  for (const zarvel::SymbolPlace& place : zarvel::boardSymbols(theGame().picPole())) {
    list.insert(list.end(), {place.column, place.row, static_cast<int>(place.shape)});
    ++list[0];
  }
  return list.data();
}

ZARVEL_API unsigned zarvel_changed_pictures() {
  return theGame().takeChangedPictures();
}

ZARVEL_API int zarvel_layout() {
  return theGame().declare().NmRasklada;
}

ZARVEL_API int zarvel_moves() {
  return theGame().declare().NmHod;
}

ZARVEL_API const char* zarvel_title() {
  return theGame().title().c_str();
}

ZARVEL_API const char* zarvel_take_request() {
  static std::string request;
  request = theGame().takeRequest();
  return request.c_str();
}

// A pointer event: on bar `bar` at (x, y) in its pixels, the pointer at (clientX, clientY)
// of the client area.
ZARVEL_API void zarvel_pointer(int kind, int bar, int x, int y, int clientX, int clientY) {
  const zarvel::Point client{clientX, clientY};
  switch (kind) {
    case kMoved:
      theGame().pointerMoved(bar, x, y, client);
      break;
    case kPressed:
      theGame().pointerPressed(bar, x, y, client);
      break;
    case kReleased:
      theGame().pointerReleased(bar, x, y, client);
      break;
    case kLeft:
      theGame().pointerLeft(client);
      break;
    default:
      theGame().pointerAt(client);
  }
}

ZARVEL_API const char* zarvel_start_over_question(const char* itemCaption) {
  static std::string question;
  question = zarvel::web::messageRequest(zarvel::startOverQuestion(itemCaption, theGame().title()));
  return question.c_str();
}

ZARVEL_API void zarvel_new_game(double secondsSinceMidnight) {
  theGame().newGame(secondsSinceMidnight);
}

ZARVEL_API void zarvel_new_start() {
  theGame().newStart();
}

ZARVEL_API void zarvel_choose_layout(int number) {
  theGame().chooseLayout(number);
}

ZARVEL_API void zarvel_undo() {
  theGame().undo();
}

ZARVEL_API void zarvel_redo() {
  theGame().redo();
}

ZARVEL_API void zarvel_hint() {
  theGame().hint();
}

// A search's answer: `count` moves as bar, line pairs.
ZARVEL_API void zarvel_hint_found(double version, const int* moves, int count) {
  std::vector<zarvel::solver::Move> found;
  for (int i = 0; i < count; ++i) found.push_back({moves[2 * i], moves[2 * i + 1]});
  theGame().hintFound(static_cast<std::uint64_t>(version), found);
}

// Keyboard play: a cursor key (0 Left, 1 Right, 2 Up, 3 Down, 4 Tab, 5 Shift+Tab), Space or
// Enter down or up, Escape.
ZARVEL_API void zarvel_cursor_key(int key) {
  if (key < 0 || key > static_cast<int>(zarvel::CursorKey::BackTab)) return;
  theGame().cursorKey(static_cast<zarvel::CursorKey>(key));
}

// `key` tells Space from Enter, `timeMs` is the event's time; the page calls
// zarvel_release_settled() zarvel_release_wait_ms() after each release.
ZARVEL_API void zarvel_press_key(int down, int repeat, int key, double timeMs) {
  theGame().pressKey(down != 0, repeat != 0, key, static_cast<std::int64_t>(timeMs));
}

ZARVEL_API void zarvel_release_settled(int windowOpen) {
  theGame().releaseSettled(windowOpen != 0);
}

ZARVEL_API int zarvel_release_wait_ms() {
  return zarvel::kRepeatWaitMs;
}

ZARVEL_API void zarvel_hide_cursor() {
  theGame().hideCursor();
}

// The name of the arrow under the keyboard's cursor («Столбец 1 вверх»…), empty when none
// shows: what the page tells a screen reader.
ZARVEL_API const char* zarvel_cursor_name() {
  static std::string name;
  const auto cursor = theGame().cursor();
  name = cursor ? zarvel::arrowName(*cursor) : std::string();
  return name.c_str();
}

// «Гном в клетке» or «Гном на свободе», as a screen reader names the mascot.
ZARVEL_API const char* zarvel_mascot_name() {
  static std::string name;
  name = zarvel::mascotName(zarvel::mascotCaged(theGame()));
  return name.c_str();
}

// A screen reader's press of arrow `line` of bar `bar`.
ZARVEL_API void zarvel_press_arrow(int bar, int line) {
  if (bar < 0 || bar >= zarvel::kBars || line < 0 || line >= zarvel::kLines) return;
  theGame().pressArrow({bar, line});
}

ZARVEL_API const char* zarvel_arrow_name(int bar, int line) {
  static std::string name;
  name = zarvel::arrowName({bar, line});
  return name.c_str();
}

ZARVEL_API const char* zarvel_bar_name(int bar) {
  static std::string name;
  name = zarvel::barName(bar);
  return name.c_str();
}

// The squares' colours as a screen reader names them, row by row, one a line.
ZARVEL_API const char* zarvel_cell_names() {
  static std::string names;
  names.clear();
  for (int row = 0; row < zarvel::kLines; ++row) {
    for (int column = 0; column < zarvel::kLines; ++column) {
      names += zarvel::colourName(zarvel::cellColour(theGame().picPole(), column, row)) + '\n';
    }
  }
  return names.c_str();
}

ZARVEL_API const char* zarvel_announcement() {
  static std::string said;
  said = theGame().takeAnnouncement();
  return said.c_str();
}

// Bit 0: Ctrl+Z would take a move back, bit 1: Ctrl+Y would make one again, bit 2: H would
// look for a hint.
ZARVEL_API int zarvel_toolbar_state() {
  const WebGame& page = theGame();
  return (page.canUndo() ? 1 : 0) | (page.canRedo() ? 2 : 0) | (page.canHint() ? 4 : 0);
}

// The game kept in the browser: the text to keep, and the game brought back from it
// (1 when it was whole, 0 with nothing changed).
ZARVEL_API const char* zarvel_kept_state() {
  static std::string state;
  state = theGame().keptState();
  return state.c_str();
}

ZARVEL_API int zarvel_restore_state(const char* text) {
  return theGame().restoreState(text) ? 1 : 0;
}

ZARVEL_API void zarvel_pictures_loaded() {
  theGame().picturesLoaded();
}

ZARVEL_API int zarvel_blink_tick() {
  return theGame().blinkTick() ? 1 : 0;
}

ZARVEL_API int zarvel_blink_phase_ms() {
  return zarvel::kBlinkPhaseMs;
}

ZARVEL_API int zarvel_hint_beam_width() {
  return zarvel::web::kHintBeamWidth;
}

ZARVEL_API int zarvel_blinking() {
  return theGame().blinking() ? 1 : 0;
}

// Addresses.
ZARVEL_API int zarvel_layout_of_fragment(const char* fragment) {
  return zarvel::web::layoutOfFragment(fragment).value_or(-1);
}

ZARVEL_API const char* zarvel_fragment() {
  static std::string fragment;
  fragment = zarvel::web::fragmentOf(theGame().declare().NmRasklada);
  return fragment.c_str();
}

// The layout-number dialog's rules.
ZARVEL_API int zarvel_nomer_max_length() {
  return zarvel::kNomerMaxLength;
}

ZARVEL_API int zarvel_passes_character_rule(unsigned code) {
  return zarvel::passesCharacterRule(code) ? 1 : 0;
}

ZARVEL_API unsigned zarvel_control_code(int letter) {
  return zarvel::controlCode(static_cast<char>(letter));
}

ZARVEL_API int zarvel_typed_number(const char* text) {
  return zarvel::typedNumber(text);
}

ZARVEL_API int zarvel_ok_enabled(int number) {
  return zarvel::okEnabled(number) ? 1 : 0;
}

ZARVEL_API const char* zarvel_digits_only(const char* text, int room) {
  static std::string digits;
  digits = zarvel::digitsOnly(text, room < 0 ? 0 : static_cast<std::size_t>(room));
  return digits.c_str();
}

// Saved games.
ZARVEL_API const char* zarvel_proposed_save_name() {
  static std::string name;
  name = zarvel::completeExtension(theGame().proposedSaveName(), "/");
  return name.c_str();
}

ZARVEL_API const char* zarvel_current_file() {
  return theGame().declare().ImjaFaila.c_str();
}

ZARVEL_API const char* zarvel_save_question(const char* name, int somethingThere) {
  static std::string question;
  question = theGame().saveQuestion(name, somethingThere != 0);
  return question.c_str();
}

ZARVEL_API const char* zarvel_saved_text() {
  static std::string text;
  text = theGame().savedText();
  return text.c_str();
}

// How the write ended: 0 written, 1 refused by the browser or the system, 2 failed otherwise.
ZARVEL_API void zarvel_save_finished(const char* name, int outcome) {
  using zarvel::web::WriteOutcome;
  theGame().saveFinished(name, outcome == 0   ? WriteOutcome::Ok
                               : outcome == 1 ? WriteOutcome::AccessDenied
                                              : WriteOutcome::Failed);
}

ZARVEL_API int zarvel_open(const char* folder, const char* name) {
  return theGame().open(folder, name) ? 1 : 0;
}

ZARVEL_API void zarvel_file_trouble(int trouble, const char* name) {
  using zarvel::web::FileTrouble;
  theGame().fileTrouble(trouble == 0   ? FileTrouble::Picker
                        : trouble == 1 ? FileTrouble::Vanished
                                       : FileTrouble::Unreadable,
                        name);
}

// The most of a file's start that the reader looks at.
ZARVEL_API int zarvel_longest_game_text() {
  return static_cast<int>(zarvel::kLongestGameText);
}

// The victory window: its area's width and left edge for the measured text, then one frame
// for the letters' widths: per letter its jump, its shadow's x and its face's x.
ZARVEL_API const int* zarvel_victory_area(double measuredTextWidth, int clientWidth) {
  static int area[2];
  area[0] = zarvel::victoryAreaWidth(measuredTextWidth);
  area[1] = zarvel::victoryAreaLeft(clientWidth, area[0]);
  return area;
}

ZARVEL_API const int* zarvel_victory_frame(const double* letterWidths, int count) {
  static std::vector<int> frame;
  WebGame& page = theGame();
  page.rnd().seedFromClock();
  const zarvel::VictoryFrame letters = zarvel::victoryFrame(
      page.rnd(), std::vector<double>(letterWidths, letterWidths + (count < 0 ? 0 : count)));
  frame.clear();
  for (std::size_t i = 0; i < letters.Skachki.size(); ++i) {
    frame.insert(frame.end(),
                 {letters.shadow[i].x, letters.shadow[i].y, letters.face[i].x, letters.face[i].y});
  }
  return frame.data();
}

// Where everything sits on the main window's client area and on the About box, as JSON:
// each box as [left, top, width, height].
ZARVEL_API const char* zarvel_layout_boxes() {
  static std::string boxes;
  namespace F = zarvel::frmFormaLayout;
  namespace O = zarvel::frmOprogLayout;
  auto box = [](const zarvel::Box& b) {
    return "[" + std::to_string(b.left) + "," + std::to_string(b.top) + "," +
           std::to_string(b.width) + "," + std::to_string(b.height) + "]";
  };
  std::string bars = "[";
  for (const zarvel::Box& bar : F::kPicStrelki) bars += (bars.size() > 1 ? "," : "") + box(bar);
  boxes =
      zarvel::web::JsonObject()
          .addRaw("client", box({0, 0, F::kClientWidth, F::kClientHeight}))
          .addRaw("title", box(F::kTitle))
          .add("titleMargin", std::int64_t{F::kTitleMargin})
          .addRaw("picStrelki", bars + "]")
          .addRaw("picPole", box(F::kPicPole))
          .addRaw("PicTrol", box(F::kPicTrol))
          .addRaw("Label2", box(F::kLabel2))
          .addRaw("lblNmRasklada", box(F::kLblNmRasklada))
          .addRaw("lblTxtNmHod", box(F::kLblTxtNmHod))
          .addRaw("lblNmHod", box(F::kLblNmHod))
          .addRaw("labelPoints", std::to_string(F::kLabelPoints))
          .addRaw("aboutClient", box({0, 0, O::kClientWidth, O::kClientHeight}))
          .addRaw("aboutPoints", std::to_string(O::kFontPoints))
          .addRaw("Image1", box(O::kImage1))
          .addRaw("Label2_3", box(O::kLabel2_3))
          .addRaw("Label2_4", box(O::kLabel2_4))
          .addRaw("Label2_5", box(O::kLabel2_5))
          .addRaw("Label1", box(O::kLabel1))
          .add("linkColour", std::int64_t{O::kLinkColour})
          .addRaw("line", box({O::kLineLeft, O::kLine1Top, O::kLineRight - O::kLineLeft + 1, 2}))
          .addRaw("Picture1", box(O::kPicture1))
          .add("picture1Border", std::int64_t{O::kPicture1Border})
          .addRaw("OK", box(O::kOK))
          .str();
  return boxes.c_str();
}

// The About box's texts and the help page's name.
ZARVEL_API const char* zarvel_product_info() {
  static std::string info;
  namespace P = zarvel::ProductInfo;
  info = zarvel::web::JsonObject()
             .add("contactLine1", P::kContactLine1)
             .add("contactLine2", P::kContactLine2)
             .add("siteCaption", P::kSiteCaption)
             .add("siteAddress", P::kSiteAddress)
             .add("helpPage", zarvel::kHelpPageName)
             .str();
  return info.c_str();
}

// The solver, for the page's worker: 49 colour indices column by column, a beam width;
// writes the first `room` moves as bar, line pairs into `moves` and returns how many there
// are in all (-1 for a board of other colours).
ZARVEL_API int zarvel_solve(const std::uint8_t* cells, int beamWidth, int* moves, int room) {
  std::array<std::uint8_t, zarvel::kCells> board{};
  for (std::size_t i = 0; i < board.size(); ++i) {
    if (cells[i] >= zarvel::kColours) return -1;  // no board of the seven colours
    board[i] = cells[i];
  }
  zarvel::solver::SolverSettings settings;
  settings.beamWidth = beamWidth;
  const auto solution = zarvel::solver::solve(zarvel::solver::Grid::fromCells(board), settings);
  const int count = static_cast<int>(solution.moves.size());
  for (int i = 0; i < count && i < room; ++i) {
    moves[2 * i] = solution.moves[static_cast<std::size_t>(i)].bar;
    moves[2 * i + 1] = solution.moves[static_cast<std::size_t>(i)].line;
  }
  return count;
}
