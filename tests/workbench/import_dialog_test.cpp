// The Import menu's dialog opens where the open dialog would and remembers the folder chosen.
#include "model/file_lines.h"
#include "workbench/command_table.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using workbench::CommandId;

TEST_F(WorkbenchScenario, AnImportRemembersItsFolderAsAnOpenDoes) {
  const std::filesystem::path folder = work.path() / "imports";
  std::filesystem::create_directory(folder);
  std::filesystem::copy_file(
      std::filesystem::path(TAVO_SOURCE_DIR) / "tests/data/import/fixture.xyz",
      folder / "fixture.xyz");
  dialogs.nextFile = folder / "fixture.xyz";
  ASSERT_TRUE(bench->run(CommandId::ImportXyz)) << ::testing::PrintToString(dialogs.shown);
  EXPECT_TRUE(bench->window().paintSurfaceEnabled);
  EXPECT_EQ(model::loadFileLines(program.path() / workbench::dirinfFileName),
            std::vector<std::string>{folder.string()});
  EXPECT_EQ(std::filesystem::current_path(), folder);

  // A cancelled import changes nothing, not even the flag of a Cartesian import.
  work.write("fixture.abc", "C1 0 0 0\nO1 1.2 0 0\n");
  dialogs.nextFile = work.path() / "fixture.abc";
  ASSERT_TRUE(bench->run(CommandId::ImportCartesian));
  EXPECT_TRUE(bench->state().cartesianImport);
  dialogs.nextFile.reset();
  ASSERT_TRUE(bench->run(CommandId::ImportPdb));
  EXPECT_TRUE(bench->state().cartesianImport);
  EXPECT_EQ(bench->structure().nonHCount, 2);
  EXPECT_EQ(model::loadFileLines(program.path() / workbench::dirinfFileName),
            std::vector<std::string>{work.path().string()});
}

TEST_F(WorkbenchScenario, TheXyzItemReadsAnXmolFileAsCartesianCoordinates) {
  // The first line is the atom count: Cartesian Å, as tavo-cli import reads the same file.
  dialogs.nextFile = std::filesystem::path(TAVO_SOURCE_DIR) / "tests/data/import/xmol.xyz";
  ASSERT_TRUE(bench->run(CommandId::ImportXyz)) << ::testing::PrintToString(dialogs.shown);
  EXPECT_TRUE(bench->state().cartesianImport);
  const model::StructureModel& s = bench->structure();
  ASSERT_EQ(s.nonHCount, 4);
  std::vector<std::string> elements;
  for (int i = 1; i <= s.nonHCount; ++i)
    elements.emplace_back(s.symbolOf(s.atoms[i].sfac));
  // Upper-case labels of heavy elements keep their element.
  EXPECT_EQ(elements, (std::vector<std::string>{"CU", "NA", "CL", "O"}));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"The elements of these atoms were taken from "
                                                    "their labels; check them: Cu Na Cl"});
  EXPECT_EQ(dialogs.informed, dialogs.shown) << "routine information, for the message panel";
}

}  // namespace
}  // namespace tavo::testing
