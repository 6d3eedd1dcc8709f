// The main window: the board inside its four arrow bars, the mascot, the two counters,
// the title banner and the menus. It is the engine's screen and the one place where
// menu commands are wired to the operations they start.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <optional>
#include <string>

#include "engine/Declare.h"
#include "engine/GameScreen.h"
#include "engine/Picture.h"
#include "play/PlaySession.h"
#include "ui/ArrowBarKeys.h"
#include "ui/HintSearch.h"
#include "ui/SymbolOverlay.h"

class QAction;
class QKeyEvent;
class QLabel;

namespace zarvel {

class ArrowBar;
class PictureView;
class Services;

class frmForma : public QMainWindow, public GameScreen, private PlaySession::Host {
 public:
  frmForma(Declare& declare, Services& services, QWidget* parent = nullptr,
           HintSearch::Solve solve = HintSearch::solveWithTheSolver);
  ~frmForma() override;
  frmForma(const frmForma&) = delete;
  frmForma& operator=(const frmForma&) = delete;

  // GameScreen
  Picture& picPole() override { return picPole_; }
  Picture& PicTrol() override { return picTrol_; }
  const Picture& picKletka() override { return picKletka_; }
  void showNmRasklada(std::int32_t layoutNumber) override;
  void showNmHod(std::int32_t moves) override;
  void showVictory() override;
  void gameStarted() override;

  // Elements, by their names on the window.
  QLabel* lblNmRasklada() const { return lblNmRasklada_; }
  QLabel* lblNmHod() const { return lblNmHod_; }
  QTimer& Timer1() { return timer1_; }
  Picture& picStrelki(int bar) { return picStrelki_.at(static_cast<std::size_t>(bar)); }
  Picture& picStrelka() { return picStrelka_; }

  // Menu commands.
  void FileNewGame_Click();
  void FileOpen_Click();
  void FileSave_Click();
  void FileSaveAs_Click();
  void FileNewStart_Click();
  void FileExit_Click();
  void FileRasklad_Click();
  void HelpCallHelp_Click();
  void HelpAbout_Click();

  // Commands on keys only, beside the menus: take back a move, make it again, show the
  // next move of a solution.
  void undoMove();
  void redoMove();
  void showHint();
  // Shows or hides the symbols over the squares, and remembers the choice for the next run;
  // once for a held S.
  void toggleSymbols();
  bool symbolsShown() const { return symbols_.shown(); }
  // One phase of the hint's blink, as its timer gives them.
  void blinkTick();

  // Opens the saved game at `path` as "Открыть" does after its dialog.
  void openGame(const std::string& path);

 protected:
  // Keyboard play on the arrow bars.
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void buildElements(QWidget* client);
  void buildMenus();
  void buildKeyCommands();
  // A screen reader hears of the squares and the mascot that changed.
  void announceBoard();
  // Asks the start-over question of the menu item `itemName`; true on Yes.
  bool confirmed(const char* itemName);
  // PlaySession::Host
  Point cursorInClient() override;
  void startPoll() override;
  void stopPoll() override;
  bool pollRunning() const override;
  void solve(std::uint64_t version, const solver::Grid& grid) override;
  void startBlinkClock() override { blinkTimer_.start(); }
  void stopBlinkClock() override { blinkTimer_.stop(); }
  void cursorChanged() override;
  void showMessage(const MsgBoxRequest& request) override;
  void startReleaseWait() override { releaseWait_.start(); }
  void stopReleaseWait() override { releaseWait_.stop(); }
  void say(const std::string& text) override;
  void hintShown(Arrow arrow) override;

  QLabel* addLabel(QWidget* client, const char* name, const QString& text, int left, int top,
                   int width, int height);

  Declare& declare_;
  Services& services_;

  Picture picPole_;
  Picture picTrol_;
  Picture picKletka_;
  Picture picStrelka_;
  std::array<Picture, kBars> picStrelki_;
  SymbolOverlay symbols_{picPole_};
  SymbolsKeyWatch symbolsKey_;
  PlaySession session_;
  ArrowBarKeys keys_;
  std::array<ArrowBar*, kBars> bars_{};
  PictureView* boardView_ = nullptr;
  PictureView* trolView_ = nullptr;

  QLabel* lblNmRasklada_ = nullptr;
  QLabel* lblNmHod_ = nullptr;
  QTimer timer1_;

  HintSearch hintSearch_;
  QTimer blinkTimer_;
  QTimer releaseWait_;
  // The arrow a screen reader was last told has the focus: a reader says nothing for the
  // focus it has already, so the hint speaks that arrow itself.
  std::optional<Arrow> told_;
};

}  // namespace zarvel
