// Tests of replacing a file through a temporary file in its folder.
#include "model/file_replace.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <stdexcept>
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

/// Clears the step hook when a test ends, however it ends.
struct StepHook {
  explicit StepHook(ReplaceStepHook hook) { setReplaceStepHookForTesting(std::move(hook)); }
  ~StepHook() { setReplaceStepHookForTesting({}); }
};

TEST(ReplaceFileContents, AnInjectedWriteFailureKeepsTheOldFileAndLeavesNothingBehind) {
  const TempFolder folder;
  const fs::path file = folder.write("x.txt", "old");
  const StepHook hook([](ReplaceStep step) {
    if (step == ReplaceStep::TemporaryWritten) throw std::runtime_error("No space left on device");
  });
  try {
    replaceFileContents(file, "new");
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()),
              file.string() + ": cannot be written: No space left on device");
  }
  EXPECT_EQ(folder.read("x.txt"), "old");
  EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"x.txt"}));
}

TEST(ReplaceFileContents, RefusesAReadOnlyFileAndWhatAReadOnlyFolderRefuses) {
  const TempFolder folder;
  const fs::path file = folder.write("x.txt", "old");
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  try {
    replaceFileContents(file, "new");
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()),
              file.string() +
                  ": is read-only and was not replaced. Make the file writable, or save under "
                  "another name.");
  }
  EXPECT_EQ(folder.read("x.txt"), "old");
  EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"x.txt"}));

  if (::geteuid() == 0) GTEST_SKIP() << "a read-only folder does not stop the superuser";
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_THROW(replaceFileContents(file, "new"), FileError);
  fs::permissions(folder.path(), fs::perms::owner_all);
  EXPECT_EQ(folder.read("x.txt"), "old");
  EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"x.txt"}));
}

/// The number of a process that has ended.
long endedProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return child;
}

TEST(ReplaceFileContents, RemovesTheTemporaryFilesThatKilledWritesLeft) {
  const TempFolder folder;
  const fs::path file = folder.path() / "x.txt";
  const std::string dead = std::to_string(endedProcess());
  const std::string alive = std::to_string(::getppid());
  const std::string stale[] = {".x.txt.tavo-tmp-" + dead + "-0", ".x.txt.tavo-" + dead + "-3"};
  const std::string kept[] = {
      ".x.txt.tavo-tmp-" + alive + "-0",  // a write of a running process
      ".y.txt.tavo-tmp-" + dead + "-0",   // another file's
      ".x.txt.tavo-tmp-" + dead,          // not a name we give
      ".x.txt.tavo-lock",
  };
  for (const std::string& name : stale)
    folder.write(name, "left over");
  for (const std::string& name : kept)
    folder.write(name, "kept");
  const fs::path old = folder.write(".x.txt.tavo-tmp-" + alive + "-1", "a day old");
  fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::hours(25));
  replaceFileContents(file, "new");
  std::vector<std::string> expected(std::begin(kept), std::end(kept));
  expected.push_back("x.txt");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(namesIn(folder.path()), expected);
}

}  // namespace
}  // namespace tavo::model
