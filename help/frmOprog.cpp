// The About box's window.
#include "help/frmOprog.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "help/ProductInfo.h"
#include "help/SaveFileUrlm.h"
#include "help/frmOprogLayout.h"
#include "widgets/Conversions.h"
#include "widgets/Fonts.h"
#include "widgets/PictureView.h"
#include "widgets/SunkenPanel.h"
#include "widgets/Windows.h"

namespace zarvel {
namespace {

namespace L = frmOprogLayout;

// Every text of this window; the product's own lines come from ProductInfo.
const QString kCaption = QStringLiteral("О программе");
const QString kSite = QStringLiteral("Сайт:");
const QString kOKCaption = QStringLiteral("OK");
// What a screen reader calls the two pictures.
const QString kGnomeName = QStringLiteral("Гном");
const QString kFlagName = QStringLiteral("Флаг: белый, синий, красный");

// The link label carries its address with it, as the property "Tag".
constexpr const char* kTag = "Tag";

// The separator's colours are the desktop's: menu text for the dark line, the window
// (text field) background for the light one.
QColor menuTextColour() {
  return QApplication::palette("QMenu").color(QPalette::WindowText);
}
QColor windowBackgroundColour() {
  return QApplication::palette().color(QPalette::Base);
}

QWidget* addLine(QWidget* parent, const char* name, int top, const QColor& colour) {
  auto* line = new QWidget(parent);
  line->setObjectName(QString::fromLatin1(name));
  line->setGeometry(L::kLineLeft, top, L::kLineRight - L::kLineLeft + 1, 1);
  QPalette palette = line->palette();
  palette.setColor(QPalette::Window, colour);
  line->setPalette(palette);
  line->setAutoFillBackground(true);
  return line;
}

}  // namespace

frmOprog::frmOprog(const std::string& pagesFolder, Shell& shell, QWidget* parent)
    : QDialog(parent),
      pagesFolder_(pagesFolder),
      shell_(shell),
      picture1_(L::kPicture1InnerWidth, L::kPicture1InnerHeight, L::kPicture1Ground) {
  setObjectName(QStringLiteral("frmOprog"));
  setUpFixedDialog(*this, kCaption, {L::kClientWidth, L::kClientHeight}, toQColor(kBackground));
  setFont(gameFont(kSansFamily, L::kFontPoints, true));

  // "OK" first, so it is first in the tab order and has the focus.
  ok_ = new QPushButton(kOKCaption, this);
  ok_->setObjectName(QStringLiteral("OK"));
  ok_->setGeometry(rectOf(L::kOK));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &frmOprog::OK_Click);

  auto* image1 = new QLabel(this);
  image1->setObjectName(QStringLiteral("Image1"));
  image1->setGeometry(rectOf(L::kImage1));
  // The icon engine takes the picture drawn at twice the size ("@2x") on a finer screen, and
  // shrinks it smoothly at one and a half.
  image1->setPixmap(QIcon(QStringLiteral(":/assets/Image1.png"))
                        .pixmap(rectOf(L::kImage1).size(), image1->devicePixelRatioF()));
  image1->setAccessibleName(kGnomeName);

  addLabel("Label2_3", fromUtf8(ProductInfo::kContactLine1), L::kLabel2_3);
  addLabel("Label2_4", fromUtf8(ProductInfo::kContactLine2), L::kLabel2_4);
  addLabel("Label2_5", kSite, L::kLabel2_5);

  label1_ = addLabel("Label1", fromUtf8(ProductInfo::kSiteCaption), L::kLabel1);
  QPalette link = label1_->palette();
  link.setColor(QPalette::WindowText, toQColor(L::kLinkColour));
  label1_->setPalette(link);
  label1_->setFont(gameFont(kSansFamily, L::kFontPoints, true, true));
  label1_->setCursor(Qt::PointingHandCursor);
  label1_->setProperty(kTag, fromUtf8(ProductInfo::kSiteAddress));
  label1_->installEventFilter(this);
  // Tab reaches the link after «OK» (a click leaves the focus where it is), and Enter opens
  // it as a click does.
  label1_->setFocusPolicy(Qt::TabFocus);
  setTabOrder(ok_, label1_);

  addLine(this, "Line1", L::kLine1Top, menuTextColour());
  addLine(this, "Line2", L::kLine2Top, windowBackgroundColour());

  auto* frame = new SunkenPanel(this);
  frame->setObjectName(QStringLiteral("Picture1"));
  frame->setGeometry(rectOf(L::kPicture1));
  frame->setAccessibleName(kFlagName);
  auto* view = new PictureView(picture1_, frame);
  view->setGeometry(L::kPicture1Border, L::kPicture1Border, L::kPicture1InnerWidth,
                    L::kPicture1InnerHeight);

  ok_->setFocus();
  Form_Load();
}

QLabel* frmOprog::addLabel(const char* name, const QString& text, const Box& box) {
  auto* label = new QLabel(text, this);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(rectOf(box));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setMargin(0);
  label->setIndent(0);
  return label;
}

void frmOprog::Form_Load() {
  frmOprogLayout::drawFlag(picture1_);
}

bool frmOprog::eventFilter(QObject* watched, QEvent* event) {
  // A click is a press and a release of the left button on the link itself.
  if (watched == label1_ && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton &&
        label1_->rect().contains(mouse->position().toPoint())) {
      Label1_Click();
      return true;
    }
  }
  if (watched == label1_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Label1_Click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmOprog::Label1_Click() {
  // The pointer rests on the link when it is clicked, so the link shows the hourglass
  // too; otherwise its own pointing hand would hide the box's.
  setCursor(Qt::WaitCursor);
  label1_->setCursor(Qt::WaitCursor);
  SaveFileUrl(label1_->property(kTag).toString().toStdString(), pagesFolder_, shell_);
  label1_->setCursor(Qt::PointingHandCursor);
  unsetCursor();
}

void frmOprog::OK_Click() {
  accept();
}

}  // namespace zarvel
