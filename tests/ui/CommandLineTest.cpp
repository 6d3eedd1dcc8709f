// The command line: a saved game to open, usage and version, and what is refused.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zarvel
