// The folders the program uses, fixed once at start-up: the program folder and the path
// separator, and where saved games, the site link's redirect pages and the help page go.
// A portable copy (its folder writable, the help page beside it) keeps everything in its
// own folder; an installed one writes nothing beside the executable and uses the player's
// own folders instead.
#pragma once

#include <string>

namespace zarvel {

struct ProgramFolder {
  std::string PutProgrammy;  // always ends in Razdelitel
  std::string Razdelitel;    // "\\" if the reported folder holds one anywhere, else "/"
};

// `reported` is the executable's folder as the platform reports it, with native
// separators: no trailing separator, except for a drive's root (C:\).
ProgramFolder programFolder(const std::string& reported);

// What start-up finds out about the places the program may use. Folders are UTF-8 with
// native separators, with or without a trailing one; an empty one is unknown.
struct PlaceFacts {
  std::string reported;                // the executable's folder, as for programFolder()
  bool programFolderWritable = false;  // the player may create files in it
  bool helpBesideProgram = false;      // Справка.html is in the program folder
  std::string dataFolder;              // where an installation keeps its data
  bool helpInDataFolder = false;       // Справка.html is there
  std::string documents;               // the player's documents folder
  std::string home;                    // the player's home folder
  std::string cache;                   // the player's cache folder for this program
  std::string temporary;               // the system's temporary folder
};

struct Folders {
  ProgramFolder program;
  bool installed = false;
  std::string games;  // where the file dialogs start: the program folder, or «documents»/Zarvel
  std::string pages;  // where the site link's page is written
  std::string help;   // where the help page is
};

// Installed when the program folder takes no new files from the player, or when the help
// page lives in the installation's data folder rather than beside the program. Every folder
// ends in Razdelitel.
Folders chooseFolders(const PlaceFacts& facts);

}  // namespace zarvel
