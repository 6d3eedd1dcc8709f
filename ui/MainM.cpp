// Start-up of the program.
#include "ui/MainM.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>
#include <memory>

#include "engine/Declare.h"
#include "engine/NewGameM.h"
#include "ui/ProgramFolder.h"
#include "ui/frmForma.h"
#include "widgets/Fonts.h"
#include "widgets/Windows.h"

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
  installFontSubstitutes();
}

}  // namespace zarvel
