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

}  // namespace
}  // namespace zarvel
