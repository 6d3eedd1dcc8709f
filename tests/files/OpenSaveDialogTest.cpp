// The Qt file dialogs, and the file commands wired to the main window's menu.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "engine/Board.h"
#include "files/GameFile.h"
#include "files/apiOpenSaveM.h"
#include "tests/support/FakeScreen.h"
#include "tests/support/FakeServices.h"
#include "tests/support/Places.h"
#include "tests/support/TempFolder.h"
#include "ui/MainM.h"
#include "ui/frmForma.h"

namespace zarvel {
namespace {

using testing::FakeServices;
using testing::TempFolder;

QString qtPath(const std::filesystem::path& path) {
  return QString::fromStdString(utf8FromPath(path));
}

TEST(OpenSaveDialog, OffersTheTwoTypesStartsInTheFolderAndNeverAsksOrAddsAnExtension) {
  TempFolder folder;
  for (const bool save : {true, false}) {
    const auto dialog =
        makeOpenSaveDialog(nullptr, save, QStringLiteral("1234"), qtPath(folder.path()));
    EXPECT_EQ(dialog->acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(dialog->nameFilters(), QStringList({QStringLiteral("Результаты игры (*.zrv)"),
                                                  QStringLiteral("Все файлы (*.*)")}));
    EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("Результаты игры (*.zrv)"));
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(dialog->defaultSuffix().isEmpty());
    EXPECT_EQ(QDir(dialog->directory()).canonicalPath(),
              QDir(qtPath(folder.path())).canonicalPath());
  }
}

TEST(OpenSaveDialog, TheOpenDialogTakesATypedNameThatDoesNotExist) {
  TempFolder folder;
  const auto dialog = makeOpenSaveDialog(nullptr, false, {}, qtPath(folder.path()));
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  dialog->open();
  auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(name, nullptr);
  name->setText(QStringLiteral("нет такого"));
  QTest::keyClick(name, Qt::Key_Return);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  ASSERT_EQ(dialog->selectedFiles().size(), 1);
  EXPECT_EQ(QDir::cleanPath(dialog->selectedFiles().first()),
            QDir::cleanPath(qtPath(folder.path() / pathFromUtf8("нет такого"))));
}

TEST(OpenSaveDialog, AllFilesListsNamesWithoutADotToo) {
  TempFolder folder;
  const auto dialog = makeOpenSaveDialog(nullptr, false, {}, qtPath(folder.path()));
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  dialog->open();
  auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
  auto* model = dialog->findChild<QFileSystemModel*>();
  ASSERT_NE(types, nullptr);
  ASSERT_NE(model, nullptr);
  EXPECT_EQ(model->nameFilters(), QStringList(QStringLiteral("*.zrv")));
  types->setFocus();
  QTest::keyClick(types, Qt::Key_Down);
  EXPECT_EQ(types->currentText(), QStringLiteral("Все файлы (*.*)"));
  EXPECT_TRUE(model->nameFilters().contains(QStringLiteral("*")));
  dialog->reject();
}

class FileMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    startUp(declare, form, testing::portableIn(utf8FromPath(folder.path())));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  void TearDown() override { form.close(); }

  TempFolder folder;
  Declare declare;
  FakeServices services;
  frmForma form{declare, services};
};

TEST_F(FileMenu, CtrlSProposesTheLayoutNumberInTheProgramFolderAndCtrlOBringsItBack) {
  const std::string number = std::to_string(declare.NmRasklada);
  services.chosen = declare.PutProgrammy + number;
  QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(services.dialogs.size(), 1U);
  EXPECT_TRUE(services.dialogs[0].save);
  EXPECT_EQ(services.dialogs[0].initialName, number);
  EXPECT_EQ(declare.ImjaFaila, declare.PutProgrammy + number + ".zrv");
  const QString title = QStringLiteral("Головоломка «Zarvel» - [%1.zrv]").arg(number.c_str());
  EXPECT_EQ(QString::fromStdString(services.title), title);
  const auto saved = testing::cells(form.picPole());
  const std::int32_t layout = declare.NmRasklada;

  declare.NmRasklada = layout == 7 ? 8 : 7;
  form.FileNewStart_Click();  // the recorder answers Yes
  EXPECT_EQ(QString::fromStdString(services.title), title);
  services.chosen = declare.PutProgrammy + number + ".zrv";
  QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(services.dialogs.size(), 2U);
  EXPECT_FALSE(services.dialogs[1].save);
  EXPECT_EQ(testing::cells(form.picPole()), saved);
  EXPECT_EQ(form.lblNmRasklada()->text(), QString::number(layout));
  EXPECT_EQ(form.lblNmHod()->text(), QStringLiteral("0"));
  EXPECT_EQ(QString::fromStdString(services.title), title);
}

TEST_F(FileMenu, SaveAsAlwaysAsksForAName) {
  declare.ImjaFaila = declare.PutProgrammy + "a.zrv";
  services.chosen.clear();
  form.FileSaveAs_Click();
  form.FileSave_Click();
  ASSERT_EQ(services.dialogs.size(), 1U);  // FileSave wrote to a.zrv without a dialog
  EXPECT_EQ(services.dialogs[0].initialName, declare.PutProgrammy + "a.zrv");
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "a.zrv"));
}

}  // namespace
}  // namespace zarvel
