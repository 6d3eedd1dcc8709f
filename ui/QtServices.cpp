// Qt message boxes, file dialogs and the secondary windows behind the Services seam.
#include "ui/QtServices.h"

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

class QtServices::QtMsgBox : public MsgBox {
 public:
  explicit QtMsgBox(const QPointer<QWidget>& owner) : owner_(owner) {}

  MsgAnswer show(const MsgBoxRequest& request) override {
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
      return box.exec() == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MsgAnswer::Ok;
  }

 private:
  const QPointer<QWidget>& owner_;
};

namespace {

// A secondary window: made afresh for every opening, owned by the main window so that it
// stays off the task bar, shown in the middle of the screen, modal until closed.
void showModally(QDialog& dialog) {
  dialog.show();
  centreOnScreen(dialog);
  dialog.exec();
}

}  // namespace

QtServices::QtServices(Declare& declare)
    : declare_(declare),
      msgBox_(std::make_unique<QtMsgBox>(owner_)),
      shell_(std::make_unique<QtShell>()) {}

QtServices::~QtServices() = default;

void QtServices::setOwner(QWidget* owner) {
  owner_ = owner;
}

std::string QtServices::OpenSaveDialog(bool save, const std::string& initialName) {
  return zarvel::OpenSaveDialog(owner_, save, initialName, declare_.PutProgrammy);
}

MsgBox& QtServices::msgBox() {
  return *msgBox_;
}

void QtServices::showTitle(const std::string& title) {
  if (owner_) owner_->setWindowTitle(QString::fromStdString(title));
}

void QtServices::showVictory() {
  frmEnd window(owner_, declare_.rnd);
  window.exec();
}

void QtServices::showRasklad(Declare& declare, GameScreen& screen) {
  frmRasklad dialog(declare, screen, owner_);
  showModally(dialog);
}

void QtServices::showAbout(const std::string& PutProgrammy) {
  frmOprog dialog(PutProgrammy, *shell_, owner_);
  showModally(dialog);
}

Shell& QtServices::shell() {
  return *shell_;
}

}  // namespace zarvel
