// The file dialogs. Only the path matters to the game; the look is Qt's.
#include "files/apiOpenSaveM.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>

namespace zarvel {

std::unique_ptr<QFileDialog> makeOpenSaveDialog(QWidget* owner, bool save,
                                                const QString& initialName, const QString& folder) {
  auto dialog = std::make_unique<QFileDialog>(owner);
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog->setDefaultSuffix({});
  dialog->setNameFilters({kFilterGames, kFilterAll});
  dialog->selectNameFilter(kFilterGames);
  dialog->setDirectory(folder);
  dialog->selectFile(initialName);
#ifndef Q_OS_WIN
  // Outside Windows "*.*" lists only names with a dot; "all files" must list every file.
  QFileDialog* view = dialog.get();
  QObject::connect(view, &QFileDialog::filterSelected, view, [view](const QString& filter) {
    auto* model = view->findChild<QFileSystemModel*>();
    if (filter == kFilterAll && model != nullptr) model->setNameFilters({QStringLiteral("*")});
  });
#endif
  return dialog;
}

std::string OpenSaveDialog(QWidget* owner, bool save, const std::string& initialName,
                           const std::string& folder) {
  const auto dialog = makeOpenSaveDialog(owner, save, QString::fromStdString(initialName),
                                         QString::fromStdString(folder));
  if (dialog->exec() != QDialog::Accepted) return {};
  const QStringList files = dialog->selectedFiles();
  if (files.isEmpty()) return {};
  // Qt answers with "/" everywhere; the title and the extension rule need the native form.
  return QDir::toNativeSeparators(files.first()).toStdString();
}

}  // namespace zarvel
