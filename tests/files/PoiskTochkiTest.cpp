// Where the extension starts, and which paths get ".zrv".
#include <gtest/gtest.h>

#include "files/PoiskTochkiM.h"

namespace zarvel {
namespace {

TEST(PoiskTochki, FindsTheDotOfTheLastComponentInCharacters) {
  EXPECT_EQ(PoiskTochki(R"(C:\Games\1234.zrv)", "\\"), 14);
  EXPECT_EQ(PoiskTochki(R"(C:\Игры\партия.zrv)", "\\"), 15);
  EXPECT_EQ(PoiskTochki("/home/u/a.b.c", "/"), 12);
  EXPECT_EQ(PoiskTochki(R"(C:\my.folder\game)", "\\"), 0);
  EXPECT_EQ(PoiskTochki("abc.", "/"), 4);
  EXPECT_EQ(PoiskTochki("a.b", "/"), 0);  // the first three characters are never looked at
  EXPECT_EQ(PoiskTochki("я.z", "/"), 0);  // three characters, four bytes
  EXPECT_EQ(PoiskTochki("", "/"), 0);
}

TEST(CompleteExtension, AddsZrvOnlyWhereTheNameHasNoExtension) {
  struct Case {
    const char* path;
    const char* separator;
    const char* completed;
  };
  const Case cases[] = {
      {R"(C:\Games\game)", "\\", R"(C:\Games\game.zrv)"},
      {R"(C:\Games\game.txt)", "\\", R"(C:\Games\game.txt)"},
      {R"(C:\Games\1234.zrv)", "\\", R"(C:\Games\1234.zrv)"},
      {R"(C:\my.folder\game)", "\\", R"(C:\my.folder\game.zrv)"},
      {R"(C:\Игры\партия)", "\\", R"(C:\Игры\партия.zrv)"},
      {"/home/user/my.games/партия 2", "/", "/home/user/my.games/партия 2.zrv"},
      {"/home/user/game.", "/", "/home/user/game."},
      {"a.b", "/", "a.b.zrv"},
      {"ab", "/", "ab.zrv"},
      {"x", "\\", "x.zrv"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(completeExtension(c.path, c.separator), c.completed) << c.path;
  }
}

}  // namespace
}  // namespace zarvel
