// Sorting the atom tables: riding groups, free H atoms, cards and residues keep their meaning,
// cards whose meaning hangs on the order refuse, and the plain numbering stays within SHELXL's
// four characters.
#include "editing/atom_sort.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/instruction_writer.h"
#include "text/errors.h"
#include "unit/model/reader_fixture.h"

namespace tavo::editing {
namespace {

using model::AtomKind;
using testing::head;
using testing::readInsText;

// N1 is written before O1 and C2 before C1; C2 carries a riding group, O1 is followed by the
// free H atom H1, and a DFIX card stands between N1 and C2.
const std::string unsorted =
    "C2    1    0.200000    0.200000    0.300000    11.00000    0.05000\n"
    "AFIX 137\n"
    "H2A   2    0.210000    0.210000    0.300000    11.00000   -1.50000\n"
    "H2B   2    0.220000    0.210000    0.300000    11.00000   -1.50000\n"
    "H2C   2    0.230000    0.210000    0.300000    11.00000   -1.50000\n"
    "AFIX 0\n"
    "N1    3    0.400000    0.200000    0.300000    11.00000    0.05000\n"
    "DFIX 1.47 N1 C1\n"
    "C1    1    0.100000    0.200000    0.300000    11.00000    0.05000\n"
    "O1    4    0.300000    0.200000    0.300000    11.00000    0.05000\n"
    "H1    2    0.310000    0.250000    0.300000    11.00000    0.04000\n"
    "HKLF 4\nEND\n";

std::vector<std::string> atomListLines(const model::StructureModel& s) {
  // Atom lines by their label, cards whole.
  std::vector<std::string> lines = model::instructionFileLines(s);
  auto at = std::find_if(lines.begin(), lines.end(),
                         [](const std::string& l) { return l.starts_with("FVAR"); });
  std::vector<std::string> shown;
  for (++at; at != lines.end(); ++at) {
    const bool atom = at->find("0.") != std::string::npos;
    shown.push_back(atom ? at->substr(0, at->find(' ')) : *at);
  }
  return shown;
}

TEST(AtomSort, ReordersAtomsWithTheirRidingGroupsFreeHydrogensAndMap) {
  auto read = readInsText(head("FVAR 1.0", "DFIX 1.5 C2 O1\n") + unsorted);
  model::StructureModel& s = read->s();
  ASSERT_TRUE(read->loaded);
  s.selected[1][4] = 1;  // O1

  const std::vector<int> order = atomSortOrder(s);
  EXPECT_EQ(order, (std::vector<int>{4, 2, 3, 1})) << "O1, N1, C1, C2";
  checkOrderKeepsCards(s, AtomKind::Atom, order);
  const PurgeMap map = reorderAtoms(s, order);
  EXPECT_EQ(map.map({AtomKind::Atom, 4}), (model::AtomRef{AtomKind::Atom, 1}));
  EXPECT_EQ(map.map({AtomKind::Hydrogen, 2}), (model::AtomRef{AtomKind::Hydrogen, 2}));
  EXPECT_EQ(s.selected[1][1], 1) << "the flag goes with O1";
  EXPECT_EQ(s.selected[1][4], 0);

  // The DFIX card keeps its place in the list (before the third atom); H1 follows O1.
  EXPECT_EQ(atomListLines(s),
            (std::vector<std::string>{"O1", "H1", "N1", "DFIX 1.47 N1 C1", "C1", "C2", "AFIX 137",
                                      "H2A", "H2B", "H2C", "AFIX 0", "HKLF 4", "END"}));
}

TEST(AtomSort, HydrogenSortKeepsFreeHydrogensAfterTheirAtomAndGroupsWithTheirParent) {
  auto read = readInsText(head() +
                          "O1    4    0.3 0.2 0.3 11.0 0.05\n"
                          "H2    2    0.3 0.3 0.3 11.0 0.05\n"
                          "N1    3    0.4 0.2 0.3 11.0 0.05\n"
                          "H1    2    0.4 0.3 0.3 11.0 0.05\n"
                          "C1    1    0.1 0.2 0.3 11.0 0.05\n"
                          "AFIX 137\n"
                          "H1C   2    0.1 0.3 0.3 11.0 -1.5\n"
                          "H1A   2    0.1 0.3 0.4 11.0 -1.5\n"
                          "H1B   2    0.1 0.3 0.2 11.0 -1.5\n"
                          "AFIX 0\n"
                          "HKLF 4\nEND\n");
  model::StructureModel& s = read->s();
  ASSERT_TRUE(read->loaded);
  EXPECT_FALSE(onlyRidingHydrogens(s));
  const std::vector<int> order = hydrogenSortOrder(s);
  EXPECT_EQ(order, (std::vector<int>{2, 4, 5, 3, 1})) << "H1, H1A, H1B, H1C, H2";
  checkOrderKeepsCards(s, AtomKind::Hydrogen, order);
  reorderHydrogens(s, order);
  EXPECT_EQ(atomListLines(s),
            (std::vector<std::string>{"O1", "H2", "N1", "H1", "C1", "AFIX 137", "H1A", "H1B", "H1C",
                                      "AFIX 0", "HKLF 4", "END"}));
}

TEST(AtomSort, AtomsOfOneResidueStayTogether) {
  auto read = readInsText(head() +
                          "RESI 1 TOL\n"
                          "C2    1    0.2 0.2 0.3 11.0 0.05\n"
                          "C1    1    0.1 0.2 0.3 11.0 0.05\n"
                          "RESI 2 TOL\n"
                          "C2    1    0.2 0.4 0.3 11.0 0.05\n"
                          "O1    4    0.3 0.4 0.3 11.0 0.05\n"
                          "C1    1    0.1 0.4 0.3 11.0 0.05\n"
                          "HKLF 4\nEND\n");
  ASSERT_TRUE(read->loaded);
  EXPECT_EQ(atomSortOrder(read->s()), (std::vector<int>{2, 1, 4, 5, 3}));
}

TEST(AtomSort, CardsWhoseMeaningHangsOnTheOrderRefuse) {
  const std::string atoms =
      "C3    1    0.3 0.2 0.3 11.0 0.05\n"
      "O1    4    0.4 0.2 0.3 11.0 0.05\n"
      "C2    1    0.2 0.2 0.3 11.0 0.05\n"
      "C1    1    0.1 0.2 0.3 11.0 0.05\n";
  const struct {
    std::string extra, list, refusal;
  } cases[] = {
      {"RIGU C3 > C2\n", atoms,
       "The labels were not sorted: the card 'RIGU C3 > C2' names the atoms from C3 to C2 in the "
       "order of the file, and the new order would put other atoms between them. Write the "
       "atoms of the card out, then sort."},
      {"", "SAME C4 C5\n" + atoms,
       "The labels were not sorted: the card 'SAME C4 C5' applies to the atoms that follow it in "
       "the file, and a new order would change what it restrains. Sort such a file by hand."},
      {"", "AFIX 66\n" + atoms + "AFIX 0\n",
       "The labels were not sorted: the card 'AFIX 66' applies to the atoms that follow it in the "
       "file, and a new order would change what it restrains. Sort such a file by hand."},
  };
  for (const auto& c : cases) {
    auto read = readInsText(head("FVAR 1.0", c.extra) + c.list + "HKLF 4\nEND\n");
    ASSERT_TRUE(read->loaded) << c.extra << c.list;
    const std::vector<int> order = atomSortOrder(read->s());
    try {
      checkOrderKeepsCards(read->s(), AtomKind::Atom, order);
      ADD_FAILURE() << "accepted " << c.extra << c.list;
    } catch (const UserError& e) {
      EXPECT_EQ(std::string(e.what()), c.refusal);
    }
  }
  // A range that holds the same atoms in the new order is no obstacle.
  auto read = readInsText(head("FVAR 1.0", "RIGU C2 > C1\n") + atoms + "HKLF 4\nEND\n");
  EXPECT_NO_THROW(checkOrderKeepsCards(read->s(), AtomKind::Atom, atomSortOrder(read->s())));
}

TEST(AtomSort, SimplifiedLabelsAreElementAndPositionWithinFourCharacters) {
  auto read = readInsText(head() + unsorted);
  model::StructureModel& s = read->s();
  const std::vector<model::AtomRename> renames = simplifiedLabels(s, atomSortOrder(s));
  std::vector<std::string> labels;
  for (const model::AtomRename& r : renames)
    labels.push_back(s.atoms[r.atom.index].label + ">" + r.newLabel);
  EXPECT_EQ(labels, (std::vector<std::string>{"N1>N2", "C1>C3", "C2>C4"})) << "O1 keeps its label";

  std::string many = head();
  many.replace(many.find("SFAC C H N O\nUNIT 10 12 2 4"), 27,
               "SFAC C H N O CL\nUNIT 10 12 2 4 100");
  for (int i = 1; i <= 100; ++i)
    many += "Y" + std::to_string(i) + " 5 0.1 0.2 0.3 11.0 0.05\n";
  auto big = readInsText(many + "HKLF 4\nEND\n");
  ASSERT_TRUE(big->loaded);
  try {
    simplifiedLabels(big->s(), atomSortOrder(big->s()));
    ADD_FAILURE() << "N100 accepted";
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()),
              "The numbering was not simplified: Y100 would become CL100, longer than the four "
              "characters SHELXL reads.");
  }
}

}  // namespace
}  // namespace tavo::editing
