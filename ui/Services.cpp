// Qt message boxes and the secondary windows behind the Services seam.
#include "ui/Services.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "files/apiOpenSaveM.h"
#include "ui/frmEnd.h"

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

QtServices::QtServices(Rnd& rnd) : rnd_(rnd), msgBox_(std::make_unique<QtMsgBox>()) {}
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

}  // namespace zarvel
