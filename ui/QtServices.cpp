// Qt message boxes, file dialogs and the secondary windows behind the Services seam.
#include "ui/QtServices.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>

#include "engine/Declare.h"
#include "files/apiOpenSaveM.h"
#include "files/frmRasklad.h"
#include "help/QtShell.h"
#include "help/frmOprog.h"
#include "ui/frmEnd.h"
#include "widgets/Windows.h"

namespace zarvel {
namespace {

// Gives the keyboard back to the main window when a modal window closes: a window manager
// does it anyway, and without one nothing else would, so the next shortcut would go nowhere.
class FocusBack {
 public:
  explicit FocusBack(const QPointer<QWidget>& owner) : owner_(owner) {}
  ~FocusBack() {
    if (owner_ && owner_->isVisible()) owner_->activateWindow();
  }
  FocusBack(const FocusBack&) = delete;
  FocusBack& operator=(const FocusBack&) = delete;

 private:
  const QPointer<QWidget>& owner_;
};

// A secondary window: made afresh for every opening, owned by the main window so that it
// stays off the task bar, shown in the middle of the screen, modal until closed.
void showModally(QDialog& dialog) {
  centreOnScreen(dialog);
  dialog.exec();
}

}  // namespace

class QtServices::QtMsgBox : public MsgBox {
 public:
  explicit QtMsgBox(const QPointer<QWidget>& owner) : owner_(owner) {}

  MsgAnswer show(const MsgBoxRequest& request) override {
    const FocusBack focusBack(owner_);
    QMessageBox box(owner_);
    box.setWindowTitle(QString::fromStdString(request.title));
    box.setText(QString::fromStdString(request.text).replace(QStringLiteral("\r\n"), "\n"));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(request.icon == MsgIcon::Exclamation ? QMessageBox::Warning
                                                     : QMessageBox::Critical);
    if (request.buttons == MsgButtons::YesNo) {
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(request.defaultButton == MsgAnswer::Yes ? QMessageBox::Yes
                                                                   : QMessageBox::No);
      box.setEscapeButton(QMessageBox::No);
    } else {
      box.setStandardButtons(QMessageBox::Ok);
    }
    fitTitle(box);
    const int answer = box.exec();
    if (request.buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    return answer == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
  }

 private:
  const QPointer<QWidget>& owner_;
};

QtServices::QtServices(Declare& declare)
    : declare_(declare),
      msgBox_(std::make_unique<QtMsgBox>(owner_)),
      shell_(std::make_unique<QtShell>()) {}

QtServices::~QtServices() = default;

void QtServices::setOwner(QWidget* owner) {
  owner_ = owner;
}

std::string QtServices::OpenSaveDialog(bool save, const std::string& initialName) {
  const FocusBack focusBack(owner_);
  // The player's own folder for games is made the first time a dialog needs it.
  QDir().mkpath(QString::fromStdString(declare_.gamesFolder));
  return zarvel::OpenSaveDialog(owner_, save, initialName, declare_.gamesFolder);
}

MsgBox& QtServices::msgBox() {
  return *msgBox_;
}

void QtServices::showTitle(const std::string& title) {
  if (owner_) owner_->setWindowTitle(QString::fromStdString(title));
}

void QtServices::showVictory() {
  const FocusBack focusBack(owner_);
  frmEnd window(owner_, declare_.rnd);
  window.exec();
}

void QtServices::showRasklad(Declare& declare, GameScreen& screen) {
  const FocusBack focusBack(owner_);
  frmRasklad dialog(declare, screen, owner_);
  showModally(dialog);
}

void QtServices::showAbout(const std::string& pagesFolder) {
  const FocusBack focusBack(owner_);
  QDir().mkpath(QString::fromStdString(pagesFolder));  // a cache folder may not be there yet
  frmOprog dialog(pagesFolder, *shell_, owner_);
  showModally(dialog);
}

Shell& QtServices::shell() {
  return *shell_;
}

}  // namespace zarvel
