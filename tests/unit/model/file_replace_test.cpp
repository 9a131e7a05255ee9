// Tests of replacing a file through a temporary file in its folder.
#include "model/file_replace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "support/temp_folder.h"
#include "text/errors.h"

namespace tavo::model {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

/// The names in `folder`, sorted.
std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ReplaceFileContents, WritesExactBytesAndLeavesOnlyTheTarget) {
  const TempFolder folder;
  const fs::path file = folder.path() / "test.ins";
  const std::string bytes = std::string("TITL a\r\nCELL\0x\n", 15) + "no final line feed";
  replaceFileContents(file, bytes);
  EXPECT_EQ(folder.read("test.ins"), bytes);

  folder.write("other.txt", "other");
  replaceFileContents(file, "");
  EXPECT_EQ(folder.read("test.ins"), "");
  replaceFileLines(file, {"a", "", "b"});
  EXPECT_EQ(folder.read("test.ins"), "a\n\nb\n");
  EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"other.txt", "test.ins"}));
}

TEST(ReplaceFileContents, KeepsThePermissionsOfTheReplacedFile) {
  const TempFolder folder;
  const fs::path file = folder.write("settings.inf", "old");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  replaceFileContents(file, "new");
  EXPECT_EQ(folder.read("settings.inf"), "new");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(ReplaceFileContents, FailureNamesThePathAndLeavesNothingBehind) {
  const TempFolder folder;
  struct Case {
    fs::path file;
    std::string reason;
    const char* why;
  };
  fs::create_directory(folder.path() / "taken");
  folder.write("taken/inside.txt", "kept");
  const Case cases[] = {
      {folder.path() / "missing" / "a.ins", "cannot create the temporary file",
       "the folder does not exist"},
      {folder.path() / "taken", "cannot be replaced", "a folder stands at the target's name"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    try {
      replaceFileContents(c.file, "bytes");
      ADD_FAILURE() << "no FileError";
    } catch (const FileError& error) {
      const std::string message = error.what();
      EXPECT_EQ(message.rfind(c.file.string() + ": ", 0), 0u) << message;
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    }
  }
  EXPECT_EQ(folder.read("taken/inside.txt"), "kept");
  EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"taken"}));
}

TEST(ReplaceFileContents, StepsOverATemporaryFileLeftByAnEarlierCrash) {
  const TempFolder folder;
  const fs::path file = folder.path() / "x.txt";
  const fs::path leftover = writeTemporaryBeside(file, "left over");
  replaceFileContents(file, "new");
  EXPECT_EQ(folder.read("x.txt"), "new");
  EXPECT_EQ(testing::readFileBytes(leftover), "left over");
}

}  // namespace
}  // namespace tavo::model
