// The services with Qt: message boxes, the file dialogs, the secondary windows and the
// desktop, all owned by the main window, which is given once.
#pragma once

#include <QPointer>
#include <memory>

#include "ui/Services.h"

class QWidget;

namespace zarvel {

struct Declare;

class QtServices : public Services {
 public:
  // `declare` gives the generator that the victory window's letters use and the program
  // folder where the file dialogs start.
  explicit QtServices(Declare& declare);
  ~QtServices() override;
  QtServices(const QtServices&) = delete;
  QtServices& operator=(const QtServices&) = delete;

  // The main window: it owns every dialog and message box and carries the title.
  void setOwner(QWidget* owner);

  // FileCommandsUi
  std::string OpenSaveDialog(bool save, const std::string& initialName) override;
  MsgBox& msgBox() override;
  void showTitle(const std::string& title) override;

  void showVictory() override;
  void showRasklad(Declare& declare, GameScreen& screen) override;
  void showAbout(const std::string& pagesFolder) override;
  Shell& shell() override;

 private:
  class QtMsgBox;
  Declare& declare_;
  QPointer<QWidget> owner_;
  std::unique_ptr<QtMsgBox> msgBox_;
  std::unique_ptr<Shell> shell_;
};

}  // namespace zarvel
