// Open, save and save as, driven through a recording stand-in for the dialogs, the
// message boxes and the window title.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "engine/Board.h"
#include "engine/NewGameM.h"
#include "files/CommandMessages.h"
#include "files/FileIo.h"
#include "files/GameFile.h"
#include "files/OpenFileM.h"
#include "files/SaveFileM.h"
#include "files/SavedGameText.h"
#include "tests/support/FakeScreen.h"
#include "tests/support/Recorders.h"
#include "tests/support/TempFolder.h"

#ifndef _WIN32
#include "tests/support/ChildProcess.h"
#endif

namespace zarvel {
namespace {

namespace fs = std::filesystem;
using testing::FakeScreen;
using testing::readBytes;
using testing::RecordingMsgBox;
using testing::TempFolder;
using testing::writeBytes;

const std::string kTitle = "Головоломка «Zarvel»";

class FileCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    declare.PutProgrammy = utf8FromPath(folder.path()) + "/";
    declare.Razdelitel = "/";
    declare.NmRasklada = 1234;
    NewRasklad(declare, screen);
  }
  std::string path(const std::string& name) const { return declare.PutProgrammy + name; }
  const MsgBoxRequest& onlyMessage() const {
    EXPECT_EQ(ui.messages.requests.size(), 1U);
    return ui.messages.requests.front();
  }
  void expectError(const std::string& text) const {
    ASSERT_EQ(ui.messages.requests.size(), 1U);
    const MsgBoxRequest& message = ui.messages.requests.front();
    EXPECT_EQ(message.title, kTitle);
    EXPECT_EQ(message.text, text);
    EXPECT_EQ(message.buttons, MsgButtons::Ok);
    EXPECT_EQ(message.icon, MsgIcon::Error);
  }

  TempFolder folder;
  Declare declare = testing::startedDeclare();
  FakeScreen screen;
  testing::RecordingFileUi ui;
};

TEST_F(FileCommands, SaveWithoutAFileProposesTheLayoutNumberAndNamesTheWindow) {
  ui.chosen = path("1234");
  SaveCurrentGame(declare, screen, ui);
  ASSERT_EQ(ui.dialogs.size(), 1U);
  EXPECT_TRUE(ui.dialogs[0].save);
  EXPECT_EQ(ui.dialogs[0].initialName, "1234");
  EXPECT_TRUE(ui.messages.requests.empty());
  EXPECT_EQ(readBytes(path("1234.zrv")), savedGameText(currentGame(declare, screen.picPole())));
  EXPECT_EQ(declare.ImjaFaila, path("1234.zrv"));
  EXPECT_EQ(ui.title, kTitle + " - [1234.zrv]");
}

TEST_F(FileCommands, TheTitleNamesTheFileAfterTheLastSeparator) {
  EXPECT_EQ(titleForFile(R"(C:\Games\1234.zrv)", "\\"), kTitle + " - [1234.zrv]");
  EXPECT_EQ(titleForFile(R"(C:\my.folder\x.zrv)", "\\"), kTitle + " - [x.zrv]");
  EXPECT_EQ(titleForFile("/home/u/Мои игры/x.zrv", "/"), kTitle + " - [x.zrv]");
  EXPECT_EQ(titleForFile("x.zrv", "/"), kTitle + " - [x.zrv]");
  // Only the program's own separator cuts.
  EXPECT_EQ(titleForFile("C:/a/b.zrv", "\\"), kTitle + " - [C:/a/b.zrv]");
}

TEST_F(FileCommands, SavingAgainToTheCurrentFileAsksNothing) {
  ui.chosen = path("game");
  SaveGameAs(declare, screen, ui);
  ASSERT_EQ(declare.ImjaFaila, path("game.zrv"));
  declare.NmHod = 9;

  SaveCurrentGame(declare, screen, ui);  // no dialog, no question
  EXPECT_EQ(ui.dialogs.size(), 1U);
  ui.chosen = path("game.zrv");
  SaveGameAs(declare, screen, ui);  // proposes the current file, asks nothing
  ASSERT_EQ(ui.dialogs.size(), 2U);
  EXPECT_EQ(ui.dialogs[1].initialName, path("game.zrv"));
  EXPECT_TRUE(ui.messages.requests.empty());
  EXPECT_EQ(readBytes(path("game.zrv")), savedGameText(currentGame(declare, screen.picPole())));
}

TEST_F(FileCommands, AnotherExistingFileIsReplacedOnlyAfterYes) {
  writeBytes(path("other.zrv"), "precious");
  declare.ImjaFaila = path("mine.zrv");
  ui.title = kTitle + " - [mine.zrv]";
  ui.messages.answerWith(MsgAnswer::No);
  ui.chosen = path("other.zrv");

  SaveGameAs(declare, screen, ui);

  const MsgBoxRequest& question = onlyMessage();
  EXPECT_EQ(question.title, kTitle);
  EXPECT_EQ(question.text, "Файл «" + path("other.zrv") + "» уже существует.\r\nЗаменить его?");
  EXPECT_EQ(question.buttons, MsgButtons::YesNo);
  EXPECT_EQ(question.icon, MsgIcon::Exclamation);
  EXPECT_EQ(question.defaultButton, MsgAnswer::No);
  EXPECT_EQ(readBytes(path("other.zrv")), "precious");
  EXPECT_EQ(declare.ImjaFaila, path("mine.zrv"));
  EXPECT_EQ(ui.title, kTitle + " - [mine.zrv]");

  ui.messages.answerWith(MsgAnswer::Yes);
  SaveGameAs(declare, screen, ui);
  EXPECT_EQ(ui.messages.requests.size(), 2U);
  EXPECT_EQ(readBytes(path("other.zrv")), savedGameText(currentGame(declare, screen.picPole())));
  EXPECT_EQ(declare.ImjaFaila, path("other.zrv"));
  EXPECT_EQ(ui.title, kTitle + " - [other.zrv]");
}

TEST_F(FileCommands, TheCurrentFileInOtherLetterCaseCountsAsAnotherPath) {
  writeBytes(path("Game.zrv"), "x");
  declare.ImjaFaila = path("game.zrv");
  ui.messages.answerWith(MsgAnswer::No);
  SaveGame(path("Game.zrv"), declare, screen, ui);
  EXPECT_EQ(ui.messages.requests.size(), 1U);
  EXPECT_EQ(readBytes(path("Game.zrv")), "x");
}

#ifndef _WIN32
// A name that is there but cannot be looked through is there: the question comes first.
TEST_F(FileCommands, ANameThatCannotBeExaminedStillAsksBeforeItIsReplaced) {
  fs::create_symlink("loop.zrv", folder.path() / "loop.zrv");
  fs::create_directory(folder.path() / "closed");
  writeBytes(path("closed/game.zrv"), "precious");
  fs::create_symlink("closed/game.zrv", folder.path() / "hidden.zrv");
  fs::permissions(folder.path() / "closed", fs::perms::none);
  ui.messages.answerWith(MsgAnswer::No);
  const int asked = testing::inChildProcess({.ordinaryUser = true}, [&] {
    for (const char* name : {"loop.zrv", "hidden.zrv"}) SaveGame(path(name), declare, screen, ui);
    return static_cast<int>(std::count_if(
        ui.messages.requests.begin(), ui.messages.requests.end(),
        [](const MsgBoxRequest& request) { return request.buttons == MsgButtons::YesNo; }));
  });
  EXPECT_EQ(asked, 2);
  fs::permissions(folder.path() / "closed", fs::perms::owner_all);
  EXPECT_EQ(readBytes(path("closed/game.zrv")), "precious");
}
#endif

TEST_F(FileCommands, ANameWithAnotherExtensionIsKeptAndHoldsASavedGame) {
  ui.chosen = path("game.txt");
  SaveGameAs(declare, screen, ui);
  EXPECT_EQ(declare.ImjaFaila, path("game.txt"));
  EXPECT_FALSE(fs::exists(pathFromUtf8(path("game.txt.zrv"))));
  EXPECT_EQ(ReadGameFile(path("game.txt"), declare, screen), FileStatus::Ok);
}

TEST_F(FileCommands, CancelledDialogsChangeNothing) {
  ui.chosen.clear();
  const auto board = testing::cells(screen.picPole());
  SaveCurrentGame(declare, screen, ui);
  SaveGameAs(declare, screen, ui);
  OpenGame(declare, screen, ui);
  EXPECT_EQ(ui.dialogs.size(), 3U);
  EXPECT_FALSE(ui.dialogs[2].save);
  EXPECT_EQ(ui.dialogs[2].initialName, "");
  EXPECT_TRUE(ui.messages.requests.empty());
  EXPECT_TRUE(declare.ImjaFaila.empty());
  EXPECT_EQ(ui.title, kTitle);
  EXPECT_EQ(testing::cells(screen.picPole()), board);
  EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST_F(FileCommands, FailedSavesSayWhyAndKeepTheCurrentFile) {
  declare.ImjaFaila = path("mine.zrv");
  ui.title = kTitle + " - [mine.zrv]";
  writeBytes(path("locked.zrv"), "old");
  fs::permissions(pathFromUtf8(path("locked.zrv")), fs::perms::owner_read);

  SaveGame(path("locked.zrv"), declare, screen, ui);  // Yes to the question, then denied
  ASSERT_EQ(ui.messages.requests.size(), 2U);
  EXPECT_EQ(ui.messages.requests[1].text, "Файл «" + path("locked.zrv") + "» защищён от записи.");
  EXPECT_EQ(ui.messages.requests[1].icon, MsgIcon::Error);
  EXPECT_EQ(readBytes(path("locked.zrv")), "old");

  ui.messages.requests.clear();
  SaveGame(path("нет/x.zrv"), declare, screen, ui);
  expectError("Файл «" + path("нет/x.zrv") + "» сохранить не возможно.");
  EXPECT_EQ(declare.ImjaFaila, path("mine.zrv"));
  EXPECT_EQ(ui.title, kTitle + " - [mine.zrv]");
}

#ifndef _WIN32
// Written in place, where the folder takes no new file, while another program holds it.
TEST_F(FileCommands, ASaveInPlaceOfAFileAnotherProgramHoldsSaysSo) {
  const fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write;
  writeBytes(declare.ImjaFaila = path("held.zrv"), "old");
  FileError error;
  OpenFile holder = OpenFile::forWriting(pathFromUtf8(declare.ImjaFaila), error);
  ASSERT_TRUE(holder.lockExclusive());
  fs::permissions(folder.path(), kWrite, fs::perm_options::remove);
  SaveCurrentGame(declare, screen, ui);
  fs::permissions(folder.path(), kWrite, fs::perm_options::add);
  expectError("Файл «" + path("held.zrv") + "» занят другой программой.");
  EXPECT_EQ(readBytes(path("held.zrv")), "old");
}
#endif

TEST_F(FileCommands, OpeningANameThatIsNotThereSaysNotFoundWithTheCompletedPath) {
  const auto board = testing::cells(screen.picPole());
  ui.chosen = path("missing");
  OpenGame(declare, screen, ui);
  expectError("Файл «" + path("missing.zrv") + "» не найден.");
  EXPECT_EQ(testing::cells(screen.picPole()), board);
  EXPECT_TRUE(declare.ImjaFaila.empty());
  EXPECT_EQ(ui.title, kTitle);
}

TEST_F(FileCommands, OpeningAFileOfAnotherKindChangesNothing) {
  writeBytes(path("notes.txt"), "[Zarvel]\r\nсовсем другое\r\n");
  declare.NmHod = 3;
  screen.showNmHod(3);
  declare.ImjaFaila = path("mine.zrv");
  ui.title = kTitle + " - [mine.zrv]";
  const auto board = testing::cells(screen.picPole());

  LoadGame(path("notes.txt"), declare, screen, ui);

  expectError("Файл «" + path("notes.txt") + "» не подходит к программе.");
  EXPECT_EQ(testing::cells(screen.picPole()), board);
  EXPECT_EQ(declare.NmHod, 3);
  EXPECT_EQ(screen.lblNmHod, 3);
  EXPECT_EQ(declare.NmRasklada, 1234);
  EXPECT_EQ(declare.ImjaFaila, path("mine.zrv"));
  EXPECT_EQ(ui.title, kTitle + " - [mine.zrv]");
}

TEST_F(FileCommands, OpeningInAMissingFolderCannotOpen) {
  ui.chosen = path("нет/x.zrv");
  OpenGame(declare, screen, ui);
  expectError("Файл «" + path("нет/x.zrv") + "» открыть не возможно.");
}

TEST_F(FileCommands, OpenNamesTheWindowAndANewDealForgetsTheFileButKeepsTheTitle) {
  declare.NmHod = 4;
  ASSERT_EQ(WriteGameFile(path("x.zrv"), declare, screen.picPole()), FileStatus::Ok);
  const auto saved = testing::cells(screen.picPole());
  declare.NmRasklada = 99;
  NewRasklad(declare, screen);

  ui.chosen = path("x");
  OpenGame(declare, screen, ui);
  EXPECT_TRUE(ui.messages.requests.empty());
  EXPECT_EQ(testing::cells(screen.picPole()), saved);
  EXPECT_EQ(declare.NmRasklada, 1234);
  EXPECT_EQ(declare.NmHod, 4);
  EXPECT_EQ(declare.ImjaFaila, path("x.zrv"));
  EXPECT_EQ(ui.title, kTitle + " - [x.zrv]");

  declare.NmRasklada = 4321;
  NewRasklad(declare, screen);
  EXPECT_TRUE(declare.ImjaFaila.empty());
  EXPECT_EQ(ui.title, kTitle + " - [x.zrv]");
  ui.chosen.clear();
  SaveCurrentGame(declare, screen, ui);
  ASSERT_EQ(ui.dialogs.size(), 2U);
  EXPECT_TRUE(ui.dialogs[1].save);
  EXPECT_EQ(ui.dialogs[1].initialName, "4321");
}

TEST(ConfirmStartOver, AsksTheCaptionWithAQuestionMarkYesPreselected) {
  for (auto [answer, expected] : {std::pair{MsgAnswer::Yes, true}, {MsgAnswer::No, false}}) {
    RecordingMsgBox msgBox(answer);
    EXPECT_EQ(confirmStartOver(msgBox, "Новая игра", "Головоломка «Zarvel» - [a.zrv]"), expected);
    ASSERT_EQ(msgBox.requests.size(), 1U);
    const MsgBoxRequest& request = msgBox.requests.front();
    EXPECT_EQ(request.text, "Новая игра?");
    EXPECT_EQ(request.title, "Головоломка «Zarvel» - [a.zrv]");
    EXPECT_EQ(request.buttons, MsgButtons::YesNo);
    EXPECT_EQ(request.icon, MsgIcon::Exclamation);
    EXPECT_EQ(request.defaultButton, MsgAnswer::Yes);
  }
}

}  // namespace
}  // namespace zarvel
