// Everything modal or outside the program that the main window starts: message boxes
// and the secondary windows. The application passes the Qt implementation; tests pass
// recorders, so no test ever waits in a nested event loop.
#pragma once

#include <memory>
#include <string>

#include "engine/Rnd.h"
#include "files/MsgBox.h"
#include "help/OpURL.h"

class QWidget;

namespace zarvel {

struct Declare;
class GameScreen;

class Services {
 public:
  virtual ~Services() = default;
  virtual MsgBox& msgBox() = 0;
  // The victory window, modally over `owner`; returns once it is closed.
  virtual void showVictory(QWidget* owner) = 0;
  // File dialogs: the open dialog, or the save dialog when `save`, over `owner`, starting
  // in `folder` with `initialName` in the name box; the chosen full path (UTF-8), or "".
  virtual std::string OpenSaveDialog(QWidget* owner, bool save, const std::string& initialName,
                                     const std::string& folder) = 0;

  // Layout-number dialog, help and About.
  // The layout-number dialog over `owner`; "OK" deals the typed layout on `screen`.
  virtual void showRasklad(Declare& declare, GameScreen& screen, QWidget* owner) = 0;
  // The About box over `owner`; its link writes a page into `PutProgrammy`.
  virtual void showAbout(const std::string& PutProgrammy, QWidget* owner) = 0;
  // The desktop that opens documents (the help page, the site link).
  virtual Shell& shell() = 0;
};

// The real thing: Qt message boxes and windows.
class QtServices : public Services {
 public:
  // `rnd` is the process-wide generator, which the victory window's letters use too.
  explicit QtServices(Rnd& rnd);
  ~QtServices() override;
  QtServices(const QtServices&) = delete;
  QtServices& operator=(const QtServices&) = delete;

  // The window that owns message boxes and dialogs.
  void setOwner(QWidget* owner);

  MsgBox& msgBox() override;
  void showVictory(QWidget* owner) override;
  std::string OpenSaveDialog(QWidget* owner, bool save, const std::string& initialName,
                             const std::string& folder) override;

  // Layout-number dialog, help and About.
  void showRasklad(Declare& declare, GameScreen& screen, QWidget* owner) override;
  void showAbout(const std::string& PutProgrammy, QWidget* owner) override;
  Shell& shell() override;

 private:
  class QtMsgBox;
  Rnd& rnd_;
  std::unique_ptr<QtMsgBox> msgBox_;
  std::unique_ptr<Shell> shell_;
};

}  // namespace zarvel
