// The symmetry views end to end through the built tavo-cli: a run script that expands, steps the
// unit spin, saves the expanded atoms and packs; info --expand/--packing; render of both views.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "model/array_limits.h"
#include "model/dialogs.h"
#include "model/element_definitions.h"
#include "model/file_lines.h"
#include "model/instruction_reader.h"
#include "model/structure_model.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"
#include "text/text.h"

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
    if (line.rfind("C1A ", 0) == 0) {
      ++copies;
      EXPECT_NE(line.find("0.39000"), std::string::npos) << line;
    }
    if (line.rfind("O1A ", 0) == 0 || line.rfind("H1A ", 0) == 0) ++copies;
  }
  EXPECT_EQ(copies, 3);
}

TEST(ExpansionScript, SavedExpandedAtomsAreAFileShelxlReads) {
  // P2/c: C1 (anisotropic) is bonded to its copy across the twofold axis -X, Y, 1/2-Z; C2 and
  // C21' are the two parts of a disordered atom, their occupancies tied to FV(2) = 0.6.
  TempFolder folder;
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "tests/data/shelxl/disorder_on_twofold.ins",
                folder.path() / "disorder.ins");
  const Outcome o = runScript(folder,
                              "open disorder.ins\n"
                              "\"Expand Connections\"\n"
                              "answer whole.ins\n"
                              "\"Save All Expanded Atoms As a New *.ins\"\n"
                              "open whole.ins\n");
  ASSERT_EQ(o.status, 0) << o.err << o.out;
  ASSERT_NE(o.out.find("1 Units Connected!"), std::string::npos) << o.out;

  model::StructureModel back;
  back.limits = model::ArrayLimits{};
  back.currentFile = (folder.path() / "whole.ins").string();
  model::CollectingDialogs dialogs;
  model::readStructureFromLines(back, model::loadFileLines(folder.path() / "whole.ins"),
                                model::ElementDefinitions::load(dataFolder()), dialogs);
  ASSERT_EQ(back.nonHCount, 6);
  ASSERT_EQ(back.hCount, 2);
  std::set<std::string> labels;
  for (int i = 1; i <= back.nonHCount + back.hCount; ++i) {
    const std::string& label =
        i <= back.nonHCount ? back.atoms[i].label : back.hydrogens[i - back.nonHCount].label;
    EXPECT_LE(label.size(), 4u) << label;
    EXPECT_TRUE(labels.insert(text::upper(label)).second) << label << " twice";
  }
  struct Expected {
    const char* label;
    int part;
    double sof, sofCode;
  };
  // The file's atoms keep their labels; the copies take a letter, or the element and a free
  // number where the label has four characters already.
  const Expected atoms[] = {{"C1", 0, 1.0, 10},  {"C2", 1, 0.6, 21},  {"C21'", 2, 0.4, -21},
                            {"C1A", 0, 1.0, 10}, {"C2A", 1, 0.6, 21}, {"C3", 2, 0.4, -21}};
  for (int i = 1; i <= 6; ++i) {
    const Expected& e = atoms[i - 1];
    const model::Atom& a = back.atoms[i];
    SCOPED_TRACE(e.label);
    EXPECT_EQ(a.label, e.label);
    EXPECT_EQ(a.part, e.part);
    EXPECT_NEAR(a.sof, e.sof, 1e-9);
    EXPECT_EQ(a.codes[model::Sof], e.sofCode);
  }
  EXPECT_EQ(back.hydrogens[2].label, "H1A");
  EXPECT_NEAR(back.hydrogens[2].uiso, 0.06, 1e-9);
  // The twofold turns a* and c* over: U23 and U12 change sign, U11, U22, U33 and U13 stay.
  const model::Atom& c1 = back.atoms[4];
  ASSERT_EQ(c1.aniso, 1);
  const double turned[6] = {0.02, 0.03, 0.04, -0.001, 0.002, -0.003};
  const double read[6] = {c1.u11, c1.u22, c1.u33, c1.u23, c1.u13, c1.u12};
  for (int k = 0; k < 6; ++k)
    EXPECT_NEAR(read[k], turned[k], 1e-6) << "U" << k;
  EXPECT_NEAR(back.atoms[1].u23, 0.001, 1e-9) << "the file's atom keeps its own Uij";
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
