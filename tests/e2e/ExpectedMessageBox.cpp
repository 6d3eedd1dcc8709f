// Shows the standard message box a real-window test expects the game to show (title,
// text, icon, buttons), with the same Qt, fonts and Russian button texts, so that the
// test can compare the two boxes pixel for pixel: the screen is the only way to read a
// message's text from outside the game. The box is widened for its title as the game widens
// its own. It prints "drawn" once it has been painted with the keyboard focus, as the
// game's box is when it is compared.
//   zarvel_e2e_msgbox error TITLE TEXT      an error box with «OK»
//   zarvel_e2e_msgbox question TITLE TEXT   a warning box with «Да» (default) and «Нет»
#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <memory>

#include "widgets/Windows.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 4) return 2;
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* name : {"qtbase_ru", "qt_ru"}) {
    auto translator = std::make_unique<QTranslator>(&app);
    if (translator->load(QString::fromLatin1(name), folder)) {
      QCoreApplication::installTranslator(translator.release());
      break;
    }
  }
  QMessageBox box;
  box.setWindowTitle(args[2]);
  box.setTextFormat(Qt::PlainText);
  box.setText(args[3]);
  if (args[1] == QLatin1String("question")) {
    box.setIcon(QMessageBox::Warning);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
  } else {
    box.setIcon(QMessageBox::Critical);
    box.setStandardButtons(QMessageBox::Ok);
  }
  zarvel::fitTitle(box);
  // A paint of the box or a button of it once the box is active: active and focus looks are
  // painted together after the activation, and the frame is sent once the paint is over.
  class Drawn : public QObject {
   public:
    explicit Drawn(QMessageBox& box) : box_(box) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
      const auto* widget = qobject_cast<QWidget*>(watched);
      if (!told_ && event->type() == QEvent::Paint && box_.isActiveWindow() && widget != nullptr &&
          widget->window() == &box_) {
        told_ = true;
        QTimer::singleShot(0, [] {
          std::puts("drawn");
          std::fflush(stdout);
        });
      }
      return false;
    }

   private:
    QMessageBox& box_;
    bool told_ = false;
  } drawn(box);
  app.installEventFilter(&drawn);
  box.exec();
  return 0;
}
