// The layout-number dialog: the player types a layout number and "OK" deals it.
// The window only forwards keys and text; the rules live in RaskladRules.
#pragma once

#include <QDialog>
#include <cstdint>

#include "engine/Declare.h"
#include "engine/GameScreen.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zarvel {

class frmRasklad : public QDialog {
 public:
  frmRasklad(Declare& declare, GameScreen& screen, QWidget* parent);

  QLabel* Label1() const { return label1_; }
  QLineEdit* txtNomer() const { return txtNomer_; }
  QPushButton* kOK() const { return okButton_; }
  QPushButton* kNO() const { return cancelButton_; }
  std::int32_t typedNumber() const { return typedNumber_; }

  void kOK_Click();
  void kNO_Click();

 private:
  void txtNomer_Change();

  Declare& declare_;
  GameScreen& screen_;
  std::int32_t typedNumber_ = 0;

  QLabel* label1_ = nullptr;
  QLineEdit* txtNomer_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace zarvel
