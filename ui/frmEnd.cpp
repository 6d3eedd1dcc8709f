// The victory window.
#include "ui/frmEnd.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPushButton>

#include "play/VictoryFrame.h"
#include "ui/Accessibility.h"
#include "widgets/Conversions.h"
#include "widgets/Fonts.h"
#include "widgets/Windows.h"

namespace zarvel {
namespace {

const QString kCaption = QStringLiteral("Конец игры");
const QString kTekstPobedy = QStringLiteral("ПОБЕДА!!!");
const QString kOk = QStringLiteral("OK");

// The letters: a new frame every tick, green over a grey shadow.
constexpr int kTickMs = 100;
constexpr Colour kCvetTeksta = 0x00FF00;  // green
constexpr Colour kShadowColour = 0x808080;

constexpr QSize kClient{584, 151};
constexpr QRect kPicture1LaidOut{8, 8, 160, 84};
constexpr QRect kOkBox{488, 112, 89, 33};

}  // namespace

VictoryArea::VictoryArea(QWidget* parent) : SunkenPanel(parent) {}

void VictoryArea::resizeDrawing() {
  // At the screen's resolution, so that the letters are drawn sharp rather than stretched.
  const qreal ratio = devicePixelRatioF();
  drawing_ = QImage(contentsRect().size() * ratio, QImage::Format_RGB32);
  drawing_.setDevicePixelRatio(ratio);
  drawing_.fill(palette().color(QPalette::Button));
}

void VictoryArea::paintEvent(QPaintEvent* event) {
  SunkenPanel::paintEvent(event);
  QPainter painter(this);
  painter.drawImage(contentsRect().topLeft(), drawing_);
}

frmEnd::frmEnd(QWidget* owner, Rnd& rnd) : QDialog(owner), rnd_(rnd) {
  setObjectName(QStringLiteral("frmEnd"));
  // The desktop's own button face, as the window's background.
  setUpFixedDialog(*this, kCaption, kClient, palette().color(QPalette::Button));
  setFont(gameFont(kSansFamily, 12, true));

  ok_ = new QPushButton(kOk, this);
  ok_->setObjectName(QStringLiteral("OK"));
  ok_->setGeometry(kOkBox);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  picture1_ = new VictoryArea(this);
  picture1_->setObjectName(QStringLiteral("Picture1"));
  describeText(picture1_, kTekstPobedy);  // what a screen reader reads of the jumping letters
  picture1_->setGeometry(kPicture1LaidOut);
  picture1_->setFont(gameFont(kSerifFamily, 36, true));
  picture1_->setFocusPolicy(Qt::NoFocus);

  timer1_.setInterval(kTickMs);
  connect(&timer1_, &QTimer::timeout, this, &frmEnd::Timer1_Timer);
  load();
}

void frmEnd::load() {
  TekstPobedy = kTekstPobedy;
  const QFontMetricsF metrics(picture1_->font());
  const int width = victoryAreaWidth(metrics.horizontalAdvance(TekstPobedy));
  picture1_->setGeometry(victoryAreaLeft(kClient.width(), width), kPicture1LaidOut.y(), width,
                         kPicture1LaidOut.height());
  picture1_->resizeDrawing();
  // Let the new geometry settle; input stays queued, so no move can slip in meanwhile.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  letterWidths_.clear();
  for (const QChar letter : TekstPobedy) letterWidths_.push_back(metrics.horizontalAdvance(letter));
  timer1_.start();
}

void frmEnd::Timer1_Timer() {
  rnd_.seedFromClock();
  const VictoryFrame frame = victoryFrame(rnd_, letterWidths_);
  if (picture1_->drawing().devicePixelRatio() != picture1_->devicePixelRatioF()) {
    picture1_->resizeDrawing();  // the window is on another screen now
  }
  QImage& drawing = picture1_->drawing();
  drawing.fill(picture1_->palette().color(QPalette::Button));
  QPainter painter(&drawing);
  painter.setFont(picture1_->font());
  const qreal ascent = QFontMetricsF(picture1_->font()).ascent();
  auto pass = [&](const std::vector<Point>& corners, Colour colour) {
    painter.setPen(toQColor(colour));
    for (qsizetype i = 0; i < TekstPobedy.size(); ++i) {
      const Point corner = corners[static_cast<std::size_t>(i)];
      painter.drawText(QPointF(corner.x, corner.y + ascent), TekstPobedy.at(i));
    }
  };
  pass(frame.shadow, kShadowColour);
  pass(frame.face, kCvetTeksta);
  painter.end();
  picture1_->update();
}

void frmEnd::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  centreOnScreen(*this);
}

void frmEnd::done(int result) {
  timer1_.stop();
  QDialog::done(result);
}

}  // namespace zarvel
