// Least-squares planes end to end: a tavo-cli run script fits two planes in the Plane Calculation
// mode, prints and saves the plane window and saves the structure unchanged; tavo-cli planes
// prints the same planes and refuses what defines no plane.
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

const fs::path paraben = fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res";
const fs::path half = fs::path(TAVO_SOURCE_DIR) / "tests/data/shelxl/centrosymmetric_half.ins";

/// The lines of `name` in `folder` without TITL, which carries the time of the save.
std::vector<std::string> savedWithoutTitl(const TempFolder& folder, const std::string& name) {
  std::vector<std::string> lines = model::loadRawFileLines(folder.path() / name);
  if (!lines.empty()) lines.erase(lines.begin());
  return lines;
}

/// The text after `start` on the first line of `text` that begins with it.
std::string after(const std::string& text, const std::string& start) {
  const std::size_t at = text.find(start);
  if (at == std::string::npos) return "<no line " + start + ">";
  const std::size_t from = at + start.size();
  return text.substr(from, text.find('\n', from) - from);
}

TEST(PlaneScripts, TwoPlanesFromTheModeSavedAsAReportWhileTheStructureStaysAsItWas) {
  const TempFolder plain;
  fs::copy_file(paraben, plain.path() / "paraben.res");
  ASSERT_EQ(runScript(plain, "open paraben.res\n\"Save *.ins\"\n").status, 0);

  const TempFolder folder;
  fs::copy_file(paraben, folder.path() / "paraben.res");
  const Outcome o = runScript(folder,
                              "open paraben.res\n"
                              "mode Plane Calculation\n"
                              "pick C1 C2 C3 C4 C5 C6\n"
                              "apply\n"
                              "window TForm37 press \"Add Plane\"\n"
                              "pick O3 C8B C9B\n"
                              "apply\n"
                              "window TForm37 print\n"
                              "answer report.txt\n"
                              "window TForm37 press Save\n"
                              "\"Save *.ins\"\n");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  EXPECT_EQ(after(o.out, "TotalPlane "), "2");
  // The structure is saved as a plain save writes it: planes change nothing.
  EXPECT_EQ(savedWithoutTitl(folder, "paraben.ins"), savedWithoutTitl(plain, "paraben.ins"));

  // The report: the three grids, cells separated by tabs.
  const std::vector<std::string> report = model::loadRawFileLines(folder.path() / "report.txt");
  ASSERT_EQ(report.size(), 2U + 30 + 2 + 18 + 2 + 2);
  EXPECT_EQ(report[1], "List of Atomic Coordinates and Shifts from the Planes");
  EXPECT_EQ(report[2],
            "Atom Label\tX (angstrm)\tY (angstrm)\tZ (angstrm)\tShift(A)@Plane_1\t"
            "Shift(A)@Plane_2");
  EXPECT_EQ(report[34], "\tPlane 1\tPlane 2");
  EXPECT_EQ(report[46], "\tC1\tO3");
  EXPECT_EQ(report[53], "Summary of Interplane Dihedral Angles");
  EXPECT_EQ(report[54], "\tPlane_1\tPlane_2");

  // tavo-cli planes fits the same planes in the saved file: the same dihedral angle.
  const Outcome planes = runCli(folder, "planes paraben.ins C1 C2 C3 C4 C5 C6 / O3 C8B C9B");
  ASSERT_EQ(planes.status, 0) << planes.err;
  const std::string angle = after(planes.out, "Plane 1 / Plane 2  ");
  EXPECT_NE(angle.find("(undefined)"), std::string::npos) << "three atoms define plane 2";
  EXPECT_EQ(report[55], "Plane_1\t\t" + angle);
  EXPECT_NE(planes.out.find("Plane 1: C1 C2 C3 C4 C5 C6\n"), std::string::npos) << planes.out;
  EXPECT_NE(planes.out.find("    C9B      0.0000(undefined)\n"), std::string::npos) << planes.out;
}

TEST(PlaneScripts, APlaneThroughPickedSymmetryCopies) {
  const TempFolder folder;
  fs::copy_file(half, folder.path() / "half.ins");
  const Outcome o = runScript(folder,
                              "open half.ins\n"
                              "\"Expand Connections\"\n"
                              "mode Plane Calculation\n"
                              "pick C1 O1 C1*1 O2*1\n"
                              "apply\n"
                              "window TForm37 print\n");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  // The whole molecule lies in the plane of the four, two of them copies across the centre.
  for (const char* row : {"C1 | ", "O2 | ", "C1*1 | ", "O1*1 | "}) {
    const std::string line = after(o.out, row);
    EXPECT_NE(line.find("| 0.0000("), std::string::npos) << row << line;
  }
  EXPECT_NE(o.out.find(" | C1*1\n | O2*1\n"), std::string::npos) << o.out;
  EXPECT_EQ(after(o.out, "RMS "), "0");
}

TEST(PlaneScripts, PlanesCommandRefusalsAndSymmetryCopies) {
  const TempFolder folder;
  fs::copy_file(paraben, folder.path() / "paraben.res");
  fs::copy_file(half, folder.path() / "half.ins");
  struct Case {
    const char* arguments;
    int status;
    const char* message;
  };
  const Case cases[] = {
      {"planes paraben.res C1 C2", 1,
       "At least 3 atoms should be selected to conduct plane calculation!"},
      {"planes paraben.res C1 C2 C3 / C4 C5", 1, "plane 2: At least 3 atoms"},
      {"planes paraben.res C1 ZZ9 C3", 1, "no atom, H atom or peak is labelled ZZ9"},
      {"planes paraben.res C1 c1 C1", 1, "The selected atoms lie on one line"},
      {"planes paraben.res", 2, "usage: tavo-cli planes FILE LABEL..."},
      // A copy is named only once the copies are made.
      {"planes half.ins C1 O1 'C1*1'", 1, "no atom, H atom or peak is labelled C1*1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const Outcome o = runCli(folder, c.arguments);
    EXPECT_EQ(o.status, c.status);
    EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
    EXPECT_EQ(o.out, "");
  }
  // Two residues with the same labels: C1_2 names the atom of residue 2.
  folder.write("two.ins", R"(TITL two residues
CELL 0.71073 10.0 10.0 10.0 90 90 90
ZERR 4 0.001 0.001 0.001 0 0 0
LATT 1
SFAC C H
UNIT 6 4
L.S. 4
FVAR 1.00000
RESI 1 ONE
C1    1    0.10000    0.10000    0.10000    11.00000    0.05000
C2    1    0.20000    0.10000    0.10000    11.00000    0.05000
C3    1    0.10000    0.20000    0.10000    11.00000    0.05000
RESI 2 TWO
C1    1    0.10000    0.10000    0.50000    11.00000    0.05000
C2    1    0.10000    0.20000    0.50000    11.00000    0.05000
C3    1    0.10000    0.10000    0.60000    11.00000    0.05000
HKLF 4
END
)");
  const Outcome residues = runCli(folder, "planes two.ins C1 C2 C3 / C1_2 C2_2 C3_2 --json");
  ASSERT_EQ(residues.status, 0) << residues.err;
  EXPECT_NE(residues.out.find("\"atoms\":[\"C1_1\",\"C2_1\",\"C3_1\"]"), std::string::npos)
      << residues.out;
  EXPECT_NE(residues.out.find("\"atoms\":[\"C1_2\",\"C2_2\",\"C3_2\"]"), std::string::npos)
      << residues.out;
  EXPECT_NE(residues.out.find("\"angle\":90"), std::string::npos) << residues.out;

  // C1 and its copy across the inversion centre with O1: the copy stands at its own place.
  const Outcome o = runCli(folder, "planes half.ins C1 O1 'C1*1' --expand --json");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_NE(o.out.find("\"atoms\":[\"C1\",\"O1\",\"C1*1\"]"), std::string::npos) << o.out;
  EXPECT_EQ(o.out.find("_esd"), std::string::npos) << "three atoms: no esds";
  // The files beside the structure are untouched: a query writes nothing.
  EXPECT_FALSE(fs::exists(folder.path() / "expand.txt"));
}

}  // namespace
}  // namespace tavo::testing
