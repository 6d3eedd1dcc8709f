// The zarvel executable.
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "engine/Declare.h"
#include "files/FileIo.h"
#include "files/Utf8Path.h"
#include "ui/CommandLine.h"
#include "ui/MainM.h"
#include "ui/QtServices.h"
#include "ui/frmForma.h"

namespace {

// Usage and version need no display, so they are answered before Qt looks for one.
bool answeredWithoutWindow(const zarvel::CommandLine& line) {
  using Action = zarvel::CommandLine::Action;
  if (line.action == Action::Usage) std::cout << zarvel::usageText();
  if (line.action == Action::Version) std::cout << zarvel::versionText();
  return line.action == Action::Usage || line.action == Action::Version;
}

// Qt ends the program in an abort, a core dump where they are kept, when it has no display
// to open: the player is told so instead, after whatever Qt said on the way.
void noDisplayInsteadOfAbort(QtMsgType type, const QMessageLogContext& context,
                             const QString& message) {
  if (type != QtFatalMsg) {
    std::cerr << qFormatLogMessage(type, context, message).toStdString() << '\n';
    return;
  }
  std::cerr << zarvel::noDisplayText() << std::flush;
  std::_Exit(1);  // from inside Qt's constructor: nothing is left to tidy up
}

// A screen reader's bridge holds every key back until the reader has seen it, then posts it
// again. The menu bar has taken Alt from the key itself by then, and the copy would count as
// another Alt: its press arms the menu bar anew and its release lets the menus go, so that
// the keys after it reach the arrows. Alt alone does nothing else here, so a copy of it goes.
class GameApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    const auto type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && !event->spontaneous()) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Alt || key == Qt::Key_AltGr || key == Qt::Key_Meta) return true;
    }
    return QApplication::notify(receiver, event);
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  zarvel::QtHandOver handOver(argv, zarvel::argumentNames(argc, argv));
  const zarvel::CommandLine early = handOver.beforeQt();
  if (answeredWithoutWindow(early)) return 0;
  if (early.action == zarvel::CommandLine::Action::Refuse) {
    std::cerr << early.problem;
    return 2;
  }

  const QtMessageHandler qtHandler = qInstallMessageHandler(noDisplayInsteadOfAbort);
  GameApplication app(handOver.qtArgc(), handOver.qtArgv());
  qInstallMessageHandler(qtHandler);
  const zarvel::CommandLine line = handOver.afterQt();
  if (line.action == zarvel::CommandLine::Action::Refuse) {
    std::cerr << line.problem;
    return 2;
  }
  zarvel::setUpApplication();
  zarvel::Declare declare;
  zarvel::QtServices services(declare);
  zarvel::frmForma form(declare, services);
  services.setOwner(&form);
  zarvel::startUp(declare, form, zarvel::placeFacts(QCoreApplication::applicationDirPath()));
  if (!line.file.empty()) {
    // A full path, in the platform's own spelling, as the open dialog would hand it over.
    std::error_code failed;
    const std::filesystem::path full =
        std::filesystem::absolute(zarvel::pathFromUtf8(line.file), failed);
    const std::string path = failed ? line.file : zarvel::utf8FromPath(full.lexically_normal());
    QTimer::singleShot(0, &form, [&form, path] { form.openGame(path); });
  }
  return QApplication::exec();
}
