// The separator rule, and the choice between a portable and an installed program.
#include "ui/ProgramFolder.h"

namespace zarvel {
namespace {

constexpr const char* kGamesFolderName = "Zarvel";

// `folder` ending in `separator`; "" stays "".
std::string withSeparator(std::string folder, const std::string& separator) {
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += separator;
  return folder;
}

// The first folder that is known, ending in `separator`.
std::string firstKnown(std::initializer_list<const std::string*> folders,
                       const std::string& separator) {
  for (const std::string* folder : folders) {
    if (!folder->empty()) return withSeparator(*folder, separator);
  }
  return {};
}

}  // namespace

ProgramFolder programFolder(const std::string& reported) {
  ProgramFolder folder{reported, reported.find('\\') != std::string::npos ? "\\" : "/"};
  if (folder.PutProgrammy.empty() || folder.PutProgrammy.back() != folder.Razdelitel.front()) {
    folder.PutProgrammy += folder.Razdelitel;
  }
  return folder;
}

Folders chooseFolders(const PlaceFacts& facts) {
  Folders folders;
  folders.program = programFolder(facts.reported);
  const std::string& separator = folders.program.Razdelitel;
  const std::string& own = folders.program.PutProgrammy;
  folders.installed =
      !facts.programFolderWritable || (!facts.helpBesideProgram && facts.helpInDataFolder);
  if (!folders.installed) {
    folders.games = folders.pages = folders.help = own;
    return folders;
  }
  const std::string parent =
      firstKnown({&facts.documents, &facts.home, &facts.temporary}, separator);
  folders.games = parent.empty() ? own : parent + kGamesFolderName + separator;
  folders.pages = firstKnown({&facts.cache, &facts.temporary}, separator);
  if (folders.pages.empty()) folders.pages = folders.games;
  folders.help = facts.helpInDataFolder && !facts.helpBesideProgram
                     ? withSeparator(facts.dataFolder, separator)
                     : own;
  return folders;
}

}  // namespace zarvel
