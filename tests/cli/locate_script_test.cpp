// The locating tool end to end: tavo-cli run scripts turn the phenol of our example into a
// methyl ether (a Cartesian import, the O-H bond lengthened, its H replaced by a shipped methyl
// fragment) and put a shipped CF3 group on a peak of the .res file; each saved file differs from
// a plain save in exactly the located lines, and reads back with the group's bond lengths and
// directions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "model/file_lines.h"
#include "support/cli_run.h"
#include "support/program_folder.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;
using model::Vec3;

/// The lines saved as `saved` by `script` in a folder holding our example.
std::vector<std::string> savedBy(const std::string& script, const std::string& saved,
                                 std::string& output) {
  const TempFolder folder;
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples/paraben.res", folder.path() / "paraben.res");
  const Outcome outcome = runScript(folder, script);
  output = outcome.out + outcome.err;
  EXPECT_EQ(outcome.status, 0) << output;
  return model::loadFileLines(folder.path() / saved);
}

/// The lines of `from` that `other` does not have, in order; the TITL lines, stamped with the
/// time of each save, are left out.
std::vector<std::string> linesMissingIn(const std::vector<std::string>& from,
                                        const std::vector<std::string>& other) {
  std::vector<std::string> missing;
  for (const std::string& line : from) {
    if (line.starts_with("TITL ")) continue;
    if (std::find(other.begin(), other.end(), line) == other.end()) missing.push_back(line);
  }
  return missing;
}

/// `lines` without the lines in `left`: what the two saves share, in order.
std::vector<std::string> without(std::vector<std::string> lines,
                                 const std::vector<std::string>& left) {
  std::erase_if(lines, [&](const std::string& l) {
    return l.starts_with("TITL ") || std::find(left.begin(), left.end(), l) != left.end();
  });
  return lines;
}

/// The file atoms of a saved file read back, by label, in Å of an orthogonal frame.
class ReadBack {
 public:
  explicit ReadBack(const fs::path& file) {
    const ProgramFolder program;
    FakeDialogs dialogs;
    EXPECT_TRUE(openWithSettings(m_s, file, program.path(), dialogs));
  }
  Vec3 at(const std::string& label) const {
    for (int i = 1; i <= m_s.nonHCount; ++i) {
      if (m_s.atoms[i].label == label)
        return cartesian(m_s.atoms[i].x, m_s.atoms[i].y, m_s.atoms[i].z);
    }
    for (int i = 1; i <= m_s.hCount; ++i) {
      const model::Hydrogen& h = m_s.hydrogens[i];
      if (h.label == label) return cartesian(h.x, h.y, h.z);
    }
    ADD_FAILURE() << "no atom " << label;
    return {};
  }
  const model::StructureModel& structure() const { return m_s; }

 private:
  /// The standard orthogonalisation (a along x, b in the xy plane), written out here.
  Vec3 cartesian(double x, double y, double z) const {
    const model::CellParameters& c = m_s.cell;
    const double rad = 3.141592653589793 / 180;
    const double ca = std::cos(c.alpha * rad), cb = std::cos(c.beta * rad);
    const double cg = std::cos(c.gamma * rad), sg = std::sin(c.gamma * rad);
    const double cy = (ca - cb * cg) / sg;
    const double cz = std::sqrt(1 - cb * cb - cy * cy);
    return {c.a * x + c.b * cg * y + c.c * cb * z, c.b * sg * y + c.c * cy * z, c.c * cz * z};
  }
  model::StructureModel m_s;
};

double angleDeg(const Vec3& a, const Vec3& centre, const Vec3& b) {
  const Vec3 u = a - centre, v = b - centre;
  return std::acos(model::dot(u, v) / (model::length(u) * model::length(v))) * 180 /
         3.141592653589793;
}

TEST(LocateScript, APhenolOfACartesianImportBecomesAMethylEther) {
  const TempFolder folder;
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples/paraben.res", folder.path() / "paraben.res");
  const auto imported = [](const std::string& name) {
    return "open paraben.res\nanswer " + name + "\n\"Save Cartesian (->DFT etc.)\"\nanswer " +
           name + "\n\"Cartesian (<-DFT)\"\n";
  };
  const Outcome plainRun =
      runScript(folder, imported("p.abc") + "answer plain.ins\n\"Save *.ins\"\n");
  ASSERT_EQ(plainRun.status, 0) << plainRun.out << plainRun.err;
  const Outcome outcome =
      runScript(folder, imported("q.abc") +
                            "window TForm28 Locate H1\n"
                            "window TForm34 print\n"
                            "window TForm34 con_dist 1.42\n"
                            "window TForm34 Apply\n"
                            "answer " +
                            (dataFolder() / "fragments" / "methyl.frg").string() +
                            "\n"
                            "window TForm28 CheckBox5\n"
                            "apply\n"
                            "answer ether.ins\n\"Save *.ins\"\n");
  ASSERT_EQ(outcome.status, 0) << outcome.out << outcome.err;
  EXPECT_NE(outcome.out.find("Center H1\nConnection to O1\nConnecting Distance (A) = 0.84"),
            std::string::npos)
      << outcome.out;
  const std::vector<std::string> plain = model::loadFileLines(folder.path() / "plain.ins");
  const std::vector<std::string> ether = model::loadFileLines(folder.path() / "ether.ins");

  // H1 gave its place to C12, which carries three new H atoms; nothing else changed.
  const std::vector<std::string> gone = linesMissingIn(plain, ether);
  const std::vector<std::string> added = linesMissingIn(ether, plain);
  ASSERT_EQ(gone.size(), 1u);
  EXPECT_TRUE(gone[0].starts_with("H1 ")) << gone[0];
  ASSERT_EQ(added.size(), 4u) << ::testing::PrintToString(added);
  EXPECT_TRUE(added[0].starts_with("C12 ")) << added[0];
  for (std::size_t k = 1; k < 4; ++k)
    EXPECT_TRUE(added[k].starts_with("H")) << added[k];
  EXPECT_EQ(without(plain, gone), without(ether, added));

  const ReadBack back(folder.path() / "ether.ins");
  const Vec3 o1 = back.at("O1"), c12 = back.at("C12"), c4 = back.at("C4");
  EXPECT_NEAR(model::length(c12 - o1), 1.42, 2e-4);
  for (std::size_t k = 1; k < 4; ++k) {
    const std::string label = added[k].substr(0, added[k].find(' '));
    SCOPED_TRACE(label);
    EXPECT_NEAR(model::length(back.at(label) - c12), 1.09, 2e-4);
    // The methyl sits on the O-C bond: tetrahedral about it.
    EXPECT_NEAR(angleDeg(o1, c12, back.at(label)), 109.47, 0.02);
  }
  // The new C stands on the line of the O1-H1 bond: both imports put O1 and C4 at the same
  // places, and C12 lies where H1 pointed.
  const ReadBack plainBack(folder.path() / "plain.ins");
  EXPECT_NEAR(model::length(plainBack.at("O1") - o1), 0, 1e-5);
  EXPECT_NEAR(model::length(plainBack.at("C4") - c4), 0, 1e-5);
  EXPECT_NEAR(angleDeg(plainBack.at("H1"), o1, c12), 0, 0.02);
  EXPECT_NEAR(angleDeg(c4, o1, c12), angleDeg(c4, o1, plainBack.at("H1")), 0.02);
}

TEST(LocateScript, ACf3GroupOnAPeakAddsFluorineToSfacAndUnit) {
  std::string output;
  const std::vector<std::string> plain =
      savedBy("open paraben.res\n\"Save *.ins\"\n", "paraben.ins", output);
  const TempFolder folder;
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples/paraben.res", folder.path() / "paraben.res");
  const Outcome outcome = runScript(folder,
                                    "open paraben.res\nwindow TForm28 Locate C4\npick Q1\n"
                                    "answer " +
                                        (dataFolder() / "groups" / "cf3.grp").string() +
                                        "\n"
                                        "window TForm28 CheckBox5\napply\n\"Save *.ins\"\n");
  ASSERT_EQ(outcome.status, 0) << outcome.out << outcome.err;
  const std::vector<std::string> saved = model::loadFileLines(folder.path() / "paraben.ins");
  const std::vector<std::string> gone = linesMissingIn(plain, saved);
  const std::vector<std::string> added = linesMissingIn(saved, plain);
  // SFAC and UNIT gain F, C12 and F1..F3 join the atom list, and the peaks after END are
  // those of the file without Q1, numbered on from 1.
  ASSERT_EQ(gone.size(), 12u) << ::testing::PrintToString(gone);
  ASSERT_EQ(added.size(), 15u) << ::testing::PrintToString(added);
  EXPECT_EQ(std::vector<std::string>(gone.begin(), gone.begin() + 2),
            (std::vector<std::string>{"SFAC C H O", "UNIT 36 40 12"}));
  EXPECT_EQ(std::vector<std::string>(added.begin(), added.begin() + 2),
            (std::vector<std::string>{"SFAC C H O F", "UNIT 36 40 12 1"}));
  EXPECT_TRUE(added[2].starts_with("C12   1 ")) << added[2];
  for (std::size_t k = 3; k < 6; ++k)
    EXPECT_TRUE(added[k].starts_with("F" + std::to_string(k - 2) + "    4 ")) << added[k];
  for (std::size_t q = 1; q < 10; ++q) {
    // Q(q+1) of the plain save is Q(q) now: the same line after the label.
    EXPECT_EQ(gone[2 + q].substr(5), added[5 + q].substr(5));
  }
  EXPECT_EQ(without(plain, gone), without(saved, added));

  const ReadBack back(folder.path() / "paraben.ins");
  for (const char* f : {"F1", "F2", "F3"})
    EXPECT_NEAR(model::length(back.at(f) - back.at("C12")), 1.33, 2e-4) << f;
  EXPECT_EQ(back.structure().elementCount, 4);
}

}  // namespace
}  // namespace tavo::testing
