// Tests of the label rules for a new atom name and of renaming atoms with their cards.
#include "model/atom_labels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/card_relabel.h"
#include "model/instruction_writer.h"
#include "support/temp_folder.h"
#include "text/errors.h"
#include "text/text.h"
#include "unit/model/reader_fixture.h"
#include "unit/model/residues_fixture.h"

namespace tavo::model {
namespace {

using Lines = std::vector<std::string>;
using testing::residuesIns;
using testing::tol;

TEST(CheckNewLabel, SHELXLsRulesForANewLabel) {
  auto read = testing::readInsText(residuesIns);
  ASSERT_TRUE(read->loaded);
  const StructureModel& s = read->s();
  const AtomRef c1OfResidue1{AtomKind::Atom, 3};
  ASSERT_EQ(s.atoms[3].label, "C1");
  struct Case {
    const char* label;
    Residue residue;
    AtomRef except;
    const char* message;  // "" when accepted
  };
  const Case cases[] = {
      {"C12", tol(1), {}, ""},
      {"C1", tol(1), c1OfResidue1, ""},  // its own label
      {"C2", tol(2), c1OfResidue1,
       "The label 'C2' is already used in residue TOL 2 (labels are "
       "compared without regard to case, among non-H and H atoms "
       "alike)."},
      {"c2",
       Residue{},
       {},
       "The label 'c2' is already used outside any residue (labels are "
       "compared without regard to case, among non-H and H atoms alike)."},
      {"h2",
       tol(1),
       {},
       "The label 'h2' is already used in residue TOL 1 (labels are compared "
       "without regard to case, among non-H and H atoms alike)."},
      {"H2", tol(2), {}, ""},
      {"C1227",
       tol(1),
       {},
       "The label 'C1227' is longer than four characters, the most SHELXL "
       "reads of an atom name."},
      {"1C",
       tol(1),
       {},
       "The label '1C' cannot name an atom: a label begins with a letter and "
       "holds no blank, '_', '!' or '='."},
      {"C1_2",
       tol(1),
       {},
       "The label 'C1_2' cannot name an atom: a label begins with a letter "
       "and holds no blank, '_', '!' or '='."},
      {"PART",
       tol(1),
       {},
       "The label 'PART' is the name of a SHELXL instruction and cannot name "
       "an atom."},
      {"", tol(1), {}, "An atom needs a label: the new label is empty."},
      {"Q12",
       tol(1),
       {},
       "The label 'Q12' is the name of a difference-map peak (Q and a number) "
       "and cannot name an atom."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    try {
      checkNewLabel(s, c.label, c.residue, c.except);
      EXPECT_STREQ(c.message, "");
    } catch (const UserError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

TEST(RenameAtoms, SwapsWorkAndARefusalChangesNothing) {
  auto read = testing::readInsText(residuesIns);
  ASSERT_TRUE(read->loaded);
  StructureModel& s = read->s();
  renameAtoms(s, {{{AtomKind::Atom, 3}, "C2"}, {{AtomKind::Atom, 4}, "C1"}});
  EXPECT_EQ(s.atoms[3].label, "C2");
  EXPECT_EQ(s.atoms[4].label, "C1");
  EXPECT_EQ(s.instructionLines[5], "SADI_TOL C2 C1");
  EXPECT_EQ(s.instructionLines[6], "DFIX 1.5 C1 C2");

  const Lines before = instructionFileLines(s);
  EXPECT_THROW(renameAtoms(s, {{{AtomKind::Atom, 3}, "C7"}, {{AtomKind::Atom, 4}, "c7"}}),
               UserError);
  EXPECT_THROW(renameAtoms(s, {{{AtomKind::Atom, 3}, "C7"}, {{AtomKind::Atom, 4}, "H2"}}),
               UserError);
  EXPECT_EQ(instructionFileLines(s), before);
}

/// Renames the first atom that a card names to a free label of the same length, checks that
/// every card follows, and renames it back: the file written is then the original one.
void renameThereAndBack(const std::filesystem::path& source) {
  const testing::TempFolder folder;  // the reader may write beside the file it reads
  const auto file = folder.path() / source.filename();
  std::filesystem::copy_file(source, file);
  StructureModel s;
  testing::FakeDialogs dialogs;
  ASSERT_TRUE(
      loadInstructionFile(s, file, testing::shippedDefinitions(), dialogs, noTitlAtOpenMessage));
  const Lines original = instructionFileLines(s);
  std::optional<AtomRef> named;
  for (int i = 1; i <= s.nonHCount && !named; ++i) {
    if (!cardsNaming(s, s.atoms[i].label, s.atoms[i].residue).empty())
      named = AtomRef{AtomKind::Atom, i};
  }
  ASSERT_TRUE(named) << "no card names an atom";
  const std::string old = text::trimLine(s.atoms[named->index].label);
  const Residue residue = s.atoms[named->index].residue;
  const Lines cards = cardsNaming(s, old, residue);
  std::string fresh;
  for (char c = 'Z'; c >= 'J' && fresh.empty(); --c) {
    const std::string candidate = std::string(1, c) + old.substr(1);
    try {
      checkNewLabel(s, candidate, residue);
      fresh = candidate;
    } catch (const UserError&) {
    }
  }
  SCOPED_TRACE(old + " -> " + fresh);
  ASSERT_FALSE(fresh.empty());
  EXPECT_GE(renameAtoms(s, {{*named, fresh}}), static_cast<int>(cards.size()));
  EXPECT_EQ(cardsNaming(s, old, residue), Lines{});
  EXPECT_EQ(cardsNaming(s, fresh, residue).size(), cards.size());
  renameAtoms(s, {{*named, old}});
  EXPECT_EQ(instructionFileLines(s), original);
}

TEST(RenameAtoms, RealFilesFollowEveryCardThereAndBack) {
  renameThereAndBack(testing::dataFolder().parent_path() / "tests" / "data" / "shelxl" /
                     "resi_restraints.ins");
  const auto corpus = testing::corpusFolder();
  if (corpus.empty()) GTEST_SKIP() << "no corpus";
  for (const char* name : {"dsr_Pbcn_part-1_resi-erg.res", "shelxfile_p21c_cf3_disorder.res",
                           "dsr_P-1_restraints_in_atoms-erg.res"}) {
    SCOPED_TRACE(name);
    renameThereAndBack(corpus / "shelxl" / name);
  }
}

}  // namespace
}  // namespace tavo::model
