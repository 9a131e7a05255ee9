// Tests of backup numbering, the title stamp and saving through a temporary file.
#include "model/backups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/file_replace.h"
#include "model/instruction_writer.h"
#include "support/fake_dialogs.h"
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

TEST(TitleStamp, PaddedStampIsEightyCharactersWithTheNumberInColumns73To75) {
  const std::string stamped = stampTitle("TITL test in P2(1)/c", "10/12/2026 09:15:00", 7, true);
  EXPECT_EQ(stamped.size(), 80u);
  EXPECT_EQ(stamped.substr(0, 49), "TITL test in P2(1)/c" + std::string(29, ' '));
  EXPECT_EQ(stamped.substr(49), "   10/12/2026 09:15:00 007 TAVO");
  EXPECT_EQ(stamped.substr(72, 3), "007");
  EXPECT_EQ(findStampedNumber(stamped), 7);

  // The date-time text is made exactly 19 characters long; an unpadded stamp keeps a short title.
  EXPECT_EQ(stampTitle("TITL x", "1/2/2026 9:15", 12, false),
            "TITL x   1/2/2026 9:15       012 TAVO");
  EXPECT_EQ(stampTitle(stamped, "2026-12-10T09:15:00.123", 8, false).substr(49),
            "   2026-12-10T09:15:00 008 TAVO");
  EXPECT_EQ(findStampedNumber("TITL no mark"), std::nullopt);
  EXPECT_EQ(findStampedNumber("TITL bad  x1a TAVO"), std::nullopt);
}

/// Creates the named files in the folder, each holding one line that names it.
void touch(const TempFolder& folder, std::initializer_list<const char*> names) {
  for (const char* name : names)
    folder.write(name, "old " + std::string(name) + "\n");
}

TEST(BackupPlan, NumbersFollowTheOpenedFileAndItsTitle) {
  const std::string stamped004 = stampTitle("TITL t", "d", 4, true);
  struct Case {
    std::vector<const char*> existing;
    const char* opened;
    std::string title;
    const char* target;
    const char* moveAside;  // "" when nothing is moved
    const char* backup;
    int stampNumber;
    const char* why;
    const char* previousInputBackup = "";  // where the .ins beside an opened .res goes
  };
  const std::vector<Case> cases = {
      {{"name.res"},
       "name.res",
       "TITL t",
       "name.ins",
       "name.res",
       "name.000",
       0,
       "a .res without mark becomes name.000"},
      {{"name.ins", "name.005"},
       "name.ins",
       stamped004,
       "name.ins",
       "name.ins",
       "name.006",
       6,
       "004 in the title while 005 exists: 006"},
      {{"name.002", "name.000", "name.001", "name.003", "name.004", "name.ins"},
       "name.002",
       "TITL t",
       "name.ins",
       "name.ins",
       "name.005",
       4,
       "an opened backup: the run ends at 004"},
      {{"name.002"},
       "name.002",
       "TITL t",
       "name.ins",
       "",
       "name.000",
       0,
       "an opened backup without name.ins and without 000"},
      {{"name.ins", "name.000", "name.001"},
       "name.ins",
       "TITL t",
       "name.ins",
       "name.ins",
       "name.002",
       2,
       "unmarked title while 000 exists: the next free number, never 000"},
      {{"name.ins", "name.001"},
       "name.ins",
       stampTitle("TITL t", "d", 999, true),
       "name.ins",
       "name.ins",
       "name.000",
       0,
       "999 wraps to 000"},
      {{"name.ins", "name.000", "name.001"},
       "name.ins",
       stampTitle("TITL t", "d", 999, true),
       "name.ins",
       "name.ins",
       "name.002",
       2,
       "after the wrap the next free number"},
      {{"name.res", "name.ins"},
       "name.res",
       "TITL t",
       "name.ins",
       "name.res",
       "name.000",
       0,
       "the .ins beside a .res is kept as the next number",
       "name.001"},
      {{"name.res", "name.ins", "name.005", "name.007"},
       "name.res",
       stamped004,
       "name.ins",
       "name.res",
       "name.006",
       6,
       "the .ins takes the next free number after the .res",
       "name.008"},
      {{"name.res", "name.ins", "name.000"},
       "name.res",
       stampTitle("TITL t", "d", 998, true),
       "name.ins",
       "name.res",
       "name.999",
       999,
       "the number of the .ins wraps past 999",
       "name.001"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    TempFolder folder;
    for (const char* name : c.existing)
      touch(folder, {name});
    const std::string opened = (folder.path() / c.opened).string();
    const BackupPlan plan = planBackup(opened, c.title, "10/12/2026 09:15:00");
    EXPECT_EQ(plan.target, folder.path() / c.target);
    EXPECT_EQ(plan.moveAside, *c.moveAside ? folder.path() / c.moveAside : fs::path());
    EXPECT_EQ(plan.backup, folder.path() / c.backup);
    const bool keepsInput = *c.previousInputBackup != 0;
    EXPECT_EQ(plan.previousInput, keepsInput ? folder.path() / "name.ins" : fs::path());
    EXPECT_EQ(plan.previousInputBackup,
              keepsInput ? folder.path() / c.previousInputBackup : fs::path());
    EXPECT_EQ(plan.number, c.stampNumber);
    EXPECT_EQ(findStampedNumber(plan.title), c.stampNumber);
  }
}

TEST(BackupPlan, RefusesWhenEveryNumberIsTaken) {
  TempFolder folder;
  touch(folder, {"name.ins"});
  for (int n = 0; n <= 999; ++n)
    folder.write("name." + threeDigits(n), "");
  for (const char* opened : {"name.ins", "name.500"}) {
    SCOPED_TRACE(opened);
    try {
      planBackup((folder.path() / opened).string(), stampTitle("TITL t", "d", 41, true), "d");
      ADD_FAILURE() << "no error";
    } catch (const UserError& e) {
      EXPECT_NE(std::string(e.what()).find(folder.path().string()), std::string::npos) << e.what();
    }
  }
}

/// A small structure opened from `file` in a temporary folder.
class SaveInFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    s.allocate();
    s.resetForLoad();
    s.instructionLines = {"TITL paraben", "CELL 0.71073 10 11 12 90 100 90", "L.S. 4", "SFAC C H O",
                          "UNIT 4 8 2"};
    s.addFvar(0.85);
    s.hklfLine = "HKLF 4";
    const int c1 = s.addAtom();
    s.atoms[c1].label = "C1";
    s.atoms[c1].sfac = 1;
    s.atoms[c1].sof = 1;
    s.atoms[c1].codes[Sof] = 10;
    s.atoms[c1].u11 = 0.04;
    s.nonHCount = 1;
  }

  void open(const char* name, const std::string& content) {
    s.currentFile = folder.write(name, content).string();
  }

  TempFolder folder;
  StructureModel s;
  testing::FakeClock clock;
  testing::FakeDialogs dialogs;
};

TEST_F(SaveInFolder, ResBecomesBackupAndInsIsWrittenWithBak) {
  open("name.res", "the old res\n");
  const fs::path written = saveInstructionFile(s, clock, dialogs);
  EXPECT_EQ(written, folder.path() / "name.ins");
  EXPECT_EQ(folder.read("name.000"), "the old res\n");
  EXPECT_FALSE(fs::exists(folder.path() / "name.res"));
  const std::string ins = folder.read("name.ins");
  EXPECT_EQ(ins.substr(0, ins.find('\n')),
            stampTitle("TITL paraben", "10/12/2026 09:15:00", 0, true));
  EXPECT_EQ(folder.read("name.bak"), ins);
  EXPECT_EQ(s.currentFile, written.string());
  EXPECT_EQ(s.instructionLines[0].substr(72), "000 TAVO");
  ASSERT_FALSE(s.fileLines.empty());
  EXPECT_EQ(s.fileLines.back(), "END");
  EXPECT_EQ(s.fileLines[5], "FVAR       0.85000");

  // The next save keeps the first .ins as name.001 and stamps 001.
  saveInstructionFile(s, clock, dialogs);
  EXPECT_EQ(folder.read("name.001"), ins);
  EXPECT_EQ(s.instructionLines[0].substr(72), "001 TAVO");
  EXPECT_EQ(folder.read("name.000"), "the old res\n");
  for (const auto& entry : fs::directory_iterator(folder.path()))
    EXPECT_EQ(entry.path().filename().string().find(".tavo-"), std::string::npos);
}

TEST_F(SaveInFolder, SavingAResKeepsTheInsOfTheLastRunAsTheNextBackup) {
  folder.write("name.ins", "the input of the last run\n");
  open("name.res", "the old res\n");
  saveInstructionFile(s, clock, dialogs);
  EXPECT_EQ(folder.read("name.000"), "the old res\n");
  EXPECT_EQ(folder.read("name.001"), "the input of the last run\n");
  EXPECT_EQ(s.instructionLines[0].substr(72), "000 TAVO");
  EXPECT_EQ(folder.read("name.ins").substr(0, 12), "TITL paraben");
}

TEST_F(SaveInFolder, FailedSaveOfAResLeavesTheFilesAndTheModel) {
  open("name.res", "the old res\n");
  folder.write("name.ins", "the old ins\n");
  std::vector<fs::path> leftovers;
  for (int i = 0; i < 100; ++i)
    leftovers.push_back(writeTemporaryBeside(folder.path() / "name.ins", "left over"));
  const std::string titleBefore = s.instructionLines[0];
  try {
    saveInstructionFile(s, clock, dialogs);
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find((folder.path() / "name.ins").string()), std::string::npos)
        << e.what();
  }
  EXPECT_EQ(folder.read("name.res"), "the old res\n");
  EXPECT_EQ(folder.read("name.ins"), "the old ins\n");
  EXPECT_FALSE(fs::exists(folder.path() / "name.000"));
  EXPECT_FALSE(fs::exists(folder.path() / "name.001"));
  for (const fs::path& leftover : leftovers)
    fs::remove(leftover);
  for (const auto& entry : fs::directory_iterator(folder.path()))
    EXPECT_EQ(entry.path().filename().string().find(".tavo-"), std::string::npos);
  EXPECT_EQ(s.currentFile, (folder.path() / "name.res").string());
  EXPECT_EQ(s.instructionLines[0], titleBefore);
}

TEST_F(SaveInFolder, FailedTemporaryFileLeavesEverythingInPlace) {
  open("name.ins", "the old ins\n");
  // Temporary files left by crashes occupy every name the save could take.
  for (int i = 0; i < 100; ++i)
    writeTemporaryBeside(folder.path() / "name.ins", "left over");
  EXPECT_THROW(saveInstructionFile(s, clock, dialogs), FileError);
  EXPECT_EQ(folder.read("name.ins"), "the old ins\n");
  EXPECT_FALSE(fs::exists(folder.path() / "name.000"));
  EXPECT_FALSE(fs::exists(folder.path() / "name.bak"));
}

TEST_F(SaveInFolder, NothingToSaveWithoutInstructionLines) {
  open("name.ins", "x\n");
  s.instructionLines.clear();
  EXPECT_THROW(saveInstructionFile(s, clock, dialogs), UserError);
  EXPECT_EQ(folder.read("name.ins"), "x\n");
}

TEST(WriteWithBackup, NeverReplacesABackupThatAppearedMeanwhile) {
  TempFolder folder;
  const fs::path ins = folder.write("name.ins", "old\n");
  BackupPlan plan;
  plan.target = ins;
  plan.moveAside = ins;
  plan.backup = folder.write("name.003", "precious\n");
  EXPECT_THROW(writeWithBackup(plan, {"new"}), FileError);
  EXPECT_EQ(folder.read("name.003"), "precious\n");
  EXPECT_EQ(folder.read("name.ins"), "old\n");

  // The .ins beside a saved .res: when its backup name is taken, the .res is moved back too.
  const fs::path res = folder.write("name.res", "res\n");
  plan.moveAside = res;
  plan.backup = folder.path() / "name.004";
  plan.previousInput = ins;
  plan.previousInputBackup = folder.path() / "name.003";
  EXPECT_THROW(writeWithBackup(plan, {"new"}), FileError);
  EXPECT_EQ(folder.read("name.res"), "res\n");
  EXPECT_EQ(folder.read("name.ins"), "old\n");
  EXPECT_EQ(folder.read("name.003"), "precious\n");
  EXPECT_FALSE(fs::exists(folder.path() / "name.004"));
}

/// Stands for the process being killed: not a std::exception, so no step of the save handles it.
struct SimulatedCrash {};

/// Sets the step hook for one test and clears it however the test ends.
struct StepHook {
  explicit StepHook(ReplaceStepHook hook) { setReplaceStepHookForTesting(std::move(hook)); }
  ~StepHook() { setReplaceStepHookForTesting({}); }
};

TEST_F(SaveInFolder, ACrashBetweenAnyTwoStepsLeavesTheOldOrTheNewFileNeverNone) {
  struct Case {
    ReplaceStep step;
    bool opensRes;    // name.res is open, and name.ins (the last run's input) is beside it
    bool newInPlace;  // name.ins is the new file after the crash
    const char* why;
  };
  const Case cases[] = {
      {ReplaceStep::TemporaryWritten, false, false, "only the temporary file is written"},
      {ReplaceStep::BackupKept, false, false, "name.000 is a second name of the old file"},
      {ReplaceStep::Placed, false, true, "the rename is the one moment the file changes"},
      {ReplaceStep::TemporaryWritten, true, false, "a .res: nothing moved yet"},
      {ReplaceStep::BackupKept, true, false, "the .res kept as name.000"},
      {ReplaceStep::PreviousInputKept, true, false, "the old .ins kept as name.001"},
      {ReplaceStep::Placed, true, true, "the new .ins in place, the .res not yet removed"},
      {ReplaceStep::OldFileRemoved, true, true, "the save is complete but for name.bak"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    for (const auto& entry : fs::directory_iterator(folder.path()))
      fs::remove(entry.path());
    folder.write("name.ins", "the old ins\n");
    s.instructionLines[0] = "TITL paraben";  // unstamped: the backups are numbered from 000
    if (c.opensRes)
      open("name.res", "the old res\n");
    else
      s.currentFile = (folder.path() / "name.ins").string();
    const std::string currentBefore = s.currentFile;
    {
      const StepHook hook([&](ReplaceStep step) {
        if (step == c.step) throw SimulatedCrash{};
      });
      EXPECT_THROW(saveInstructionFile(s, clock, dialogs), SimulatedCrash);
    }
    const std::string ins = folder.read("name.ins");
    if (c.newInPlace) {
      EXPECT_EQ(ins.substr(0, 12), "TITL paraben");
    } else {
      EXPECT_EQ(ins, "the old ins\n");
    }
    // Whatever the moment, the user's files are all there under one name or another.
    if (c.opensRes) {
      const bool resKept =
          folder.read("name.res") == "the old res\n" || folder.read("name.000") == "the old res\n";
      EXPECT_TRUE(resKept);
      if (c.newInPlace) {
        EXPECT_EQ(folder.read("name.001"), "the old ins\n");
      }
    } else if (c.newInPlace) {
      EXPECT_EQ(folder.read("name.000"), "the old ins\n");
    }
    // The next save (of the model as the crash left it) goes through.
    s.currentFile = currentBefore;
    s.instructionLines[0] = "TITL paraben";
    EXPECT_NO_THROW(saveInstructionFile(s, clock, dialogs));
    EXPECT_EQ(folder.read("name.ins").substr(0, 12), "TITL paraben");
  }
}

TEST_F(SaveInFolder, AFailureAtAnyStepBeforeThePlacingUndoesTheSave) {
  for (const ReplaceStep failing :
       {ReplaceStep::TemporaryWritten, ReplaceStep::BackupKept, ReplaceStep::PreviousInputKept}) {
    SCOPED_TRACE(static_cast<int>(failing));
    for (const auto& entry : fs::directory_iterator(folder.path()))
      fs::remove(entry.path());
    folder.write("name.ins", "the old ins\n");
    open("name.res", "the old res\n");
    const std::string titleBefore = s.instructionLines[0];
    {
      const StepHook hook([&](ReplaceStep step) {
        if (step == failing) throw std::runtime_error("Input/output error");
      });
      try {
        saveInstructionFile(s, clock, dialogs);
        ADD_FAILURE() << "no FileError";
      } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), (folder.path() / "name.ins").string() +
                                             ": cannot be written: Input/output error");
      }
    }
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"name.ins", "name.res"}));
    EXPECT_EQ(folder.read("name.ins"), "the old ins\n");
    EXPECT_EQ(folder.read("name.res"), "the old res\n");
    EXPECT_EQ(s.currentFile, (folder.path() / "name.res").string());
    EXPECT_EQ(s.instructionLines[0], titleBefore);
  }
}

TEST_F(SaveInFolder, AReadOnlyInsIsRefusedAndASecondSaveAtOnceIsToldSo) {
  const fs::path ins = folder.write("name.ins", "protected\n");
  s.currentFile = ins.string();
  fs::permissions(ins, fs::perms::owner_read | fs::perms::group_read);
  try {
    saveInstructionFile(s, clock, dialogs);
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), ins.string() +
                                         ": is read-only and was not replaced. Make the file "
                                         "writable, or save under another name.");
  }
  EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"name.ins"});
  EXPECT_EQ(folder.read("name.ins"), "protected\n");

  fs::permissions(ins, fs::perms::owner_read | fs::perms::owner_write);
  {
    const SaveLock running(folder.path() / "name.res");  // a save of the same structure
    try {
      saveInstructionFile(s, clock, dialogs);
      ADD_FAILURE() << "no UserError";
    } catch (const UserError& e) {
      EXPECT_EQ(std::string(e.what()),
                "Another save of name.ins is running (in this or another window). Wait until it "
                "has finished and save again.");
    }
    EXPECT_EQ(folder.read("name.ins"), "protected\n");
    EXPECT_FALSE(fs::exists(folder.path() / "name.000"));
  }
  saveInstructionFile(s, clock, dialogs);
  EXPECT_EQ(folder.read("name.000"), "protected\n");
  EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"name.000", "name.bak", "name.ins"}));
}

TEST_F(SaveInFolder, ABakThatCannotBeWrittenIsToldAfterAGoodSave) {
  open("name.ins", "the old ins\n");
  const fs::path bak = folder.write("name.bak", "an old copy\n");
  fs::permissions(bak, fs::perms::owner_read);
  const fs::path written = saveInstructionFile(s, clock, dialogs);
  EXPECT_EQ(written, folder.path() / "name.ins");
  EXPECT_EQ(folder.read("name.ins").substr(0, 12), "TITL paraben");
  EXPECT_EQ(folder.read("name.000"), "the old ins\n");
  EXPECT_EQ(s.currentFile, written.string());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0],
            "Saved name.ins, but its copy name.bak could not be written (" + bak.string() +
                ": is read-only and was not replaced. Make the file writable, or save under "
                "another name.).");
}

}  // namespace
}  // namespace tavo::model
