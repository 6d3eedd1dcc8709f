// The About box: the picture, the contact lines, the site link, the engraved separator,
// a small flag drawn at load, and "OK".
#pragma once

#include <QDialog>
#include <string>

#include "engine/Picture.h"

class QLabel;
class QPushButton;

namespace zarvel {

class Shell;
struct Box;

class frmOprog : public QDialog {
 public:
  frmOprog(const std::string& pagesFolder, Shell& shell, QWidget* parent);

  Picture& Picture1() { return picture1_; }
  QLabel* Label1() const { return label1_; }
  QPushButton* OK() const { return ok_; }

  void Label1_Click();
  void OK_Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Form_Load();
  QLabel* addLabel(const char* name, const QString& text, const Box& box);

  std::string pagesFolder_;
  Shell& shell_;
  Picture picture1_;
  QLabel* label1_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace zarvel
