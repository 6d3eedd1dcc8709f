// The separator rule: one backslash anywhere means a Windows path.
#include "ui/ProgramFolder.h"

namespace zarvel {

ProgramFolder programFolder(const std::string& reported) {
  ProgramFolder folder{reported, reported.find('\\') != std::string::npos ? "\\" : "/"};
  if (folder.PutProgrammy.empty() || folder.PutProgrammy.back() != folder.Razdelitel.front()) {
    folder.PutProgrammy += folder.Razdelitel;
  }
  return folder;
}

}  // namespace zarvel
