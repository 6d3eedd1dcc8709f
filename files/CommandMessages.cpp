// The questions and messages of the menu's commands, in one place.
#include "files/CommandMessages.h"

namespace zarvel {
namespace {

constexpr const char* kInUse = " занят другой программой.";

MsgBoxRequest fileMessage(const std::string& path, const char* what) {
  MsgBoxRequest request;
  request.title = kFileMessageTitle;
  request.text = "Файл «" + path + "»" + what;
  return request;
}

MsgBoxRequest failureMessage(const std::string& path, const char* what) {
  MsgBoxRequest request = fileMessage(path, what);
  request.buttons = MsgButtons::Ok;
  request.icon = MsgIcon::Error;
  request.defaultButton = MsgAnswer::Ok;
  return request;
}

}  // namespace

MsgBoxRequest startOverQuestion(const std::string& itemCaption, const std::string& windowCaption) {
  MsgBoxRequest request;
  request.title = windowCaption;
  request.text = itemCaption + "?";
  request.buttons = MsgButtons::YesNo;
  request.icon = MsgIcon::Exclamation;
  request.defaultButton = MsgAnswer::Yes;
  return request;
}

bool confirmStartOver(MsgBox& msgBox, const std::string& itemCaption,
                      const std::string& windowCaption) {
  return msgBox.show(startOverQuestion(itemCaption, windowCaption)) == MsgAnswer::Yes;
}

std::string titleForFile(const std::string& imjaFaila, const std::string& razdelitel) {
  const auto separator = razdelitel.empty() ? std::string::npos : imjaFaila.rfind(razdelitel);
  const std::string name =
      separator == std::string::npos ? imjaFaila : imjaFaila.substr(separator + razdelitel.size());
  return std::string(kFileMessageTitle) + " - [" + name + "]";
}

MsgBoxRequest replaceQuestion(const std::string& path) {
  MsgBoxRequest request = fileMessage(path, " уже существует.\r\nЗаменить его?");
  request.buttons = MsgButtons::YesNo;
  request.icon = MsgIcon::Exclamation;
  request.defaultButton = MsgAnswer::No;
  return request;
}

MsgBoxRequest saveFailureMessage(FileStatus status, const std::string& path) {
  switch (status) {
    case FileStatus::AccessDenied:
      return failureMessage(path, " защищён от записи.");
    case FileStatus::InUse:
      return failureMessage(path, kInUse);
    default:
      return failureMessage(path, " сохранить не возможно.");
  }
}

MsgBoxRequest openFailureMessage(FileStatus status, const std::string& path) {
  switch (status) {
    case FileStatus::NotFound:
      return failureMessage(path, " не найден.");
    case FileStatus::BadHeader:
      return failureMessage(path, " не подходит к программе.");
    case FileStatus::InUse:
      return failureMessage(path, kInUse);
    default:
      return failureMessage(path, " открыть не возможно.");
  }
}

MsgBoxRequest fileDialogFailureMessage() {
  MsgBoxRequest request = failureMessage("", "");
  request.text = "Окно выбора файла открыть не возможно.";
  return request;
}

void makeCurrentFile(const std::string& path, Declare& declare, FileCommandsUi& ui) {
  declare.ImjaFaila = path;
  ui.showTitle(titleForFile(declare.ImjaFaila, declare.Razdelitel));
}

}  // namespace zarvel
