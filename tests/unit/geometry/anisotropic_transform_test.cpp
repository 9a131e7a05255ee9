// Displacement parameters through symmetry operators, checked against rules a crystallographer
// can verify by hand (gemmi checks random cases in tests/oracle).
#include "geometry/anisotropic_transform.h"

#include <gtest/gtest.h>

#include <cmath>

#include "text/errors.h"

namespace tavo::geometry {
namespace {

model::CellParameters cellOf(double a, double b, double c, double alpha, double beta,
                             double gamma) {
  model::CellParameters cell;
  cell.a = a;
  cell.b = b;
  cell.c = c;
  cell.alpha = alpha;
  cell.beta = beta;
  cell.gamma = gamma;
  return cell;
}

void expectNear(const AnisotropicU& got, const AnisotropicU& want) {
  EXPECT_NEAR(got.u11, want.u11, 1e-12);
  EXPECT_NEAR(got.u22, want.u22, 1e-12);
  EXPECT_NEAR(got.u33, want.u33, 1e-12);
  EXPECT_NEAR(got.u23, want.u23, 1e-12);
  EXPECT_NEAR(got.u13, want.u13, 1e-12);
  EXPECT_NEAR(got.u12, want.u12, 1e-12);
}

TEST(AnisotropicTransform, OperatorsWhoseResultIsKnownByHand) {
  const model::CellParameters monoclinic = cellOf(10, 11, 12, 90, 100, 90);
  const model::CellParameters hexagonal = cellOf(7, 7, 9, 90, 90, 120);
  const AnisotropicU u{0.031, 0.042, 0.027, -0.003, 0.0105, 0.004};
  // On the threefold axis of a hexagonal cell SHELXL's constraints are U11 = U22 = 2 U12,
  // U13 = U23 = 0: such a U is its own image.
  const AnisotropicU onAxis{0.02, 0.02, 0.03, 0, 0, 0.01};
  struct Case {
    model::CellParameters cell;
    FractionalRotation r;
    AnisotropicU in, out;
    const char* why;
  };
  const Case cases[] = {
      {monoclinic, {1, 0, 0, 0, 1, 0, 0, 0, 1}, u, u, "identity"},
      {monoclinic, {-1, 0, 0, 0, -1, 0, 0, 0, -1}, u, u, "inversion leaves U alone"},
      {monoclinic,
       {-1, 0, 0, 0, 1, 0, 0, 0, -1},
       u,
       {0.031, 0.042, 0.027, 0.003, 0.0105, -0.004},
       "twofold along b: U12 and U23 change sign, U13 (two sign changes) does not"},
      {monoclinic,
       {1, 0, 0, 0, -1, 0, 0, 0, 1},
       u,
       {0.031, 0.042, 0.027, 0.003, 0.0105, -0.004},
       "mirror across b: the same as the twofold"},
      {cellOf(8, 8, 10, 90, 90, 90),
       {0, 1, 0, 1, 0, 0, 0, 0, -1},
       u,
       {0.042, 0.031, 0.027, -0.0105, 0.003, 0.004},
       "x<->y (-z) in a tetragonal cell swaps the indices 1 and 2: U11<->U22, U13<->-U23"},
      {hexagonal, {0, -1, 0, 1, -1, 0, 0, 0, 1}, onAxis, onAxis, "threefold keeps U on its axis"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    expectNear(transformAnisotropicU(c.cell, c.r, c.in), c.out);
  }
}

TEST(AnisotropicTransform, ThreeTurnsOfAThreefoldGiveTheOriginalBackInAHexagonalCell) {
  const model::CellParameters hexagonal = cellOf(7, 7, 9, 90, 90, 120);
  const FractionalRotation threefold = {0, -1, 0, 1, -1, 0, 0, 0, 1};
  const AnisotropicU u{0.031, 0.042, 0.027, -0.003, 0.0105, 0.004};
  AnisotropicU turned = transformAnisotropicU(hexagonal, threefold, u);
  EXPECT_GT(std::abs(turned.u11 - u.u11), 1e-3);  // a general U does change
  turned = transformAnisotropicU(hexagonal, threefold, turned);
  turned = transformAnisotropicU(hexagonal, threefold, turned);
  expectNear(turned, u);
}

TEST(AnisotropicTransform, ACellWithoutVolumeIsRefused) {
  EXPECT_THROW(transformAnisotropicU(cellOf(5, 5, 5, 60, 60, 150), {1, 0, 0, 0, 1, 0, 0, 0, 1},
                                     AnisotropicU{}),
               UserError);
}

}  // namespace
}  // namespace tavo::geometry
