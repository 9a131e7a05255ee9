// Difference density end to end: a structure with an atom left out and the reflections of the
// full structure beside it; the map's highest peak stands where the atom was, "Use as Q-peaks"
// puts it into the saved file and Undo takes it back; tavo-cli fcalc and map report the same.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "model/file_lines.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

const fs::path data = fs::path(TAVO_SOURCE_DIR) / "tests/data/density";
const fs::path paraben = fs::path(TAVO_SOURCE_DIR) / "examples/paraben.res";
// Where O1 stands in the full structure.
constexpr double o1[3] = {0.677422, 0.494081, 0.987920};

/// A folder with the structure without O1 and the full structure's reflections beside it.
void prepare(const TempFolder& folder) {
  fs::copy_file(data / "paraben_no_o1.res", folder.path() / "no_o1.res");
  fs::copy_file(data / "paraben.hkl", folder.path() / "no_o1.hkl");
}

std::vector<std::string> linesStarting(const fs::path& file, const std::string& start) {
  std::vector<std::string> found;
  for (const std::string& line : model::loadRawFileLines(file))
    if (line.rfind(start, 0) == 0) found.push_back(line);
  return found;
}

/// The distance in Å between a Q line's position and O1 (P21/c, close to the same cell).
double fromO1(const std::string& qLine) {
  std::istringstream words(qLine);
  std::string label;
  int sfac = 0;
  double x = 0, y = 0, z = 0;
  words >> label >> sfac >> x >> y >> z;
  const double a = 10.612, b = 5.904, c = 14.903, beta = 107.18 * M_PI / 180;
  const double dx = x - o1[0], dy = y - o1[1], dz = z - o1[2];
  return std::sqrt(a * a * dx * dx + b * b * dy * dy + c * c * dz * dz +
                   2 * a * c * dx * dz * std::cos(beta));
}

TEST(DensityScripts, TheLeftOutAtomBecomesQ1AndUndoTakesTheMapPeaksBack) {
  const TempFolder folder;
  prepare(folder);
  const Outcome o = runScript(folder,
                              "open no_o1.res\n"
                              "\"Difference Map\"\n"
                              "\"Map Peaks\"\n"
                              "window MapPeaks MapLevel 2.5\n"
                              "window MapPeaks print\n"
                              "window MapPeaks press \"Use as Q-peaks\"\n"
                              "\"Save *.ins\"\n");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  EXPECT_NE(o.out.find("fo-fc map, grid "), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("Level 2.5 sigma"), std::string::npos) << o.out;

  const std::vector<std::string> saved = linesStarting(folder.path() / "no_o1.ins", "Q");
  ASSERT_EQ(saved.size(), 20u);
  EXPECT_LT(fromO1(saved[0]), 0.15) << saved[0];
  // The height of an oxygen atom left out: several e/Å³, far above the next peak.
  const double height = std::stod(saved[0].substr(saved[0].rfind(' ')));
  EXPECT_GT(height, 3.0);
  EXPECT_GT(height, 3 * std::stod(saved[1].substr(saved[1].rfind(' '))));

  // Undo brings back the peaks of the file.
  const TempFolder again;
  prepare(again);
  const Outcome undone = runScript(again,
                                   "open no_o1.res\n"
                                   "\"Map Peaks\"\n"
                                   "window MapPeaks press \"Use as Q-peaks\"\n"
                                   "\"Undo Last Edit\"\n"
                                   "\"Save *.ins\"\n");
  ASSERT_EQ(undone.status, 0) << undone.out << undone.err;
  std::vector<std::string> original = linesStarting(data / "paraben_no_o1.res", "Q");
  std::vector<std::string> back = linesStarting(again.path() / "no_o1.ins", "Q");
  ASSERT_EQ(back.size(), original.size());
  EXPECT_EQ(back.front().substr(0, 30), original.front().substr(0, 30));
}

TEST(DensityCommands, FcalcAndMapReportTheAgreementAndThePeak) {
  const TempFolder folder;
  prepare(folder);
  fs::copy_file(paraben, folder.path() / "paraben.res");
  fs::copy_file(data / "paraben.hkl", folder.path() / "paraben.hkl");

  const Outcome full = runCli(folder, "fcalc paraben.res --json");
  ASSERT_EQ(full.status, 0) << full.err;
  EXPECT_NE(full.out.find("\"R1_gt\":0.000"), std::string::npos) << full.out;
  EXPECT_NE(full.out.find("\"reflections\":1859"), std::string::npos) << full.out;

  const Outcome partial = runCli(folder, "fcalc no_o1.res --fcf-out no_o1.fcf");
  ASSERT_EQ(partial.status, 0) << partial.err;
  EXPECT_NE(partial.out.find("R1 = 0.2"), std::string::npos) << partial.out;

  // Our LIST 6 .fcf gives the map the same peaks as the .hkl and the model do
  const Outcome fromHkl = runCli(folder, "map no_o1.res --hkl no_o1.hkl --peaks 2 --json");
  const Outcome fromFcf = runCli(folder, "map no_o1.res --fcf no_o1.fcf --peaks 2 --json");
  ASSERT_EQ(fromHkl.status, 0) << fromHkl.err;
  ASSERT_EQ(fromFcf.status, 0) << fromFcf.err;
  // (the .fcf holds two decimals: the peaks agree to about 0.001 of the cell).
  for (const Outcome* map : {&fromHkl, &fromFcf})
    EXPECT_NE(map->out.find("\"peaks\":[{\"frac\":[0.668"), std::string::npos) << map->out;

  // Without data the commands say so and fail.
  fs::remove(folder.path() / "no_o1.hkl");
  fs::remove(folder.path() / "no_o1.fcf");
  const Outcome none = runCli(folder, "fcalc no_o1.res");
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.err.find("No reflection data were found"), std::string::npos) << none.err;
}

TEST(DensityCommands, AMalformedReflectionRowIsRefusedWithItsLine) {
  const TempFolder folder;
  fs::copy_file(paraben, folder.path() / "paraben.res");
  folder.write("paraben.hkl", "   1   0   0  100.00    1.00\n   2   0   0  1x0.00    1.00\n");
  const Outcome o = runCli(folder, "fcalc paraben.res");
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find("line 2"), std::string::npos) << o.err;
}

}  // namespace
}  // namespace tavo::testing
