// The help page as the build places it beside the program: present, self-contained,
// and covering what a player looks for.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "files/Utf8Path.h"

namespace zarvel {
namespace {

std::string placedHelpPage() {
  // The page's name is Cyrillic: through the wide name on Windows, not the code page.
  std::ifstream file(pathFromUtf8(ZARVEL_PLACED_HELP_PAGE), std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(HelpPage, LiesBesideTheProgramAndDeclaresUtf8) {
  const std::string page = placedHelpPage();
  ASSERT_FALSE(page.empty()) << ZARVEL_PLACED_HELP_PAGE;
  EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(page.find("lang=\"ru\""), std::string::npos);
}

TEST(HelpPage, NeedsNothingFromOutside) {
  const std::string page = placedHelpPage();
  ASSERT_FALSE(page.empty()) << ZARVEL_PLACED_HELP_PAGE;
  for (const char* reference : {"src=", "href=", "url(", "@import", "http:", "https:"}) {
    EXPECT_EQ(page.find(reference), std::string::npos) << reference;
  }
}

TEST(HelpPage, NamesEveryMenuCommandAndShortcut) {
  const std::string page = placedHelpPage();
  for (const char* text :
       {"Новая игра", "Открыть", "Сохранить", "Сохранить как...", "Расклад...", "Начать заново",
        "Выход", "Вызов справки", "О программе", "<kbd>F1</kbd>", "<kbd>F3</kbd>", "<kbd>N</kbd>",
        "<kbd>O</kbd>", "<kbd>S</kbd>", "32655", "Номер расклада", ".zrv"}) {
    EXPECT_NE(page.find(text), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace zarvel
