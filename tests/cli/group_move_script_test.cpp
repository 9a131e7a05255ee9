// The group move end to end: a tavo-cli run script moves a group of our example by a symmetry
// operator, commits it and saves; only the lines of the moved atoms change, with the Uij turned,
// and a search towards the group's old neighbour brings it back to a file identical to a plain
// save.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/file_lines.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

/// The lines of paraben.ins after TITL saved by a script that runs `edits` after opening our
/// example, and what the script printed.
std::vector<std::string> savedAfter(const std::string& edits, std::string& output) {
  return testing::savedAfter(fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res", edits, output,
                             SaveRun().withoutTitl());
}

constexpr const char* moveByOperatorTwo =
    "mode Move Group (define group)\n"
    "pick O1\n"
    "set SpinEdit16 2\n"
    "set SpinEdit13 2\n"
    "set SpinEdit15 1\n"
    "set UpdtGMv 1\n";

TEST(GroupMoveScripts, ACommittedMoveChangesOnlyTheMovedAtomsWithTheirUTurned) {
  std::string output;
  std::vector<std::string> expected = savedAfter("", output);
  const std::vector<std::string> saved = savedAfter(moveByOperatorTwo, output);
  EXPECT_EQ(output.find("Please"), std::string::npos) << output;

  // -x+2, y+1/2, -z+1/2+1 by hand; the twofold axis along b keeps U13 and turns the signs of
  // U23 and U12. H1 rides on O1 and goes with it.
  const auto replace = [&](const std::string& start, const std::string& line) {
    for (std::string& each : expected) {
      if (each.starts_with(start)) {
        each = line;
        return;
      }
    }
    ADD_FAILURE() << "no line " << start;
  };
  const std::size_t o1 = static_cast<std::size_t>(
      std::find_if(expected.begin(), expected.end(),
                   [](const std::string& l) { return l.starts_with("O1 "); }) -
      expected.begin());
  ASSERT_LT(o1 + 1, expected.size());
  replace("O1 ", "O1    3    1.322578    0.994081    0.512080   11.000000   0.047860   0.069960 =");
  expected[o1 + 1] = "0.038980   0.001450   0.008870   0.001840";
  replace("H1 ", "H1    2    1.259601    1.047279    0.468880   11.000000  -1.500000");
  EXPECT_EQ(saved, expected);
}

TEST(GroupMoveScripts, ASearchTowardsTheOldNeighbourBringsTheGroupBackUnchanged) {
  std::string output;
  const std::vector<std::string> plain = savedAfter("", output);
  const std::vector<std::string> saved = savedAfter(std::string(moveByOperatorTwo) +
                                                        "mode Move Group (define destination)\n"
                                                        "pick C4\n"
                                                        "apply\n"
                                                        "set UpdtGMv 1\n",
                                                    output);
  EXPECT_EQ(saved, plain);

  // A preview whose Selection is released is put back; the buttons then say why nothing moves.
  const std::vector<std::string> released = savedAfter(
      "mode Move Group (define group)\n"
      "pick O1\n"
      "set SpinEdit16 3\n"
      "mode Name\n"
      "set UpdtGMv 1\n"
      "set UndoGMv 1\n",
      output);
  EXPECT_EQ(released, plain);
  EXPECT_NE(output.find("Please update the group shifts while they are selected!\n"
                        "Cannot undo after the selection is released!!\n"),
            std::string::npos)
      << output;
}

}  // namespace
}  // namespace tavo::testing
