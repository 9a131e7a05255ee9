// Field-by-field comparison of two structure models, for round trips through a saved file.
#pragma once

#include "model/structure_model.h"

namespace tavo::testing {

/// How closely decoded values must come back: written with six decimals; tied values follow free
/// variables that the FVAR card keeps to five decimals.
struct RoundTripTolerance {
  double plain = 1.000001e-6;
  double tied = 1.000001e-6;
  double freeVariableRelative = 0;
};

/// Atoms, H atoms (with their place in the list), riding groups, free variables and the cards of
/// the atom list of `again` equal those of `read`, values within `tolerance`.
void expectSameAtomList(const model::StructureModel& read, const model::StructureModel& again,
                        const RoundTripTolerance& tolerance);

}  // namespace tavo::testing
