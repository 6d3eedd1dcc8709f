// The site link's redirect page: its bytes, its number, and what is opened when no page
// can be written. Every test works in a fresh folder of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files/Utf8Path.h"
#include "help/SaveFileUrlm.h"
#include "tests/support/Recorders.h"
#include "tests/support/TempFolder.h"

#ifndef _WIN32
#include <sys/stat.h>

#include "tests/support/ChildProcess.h"
#endif

namespace zarvel {
namespace {

namespace fs = std::filesystem;
using testing::RecordingShell;

const std::string kAddress = "https://zarvel.example.org/";

class SaveFileUrlTest : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  const fs::path& folder_ = folder.path();
  std::string PutProgrammy = utf8FromPath(folder_) + "/";
  RecordingShell shell;
};

TEST_F(SaveFileUrlTest, WritesTheRedirectPageAsPageZeroAndOpensIt) {
  SaveFileUrl(kAddress, PutProgrammy, shell);

  ASSERT_EQ(shell.opened, std::vector<std::string>{PutProgrammy + "0.html"});
  EXPECT_EQ(testing::readBytes(PutProgrammy + "0.html"),
            "<html><head><meta http-equiv='refresh' content='0; url=https://zarvel.example.org/'>"
            "<meta http-equiv='Content-Type' content='text/html; charset=windows-1251'>"
            "<title>WWW</title></head><body></body></html>\r\n");
  EXPECT_EQ(shell.eventRounds, 1);
  EXPECT_FALSE(fs::exists(folder_ / "1.html"));
}

TEST_F(SaveFileUrlTest, EveryClickRewritesPageZero) {
  std::ofstream(folder_ / "0.html")
      << "an older and much longer page than the redirect one " << std::string(500, 'x');
  SaveFileUrl("http://a.example/", PutProgrammy, shell);
  SaveFileUrl(kAddress, PutProgrammy, shell);

  EXPECT_EQ(shell.opened,
            (std::vector<std::string>{PutProgrammy + "0.html", PutProgrammy + "0.html"}));
  EXPECT_EQ(testing::readBytes(PutProgrammy + "0.html"), redirectPage(kAddress));
}

TEST(SaveFileUrl, APageThatCannotBeWrittenMovesToTheNextNumberUpTo99ThenTheAddressItself) {
  struct Case {
    int blocked;  // pages 0 .. blocked - 1 cannot be written
    std::string opened;
  };
  const Case cases[] = {{2, "2.html"}, {99, "99.html"}, {100, kAddress}};
  for (const Case& c : cases) {
    testing::TempFolder folder;
    const std::string PutProgrammy = utf8FromPath(folder.path()) + "/";
    // A folder in the page's place cannot be replaced by a file, not even by root.
    for (int n = 0; n < c.blocked; ++n)
      fs::create_directory(folder.path() / (std::to_string(n) + ".html"));
    RecordingShell shell;
    SaveFileUrl(kAddress, PutProgrammy, shell);

    const bool page = c.opened != kAddress;
    ASSERT_EQ(shell.opened, std::vector<std::string>{page ? PutProgrammy + c.opened : kAddress});
    if (page) {
      EXPECT_EQ(testing::readBytes(PutProgrammy + c.opened), redirectPage(kAddress));
    }
    EXPECT_TRUE(fs::is_directory(folder.path() / "0.html"));
    EXPECT_FALSE(fs::exists(folder.path() / "100.html"));
  }
}

TEST_F(SaveFileUrlTest, AProgramFolderThatIsGoneAlsoFallsBackToTheAddress) {
  SaveFileUrl(kAddress, PutProgrammy + "missing/", shell);
  EXPECT_EQ(shell.opened, std::vector<std::string>{kAddress});
}

TEST_F(SaveFileUrlTest, ACyrillicProgramFolderIsWrittenWhereItIs) {
  const std::string cyrillic = PutProgrammy + "Игры/";
  fs::create_directory(pathFromUtf8(cyrillic));
  SaveFileUrl(kAddress, cyrillic, shell);

  ASSERT_EQ(shell.opened, std::vector<std::string>{cyrillic + "0.html"});
  EXPECT_EQ(testing::readBytes(cyrillic + "0.html"), redirectPage(kAddress));
}

#ifndef _WIN32
TEST_F(SaveFileUrlTest, ALinkAtAPageNumberIsLeftAloneAndSoIsWhatItNames) {
  std::ofstream(folder_ / "mine.txt") << "the player's own file";
  fs::create_symlink("mine.txt", folder_ / "0.html");
  fs::create_symlink("not-there.txt", folder_ / "1.html");
  SaveFileUrl(kAddress, PutProgrammy, shell);

  ASSERT_EQ(shell.opened, std::vector<std::string>{PutProgrammy + "2.html"});
  EXPECT_EQ(testing::readBytes(PutProgrammy + "mine.txt"), "the player's own file");
  EXPECT_TRUE(fs::is_symlink(folder_ / "0.html"));
  EXPECT_FALSE(fs::exists(folder_ / "not-there.txt"));
  EXPECT_EQ(testing::readBytes(PutProgrammy + "2.html"), redirectPage(kAddress));
}

TEST_F(SaveFileUrlTest, APageWithoutWritePermissionOrAPipeIsSkippedEvenForRoot) {
  std::ofstream(folder_ / "0.html") << "kept";
  fs::permissions(folder_ / "0.html", fs::perms::owner_read | fs::perms::group_read);
  ASSERT_EQ(mkfifo((folder_ / "1.html").c_str(), 0644), 0);
  SaveFileUrl(kAddress, PutProgrammy, shell);

  ASSERT_EQ(shell.opened, std::vector<std::string>{PutProgrammy + "2.html"});
  EXPECT_EQ(testing::readBytes(PutProgrammy + "0.html"), "kept");
}

TEST_F(SaveFileUrlTest, AFullDiskLeavesNoEmptyPagesBehind) {
  // Pages may hold no more than a few bytes, as on a disk that is full.
  const int opened = testing::inChildProcess({.fileSizeLimit = 8}, [&] {
    SaveFileUrl(kAddress, PutProgrammy, shell);
    return shell.opened == std::vector<std::string>{kAddress} ? 0 : 1;
  });
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 0);
}
#endif

TEST(OpURL, WebAddressesAreToldFromFilePaths) {
  struct Case {
    const char* document;
    bool web;
  };
  const Case cases[] = {
      {"https://zarvel.example.org/", true},
      {"http://example.org", true},
      {"ftp://example.org/file", true},
      {"/opt/zarvel/0.html", false},
      {"/opt/zarvel/Справка.html", false},
      {"C:\\Games\\Zarvel\\0.html", false},
      {"C://odd/path", false},  // a drive letter, not a scheme
      {"relative/https://x", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(isWebAddress(c.document), c.web) << c.document;
}

}  // namespace
}  // namespace zarvel
