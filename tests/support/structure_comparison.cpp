// Field-by-field comparison of two structure models.
#include "support/structure_comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace tavo::testing {

namespace {

void expectSameValues(const double (&values)[][2], int count, const model::ParameterCodes& codes,
                      const RoundTripTolerance& tolerance) {
  for (int p = 0; p < count; ++p) {
    const double code = codes[static_cast<std::size_t>(p + 1)];
    EXPECT_NEAR(values[p][1], values[p][0], std::abs(code) >= 20 ? tolerance.tied : tolerance.plain)
        << "parameter " << p + 1;
  }
}

void expectSameAtoms(const model::StructureModel& s, const model::StructureModel& again,
                     const RoundTripTolerance& tolerance) {
  for (int i = 1; i <= s.nonHCount; ++i) {
    const model::Atom& a = s.atoms[i];
    const model::Atom& b = again.atoms[i];
    SCOPED_TRACE("atom " + a.label);
    EXPECT_EQ(b.label, a.label);
    EXPECT_EQ(b.sfac, a.sfac);
    EXPECT_EQ(b.aniso, a.aniso);
    EXPECT_EQ(b.codes, a.codes);
    EXPECT_EQ(b.part, a.part);
    EXPECT_EQ(b.partSof, a.partSof);
    EXPECT_EQ(b.residue, a.residue);
    EXPECT_EQ(b.afixGroup, a.afixGroup);
    EXPECT_EQ(b.comment, a.comment);
    const double values[][2] = {{a.x, b.x},     {a.y, b.y},     {a.z, b.z},     {a.sof, b.sof},
                                {a.u11, b.u11}, {a.u22, b.u22}, {a.u33, b.u33}, {a.u23, b.u23},
                                {a.u13, b.u13}, {a.u12, b.u12}};
    expectSameValues(values, 10, a.codes, tolerance);
  }
}

void expectSameHydrogens(const model::StructureModel& s, const model::StructureModel& again,
                         const RoundTripTolerance& tolerance) {
  for (int k = 1; k <= s.hCount; ++k) {
    const model::Hydrogen& a = s.hydrogens[k];
    const model::Hydrogen& b = again.hydrogens[k];
    SCOPED_TRACE("hydrogen " + a.label);
    EXPECT_EQ(b.label, a.label);
    EXPECT_EQ(b.sfac, a.sfac);
    EXPECT_EQ(b.codes, a.codes);
    EXPECT_EQ(b.part, a.part);
    EXPECT_EQ(b.partSof, a.partSof);
    EXPECT_EQ(b.residue, a.residue);
    EXPECT_EQ(b.afixGroup, a.afixGroup);
    EXPECT_EQ(b.comment, a.comment);
    if (a.afixGroup == 0) {
      EXPECT_EQ(b.afterAtom, a.afterAtom) << "a free H keeps its place";
    }
    const double values[][2] = {
        {a.x, b.x}, {a.y, b.y}, {a.z, b.z}, {a.sof, b.sof}, {a.uiso, b.uiso}};
    expectSameValues(values, 5, a.codes, tolerance);
  }
}

}  // namespace

void expectSameAtomList(const model::StructureModel& s, const model::StructureModel& again,
                        const RoundTripTolerance& tolerance) {
  ASSERT_EQ(again.nonHCount, s.nonHCount);
  ASSERT_EQ(again.hCount, s.hCount);
  expectSameAtoms(s, again, tolerance);
  expectSameHydrogens(s, again, tolerance);
  ASSERT_EQ(again.ridingGroupCount, s.ridingGroupCount);
  for (int g = 1; g <= s.ridingGroupCount; ++g) {
    EXPECT_EQ(again.ridingGroups[g].afixText, s.ridingGroups[g].afixText);
    EXPECT_EQ(again.ridingGroups[g].closingLine.empty(), s.ridingGroups[g].closingLine.empty());
  }
  ASSERT_EQ(again.fvarCount, s.fvarCount);
  for (int i = 1; i <= s.fvarCount; ++i) {
    EXPECT_NEAR(again.fvar[i], s.fvar[i],
                tolerance.freeVariableRelative * std::max(1.0, std::abs(s.fvar[i])));
  }
  ASSERT_EQ(again.atomListCards.size(), s.atomListCards.size());
  for (std::size_t c = 0; c < s.atomListCards.size(); ++c) {
    SCOPED_TRACE(s.atomListCards[c].lines.front());
    EXPECT_EQ(again.atomListCards[c].lines, s.atomListCards[c].lines);
    EXPECT_EQ(again.atomListCards[c].before, s.atomListCards[c].before);
  }
}

}  // namespace tavo::testing
