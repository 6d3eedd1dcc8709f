// Every text that the file commands show: the message boxes and the window title.
#pragma once

#include <string>

#include "engine/MsgBox.h"
#include "files/GameFile.h"

namespace zarvel {

inline constexpr const char* kFileMessageTitle = "Головоломка «Zarvel»";

// "Головоломка «Zarvel» - [name]", name being what follows the last separator.
std::string titleForFile(const std::string& imjaFaila, const std::string& razdelitel);

// "Файл «path» уже существует.\r\nЗаменить его?": Yes, No preselected, exclamation.
MsgBoxRequest replaceQuestion(const std::string& path);

// The messages for a save and for an open that did not succeed: OK, error icon.
MsgBoxRequest saveFailureMessage(FileStatus status, const std::string& path);
MsgBoxRequest openFailureMessage(FileStatus status, const std::string& path);

}  // namespace zarvel
