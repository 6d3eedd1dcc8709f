// The file primitives the saved games and the redirect page stand on: creating a file is
// exclusive, and failures say why.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files/FileIo.h"
#include "files/Utf8Path.h"
#include "tests/support/TempFolder.h"

namespace zarvel {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

// Whatever sits at the name already makes creation fail, and stays as it was: a save's
// temporary file must never empty or take over a file that happens to have its name.
TEST(OpenFile, CreatedIsExclusiveAndLeavesWhatIsThereAlone) {
  TempFolder folder;
  const std::string path = folder.file("временный файл");
  FileError error;
  OpenFile first = OpenFile::created(pathFromUtf8(path), error);
  ASSERT_TRUE(first);
  ASSERT_TRUE(first.writeAt(0, "first"));

  // While the first is open, and after it is closed.
  for (const bool open : {true, false}) {
    if (!open) {
      ASSERT_TRUE(first.close());
    }
    error = {};
    const OpenFile second = OpenFile::created(pathFromUtf8(path), error);
    EXPECT_FALSE(second) << open;
    EXPECT_TRUE(error.taken()) << open;
    EXPECT_FALSE(error.denied()) << open;
    EXPECT_EQ(readBytes(path), "first") << open;
  }

  fs::create_directory(folder.path() / pathFromUtf8("папка"));
  error = {};
  EXPECT_FALSE(OpenFile::created(folder.path() / pathFromUtf8("папка"), error));
  EXPECT_TRUE(fs::is_directory(folder.path() / pathFromUtf8("папка")));
}

TEST(OpenFile, AMissingFileOrFolderIsMissingNotDenied) {
  TempFolder folder;
  for (const char* name : {"нет.zrv", "нет/нет.zrv"}) {
    FileError error;
    EXPECT_FALSE(OpenFile::forReading(pathFromUtf8(folder.file(name)), error)) << name;
    EXPECT_TRUE(error.missing()) << name;
    EXPECT_FALSE(error.denied()) << name;
    EXPECT_FALSE(error.taken()) << name;
  }
}

TEST(ReplaceFile, TakesTheTargetsPlaceWholeAndLeavesNoSource) {
  TempFolder folder;
  const std::string from = folder.file("новый");
  const std::string to = folder.file("старый файл");
  writeBytes(from, "new");
  writeBytes(to, "an older and longer text");
  FileError error;
  ASSERT_TRUE(replaceFile(pathFromUtf8(from), pathFromUtf8(to), error));
  EXPECT_EQ(readBytes(to), "new");
  EXPECT_FALSE(fs::exists(pathFromUtf8(from)));
}

}  // namespace
}  // namespace zarvel
