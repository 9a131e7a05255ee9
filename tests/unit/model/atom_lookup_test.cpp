// The one lookup of an atom, H atom or peak by the label a user types: case and blanks ignored,
// LABEL_N for residue N, Qn for peak n, symmetry copies only where the caller allows them.
#include "model/atom_lookup.h"

#include <gtest/gtest.h>

#include <optional>

#include "reader_fixture.h"
#include "text/errors.h"

namespace tavo::testing {
namespace {

using model::AtomKind;
using model::AtomRef;
using model::LabelScope;

// C1 outside residues and again in residue 1; H1 after the atoms; two peaks.
constexpr const char* labelledIns = R"(TITL labelled
CELL 0.71073 10 11 12 90 100 90
ZERR 4 0.001 0.001 0.001 0 0.01 0
SFAC C H
UNIT 8 8
L.S. 4
FVAR 1.0
C1    1    0.100000    0.200000    0.300000    11.00000    0.05000
RESI TOL 1
C1    1    0.200000    0.200000    0.300000    11.00000    0.05000
AFIX 43
H1    2    0.220000    0.220000    0.320000    11.00000   -1.20000
AFIX 0
RESI 0
HKLF 4
END
Q1    1   0.5000  0.5000  0.5000  11.00000  0.05    1.20
Q2    1   0.6000  0.6000  0.6000  11.00000  0.05    0.80
)";

TEST(FindAtomByLabel, AtomsThenHAtomsThenPeaksByLabel) {
  auto r = readInsText(labelledIns);
  ASSERT_TRUE(r->loaded);
  model::StructureModel& s = r->s();
  ASSERT_EQ(s.nonHCount, 2);
  ASSERT_EQ(s.peakCount, 2);
  // A symmetry copy of C1 after the file's atoms, as an expansion appends it.
  s.atoms[3] = s.atoms[1];
  s.atoms[3].label = "C1*1";
  s.workingAtomCount = 3;

  struct Case {
    const char* label;
    LabelScope scope;
    std::optional<AtomRef> found;
    const char* why;
  };
  const LabelScope file = LabelScope::FileEntries;
  const LabelScope copies = LabelScope::WithCopies;
  const Case cases[] = {
      {"C1", file, AtomRef{AtomKind::Atom, 1}, "the first atom so labelled"},
      {" c1 ", file, AtomRef{AtomKind::Atom, 1}, "case and blanks ignored"},
      {"C1_1", file, AtomRef{AtomKind::Atom, 2}, "the C1 of residue 1"},
      {"C1_0", file, AtomRef{AtomKind::Atom, 1}, "residue 0: outside any residue"},
      {"C1_2", file, std::nullopt, "no residue 2"},
      {"h1", file, AtomRef{AtomKind::Hydrogen, 1}, "an H atom"},
      {"H1_1", file, AtomRef{AtomKind::Hydrogen, 1}, "an H atom in its residue"},
      {"Q1", file, AtomRef{AtomKind::Peak, 1}, "peak 1"},
      {"q2", file, AtomRef{AtomKind::Peak, 2}, "peak 2"},
      {"Q3", file, std::nullopt, "only two peaks"},
      {"Q0", file, std::nullopt, "peaks count from 1"},
      {"C1*1", file, std::nullopt, "a copy only where copies are asked for"},
      {"c1*1", copies, AtomRef{AtomKind::Atom, 3}, "the copy by its label"},
      {"C1", copies, AtomRef{AtomKind::Atom, 1}, "the file's atom before its copy"},
      {"N1", copies, std::nullopt, "no such label"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(model::findAtomByLabel(s, c.label, c.scope), c.found);
  }
  try {
    model::atomByLabel(s, "N1");
    ADD_FAILURE() << "an unknown label is refused";
  } catch (const UserError& e) {
    EXPECT_STREQ(e.what(), "no atom, H atom or peak is labelled N1");
  }
}

}  // namespace
}  // namespace tavo::testing
