// Residues: RESI cards read into every atom, duplicate labels counted within a residue, residues
// kept through a save, and the lookups by label and residue.
#include "model/residue.h"

#include <gtest/gtest.h>

#include "model/atom_lookup.h"
#include "model/instruction_writer.h"
#include "reader_fixture.h"
#include "text/text.h"

namespace tavo::testing {
namespace {

using model::AtomKind;
using model::AtomRef;
using model::Residue;

TEST(ResiCard, ClassAndNumberInEitherOrderThenTheAlias) {
  struct Case {
    const char* line;
    Residue residue;
    const char* why;
  };
  const Case cases[] = {
      {"RESI 1 TOL", {"TOL", 1, "", ""}, "number first"},
      {"RESI CCF3 4", {"CCF3", 4, "", ""}, "class first"},
      {"resi tol 2 T2", {"tol", 2, "T2", ""}, "lower case, with an alias"},
      {"RESI\tMECN 10", {"MECN", 10, "", ""}, "a tab separates like a blank"},
      {"RESI PYR A:12", {"PYR", 12, "", "A"}, "a chain before the number"},
      {"RESI 0", {}, "residue 0 ends a residue"},
      {"RESI", {}, "no number is residue 0"},
      {"RESI TOL", {"TOL", 0, "", ""}, "a class without a number is still residue 0"},
      {"RESI 3 CF3 ! the third one", {"CF3", 3, "", ""}, "a comment is no alias"},
      {"RESI -1 Q-Peak", {"Q-Peak", -1, "", ""}, "another program's residue of peaks"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(model::parseResiCard(c.line), c.residue);
  }
  EXPECT_EQ(model::parseResiCard("REM RESI 1 TOL"), std::nullopt);
  EXPECT_EQ(model::parseResiCard("RESIX 1"), std::nullopt);
  EXPECT_EQ(model::resiCard({"TOL", 1, "", ""}), "RESI TOL 1");
  EXPECT_EQ(model::resiCard({"PYR", 12, "P", "A"}), "RESI PYR A:12 P");
  EXPECT_EQ(model::resiCard({}), "RESI 0");
}

// Two toluene residues with the same labels, a riding H in each, and atoms outside any residue.
const std::string twoResidues = head() +
                                "O1 4 0.1 0.2 0.3 11 0.05\n"
                                "RESI TOL 1\n"
                                "C1 1 0.2 0.2 0.3 11 0.05\n"
                                "AFIX 43\n"
                                "H1 2 0.2 0.3 0.3 11 -1.2\n"
                                "AFIX 0\n"
                                "C2 1 0.3 0.2 0.3 11 0.05\n"
                                "RESI 2 TOL\n"
                                "C1 1 0.4 0.2 0.3 11 0.05\n"
                                "AFIX 43\n"
                                "H1 2 0.4 0.3 0.3 11 -1.2\n"
                                "AFIX 0\n"
                                "C2 1 0.5 0.2 0.3 11 0.05\n"
                                "RESI 0\n"
                                "N1 3 0.6 0.2 0.3 11 0.05\n"
                                "HKLF 4\nEND\n";

TEST(Residues, EveryAtomTakesTheResidueInForceAndLabelsRepeatOnlyAcrossResidues) {
  auto r = readInsText(twoResidues);
  ASSERT_TRUE(r->loaded);
  EXPECT_TRUE(r->dialogs.shown.empty()) << r->dialogs.shown.front();
  const auto& s = r->s();
  ASSERT_EQ(s.nonHCount, 6);
  const int numbers[] = {0, 0, 1, 1, 2, 2, 0};  // by AtomTable index
  for (int i = 1; i <= s.nonHCount; ++i) {
    SCOPED_TRACE(s.atoms[i].label);
    EXPECT_EQ(model::residueNumberOf(s, {AtomKind::Atom, i}), numbers[i]);
  }
  EXPECT_EQ(s.atoms[3].residue, (Residue{"TOL", 1, "", ""}));
  EXPECT_EQ(s.hydrogens[1].residue.number, 1) << "a riding H takes the residue of its block";
  EXPECT_EQ(s.hydrogens[2].residue.number, 2);

  EXPECT_EQ(model::findAtomInResidue(s, "c1 ", 2), (AtomRef{AtomKind::Atom, 4}));
  EXPECT_EQ(model::findAtomInResidue(s, "H1", 1), (AtomRef{AtomKind::Hydrogen, 1}));
  EXPECT_EQ(model::findAtomInResidue(s, "N1", 0), (AtomRef{AtomKind::Atom, 6}));
  EXPECT_EQ(model::findAtomInResidue(s, "C1", 0), std::nullopt);
  EXPECT_EQ(model::residueNumberOf(s, {AtomKind::Peak, 1}), 0);
}

TEST(Residues, ADuplicateWithinOneResidueIsStillReported) {
  struct Case {
    std::string from, to;
    const char* why;
  };
  const Case cases[] = {
      {"C2 1 0.5", "C1 1 0.5", "C1 twice in residue 2"},
      {"N1 3 0.6", "O1 4 0.6", "O1 twice outside any residue: residue 0 is one residue"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    std::string content = twoResidues;
    content.replace(content.find(c.from), c.from.size(), c.to);
    auto r = readInsText(content);
    ASSERT_TRUE(r->loaded);
    EXPECT_EQ(r->dialogs.shown,
              std::vector<std::string>{"1 duplicated atom labels exist!  Check them by F10!"});
    EXPECT_EQ(r->s().workingGrid.row(1),
              (std::vector<std::string>{text::upper(c.to.substr(0, 2)), "Duplicated"}));
  }
}

TEST(Residues, ASaveKeepsTheResiCardsAndEveryAtomsResidue) {
  const TempFolder folder;
  auto r = readIn(folder, twoResidues);
  ASSERT_TRUE(r->loaded);
  model::StructureModel& s = r->s();
  const std::vector<std::string> lines = model::instructionFileLines(s);
  const auto at = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
  };
  EXPECT_LT(at("RESI TOL 1"),
            at("C1    1    0.200000    0.200000    0.300000    11.000000    0.050000"));
  EXPECT_LT(at("RESI 2 TOL"),
            at("C1    1    0.400000    0.200000    0.300000    11.000000    0.050000"));
  EXPECT_LT(at("RESI 0"),
            at("N1    3    0.600000    0.200000    0.300000    11.000000    0.050000"));
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return model::isResiCard(l); }),
            3);

  // An edit moves the last atom into residue 1: the writer opens that residue for it.
  s.atoms[6].residue = s.atoms[3].residue;
  FakeClock clock;
  const auto saved = model::saveInstructionFile(s, clock, r->dialogs);
  model::StructureModel again;
  FakeDialogs dialogs;
  ASSERT_TRUE(model::loadInstructionFile(again, saved, shippedDefinitions(), dialogs, ""));
  EXPECT_TRUE(dialogs.shown.empty());
  ASSERT_EQ(again.nonHCount, s.nonHCount);
  for (int i = 1; i <= s.nonHCount; ++i) {
    SCOPED_TRACE(s.atoms[i].label);
    EXPECT_EQ(again.atoms[i].residue, s.atoms[i].residue);
  }
  for (int i = 1; i <= s.hCount; ++i)
    EXPECT_EQ(again.hydrogens[i].residue, s.hydrogens[i].residue);
}

}  // namespace
}  // namespace tavo::testing
