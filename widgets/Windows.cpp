// The frame and the place of the game's windows.
#include "widgets/Windows.h"

#include <QDialog>
#include <QScreen>

namespace zarvel {

void setUpFixedDialog(QDialog& dialog, const QString& caption, QSize client,
                      const QColor& background) {
  dialog.setWindowTitle(caption);
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  dialog.setModal(true);
  dialog.setFixedSize(client);
  QPalette palette = dialog.palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::Button, background);
  palette.setColor(QPalette::WindowText, Qt::black);
  dialog.setPalette(palette);
  dialog.setAutoFillBackground(true);
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
