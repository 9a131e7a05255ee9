#include "geometry/plane_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/cell_metrics.h"
#include "text/errors.h"
#include "unit/model/reader_fixture.h"

namespace tavo::geometry {
namespace {

using model::Vec3;

const std::vector<Vec3> tilted = {{3, 1, 2}, {5, 2, 2.5}, {1, 4, 3}, {6, 6, 1}, {2, 8, 3.3}};
const std::vector<Vec3> steep = {
    {0, 0, 0}, {3, 0.2, 3.1}, {0.1, 2, -0.2}, {2.9, 2.2, 3.05}, {1.5, 1, 1.4}};

// Reference values from an independent Gauss-Newton fit over (θ, φ, d) with the covariance
// σ²(JᵀJ)⁻¹ and numerically propagated esds (a short pure-Python program).
TEST(PlaneFit, AgreesWithAnIndependentLeastSquaresFit) {
  const PlaneFit plane = fitPlane(tilted);
  const double sign = plane.normal.z > 0 ? 1 : -1;
  EXPECT_NEAR(sign * plane.normal.x, 0.3449441205, 1e-8);
  EXPECT_NEAR(sign * plane.normal.y, -0.0282727359, 1e-8);
  EXPECT_NEAR(sign * plane.normal.z, 0.9381973173, 1e-8);
  EXPECT_NEAR(sign * plane.d, 3.2682101877, 1e-8);
  EXPECT_NEAR(plane.rms, 0.4523707358, 1e-8);
  const double deviations[] = {-0.3852559276, 0.7454582362, -0.2217650590, -0.4299845628,
                               0.2915473131};
  ASSERT_EQ(plane.deviations.size(), 5U);
  for (int k = 0; k < 5; ++k)
    EXPECT_NEAR(sign * plane.deviations[k].value, deviations[k], 1e-8);
  ASSERT_TRUE(plane.deviations[0].esd);
  EXPECT_NEAR(*plane.deviations[0].esd, 0.5203174019, 1e-5);
  const ValueEsd far = planeDistance(plane, {1, 2, 8});
  EXPECT_NEAR(sign * far.value, 4.5257669992, 1e-8);
  EXPECT_NEAR(*far.esd, 0.8252578859, 1e-5);

  const ValueEsd angle = dihedralAngle(plane, fitPlane(steep));
  EXPECT_NEAR(angle.value, 67.994566239, 1e-6);
  ASSERT_TRUE(angle.esd);
  EXPECT_NEAR(*angle.esd, 9.394594417, 1e-4);
}

TEST(PlaneFit, ThreeAtomsDefineThePlaneWithoutEsds) {
  const PlaneFit plane = fitPlane({{0, 0, 1}, {2, 0, 1}, {0, 3, 1}});
  EXPECT_NEAR(std::abs(plane.normal.z), 1, 1e-12);
  EXPECT_NEAR(plane.rms, 0, 1e-12);
  EXPECT_FALSE(plane.variance);
  EXPECT_FALSE(plane.deviations[0].esd);
  EXPECT_FALSE(planeDistance(plane, {5, 5, 5}).esd);
  EXPECT_FALSE(dihedralAngle(plane, fitPlane(tilted)).esd);
}

TEST(PlaneFit, PlanesContainingAnyAxisAndTheirDihedralAngles) {
  // A plane through the z direction: x = 1.
  const PlaneFit vertical = fitPlane({{1, 0, 0}, {1, 1, 0}, {1, 0, 1}, {1, 1, 1}});
  EXPECT_NEAR(std::abs(vertical.normal.x), 1, 1e-12);
  EXPECT_NEAR(std::abs(vertical.d), 1, 1e-12);
  ASSERT_TRUE(vertical.variance);
  EXPECT_NEAR(*vertical.variance, 0, 1e-20);
  // Normals (0,0,1) and (1,0,1), whichever way the second points.
  const PlaneFit flat = fitPlane({{0, 0, 0.5}, {1, 0, 0.5}, {0, 1, 0.5}, {1, 1, 0.5}});
  const PlaneFit slanted = fitPlane({{0, 0, 0}, {1, 0, -1}, {0, 1, 0}, {1, 1, -1}});
  EXPECT_NEAR(dihedralAngle(flat, slanted).value, 45, 1e-9);
  EXPECT_NEAR(dihedralAngle(slanted, flat).value, 45, 1e-9);
  EXPECT_NEAR(dihedralAngle(vertical, flat).value, 90, 1e-9);
  EXPECT_NEAR(dihedralAngle(flat, flat).value, 0, 1e-6);
}

TEST(PlaneFit, RefusesFewerThanThreeOrCollinearPositions) {
  const std::vector<std::vector<Vec3>> cases = {
      {},
      {{0, 0, 0}, {1, 1, 1}},
      {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3.5, 3.5, 3.5}},
      {{1, 2, 3}, {1, 2, 3}, {1, 2, 3}},
  };
  for (const auto& positions : cases) {
    try {
      fitPlane(positions);
      ADD_FAILURE() << positions.size() << " positions accepted";
    } catch (const UserError& error) {
      EXPECT_EQ(std::string(error.what()),
                positions.size() < 3 ? tooFewPlaneAtomsMessage : collinearPlaneAtomsMessage);
    }
  }
}

TEST(PlaneFit, OneOrientationForAnyOrderOfTheAtoms) {
  // The normal points away from the origin whichever order the atoms come in; a plane through
  // the origin has its largest normal component positive.
  std::vector<Vec3> reversed(tilted.rbegin(), tilted.rend());
  for (const auto& positions : {tilted, reversed}) {
    const PlaneFit plane = fitPlane(positions);
    EXPECT_GT(plane.d, 0);
    EXPECT_NEAR(plane.normal.z, 0.9381973173, 1e-8);
  }
  for (double sign : {1.0, -1.0}) {
    const PlaneFit through = fitPlane({{0, 0, 0}, {0, sign, 0}, {0, 0, sign}, {0, sign, sign}});
    EXPECT_NEAR(through.normal.x, 1, 1e-12);
    EXPECT_NEAR(through.d, 0, 1e-12);
  }
}

TEST(PlaneFit, ValuesWithEsdsInTheCrystallographicForm) {
  const struct {
    ValueEsd value;
    int plainDecimals;
    const char* text;
  } cases[] = {
      {{1.23456, 0.0005}, 4, "1.2346(5)"},
      {{1.23456, 0.0012}, 4, "1.2346(12)"},  // two digits below two units of the last place
      {{1.23456, 0.0019}, 4, "1.235(2)"},
      {{67.9946, 9.3946}, 2, "68(9)"},
      {{12.6, 35}, 2, "13(35)"},             // the esd larger than the value
      {{-0.00001, 0.0003}, 4, "0.0000(3)"},  // no "-0.0000"
      {{0.1, 1e-9}, 4, "0.100000(0)"},       // at most six decimals
      {{0.1, 0}, 4, "0.1000(0)"},
      {{0.1234, std::nullopt}, 4, "0.1234(undefined)"},
      {{-12.346, std::nullopt}, 2, "-12.35(undefined)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(valueWithEsd(c.value, c.plainDecimals), c.text) << c.value.value;
}

TEST(PlaneFit, ThePhenylRingOfTheExampleIsFlatInAngstroms) {
  std::ifstream in(std::filesystem::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res");
  std::stringstream text;
  text << in.rdbuf();
  auto read = testing::readInsText(text.str(), "paraben.res");
  ASSERT_TRUE(read->loaded);
  const auto& s = read->s();
  std::vector<Vec3> ring;
  for (const char* label : {"C1", "C2", "C3", "C4", "C5", "C6"}) {
    for (int i = 1; i <= s.nonHCount; ++i) {
      if (s.atoms[i].label == label) {
        ring.push_back(cartesianOf(s.cell, fractionalOf(s, {model::AtomKind::Atom, i})));
      }
    }
  }
  ASSERT_EQ(ring.size(), 6U);
  const PlaneFit plane = fitPlane(ring);
  EXPECT_LT(plane.rms, 0.02);
  for (const auto& deviation : plane.deviations)
    EXPECT_LT(std::abs(deviation.value), 0.03);
  // The ring is in Å: its atoms are about 1.39 Å from each other, so the fit is not in
  // fractional units.
  EXPECT_NEAR(model::length(ring[0] - ring[1]), 1.39, 0.05);
  // The ester carbon C7 bonded to C1 stays close to the ring plane.
  for (int i = 1; i <= s.nonHCount; ++i) {
    if (s.atoms[i].label != "C7") continue;
    const auto d =
        planeDistance(plane, cartesianOf(s.cell, fractionalOf(s, {model::AtomKind::Atom, i})));
    EXPECT_LT(std::abs(d.value), 0.15);
    ASSERT_TRUE(d.esd);
  }
}

}  // namespace
}  // namespace tavo::geometry
