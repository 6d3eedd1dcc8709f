// The main window and its menu wiring.
#include "ui/frmForma.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <vector>

#include "engine/NewGameM.h"
#include "engine/NewHodM.h"
#include "files/CommandMessages.h"
#include "files/OpenFileM.h"
#include "files/PoiskTochkiM.h"
#include "files/SaveFileM.h"
#include "help/Shell.h"
#include "play/AccessibleNames.h"
#include "play/frmFormaLayout.h"
#include "solver/Grid.h"
#include "ui/Accessibility.h"
#include "ui/ArrowBar.h"
#include "ui/Services.h"
#include "widgets/Conversions.h"
#include "widgets/Fonts.h"
#include "widgets/PictureView.h"
#include "widgets/Windows.h"

namespace zarvel {
namespace {

// Every text of this window; the menu items' captions are in their table below.
const QString kCaption = QStringLiteral("Головоломка «Zarvel»");
const QString kLabel2 = QStringLiteral("Расклад №");
const QString kLblTxtNmHod = QStringLiteral("Номер хода:");

namespace L = frmFormaLayout;

// A menu item: its name, caption (UTF-8), shortcut and command; no command for a separator.
struct MenuItem {
  const char* name;
  const char* caption;
  QKeyCombination shortcut;
  void (frmForma::*command)();
};

struct Menu {
  const char* name;
  const char* caption;
  std::vector<MenuItem> items;
};

std::vector<Menu> menus() {
  const QKeyCombination none;
  return {
      {"File",
       "Игра",
       {
           {"FileNewGame", "Новая игра", Qt::CTRL | Qt::Key_N, &frmForma::FileNewGame_Click},
           {"FileOpen", "Открыть", Qt::CTRL | Qt::Key_O, &frmForma::FileOpen_Click},
           {"FileSave", "Сохранить", Qt::CTRL | Qt::Key_S, &frmForma::FileSave_Click},
           {"FileSaveAs", "Сохранить как...", none, &frmForma::FileSaveAs_Click},
           {"FileRasklad", "Расклад...", Qt::Key_F3, &frmForma::FileRasklad_Click},
           {"FileNewStart", "Начать заново", none, &frmForma::FileNewStart_Click},
           {"FileSep", nullptr, none, nullptr},
           {"FileExit", "Выход", none, &frmForma::FileExit_Click},
       }},
      {"Help",
       "Справка",
       {
           {"HelpCallHelp", "Вызов справки", Qt::Key_F1, &frmForma::HelpCallHelp_Click},
           {"HelpAbout", "О программе", none, &frmForma::HelpAbout_Click},
       }},
  };
}

// A command on keys alone: the menus stay as the game has always had them.
struct KeyCommand {
  const char* name;
  QList<QKeySequence> keys;
  void (frmForma::*command)();
};

// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z on every platform, with whatever the platform's own
// undo and redo keys add; H as the desktop's games have it; S for the symbols.
std::vector<KeyCommand> keyCommands() {
  auto withStandard = [](QList<QKeySequence> keys, QKeySequence::StandardKey standard) {
    for (const QKeySequence& key : QKeySequence::keyBindings(standard))
      if (!keys.contains(key)) keys.append(key);
    return keys;
  };
  return {
      {"undoMove", withStandard({QKeySequence(Qt::CTRL | Qt::Key_Z)}, QKeySequence::Undo),
       &frmForma::undoMove},
      {"redoMove",
       withStandard(
           {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
           QKeySequence::Redo),
       &frmForma::redoMove},
      {"showHint", {QKeySequence(Qt::Key_H)}, &frmForma::showHint},
      {"toggleSymbols", {QKeySequence(Qt::Key_S)}, &frmForma::toggleSymbols},
  };
}

// The board's background is the desktop's window-text colour (black in the usual scheme).
Colour windowTextColour() {
  return fromQRgb(QApplication::palette().color(QPalette::WindowText).rgb());
}

PictureView* addPictureView(Picture& picture, QWidget* client, const char* name, const Box& box,
                            bool visible = true) {
  auto* view = new PictureView(picture, client);
  view->setObjectName(QString::fromLatin1(name));
  view->setGeometry(box.left, box.top, box.width, box.height);
  view->setVisible(visible);
  return view;
}

}  // namespace

frmForma::frmForma(Declare& declare, Services& services, QWidget* parent, HintSearch::Solve solve)
    : QMainWindow(parent),
      declare_(declare),
      services_(services),
      picPole_(kBoardPixels, kBoardPixels, windowTextColour()),
      picTrol_(L::kPicTrol.width, L::kPicTrol.height, kBackground),
      picKletka_(L::kPicKletka.width, L::kPicKletka.height, kBackground),
      picStrelka_(L::kPicStrelka.width, L::kPicStrelka.height, kBackground),
      picStrelki_{Picture(L::kPicStrelki[0].width, L::kPicStrelki[0].height, kBackground),
                  Picture(L::kPicStrelki[1].width, L::kPicStrelki[1].height, kBackground),
                  Picture(L::kPicStrelki[2].width, L::kPicStrelki[2].height, kBackground),
                  Picture(L::kPicStrelki[3].width, L::kPicStrelki[3].height, kBackground)},
      session_(declare, *this, picStrelki_, picStrelka_, *this),
      keys_(session_),
      hintSearch_(
          [this](std::uint64_t version, std::vector<solver::Move> moves) {
            session_.hintFound(version, std::move(moves));
          },
          std::move(solve)) {
  setObjectName(QStringLiteral("frmForma"));
  setWindowTitle(kCaption);
  setWindowIcon(gameIcon());
  // A fixed frame: minimise and close, but no maximise and no resizing.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(L::kClientWidth, L::kClientHeight);
  QPalette palette = client->palette();
  palette.setColor(QPalette::Window, toQColor(kBackground));
  palette.setColor(QPalette::WindowText, Qt::black);
  client->setPalette(palette);
  client->setAutoFillBackground(true);
  setCentralWidget(client);
  // The window itself takes the keyboard, so that the menu bar, which takes it on Alt, has a
  // widget to give it back to when it lets go.
  setFocusPolicy(Qt::StrongFocus);
  buildElements(client);
  buildMenus();
  buildKeyCommands();
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  // The leave poll of the arrow bars; it runs only while an arrow shows a look.
  timer1_.setInterval(L::kLeavePollMs);
  connect(&timer1_, &QTimer::timeout, this, [this] { session_.pointer().timerTick(); });
  blinkTimer_.setInterval(kBlinkPhaseMs);
  connect(&blinkTimer_, &QTimer::timeout, this, &frmForma::blinkTick);
  releaseWait_.setSingleShot(true);
  releaseWait_.setInterval(kRepeatWaitMs);
  connect(&releaseWait_, &QTimer::timeout, this, [this] {
    QApplication::activeModalWidget() == nullptr ? session_.releaseSettled()
                                                 : session_.releaseCancelled();
  });
}

frmForma::~frmForma() = default;

void frmForma::buildElements(QWidget* client) {
  auto* title = new QLabel(kCaption, client);
  title->setObjectName(QStringLiteral("title"));
  title->setGeometry(L::kTitle.left, L::kTitle.top, L::kTitle.width, L::kTitle.height);
  title->setFont(gameFont(kSerifFamily, 24, false));
  title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  title->setContentsMargins(0, L::kTitleMargin, 0, 0);

  static constexpr std::array<const char*, kBars> kBarNames = {"picStrelki0", "picStrelki1",
                                                               "picStrelki2", "picStrelki3"};
  for (std::size_t bar = 0; bar < picStrelki_.size(); ++bar) {
    const auto index = static_cast<std::int32_t>(bar);
    auto* view = new ArrowBar(picStrelki_[bar], index, session_.pointer(), client);
    view->setObjectName(QString::fromLatin1(kBarNames[bar]));
    const Box& box = L::kPicStrelki[bar];
    view->setGeometry(box.left, box.top, box.width, box.height);
    describeArrowBar(view, index, session_.pointer(), picPole_);
    bars_[bar] = view;
  }
  boardView_ = addPictureView(picPole_, client, "picPole", L::kPicPole);
  symbols_.setShown(symbolsChosen());
  boardView_->setOverlay(
      [this](QPainter& painter) { symbols_.paint(painter, boardView_->devicePixelRatioF()); });
  describeBoard(boardView_, picPole_);
  const QString trol = QStringLiteral(":/assets/PicTrol.png");
  const QString kletka = QStringLiteral(":/assets/picKletka.png");
  loadOwnPicture(picTrol_, trol);
  trolView_ = addPictureView(picTrol_, client, "PicTrol", L::kPicTrol);
  trolView_->setFineArt(trol, {}, {{kletka, {}}});
  describePicture(trolView_,
                  [this] { return QString::fromStdString(mascotName(mascotCaged(*this))); });
  loadOwnPicture(picStrelka_, kArrowStrip);
  addPictureView(picStrelka_, client, "picStrelka", L::kPicStrelka, false);
  loadOwnPicture(picKletka_, kletka);
  addPictureView(picKletka_, client, "picKletka", L::kPicKletka, false);

  QLabel* label2 = addLabel(client, "Label2", kLabel2, L::kLabel2.left, L::kLabel2.top,
                            L::kLabel2.width, L::kLabel2.height);
  lblNmRasklada_ = addLabel(client, "lblNmRasklada", QStringLiteral("0"), L::kLblNmRasklada.left,
                            L::kLblNmRasklada.top, 0, L::kLblNmRasklada.height);
  QLabel* lblTxtNmHod =
      addLabel(client, "lblTxtNmHod", kLblTxtNmHod, L::kLblTxtNmHod.left, L::kLblTxtNmHod.top,
               L::kLblTxtNmHod.width, L::kLblTxtNmHod.height);
  lblNmHod_ = addLabel(client, "lblNmHod", QStringLiteral("0"), L::kLblNmHod.left, L::kLblNmHod.top,
                       0, L::kLblNmHod.height);
  // A screen reader names each counter by the label beside it.
  label2->setBuddy(lblNmRasklada_);
  lblTxtNmHod->setBuddy(lblNmHod_);
  addNotices(client);
}

QLabel* frmForma::addLabel(QWidget* client, const char* name, const QString& text, int left,
                           int top, int width, int height) {
  auto* label = new QLabel(text, client);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(gameFont(kSansFamily, L::kLabelPoints, true));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setMargin(0);
  label->setIndent(0);
  // A width of 0 means "as wide as the text": the number labels grow to the right.
  label->setGeometry(left, top, width > 0 ? width : label->sizeHint().width(), height);
  return label;
}

void frmForma::buildMenus() {
  for (const Menu& entry : menus()) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(entry.caption));
    menu->setObjectName(QString::fromLatin1(entry.name));
    for (const MenuItem& item : entry.items) {
      if (item.command == nullptr) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(item.name));
        continue;
      }
      QAction* action = menu->addAction(QString::fromUtf8(item.caption));
      action->setObjectName(QString::fromLatin1(item.name));
      if (item.shortcut != QKeyCombination()) action->setShortcut(QKeySequence(item.shortcut));
      // Shortcuts work only while the main window is active, so never under a dialog.
      action->setShortcutContext(Qt::WindowShortcut);
      addAction(action);
      connect(action, &QAction::triggered, this, item.command);
    }
  }
}

void frmForma::buildKeyCommands() {
  for (const KeyCommand& entry : keyCommands()) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(entry.name));
    action->setShortcuts(entry.keys);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, entry.command);
  }
}

bool frmForma::confirmed(const char* itemName) {
  // The question is the item's own caption with a question mark.
  const auto* item = findChild<QAction*>(QString::fromLatin1(itemName));
  return item != nullptr && confirmStartOver(services_.msgBox(), item->text().toStdString(),
                                             windowTitle().toStdString());
}

void frmForma::showNmRasklada(std::int32_t layoutNumber) {
  lblNmRasklada_->setText(QString::number(layoutNumber));
  lblNmRasklada_->resize(lblNmRasklada_->sizeHint().width(), lblNmRasklada_->height());
}

void frmForma::showNmHod(std::int32_t moves) {
  lblNmHod_->setText(QString::number(moves));
  lblNmHod_->resize(lblNmHod_->sizeHint().width(), lblNmHod_->height());
  announceBoard();
}

void frmForma::showVictory() {
  announceBoard();
  say(victorySaid());
  services_.showVictory();
}

void frmForma::say(const std::string& text) {
  zarvel::say(centralWidget(), QString::fromStdString(text));
}

void frmForma::hintShown(Arrow arrow) {
  if (told_ == arrow) say(arrowSaid(arrow, picPole_));
}

void frmForma::announceBoard() {
  announceNames(boardView_);
  announceNames(trolView_);
}

Point frmForma::cursorInClient() {
  const QPoint at = centralWidget()->mapFromGlobal(QCursor::pos());
  return {at.x(), at.y()};
}

void frmForma::startPoll() {
  timer1_.start();
}

void frmForma::stopPoll() {
  timer1_.stop();
}

bool frmForma::pollRunning() const {
  return timer1_.isActive();
}

void frmForma::gameStarted() {
  session_.gameStarted();
  announceBoard();
  // Said once the command is over: an opened game has its file's name only then.
  QMetaObject::invokeMethod(
      this,
      [this] {
        const std::string& path = declare_.ImjaFaila;
        say(layoutSaid(declare_.NmRasklada, path.substr(path.find_last_of("/\\") + 1)));
      },
      Qt::QueuedConnection);
}

// A cursor that stays where it is tells nothing new: a screen reader would queue the same
// focus again for every press of the arrow.
void frmForma::cursorChanged() {
  const std::optional<Arrow> cursor = session_.pointer().cursor();
  if (!cursor || cursor == told_) return;
  told_ = cursor;
  announceCursor(bars_.at(static_cast<std::size_t>(cursor->bar)), cursor->line);
}

// Tab and Shift+Tab belong to the arrow cursor: the window has no focus chain to walk.
bool frmForma::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      keyPressEvent(key);
      return true;
    }
  }
  return QMainWindow::event(event);
}

void frmForma::keyPressEvent(QKeyEvent* event) {
  keys_.keyPress(*event) ? event->accept() : QMainWindow::keyPressEvent(event);
}

void frmForma::keyReleaseEvent(QKeyEvent* event) {
  keys_.keyRelease(*event) ? event->accept() : QMainWindow::keyReleaseEvent(event);
}

void frmForma::showMessage(const MsgBoxRequest& request) {
  services_.msgBox().show(request);
}

// The focus comes back from the menu bar or a window: a reader's focus went there, and the
// cursor's arrow is new to it again.
void frmForma::focusInEvent(QFocusEvent* event) {
  QMainWindow::focusInEvent(event);
  cursorChanged();
}

void frmForma::focusOutEvent(QFocusEvent* event) {
  QMainWindow::focusOutEvent(event);
  told_.reset();
}

void frmForma::solve(std::uint64_t version, const solver::Grid& grid) {
  hintSearch_.request(grid, version);
}

void frmForma::undoMove() {
  session_.undo();
  announceBoard();  // the mascot leaves his cage after the counter is shown
}

void frmForma::redoMove() {
  session_.redo();
}

void frmForma::showHint() {
  session_.hint();
}

void frmForma::toggleSymbols() {
  if (!symbolsKey_.newPress()) return;
  symbols_.setShown(!symbols_.shown());
  chooseSymbols(symbols_.shown());
  boardView_->update();
}

void frmForma::blinkTick() {
  session_.blinkTick();
}

void frmForma::openGame(const std::string& path) {
  LoadGame(completeExtension(path, declare_.Razdelitel), declare_, *this, services_);
}

void frmForma::FileNewGame_Click() {
  if (confirmed("FileNewGame")) NewGame(declare_, *this);
}

void frmForma::FileNewStart_Click() {
  if (confirmed("FileNewStart")) NewRasklad(declare_, *this);
}

void frmForma::FileOpen_Click() {
  OpenGame(declare_, *this, services_);
}

void frmForma::FileSave_Click() {
  SaveCurrentGame(declare_, *this, services_);
}

void frmForma::FileSaveAs_Click() {
  SaveGameAs(declare_, *this, services_);
}

void frmForma::FileExit_Click() {
  close();
}

void frmForma::FileRasklad_Click() {
  services_.showRasklad(declare_, *this);
}

void frmForma::HelpCallHelp_Click() {
  services_.shell().ShellOpen(helpPagePath(declare_.helpFolder));
}

void frmForma::HelpAbout_Click() {
  services_.showAbout(declare_.pagesFolder);
}

}  // namespace zarvel
