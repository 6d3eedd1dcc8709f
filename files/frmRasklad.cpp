// The layout-number dialog's window.
#include "files/frmRasklad.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QValidator>
#include <algorithm>

#include "engine/NewGameM.h"
#include "files/RaskladRules.h"
#include "widgets/Conversions.h"
#include "widgets/Fonts.h"
#include "widgets/Windows.h"

namespace zarvel {
namespace {

// Every text of this window.
const QString kCaption = QStringLiteral("Номер расклада");
const QString kLabel1 = QStringLiteral("Выберите номер расклада от 1 до 32655");
const QString kOKCaption = QStringLiteral("OK");
const QString kNOCaption = QStringLiteral("Отмена");

// Where everything sits, in pixels from the client area's top-left corner.
constexpr QSize kClient{245, 137};
constexpr QRect kLabel1Box{8, 8, 225, 41};
constexpr QRect kTxtNomerBox{72, 56, 97, 28};
constexpr QRect kOKBox{32, 96, 81, 33};
constexpr QRect kNOBox{120, 96, 81, 33};
constexpr double kTextPoints = 12;
constexpr double kButtonPoints = 9.75;

// The text box: typed characters pass the character rule; pasted or dropped text keeps
// only its digits. The validator catches every other way in (middle-button paste, an
// input method), so the box never holds anything but up to five digits.
class NomerBox : public QLineEdit {
 public:
  explicit NomerBox(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(kNomerMaxLength);
    setValidator(new DigitsValidator(this));
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const std::uint32_t code = typedCode(*event);
    if (code != 0 && !passesCharacterRule(code)) return;  // discarded, as if never typed
    if (event->matches(QKeySequence::Paste)) {            // Shift+Insert, which types no character
      pasteDigits();
      return;
    }
    QLineEdit::keyPressEvent(event);
  }

  void contextMenuEvent(QContextMenuEvent* event) override {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* action : menu->actions()) {
      if (isPasteAction(*action)) {
        action->disconnect();
        connect(action, &QAction::triggered, this, &NomerBox::pasteDigits);
      }
    }
    menu->popup(event->globalPos());
  }

  void dropEvent(QDropEvent* event) override {
    if (event->source() == this || !event->mimeData()->hasText()) {
      QLineEdit::dropEvent(event);  // moving its own digits about, or nothing to take
      return;
    }
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    insertDigits(event->mimeData()->text());
    event->acceptProposedAction();
  }

 private:
  class DigitsValidator : public QValidator {
   public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
      const std::string before = input.left(pos).toStdString();
      input = QString::fromStdString(digitsOnly(input.toStdString(), kNomerMaxLength));
      pos = std::min(static_cast<int>(digitsOnly(before, kNomerMaxLength).size()),
                     static_cast<int>(input.size()));
      return Acceptable;
    }
  };

  // The character code a key types: Ctrl+letter gives its control code (Ctrl+C is 3,
  // Ctrl+V 22, Ctrl+X 24), other keys their text. 0 for keys that type nothing (arrows,
  // Delete, Home, End; some desktops give Delete a text of its own) and for Enter,
  // Escape and Tab, which belong to the dialog.
  static std::uint32_t typedCode(const QKeyEvent& event) {
    const int key = event.key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
        key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete) {
      return 0;
    }
    if (event.modifiers().testFlag(Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
      return controlCode(static_cast<char>('A' + (key - Qt::Key_A)));
    }
    if (key == Qt::Key_Backspace) return 8;
    const QString text = event.text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
  }

  // Newer Qt names the menu's paste item; older Qt only gives it its (translated) caption.
  static bool isPasteAction(const QAction& action) {
    return action.objectName() == QLatin1String("edit-paste") ||
           action.text().startsWith(QLineEdit::tr("&Paste"));
  }

  void pasteDigits() {
    if (const QMimeData* clip = QGuiApplication::clipboard()->mimeData(); clip != nullptr) {
      insertDigits(clip->text());
    }
  }

  void insertDigits(const QString& text) {
    const auto room = static_cast<std::size_t>(kNomerMaxLength) -
                      static_cast<std::size_t>(this->text().size() - selectedText().size());
    insert(QString::fromStdString(digitsOnly(text.toStdString(), room)));
  }
};

QFont dialogFont(double points) {
  return gameFont(kSansFamily, points, true);
}

}  // namespace

frmRasklad::frmRasklad(Declare& declare, GameScreen& screen, QWidget* parent)
    : QDialog(parent), declare_(declare), screen_(screen) {
  setObjectName(QStringLiteral("frmRasklad"));
  setUpFixedDialog(*this, kCaption, kClient, toQColor(kBackground));

  label1_ = new QLabel(kLabel1, this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setGeometry(kLabel1Box);
  label1_->setFont(dialogFont(kTextPoints));
  label1_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label1_->setWordWrap(true);

  txtNomer_ = new NomerBox(this);
  txtNomer_->setObjectName(QStringLiteral("txtNomer"));
  txtNomer_->setAccessibleName(QStringLiteral("Номер расклада"));
  txtNomer_->setGeometry(kTxtNomerBox);
  txtNomer_->setFont(dialogFont(kTextPoints));

  okButton_ = new QPushButton(kOKCaption, this);
  okButton_->setObjectName(QStringLiteral("kOK"));
  okButton_->setGeometry(kOKBox);
  okButton_->setFont(dialogFont(kButtonPoints));
  okButton_->setDefault(true);
  okButton_->setEnabled(false);

  cancelButton_ = new QPushButton(kNOCaption, this);
  cancelButton_->setObjectName(QStringLiteral("kNO"));
  cancelButton_->setGeometry(kNOBox);
  cancelButton_->setFont(dialogFont(kButtonPoints));
  // Enter presses the button that has the focus, as in any desktop dialog; only while the
  // focus is elsewhere does it go to "OK".
  cancelButton_->setAutoDefault(true);

  setTabOrder(txtNomer_, okButton_);
  setTabOrder(okButton_, cancelButton_);
  txtNomer_->setFocus();

  connect(txtNomer_, &QLineEdit::textChanged, this, &frmRasklad::txtNomer_Change);
  connect(okButton_, &QPushButton::clicked, this, &frmRasklad::kOK_Click);
  connect(cancelButton_, &QPushButton::clicked, this, &frmRasklad::kNO_Click);
}

void frmRasklad::txtNomer_Change() {
  typedNumber_ = zarvel::typedNumber(txtNomer_->text().toStdString());
  okButton_->setEnabled(okEnabled(typedNumber_));
}

void frmRasklad::kOK_Click() {
  // Enter reaches the default button only while it is enabled; a direct call must not
  // deal a number outside the range either.
  if (!okEnabled(typedNumber_)) return;
  hide();
  chooseRasklad(declare_, screen_, typedNumber_);
  accept();
}

void frmRasklad::kNO_Click() {
  reject();
}

}  // namespace zarvel
