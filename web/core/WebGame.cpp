// The page's game: the desktop's rules on the page's pictures, with everything modal handed
// back to the page as requests.
#include "web/core/WebGame.h"

#include <filesystem>

#include "engine/Board.h"
#include "engine/FineArt.h"
#include "engine/NewGameM.h"
#include "engine/NewHodM.h"
#include "files/CommandMessages.h"
#include "files/FileCommandsUi.h"
#include "files/OpenFileM.h"
#include "files/SaveFileM.h"
#include "files/SavedGameText.h"
#include "files/Utf8Path.h"
#include "help/frmOprogLayout.h"
#include "play/AccessibleNames.h"
#include "play/frmFormaLayout.h"
#include "web/core/Json.h"
#include "web/core/KeptState.h"

namespace zarvel::web {
namespace {

namespace L = frmFormaLayout;

// The board's lines between the squares: the desktop's window text, black.
constexpr Colour kBoardGround = 0x000000;
constexpr Colour kGround = 0xE0E0E0;  // the client area's light grey

Picture barPicture(std::size_t bar) {
  return Picture(L::kPicStrelki[bar].width, L::kPicStrelki[bar].height, kGround);
}

const char* buttonsName(MsgButtons buttons) {
  return buttons == MsgButtons::YesNo ? "yesno" : "ok";
}

const char* iconName(MsgIcon icon) {
  return icon == MsgIcon::Exclamation ? "exclamation" : "error";
}

const char* answerName(MsgAnswer answer) {
  switch (answer) {
    case MsgAnswer::Yes:
      return "yes";
    case MsgAnswer::No:
      return "no";
    default:
      return "ok";
  }
}

// What the file commands ask of a window, for what of them runs whole here (an opened game,
// a file made the current one): their messages become requests, their title the page's.
class PageUi : public FileCommandsUi, private MsgBox {
 public:
  PageUi(std::deque<std::string>& requests, std::string& title)
      : requests_(requests), title_(title) {}
  // The page's own pickers choose the files; nothing that runs here asks for one.
  std::string OpenSaveDialog(bool /*save*/, const std::string& /*initialName*/) override {
    return {};
  }
  MsgBox& msgBox() override { return *this; }
  void showTitle(const std::string& title) override { title_ = title; }

 private:
  // What runs here only ever tells; the replace question is the page's to ask.
  MsgAnswer show(const MsgBoxRequest& request) override {
    requests_.push_back(messageRequest(request));
    return MsgAnswer::Ok;
  }
  std::deque<std::string>& requests_;
  std::string& title_;
};

}  // namespace

std::string messageRequest(const MsgBoxRequest& request) {
  return JsonObject()
      .add("kind", "message")
      .add("title", request.title)
      .add("text", request.text)
      .add("buttons", buttonsName(request.buttons))
      .add("icon", iconName(request.icon))
      .add("defaultButton", answerName(request.defaultButton))
      .str();
}

WebGame::WebGame()
    : bars_{barPicture(0), barPicture(1), barPicture(2), barPicture(3)},
      others_{Picture(L::kPicStrelka.width, L::kPicStrelka.height, kGround),
              Picture(kBoardPixels, kBoardPixels, kBoardGround),
              Picture(L::kPicTrol.width, L::kPicTrol.height, kGround),
              Picture(L::kPicKletka.width, L::kPicKletka.height, kGround),
              Picture(frmOprogLayout::kPicture1InnerWidth, frmOprogLayout::kPicture1InnerHeight,
                      frmOprogLayout::kPicture1Ground)},
      session_(declare_, *this, bars_, others_[0], *this),
      title_(kFileMessageTitle) {
  declare_.Razdelitel.push_back('/');  // a browser names a file by its name alone
  for (int id = 0; id < kPictureCount; ++id) {
    picture(static_cast<PictureId>(id)).setChangeListener([this, id] { changed_ |= 1U << id; });
  }
  // The About box's flag is drawn once: the box shows the same picture at every opening.
  frmOprogLayout::drawFlag(picture(PictureId::Flag));
}

Picture& WebGame::picture(PictureId id) {
  const auto index = static_cast<std::size_t>(id);
  return index < bars_.size() ? bars_[index] : others_[index - bars_.size()];
}

bool WebGame::setLargeArt(PictureId id, std::vector<Colour> large) {
  const Picture& small = picture(id);
  if (large.size() != static_cast<std::size_t>(small.width() * small.height() * kFine * kFine)) {
    return false;
  }
  large_[static_cast<std::size_t>(id)] = std::move(large);
  return true;
}

std::vector<Colour> WebGame::fineDrawing(PictureId id) {
  auto art = [this](PictureId of, std::vector<Box> tiles) {
    const Picture& small = picture(of);
    return FineArt{small.width(), small.height(), small.ownPixels(),
                   large_[static_cast<std::size_t>(of)], std::move(tiles)};
  };
  const auto index = static_cast<int>(id);
  if (index >= 0 && index < kBars) {
    // Every look lands whole on an arrow's square, from a tile of the strip.
    std::vector<Box> squares;
    std::vector<Box> tiles;
    for (int line = 0; line < kLines; ++line) {
      squares.push_back(index % 2 == 0 ? Box{cellOrigin(line), 0, kSquare, kSquare}
                                       : Box{0, cellOrigin(line), kSquare, kSquare});
    }
    for (int tile = 0; tile < 2 * kBars; ++tile)
      tiles.push_back({kSquare * tile, 0, kSquare, kSquare});
    return zarvel::fineDrawing(picture(id).pixels(), art(id, squares),
                               {art(PictureId::Strip, tiles)});
  }
  if (id == PictureId::Mascot) {
    return zarvel::fineDrawing(picture(id).pixels(), art(id, {}), {art(PictureId::Cage, {})});
  }
  return {};
}

unsigned WebGame::takeChangedPictures() {
  const unsigned changed = changed_;
  changed_ = 0;
  return changed;
}

std::string WebGame::takeRequest() {
  if (requests_.empty()) return {};
  std::string request = std::move(requests_.front());
  requests_.pop_front();
  return request;
}

void WebGame::start(double secondsSinceMidnight) {
  fillCveta(declare_);
  NewGame(declare_, *this, secondsSinceMidnight);
}

void WebGame::startWith(std::int32_t layout) {
  fillCveta(declare_);
  chooseRasklad(declare_, *this, layout);
}

void WebGame::showNmRasklada(std::int32_t /*layoutNumber*/) {}
void WebGame::showNmHod(std::int32_t /*moves*/) {}

void WebGame::showVictory() {
  push(JsonObject().add("kind", "victory").str());
}

void WebGame::gameStarted() {
  session_.gameStarted();
  ++games_;
}

bool WebGame::canUndo() const {
  return !session_.pointer().Nazhata() && session_.history().canUndo();
}

bool WebGame::canRedo() const {
  return !session_.pointer().Nazhata() && session_.history().canRedo();
}

bool WebGame::canHint() const {
  return !session_.pointer().Nazhata() && !boardSolved(board());
}

std::string WebGame::takeAnnouncement() {
  const MoveHistory& history = session_.history();
  const std::size_t made = history.made();
  const bool caged = this->caged();
  std::string said;
  auto arrowOf = [&](std::size_t index) {
    const MoveHistory::Played& move = history.played()[index];
    return Arrow{move.bar, move.line};
  };
  if (games_ != gamesTold_) {
    said = layoutSaid(declare_.NmRasklada, declare_.ImjaFaila);
  } else if (made > madeTold_) {
    // The move a redo would have made, made again by the key or by the arrow, is a redo.
    const Arrow move = arrowOf(made - 1);
    said = made == madeTold_ + 1 && redoTold_ == move ? redoSaid(move, declare_.NmHod)
                                                      : moveSaid(move, declare_.NmHod);
    if (caged && !cagedTold_) said += ". " + victorySaid();
  } else if (made < madeTold_) {
    said = undoSaid(arrowOf(made), declare_.NmHod, !caged && cagedTold_);
  }
  gamesTold_ = games_;
  madeTold_ = made;
  cagedTold_ = caged;
  redoTold_.reset();
  if (const auto next = history.nextRedo()) redoTold_ = Arrow{next->first, next->second};
  return said;
}

std::string WebGame::keptState() {
  const MoveHistory& history = session_.history();
  return keptText({currentGame(declare_, board()), declare_.ImjaFaila, caged(), history.played(),
                   history.made()});
}

bool WebGame::restoreState(const std::string& text) {
  const std::optional<KeptState> state = parseKeptText(text);
  if (!state) return false;
  fillCveta(declare_);
  showGame(declare_, *this, state->game);
  PageUi ui(requests_, title_);
  if (state->file.empty()) {
    declare_.ImjaFaila.clear();
  } else {
    makeCurrentFile(state->file, declare_, ui);
  }
  session_.history().restore(state->moves, state->made);
  cagePending_ = state->caged;
  return true;
}

bool WebGame::caged() {
  return picturesIn_ ? mascotCaged(*this) : cagePending_;
}

void WebGame::picturesLoaded() {
  if (cagePending_) cageMascot(*this);
  cagePending_ = false;
  picturesIn_ = true;
}

void WebGame::pointerMoved(std::int32_t bar, int x, int y, Point client) {
  cursor_ = client;
  session_.pointer().mouseMove(bar, x, y);
}

void WebGame::pointerPressed(std::int32_t bar, int x, int y, Point client) {
  cursor_ = client;
  session_.pointer().mouseDown(bar, x, y);
}

void WebGame::pointerReleased(std::int32_t bar, int x, int y, Point client) {
  cursor_ = client;
  session_.pointer().mouseUp(bar, x, y);
}

void WebGame::pointerLeft(Point client) {
  cursor_ = client;
  session_.pointer().pointerLeftBar();
}

void WebGame::newGame(double secondsSinceMidnight) {
  NewGame(declare_, *this, secondsSinceMidnight);
}

void WebGame::newStart() {
  NewRasklad(declare_, *this);
}

void WebGame::chooseLayout(std::int32_t number) {
  chooseRasklad(declare_, *this, number);
}

// The page's worker runs the search and hands the moves back through hintFound().
void WebGame::solve(std::uint64_t version, const solver::Grid& grid) {
  std::string cells = "[";
  for (const std::uint8_t cell : grid.cells()) {
    if (cells.size() > 1) cells += ',';
    cells += std::to_string(cell);
  }
  push(JsonObject()
           .add("kind", "solve")
           .add("version", static_cast<std::int64_t>(version))
           .addRaw("cells", cells + "]")
           .str());
}

void WebGame::showMessage(const MsgBoxRequest& request) {
  push(messageRequest(request));
}

bool WebGame::blinkTick() {
  session_.blinkTick();
  return session_.blinking();
}

std::string WebGame::proposedSaveName() const {
  return zarvel::proposedSaveName(declare_);
}

std::string WebGame::saveQuestion(const std::string& name, bool somethingThere) const {
  if (!asksBeforeReplacing(name, declare_, [somethingThere] { return somethingThere; })) return {};
  return messageRequest(replaceQuestion(name));
}

std::string WebGame::savedText() const {
  return savedGameText(currentGame(declare_, board()));
}

void WebGame::saveFinished(const std::string& name, WriteOutcome outcome) {
  if (outcome == WriteOutcome::Ok) {
    PageUi ui(requests_, title_);
    makeCurrentFile(name, declare_, ui);
    return;
  }
  push(messageRequest(saveFailureMessage(
      outcome == WriteOutcome::AccessDenied ? FileStatus::AccessDenied : FileStatus::Failed,
      name)));
}

void WebGame::fileTrouble(FileTrouble trouble, const std::string& name) {
  switch (trouble) {
    case FileTrouble::Picker:
      push(messageRequest(fileDialogFailureMessage()));
      break;
    case FileTrouble::Vanished:
      push(messageRequest(openFailureMessage(FileStatus::NotFound, name)));
      break;
    case FileTrouble::Unreadable:
      push(messageRequest(openFailureMessage(FileStatus::Failed, name)));
      break;
  }
}

bool WebGame::open(const std::string& folder, const std::string& name) {
  // A name that is a folder's or none is no file: the page cannot place it to be read.
  if (name.empty() || name == "." || name == "..") {
    fileTrouble(FileTrouble::Unreadable, name);
    return false;
  }
  // The reader is given the name alone, from the folder made the current one meanwhile, so
  // that its messages and the title name the file as the player knows it.
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path before = fs::current_path(error);
  fs::current_path(pathFromUtf8(folder), error);
  PageUi ui(requests_, title_);
  const std::size_t messages = requests_.size();
  LoadGame(name, declare_, *this, ui);
  if (!before.empty()) fs::current_path(before, error);
  return requests_.size() == messages;  // a failure tells the player why
}

}  // namespace zarvel::web
