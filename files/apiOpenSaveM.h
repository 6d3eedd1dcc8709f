// The open and save dialogs with Qt.
#pragma once

#include <QString>
#include <memory>
#include <string>

class QFileDialog;
class QWidget;

namespace zarvel {

// The two entries of the type list; the first is selected when a dialog opens.
inline const QString kFilterGames = QStringLiteral("Результаты игры (*.zrv)");
inline const QString kFilterAll = QStringLiteral("Все файлы (*.*)");

// A dialog ready to run: the save dialog (`save`) or the open dialog, starting in
// `folder` with `initialName` in the name box. It never asks before replacing a file
// (the save command asks), adds no extension, and the open dialog takes a name that
// does not exist, so that opening it can say the file was not found.
std::unique_ptr<QFileDialog> makeOpenSaveDialog(QWidget* owner, bool save,
                                                const QString& initialName, const QString& folder);

// Runs the dialog modally; the chosen full path with native separators (UTF-8), or ""
// when the player cancelled.
std::string OpenSaveDialog(QWidget* owner, bool save, const std::string& initialName,
                           const std::string& folder);

}  // namespace zarvel
