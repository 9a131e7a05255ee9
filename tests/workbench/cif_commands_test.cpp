// "Generate CIF (Auto)" and the 'CIF Editor' through the Workbench: the file written and read
// back, the steps that stop the sequence, the choice of the .cif_od file, and the editing of
// single lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "cif/cif_document.h"
#include "workbench/cif_commands.h"
#include "workbench_fixture.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;
using workbench::CommandId;

class CifCommandsTest : public WorkbenchScenario {
 protected:
  /// Our sample structure with its SHELXL CIF (and, if asked, its .cif_od) in the working folder.
  bool openSample(bool withCifOd = true) {
    repositoryFile("tests/data/cif/cif_sample.cif");
    if (withCifOd) repositoryFile("tests/data/cif/cif_sample.cif_od");
    return openAs(repositoryFile("examples/paraben.res", "cif_sample.res"),
                  workbench::OpenedFrom::Batch);
  }
  fs::path output() const { return work.path() / "cif_sample_tavo.cif"; }
  bool shown(std::string_view text) const {
    return std::any_of(dialogs.shown.begin(), dialogs.shown.end(),
                       [&](const std::string& s) { return s.find(text) != std::string::npos; });
  }
  workbench::CifCommands& cif() { return bench->cifCommands(); }
};

TEST_F(CifCommandsTest, GenerateWritesTheCifBesideTheStructureAndReadsItBack) {
  ASSERT_TRUE(openSample());
  const auto names = [&] {
    std::set<std::string> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(work.path()))
      found.insert(entry.path().filename().string());
    return found;
  };
  std::set<std::string> before = names();
  dialogs.shown.clear();
  ASSERT_TRUE(bench->run(CommandId::GenerateCif));
  EXPECT_EQ(dialogs.shown.front(), workbench::cifUsingTemplateMessage);
  EXPECT_EQ(dialogs.shown.back(), std::string(workbench::cifWrittenMessage) + output().string());
  EXPECT_EQ(cif().window().readBack, "Read back: no syntax error, no data name given twice.");

  const std::string text = readFileBytes(output());
  const cif::CifBlock block = cif::parseCifText(text, "out").blocks.at(0);
  EXPECT_EQ(block.name, "cif_sample");
  EXPECT_EQ(block.findValue("_audit_creation_date"), clock.today);
  EXPECT_EQ(block.findValue("_cell_measurement_theta_max"), "26.0000");  // from the .cif_od
  EXPECT_EQ(clock.pausedMilliseconds, 300);
  // Nothing but the CIF was written into the working folder: no scratch files.
  before.insert("cif_sample_tavo.cif");
  EXPECT_EQ(names(), before);
  // A second run reads the template afresh and writes the same file.
  ASSERT_TRUE(bench->run(CommandId::GenerateCif));
  EXPECT_EQ(readFileBytes(output()), text);
}

TEST_F(CifCommandsTest, AFailedStepWritesNothingAndSaysWhatIsMissing) {
  ASSERT_TRUE(bench->run(CommandId::ViewCifWindow));
  EXPECT_FALSE(bench->run(CommandId::GenerateCif));
  EXPECT_EQ(dialogs.shown.back(), workbench::cifNoFileMessage);

  ASSERT_TRUE(openAs(repositoryFile("examples/paraben.res", "cif_sample.res"),
                     workbench::OpenedFrom::Batch));
  EXPECT_FALSE(bench->run(CommandId::GenerateCif));
  EXPECT_TRUE(shown("does not exit!! It must have a name of \"" +
                    (work.path() / "cif_sample.cif").string() + "\""));
  EXPECT_FALSE(fs::exists(output()));

  // A SHELXL CIF that a strict reader refuses is not merged.
  work.write("cif_sample.cif", "data_x\n_cell_length_a 1\n_cell_length_a 2\n");
  EXPECT_FALSE(bench->run(CommandId::GenerateCif));
  EXPECT_TRUE(shown("cif_sample.cif:3"));
  EXPECT_FALSE(fs::exists(output()));

  // Without the template: its message, and the previous structure's lines are not saved.
  repositoryFile("tests/data/cif/cif_sample.cif");
  fs::remove(program.path() / "template.cif");
  dialogs.shown.clear();
  EXPECT_FALSE(bench->run(CommandId::GenerateCif));
  EXPECT_TRUE(
      shown("Place an appropriate template CIF file inside the Tavo folder. The name of "
            "file must be \"template.cif\"!"));
  EXPECT_FALSE(fs::exists(output()));
}

TEST_F(CifCommandsTest, TheCifOdNamedAfterTheStructureIsTakenOtherwiseTheUserChooses) {
  ASSERT_TRUE(openSample(false));
  const std::string od =
      readFileBytes(fs::path(TAVO_SOURCE_DIR) / "tests/data/cif/cif_sample.cif_od");
  std::string other = od;
  other.replace(other.find("26.0000"), 7, "27.5000");
  work.write("a_run.cif_od", other);
  work.write("b_run.cif_od", od);

  // Two files, neither named after the structure: the user is asked; cancelling writes nothing.
  dialogs.nextFile.reset();
  EXPECT_FALSE(bench->run(CommandId::GenerateCif));
  EXPECT_FALSE(fs::exists(output()));
  dialogs.nextFile = work.path() / "a_run.cif_od";
  ASSERT_TRUE(bench->run(CommandId::GenerateCif));
  EXPECT_EQ(cif::readCifFile(output().string()).blocks[0].findValue("_cell_measurement_theta_max"),
            "27.5000");

  // The one named after the structure is taken without a question.
  work.write("cif_sample.cif_od", od);
  dialogs.nextFile = work.path() / "a_run.cif_od";
  ASSERT_TRUE(bench->run(CommandId::GenerateCif));
  EXPECT_EQ(cif().window().cifOdPath, work.path() / "cif_sample.cif_od");

  // None at all: said, and the CIF is written without the diffractometer's values.
  for (const char* name : {"a_run.cif_od", "b_run.cif_od", "cif_sample.cif_od"})
    fs::remove(work.path() / name);
  ASSERT_TRUE(bench->run(CommandId::GenerateCif));
  EXPECT_TRUE(shown(workbench::cifNoCifOdMessage));
  EXPECT_EQ(cif::readCifFile(output().string()).blocks[0].findValue("_cell_measurement_theta_max"),
            "26.372");
}

TEST_F(CifCommandsTest, LinesAreLeftOutByDoubleClickAndEditedInTheLineEditor) {
  ASSERT_TRUE(openSample());
  ASSERT_TRUE(bench->run(CommandId::GenerateCif));
  const auto& lines = cif().window().workLines;
  const int row = static_cast<int>(
      std::find_if(lines.begin(), lines.end(),
                   [](const cif::CifWorkLine& l) { return l.text.starts_with("_exptl_special"); }) -
      lines.begin());
  ASSERT_LT(row, static_cast<int>(lines.size()));

  ASSERT_TRUE(bench->run([&] { cif().toggleMark(row); }));
  ASSERT_TRUE(bench->run([&] { cif().writeCif(output()); }));
  EXPECT_FALSE(cif::readCifFile(output().string()).blocks[0].findValue("_exptl_special_details"));
  ASSERT_TRUE(bench->run([&] { cif().toggleMark(row); }));
  EXPECT_EQ(lines[static_cast<std::size_t>(row)].mark, "TAVO");

  // The line editor: trimmed, cut to 80 characters with the message.
  ASSERT_TRUE(bench->run([&] { cif().selectLine(row); }));
  cif().setLineEditorText("  _exptl_special_details 'short'  ");
  ASSERT_TRUE(bench->run([&] { cif().updateLine(); }));
  EXPECT_EQ(lines[static_cast<std::size_t>(row)].text, "_exptl_special_details 'short'");
  cif().setLineEditorText("_exptl_special_details '" + std::string(70, 'x') + "'");
  ASSERT_TRUE(bench->run([&] { cif().updateLine(); }));
  EXPECT_EQ(lines[static_cast<std::size_t>(row)].text.size(), 80u);
  EXPECT_EQ(dialogs.shown.back(), workbench::cifLongLineMessage);
  // That line no longer reads: the read-back says so in the window and in a message.
  EXPECT_FALSE(bench->run([&] { cif().writeCif(output()); }));
  EXPECT_NE(cif().window().readBack.find("cif_sample_tavo.cif:"), std::string::npos);

  // Printing stops before the embedded .hkl file.
  ASSERT_TRUE(bench->run([&] { cif().printLeft(); }));
  ASSERT_FALSE(dialogs.printed.empty());
  ASSERT_GE(dialogs.printed.size(), 2u);
  EXPECT_EQ(dialogs.printed[dialogs.printed.size() - 2],
            "SHELX | _shelx_res_checksum                12345");
}

}  // namespace
}  // namespace tavo::testing
