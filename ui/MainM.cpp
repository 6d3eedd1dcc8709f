// Start-up of the program.
#include "ui/MainM.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>
#include <QWidget>
#include <memory>

#include "engine/Declare.h"
#include "engine/NewGameM.h"
#include "files/FileIo.h"
#include "files/Utf8Path.h"
#include "help/Shell.h"
#include "ui/frmForma.h"
#include "widgets/Fonts.h"
#include "widgets/Windows.h"

namespace zarvel {

PlaceFacts placeFacts(const QString& programFolder) {
  // Qt reports "/" on every platform; the separator rule must see the native form.
  auto native = [](const QString& folder) {
    return QDir::toNativeSeparators(folder).toStdString();
  };
  auto holdsHelp = [](const QString& folder) {
    return QFileInfo(QDir(folder).filePath(QString::fromUtf8(
                         kHelpPageName.data(), static_cast<qsizetype>(kHelpPageName.size()))))
        .isFile();
  };
  const QString data = QDir::cleanPath(programFolder + QString::fromUtf8("/" ZARVEL_DATA_FROM_BIN));
  PlaceFacts facts;
  facts.reported = native(programFolder);
  facts.programFolderWritable = folderTakesNewFiles(pathFromUtf8(programFolder.toStdString()));
  facts.helpBesideProgram = holdsHelp(programFolder);
  facts.dataFolder = native(data);
  facts.helpInDataFolder = holdsHelp(data);
  facts.documents = native(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  facts.home = native(QStandardPaths::writableLocation(QStandardPaths::HomeLocation));
  facts.cache = native(QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
  facts.temporary = native(QStandardPaths::writableLocation(QStandardPaths::TempLocation));
  return facts;
}

void startUp(Declare& declare, frmForma& form, const PlaceFacts& facts) {
  const Folders folders = chooseFolders(facts);
  declare.PutProgrammy = folders.program.PutProgrammy;
  declare.Razdelitel = folders.program.Razdelitel;
  declare.gamesFolder = folders.games;
  declare.pagesFolder = folders.pages;
  declare.helpFolder = folders.help;
  centreOnScreen(form);
  form.show();
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
  // The desktop matches the window with its menu entry, and so with its icon and name.
  QGuiApplication::setDesktopFileName(QStringLiteral(ZARVEL_ID));
  // Dates and sizes in the file dialogs read the way the rest of the game does.
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  installFontSubstitutes();
}

}  // namespace zarvel
