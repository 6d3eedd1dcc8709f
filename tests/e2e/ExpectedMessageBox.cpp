// Shows the standard message box a real-window test expects the game to show (title,
// text, icon, buttons), with the same Qt, fonts and Russian button texts, so that the
// test can compare the two boxes pixel for pixel: the screen is the only way to read a
// message's text from outside the game. The box is widened for its title as the game widens
// its own.
//   zarvel_e2e_msgbox error TITLE TEXT      an error box with «OK»
//   zarvel_e2e_msgbox question TITLE TEXT   a warning box with «Да» (default) and «Нет»
#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
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
  box.exec();
  return 0;
}
