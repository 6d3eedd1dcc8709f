// Start-up of the program.
#include "ui/MainM.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>
#include <QWidget>
#include <memory>

#include "engine/Declare.h"
#include "engine/NewGameM.h"
#include "ui/Fonts.h"
#include "ui/ProgramFolder.h"
#include "ui/frmForma.h"

namespace zarvel {

void startUp(Declare& declare, frmForma& form, const QString& reportedFolder) {
  // Qt reports "/" on every platform; the separator rule must see the native form.
  const ProgramFolder folder =
      programFolder(QDir::toNativeSeparators(reportedFolder).toStdString());
  declare.PutProgrammy = folder.PutProgrammy;
  declare.Razdelitel = folder.Razdelitel;
  form.show();
  centreOnScreen(form);
  form.activateWindow();
  fillCveta(declare);
  NewGame(declare, form);
}

namespace {

void installRussianTranslations() {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* name : {"qtbase_ru", "qt_ru"}) {
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QString::fromLatin1(name), folder)) {
      translator->setParent(QCoreApplication::instance());
      QCoreApplication::installTranslator(translator.release());
      return;
    }
  }
}

}  // namespace

void setUpApplication() {
  installRussianTranslations();
  // Dates and sizes in the file dialogs read the way the rest of the game does.
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  // Where "MS Sans Serif" is not installed, fontconfig's generic sans-serif choice can be
  // wide enough to clip the labels' texts at their fixed widths; a font with Arial's
  // metrics keeps them inside, so it is asked for first.
  QFont::insertSubstitutions(
      kSansFamily, {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arial")});
}

void centreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();
  QRect frame = window.frameGeometry();
  frame.moveCenter(available.center());
  window.move(frame.topLeft());
}

}  // namespace zarvel
