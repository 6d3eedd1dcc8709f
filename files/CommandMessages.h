// What the commands of the menu «Игра» ask and tell the player: the start-over question, the
// replace question, the messages of a save or an open that failed, and the window's title
// once a file is the current one. Every text in one place.
#pragma once

#include <string>

#include "engine/Declare.h"
#include "files/FileCommandsUi.h"
#include "files/GameFile.h"
#include "files/MsgBox.h"

namespace zarvel {

inline constexpr const char* kFileMessageTitle = "Головоломка «Zarvel»";

// "<itemCaption>?" (Yes, No; Yes preselected; exclamation icon) under the main window's
// current caption: the question before "Новая игра" and "Начать заново".
MsgBoxRequest startOverQuestion(const std::string& itemCaption, const std::string& windowCaption);

// Asks the start-over question; true on Yes.
bool confirmStartOver(MsgBox& msgBox, const std::string& itemCaption,
                      const std::string& windowCaption);

// "Файл «path» уже существует.\r\nЗаменить его?": Yes, No preselected, exclamation.
MsgBoxRequest replaceQuestion(const std::string& path);

// The messages for a save and for an open that did not succeed: OK, error icon.
MsgBoxRequest saveFailureMessage(FileStatus status, const std::string& path);
MsgBoxRequest openFailureMessage(FileStatus status, const std::string& path);
// "Окно выбора файла открыть не возможно.": a file dialog that failed to show, for a reason
// other than the player's cancel (a browser's picker refused for security).
MsgBoxRequest fileDialogFailureMessage();

// "Головоломка «Zarvel» - [name]", name being what follows the last separator.
std::string titleForFile(const std::string& imjaFaila, const std::string& razdelitel);

// After a successful save or open: `path` becomes ImjaFaila and the title names it.
void makeCurrentFile(const std::string& path, Declare& declare, FileCommandsUi& ui);

}  // namespace zarvel
