// The site link's redirect page: its bytes, its number, and what is opened when no page
// can be written. Every test works in a fresh folder of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files/Utf8Path.h"
#include "help/SaveFileUrlm.h"
#include "tests/support/Recorders.h"
#include "tests/support/TempFolder.h"
#include "ui/ProgramFolder.h"

#ifndef _WIN32
#include <sys/stat.h>

#include "tests/support/ChildProcess.h"
#else
#include "tests/support/WindowsFiles.h"
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
  // As the program finds it: with backslashes on Windows, slashes elsewhere.
  ProgramFolder program = programFolder(utf8FromPath(folder_));
  std::string pagesFolder = program.PutProgrammy;
  RecordingShell shell;
};

TEST_F(SaveFileUrlTest, WritesTheRedirectPageAsPageZeroAndOpensIt) {
  SaveFileUrl(kAddress, pagesFolder, shell);

  ASSERT_EQ(shell.opened, std::vector<std::string>{pagesFolder + "0.html"});
  EXPECT_EQ(testing::readBytes(pagesFolder + "0.html"),
            "<html><head><meta http-equiv='refresh' content='0; url=https://zarvel.example.org/'>"
            "<meta http-equiv='Content-Type' content='text/html; charset=windows-1251'>"
            "<title>WWW</title></head><body></body></html>\r\n");
  EXPECT_EQ(shell.eventRounds, 1);
  EXPECT_FALSE(fs::exists(folder_ / "1.html"));
  // The desktop gets the page's path in one style: the program folder's.
#ifdef _WIN32
  EXPECT_EQ(program.Razdelitel, "\\");
#endif
  EXPECT_EQ(shell.opened.front().find(program.Razdelitel == "/" ? '\\' : '/'), std::string::npos)
      << shell.opened.front();
}

TEST_F(SaveFileUrlTest, EveryClickRewritesPageZero) {
  std::ofstream(folder_ / "0.html")
      << "an older and much longer page than the redirect one " << std::string(500, 'x');
  SaveFileUrl("http://a.example/", pagesFolder, shell);
  SaveFileUrl(kAddress, pagesFolder, shell);

  EXPECT_EQ(shell.opened,
            (std::vector<std::string>{pagesFolder + "0.html", pagesFolder + "0.html"}));
  EXPECT_EQ(testing::readBytes(pagesFolder + "0.html"), redirectPage(kAddress));
}

TEST(SaveFileUrl, APageThatCannotBeWrittenMovesToTheNextNumberUpTo99ThenTheAddressItself) {
  struct Case {
    int blocked;  // pages 0 .. blocked - 1 cannot be written
    std::string opened;
  };
  const Case cases[] = {{2, "2.html"}, {99, "99.html"}, {100, kAddress}};
  for (const Case& c : cases) {
    testing::TempFolder folder;
    const std::string pagesFolder = programFolder(utf8FromPath(folder.path())).PutProgrammy;
    // A folder in the page's place cannot be replaced by a file, not even by root.
    for (int n = 0; n < c.blocked; ++n)
      fs::create_directory(folder.path() / (std::to_string(n) + ".html"));
    RecordingShell shell;
    SaveFileUrl(kAddress, pagesFolder, shell);

    const bool page = c.opened != kAddress;
    ASSERT_EQ(shell.opened, std::vector<std::string>{page ? pagesFolder + c.opened : kAddress});
    if (page) {
      EXPECT_EQ(testing::readBytes(pagesFolder + c.opened), redirectPage(kAddress));
    }
    EXPECT_TRUE(fs::is_directory(folder.path() / "0.html"));
    EXPECT_FALSE(fs::exists(folder.path() / "100.html"));
  }
}

TEST_F(SaveFileUrlTest, AProgramFolderThatIsGoneAlsoFallsBackToTheAddress) {
  SaveFileUrl(kAddress, pagesFolder + "missing" + program.Razdelitel, shell);
  EXPECT_EQ(shell.opened, std::vector<std::string>{kAddress});
}

TEST_F(SaveFileUrlTest, ACyrillicProgramFolderIsWrittenWhereItIs) {
  const std::string cyrillic = pagesFolder + "Мои игры" + program.Razdelitel;
  fs::create_directory(pathFromUtf8(cyrillic));
  SaveFileUrl(kAddress, cyrillic, shell);

  ASSERT_EQ(shell.opened, std::vector<std::string>{cyrillic + "0.html"});
  EXPECT_EQ(testing::readBytes(cyrillic + "0.html"), redirectPage(kAddress));
}

#ifndef _WIN32
// POSIX: links, mode bits, pipes and a size limit. Their Windows counterparts follow below.
TEST_F(SaveFileUrlTest, OnlyAPageOfThePlayersOwnUnderOneNameIsReused) {
  std::ofstream(folder_ / "mine.txt") << "the player's own file";
  std::ofstream(folder_ / "alone.txt") << "a file of the player's under one name";
  fs::create_symlink("alone.txt", folder_ / "0.html");
  fs::create_symlink("not-there.txt", folder_ / "1.html");
  fs::create_hard_link(folder_ / "mine.txt", folder_ / "2.html");
  // Another user's page that anybody may write, as in a shared folder (root only: nobody
  // else can give a file away).
  std::ofstream(folder_ / "3.html") << "<script>theirs</script>";
  fs::permissions(folder_ / "3.html", fs::perms::all & ~fs::perms::owner_exec &
                                          ~fs::perms::group_exec & ~fs::perms::others_exec);
  const testing::Nobody other = testing::nobody();
  const std::string page =
      testing::runningAsRoot() && chown((folder_ / "3.html").c_str(), other.uid, other.gid) == 0
          ? "4.html"
          : "3.html";
  SaveFileUrl(kAddress, pagesFolder, shell);

  ASSERT_EQ(shell.opened, std::vector<std::string>{pagesFolder + page});
  EXPECT_EQ(testing::readBytes(pagesFolder + "mine.txt"), "the player's own file");
  EXPECT_EQ(testing::readBytes(pagesFolder + "alone.txt"), "a file of the player's under one name");
  EXPECT_TRUE(fs::is_symlink(folder_ / "0.html"));
  EXPECT_FALSE(fs::exists(folder_ / "not-there.txt"));
  EXPECT_EQ(testing::readBytes(pagesFolder + page), redirectPage(kAddress));
  if (page == "4.html") {
    EXPECT_EQ(testing::readBytes(pagesFolder + "3.html"), "<script>theirs</script>");
  }
}

TEST_F(SaveFileUrlTest, APageWithoutWritePermissionOrAPipeIsSkippedEvenForRoot) {
  std::ofstream(folder_ / "0.html") << "kept";
  fs::permissions(folder_ / "0.html", fs::perms::owner_read | fs::perms::group_read);
  ASSERT_EQ(mkfifo((folder_ / "1.html").c_str(), 0644), 0);
  SaveFileUrl(kAddress, pagesFolder, shell);

  ASSERT_EQ(shell.opened, std::vector<std::string>{pagesFolder + "2.html"});
  EXPECT_EQ(testing::readBytes(pagesFolder + "0.html"), "kept");
}

TEST_F(SaveFileUrlTest, AFullDiskLeavesNoEmptyPagesBehind) {
  // A page of the player's that would be reused goes as well as new ones.
  std::ofstream(folder_ / "0.html") << "an older page";
  // Pages may hold no more than a few bytes, as on a disk that is full.
  const int opened = testing::inChildProcess({.fileSizeLimit = 8}, [&] {
    SaveFileUrl(kAddress, pagesFolder, shell);
    return shell.opened == std::vector<std::string>{kAddress} ? 0 : 1;
  });
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 0);
}
#else
// Windows: the read-only flag, a page another program holds open, and (under
// tools/test-windows.sh's size limit) a failed write. A link at a page number cannot be
// checked under Wine, which makes no symbolic links; nor can a pipe, which Windows never
// puts in a folder (named pipes live under \\.\pipe\ only).
TEST_F(SaveFileUrlTest, OnWindowsAReadOnlyPageOrOneHeldOpenIsSkipped) {
  std::ofstream(folder_ / "0.html") << "kept";
  std::ofstream(folder_ / "1.html") << "held";
  ASSERT_TRUE(testing::setAttributes(pagesFolder + "0.html", FILE_ATTRIBUTE_READONLY));
  {
    const testing::HeldOpen other(pagesFolder + "1.html", 0);
    ASSERT_TRUE(other.held());
    SaveFileUrl(kAddress, pagesFolder, shell);
  }
  ASSERT_EQ(shell.opened, std::vector<std::string>{pagesFolder + "2.html"});
  EXPECT_EQ(testing::readBytes(pagesFolder + "0.html"), "kept");
  EXPECT_EQ(testing::readBytes(pagesFolder + "1.html"), "held");
  EXPECT_EQ(testing::readBytes(pagesFolder + "2.html"), redirectPage(kAddress));
}

// Run by tools/test-windows.sh under `prlimit --fsize`, as a disk too full for a page.
TEST(SaveFileUrlUnderAFileSizeLimit, AFailedWriteLeavesNoEmptyPagesBehind) {
  const std::uint64_t limit = testing::fileSizeLimit();
  if (limit == 0) GTEST_SKIP() << "needs the file-size limit tools/test-windows.sh sets";
  testing::TempFolder folder;
  ASSERT_TRUE(testing::writesStopAt(limit, folder.path()));
  ASSERT_GT(redirectPage(kAddress).size(), limit);
  RecordingShell shell;
  SaveFileUrl(kAddress, programFolder(utf8FromPath(folder.path())).PutProgrammy, shell);
  EXPECT_EQ(shell.opened, std::vector<std::string>{kAddress});
  EXPECT_TRUE(fs::is_empty(folder.path()));
}
#endif

TEST(Shell, WebAddressesAreToldFromFilePaths) {
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
