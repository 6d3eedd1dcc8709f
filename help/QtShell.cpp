// Handing documents to the desktop.
#include "help/QtShell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

namespace zarvel {

void QtShell::ShellOpen(const std::string& document) {
  const QString text = QString::fromStdString(document);
  // What the desktop makes of it (a missing file, no browser) is its own business: the
  // program shows nothing and goes on, so the answer is deliberately not looked at.
  static_cast<void>(
      QDesktopServices::openUrl(isWebAddress(document) ? QUrl(text) : QUrl::fromLocalFile(text)));
}

void QtShell::processPendingEvents() {
  // Paint and cursor changes only: a click that is already waiting must not start the
  // link a second time while the first is still under way.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace zarvel
