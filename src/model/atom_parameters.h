// The refinable parameters of an atom line addressed by number, as their free-variable codes are.
#pragma once

#include <cassert>

#include "model/structure_model.h"

namespace tavo::model {

/// Parameter `p` of `atom`: 1 x, 2 y, 3 z, 4 sof, 5 U11 (Uiso when isotropic), 6 U22, 7 U33,
/// 8 U23, 9 U13, 10 U12 — the order of the atom line and of Atom::codes.
inline double& atomParameter(Atom& atom, int p) {
  assert(p >= X && p <= U12);
  double* const fields[] = {&atom.x,   &atom.y,   &atom.z,   &atom.sof, &atom.u11,
                            &atom.u22, &atom.u33, &atom.u23, &atom.u13, &atom.u12};
  return *fields[p - 1];
}
inline double atomParameter(const Atom& atom, int p) {
  return atomParameter(const_cast<Atom&>(atom), p);
}

/// Parameter `p` of an H atom: 1 x, 2 y, 3 z, 4 sof, 5 Uiso.
inline double& hydrogenParameter(Hydrogen& hydrogen, int p) {
  assert(p >= X && p <= U11);
  double* const fields[] = {&hydrogen.x, &hydrogen.y, &hydrogen.z, &hydrogen.sof, &hydrogen.uiso};
  return *fields[p - 1];
}

}  // namespace tavo::model
