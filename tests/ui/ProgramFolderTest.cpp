// The program folder and separator rule.
#include <gtest/gtest.h>

#include "ui/ProgramFolder.h"

namespace zarvel {
namespace {

TEST(ProgramFolder, SeparatorAndTrailingSeparator) {
  struct Case {
    const char* reported;
    const char* folder;
    const char* separator;
  };
  const Case cases[] = {
      {R"(C:\Games\Puzzle)", R"(C:\Games\Puzzle\)", "\\"},
      {R"(C:\)", R"(C:\)", "\\"},
      {"/home/user/puzzle", "/home/user/puzzle/", "/"},
      {"/", "/", "/"},
      {R"(C:/Games\Puzzle)", R"(C:/Games\Puzzle\)", "\\"},  // mixed: the backslash wins
      {R"(\\server\share/games/)", R"(\\server\share/games/\)", "\\"},
      {"", "/", "/"},
  };
  for (const Case& c : cases) {
    const ProgramFolder folder = programFolder(c.reported);
    EXPECT_EQ(folder.PutProgrammy, c.folder) << c.reported;
    EXPECT_EQ(folder.Razdelitel, c.separator) << c.reported;
  }
}

// Where saved games, pages and the help page go, by what start-up finds.
TEST(ProgramFolder, APortableCopyKeepsToItsFolderAndAnInstalledOneToThePlayers) {
  struct Case {
    const char* what;
    PlaceFacts facts;
    bool installed;
    const char* games;
    const char* pages;
    const char* help;
  };
  auto facts = [](const char* reported, bool writable, bool helpBeside, bool helpInData) {
    PlaceFacts place;
    place.reported = reported;
    place.programFolderWritable = writable;
    place.helpBesideProgram = helpBeside;
    place.dataFolder = "/usr/share/zarvel";
    place.helpInDataFolder = helpInData;
    place.documents = "/home/игрок/Документы";
    place.home = "/home/игрок";
    place.cache = "/home/игрок/.cache/zarvel";
    place.temporary = "/tmp";
    return place;
  };
  PlaceFacts noDocuments = facts("/usr/games", false, false, true);
  noDocuments.documents.clear();
  PlaceFacts nothingKnown = facts("/usr/games", false, false, true);
  nothingKnown.documents = nothingKnown.home = nothingKnown.cache = nothingKnown.temporary = "";
  PlaceFacts windows = facts(R"(C:\Program Files\Zarvel)", false, true, false);
  windows.documents = R"(C:\Users\Игрок\Documents)";
  windows.cache = R"(C:\Users\Игрок\AppData\Local\zarvel\cache)";

  const Case cases[] = {
      {"writable program folder", facts("/home/игрок/zarvel", true, true, false), false,
       "/home/игрок/zarvel/", "/home/игрок/zarvel/", "/home/игрок/zarvel/"},
      {"read-only program folder", facts("/usr/games", false, false, true), true,
       "/home/игрок/Документы/Zarvel/", "/home/игрок/.cache/zarvel/", "/usr/share/zarvel/"},
      {"installed where root may write", facts("/usr/games", true, false, true), true,
       "/home/игрок/Документы/Zarvel/", "/home/игрок/.cache/zarvel/", "/usr/share/zarvel/"},
      {"read-only copy with its help page", facts("/media/диск/zarvel", false, true, false), true,
       "/home/игрок/Документы/Zarvel/", "/home/игрок/.cache/zarvel/", "/media/диск/zarvel/"},
      {"missing documents folder", noDocuments, true, "/home/игрок/Zarvel/",
       "/home/игрок/.cache/zarvel/", "/usr/share/zarvel/"},
      {"nothing of the player's known", nothingKnown, true, "/usr/games/", "/usr/games/",
       "/usr/share/zarvel/"},
      {"Windows, Program Files", windows, true, R"(C:\Users\Игрок\Documents\Zarvel\)",
       R"(C:\Users\Игрок\AppData\Local\zarvel\cache\)", R"(C:\Program Files\Zarvel\)"},
  };
  for (const Case& c : cases) {
    const Folders folders = chooseFolders(c.facts);
    EXPECT_EQ(folders.installed, c.installed) << c.what;
    EXPECT_EQ(folders.games, c.games) << c.what;
    EXPECT_EQ(folders.pages, c.pages) << c.what;
    EXPECT_EQ(folders.help, c.help) << c.what;
    // The program folder and separator follow their rule either way.
    EXPECT_EQ(folders.program.PutProgrammy, programFolder(c.facts.reported).PutProgrammy) << c.what;
  }
}

}  // namespace
}  // namespace zarvel
