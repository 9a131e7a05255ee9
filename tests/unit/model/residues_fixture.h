// A small structure with residues and cards about them, for the tests of names in cards.
#pragma once

#include "model/residue.h"

namespace tavo::testing {

/// Atoms C1 and C2 outside residues, in residue 1 and in residue 2 (both of class TOL), cards
/// about each and one card line that names all of them.
inline const char* const residuesIns = R"(TITL residues
CELL 0.71073 10 11 12 90 100 90
ZERR 4 0.001 0.001 0.001 0 0.01 0
SFAC C H
UNIT 8 8
SADI_TOL C1 C2
DFIX 1.5 C1 C2
L.S. 4
FVAR 1.0
C1    1    0.100000    0.200000    0.300000    11.00000    0.05000
C2    1    0.110000    0.210000    0.310000    11.00000    0.05000
RESI TOL 1
C1    1    0.200000    0.200000    0.300000    11.00000    0.05000
C2    1    0.210000    0.210000    0.310000    11.00000    0.05000
AFIX 43
H2    2    0.220000    0.220000    0.320000    11.00000   -1.20000
AFIX 0
FLAT C1 C2 C1_+
RESI TOL 2
C1    1    0.300000    0.200000    0.300000    11.00000    0.05000
C2    1    0.310000    0.210000    0.310000    11.00000    0.05000
RESI 0
DFIX 2.5 C1 C1_1 C1_2 C1_TOL
HKLF 4
END
)";

inline model::Residue tol(int number) {
  return {"TOL", number, "", ""};
}

}  // namespace tavo::testing
