// The symmetry views end to end through the built tavo-cli: a run script that expands, steps the
// unit spin, saves the expanded atoms and packs; info --expand/--packing; render of both views.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/file_lines.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

void copyHalfMolecule(const TempFolder& folder) {
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "tests/data/shelxl/centrosymmetric_half.ins",
                folder.path() / "half.ins");
}

TEST(ExpansionScript, ExpandsStepsSavesAndPacks) {
  TempFolder folder;
  copyHalfMolecule(folder);
  folder.write("script.tavo",
               "open half.ins\n"
               "\"Expand Connections\"\n"
               "set SpinEdit19 0\n"
               "set SpinEdit19 1\n"
               "answer whole.ins\n"
               "\"Save All Expanded Atoms As a New *.ins\"\n"
               "set CheckBox31 1\n"
               "set Remove 1\n"
               "set Remove 1\n"
               "set RePck 1\n");
  const Outcome o = runCli(folder, "run script.tavo");
  ASSERT_EQ(o.status, 0) << o.err << o.out;
  EXPECT_NE(o.out.find("1 Units Connected!  Change the Yellow SpinButton!"), std::string::npos)
      << o.out;
  EXPECT_NE(o.out.find("Units Added!  Change the Yellow SpinButton for Information!"),
            std::string::npos);
  EXPECT_EQ(folder.read("expand.txt"), "    3    1    1    1      -X+1, -Y+1, -Z+1\n");
  EXPECT_EQ(model::loadFileLines(folder.path() / "packing.txt").size(), 9u);
  // The saved file holds the file's atoms and the copies at their transformed positions.
  int copies = 0;
  for (const std::string& line : model::loadFileLines(folder.path() / "whole.ins")) {
    if (line.rfind("C1*1", 0) == 0) {
      ++copies;
      EXPECT_NE(line.find("0.39000"), std::string::npos) << line;
    }
    if (line.rfind("O1*1", 0) == 0 || line.rfind("H1*1", 0) == 0) ++copies;
  }
  EXPECT_EQ(copies, 3);
}

TEST(ExpansionScript, InfoListsTheUnitsOfBothViews) {
  TempFolder folder;
  copyHalfMolecule(folder);
  const Outcome o =
      runCli(folder, "info half.ins --json --expand --packing -0.1 1.1 0.1 0.9 0.1 0.9");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_NE(o.out.find(R"("expansion":{"units":[{"operator":3,"translation":[1,1,1],)"
                       R"("code":" -X+1, -Y+1, -Z+1"}],"message":"1 Units Connected!  )"
                       R"(Change the Yellow SpinButton!"})"),
            std::string::npos)
      << o.out;
  EXPECT_NE(o.out.find(R"("packing":{"units":[{"operator":3,"translation":[1,1,1],)"),
            std::string::npos)
      << o.out;
  EXPECT_NE(o.out.find(R"("messages":[])"), std::string::npos) << "the views' own messages";
  EXPECT_FALSE(fs::exists(folder.path() / "expand.txt")) << "a query writes no file";

  EXPECT_EQ(runCli(folder, "info half.ins --json --packing 0 1 0").status, 1);
}

#ifdef TAVO_WITH_PICTURES
TEST(ExpansionScript, RendersTheExpandedAndThePackedView) {
  TempFolder folder;
  copyHalfMolecule(folder);
  ASSERT_EQ(runCli(folder, "render half.ins -o asym.png").status, 0);
  ASSERT_EQ(runCli(folder, "render half.ins -o expanded.png --expand 1").status, 0);
  const Outcome packed = runCli(folder, "render half.ins -o packed.png --packing -1 2 -1 2 -1 2");
  ASSERT_EQ(packed.status, 0) << packed.err;
  EXPECT_EQ(folder.read("expanded.png").substr(0, 4), "\x89PNG");
  EXPECT_NE(folder.read("expanded.png"), folder.read("asym.png"));
  EXPECT_NE(folder.read("packed.png"), folder.read("expanded.png"));
  EXPECT_FALSE(fs::exists(folder.path() / "packing.txt")) << "a picture writes no unit list";
}
#endif

}  // namespace
}  // namespace tavo::testing
