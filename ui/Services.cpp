// Qt message boxes and the secondary windows behind the Services seam.
#include "ui/Services.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "files/apiOpenSaveM.h"
#include "files/frmRasklad.h"
#include "help/QtShell.h"
#include "help/frmOprog.h"
#include "ui/frmEnd.h"
#include "widgets/Windows.h"

namespace zarvel {

class QtServices::QtMsgBox : public MsgBox {
 public:
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

  QPointer<QWidget> owner_;
};

QtServices::QtServices(Rnd& rnd)
    : rnd_(rnd), msgBox_(std::make_unique<QtMsgBox>()), shell_(std::make_unique<QtShell>()) {}
QtServices::~QtServices() = default;

void QtServices::setOwner(QWidget* owner) {
  msgBox_->owner_ = owner;
}

MsgBox& QtServices::msgBox() {
  return *msgBox_;
}

void QtServices::showVictory(QWidget* owner) {
  frmEnd window(owner, rnd_);
  window.exec();
}

std::string QtServices::OpenSaveDialog(QWidget* owner, bool save, const std::string& initialName,
                                       const std::string& folder) {
  return zarvel::OpenSaveDialog(owner, save, initialName, folder);
}

namespace {

// A secondary window: made afresh for every opening, owned by the main window so that
// it stays off the task bar, shown in the middle of the screen, modal until closed.
void showModally(QDialog& dialog) {
  dialog.show();
  centreOnScreen(dialog);
  dialog.exec();
}

}  // namespace

void QtServices::showRasklad(Declare& declare, GameScreen& screen, QWidget* owner) {
  frmRasklad dialog(declare, screen, owner);
  showModally(dialog);
}

void QtServices::showAbout(const std::string& PutProgrammy, QWidget* owner) {
  frmOprog dialog(PutProgrammy, *shell_, owner);
  showModally(dialog);
}

Shell& QtServices::shell() {
  return *shell_;
}

}  // namespace zarvel
