// The zarvel executable.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <iostream>

#include "engine/Declare.h"
#include "ui/CommandLine.h"
#include "ui/MainM.h"
#include "ui/QtServices.h"
#include "ui/frmForma.h"

namespace {

std::vector<std::string> argumentsOf(const QStringList& list) {
  std::vector<std::string> arguments;
  for (qsizetype i = 1; i < list.size(); ++i) arguments.push_back(list[i].toStdString());
  return arguments;
}

// Usage and version need no display, so they are answered before Qt looks for one.
bool answeredWithoutWindow(const zarvel::CommandLine& line) {
  using Action = zarvel::CommandLine::Action;
  if (line.action == Action::Usage) std::cout << zarvel::usageText();
  if (line.action == Action::Version) std::cout << zarvel::versionText();
  return line.action == Action::Usage || line.action == Action::Version;
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::vector<std::string> raw(argv + (argc > 0 ? 1 : 0), argv + argc);
  const zarvel::CommandLine early = zarvel::parseCommandLine(raw, true);
  if (answeredWithoutWindow(early)) return 0;
  if (early.action == zarvel::CommandLine::Action::Refuse) {
    std::cerr << early.problem;
    return 2;
  }

  QApplication app(argc, argv);
  // Qt has taken its own options (-platform, -style...) out by now; the rest is ours.
  const zarvel::CommandLine line = zarvel::parseCommandLine(argumentsOf(app.arguments()));
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
    const QString path =
        QDir::toNativeSeparators(QFileInfo(QString::fromStdString(line.file)).absoluteFilePath());
    QTimer::singleShot(0, &form, [&form, path] { form.openGame(path.toStdString()); });
  }
  return QApplication::exec();
}
