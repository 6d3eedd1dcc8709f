// The command line: a saved game to open, usage and version, and what is refused.
#include <gtest/gtest.h>

#include <algorithm>

#include "ui/CommandLine.h"

namespace zarvel {
namespace {

TEST(CommandLine, OpensOneFileAnswersHelpAndVersionAndRefusesTheRest) {
  using A = CommandLine::Action;
  struct Case {
    std::vector<std::string> arguments;
    bool qtOptionsLeft;
    A action;
    std::string file;
  };
  const Case cases[] = {
      {{}, false, A::Play, ""},
      {{"игра.zrv"}, false, A::Play, "игра.zrv"},
      {{"--", "--help"}, false, A::Play, "--help"},  // a file so named
      {{"-"}, false, A::Play, "-"},
      {{"--help"}, false, A::Usage, ""},
      {{"a.zrv", "-h"}, false, A::Usage, ""},
      {{"--version"}, false, A::Version, ""},
      {{"--bogus"}, false, A::Refuse, ""},
      {{"a.zrv", "b.zrv"}, false, A::Refuse, ""},
      {{""}, false, A::Refuse, ""},
      // Before Qt has read them, its own options and their values are passed over.
      {{"-platform", "offscreen", "--style=fusion", "-reverse", "a.zrv"}, true, A::Play, "a.zrv"},
      {{"-platform", "offscreen"}, false, A::Refuse, ""},
      {{"-platformx"}, true, A::Refuse, ""},
  };
  for (const Case& c : cases) {
    const CommandLine line = parseCommandLine(c.arguments, c.qtOptionsLeft);
    EXPECT_EQ(line.action, c.action) << ::testing::PrintToString(c.arguments);
    EXPECT_EQ(line.file, c.file) << ::testing::PrintToString(c.arguments);
    EXPECT_EQ(line.problem.empty(), c.action != A::Refuse);
  }
  EXPECT_NE(usageText().find("Использование: zarvel [ФАЙЛ]"), std::string::npos);
  EXPECT_LT(usageText().find("Использование"), usageText().find("Usage"));
}

// Qt sees nothing from "--" on, and the file comes as the system named it, also a name that is
// no UTF-8 ("игра" in windows-1251), whatever Qt takes out.
TEST(CommandLine, HandsQtOnlyWhatStandsBeforeTheEndOfOptionsAndKeepsTheNameAsGiven) {
  const std::string cp1251 = "\xE8\xE3\xF0\xE0.zrv";
  struct Case {
    std::vector<std::string> names;
    int qtSees;   // of them, the program's name first
    int qtTakes;  // of those, the first after the program's name
    std::string file;
  };
  const Case cases[] = {
      {{"zarvel", "-reverse", cp1251}, 3, 1, cp1251},
      {{"zarvel", "--", "-reverse"}, 1, 0, "-reverse"},
      {{"zarvel", "-style", "fusion", "--", "--"}, 3, 2, "--"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> bytes = c.names;
    std::vector<char*> argv;
    for (std::string& name : bytes) argv.push_back(name.data());
    QtHandOver handOver(argv.data(), c.names);
    EXPECT_EQ(handOver.beforeQt().file, c.file);
    ASSERT_EQ(handOver.qtArgc(), c.qtSees) << c.file;
    EXPECT_EQ(handOver.qtArgv()[c.qtSees], nullptr);
    // As Qt does: what it takes out, the rest moved up.
    char** qt = handOver.qtArgv();
    std::copy(qt + 1 + c.qtTakes, qt + c.qtSees + 1, qt + 1);
    handOver.qtArgc() -= c.qtTakes;
    const CommandLine line = handOver.afterQt();
    EXPECT_EQ(line.action, CommandLine::Action::Play) << c.file;
    EXPECT_EQ(line.file, c.file);
  }
}

}  // namespace
}  // namespace zarvel
