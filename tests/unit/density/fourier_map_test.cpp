// Difference maps and their peaks on a structure of our own: data calculated from the full
// model, a model with one atom left out.
#include <gtest/gtest.h>

#include <cmath>

#include "density/fourier_map.h"
#include "support/program_folder.h"

namespace tavo::density {
namespace {

namespace fs = std::filesystem;

struct Paraben {
  Paraben() {
    const testing::TempFolder work;
    const fs::path file = testing::copyExample(work);
    testing::FakeDialogs dialogs;
    EXPECT_TRUE(testing::openWithSettings(structure, file, program.path(), dialogs));
    cards = readRefinementCards(structure);
    full = scatteringModel(structure, cards);
  }
  /// Fo² = |Fc|² of the full model to 0.8 Å, σ 1 % (+0.1).
  std::vector<Reflection> data() const {
    const StructureFactorCalculator calculator(full);
    std::vector<Reflection> rows;
    for (int h = -13; h <= 13; ++h)
      for (int k = 0; k <= 8; ++k)
        for (int l = 0; l <= 19; ++l) {
          const Miller m{h, k, l};
          if (m == Miller{} || calculator.metric().stol2(m) > 1 / (4 * 0.8 * 0.8)) continue;
          const double fo2 = std::norm(calculator(m)) * cards.overallScale * cards.overallScale;
          rows.push_back({m, fo2, 0.01 * fo2 + 0.1, 0});
        }
    return rows;
  }
  testing::ProgramFolder program;
  model::StructureModel structure;
  RefinementCards cards;
  ScatteringModel full;
};

Agreement compare(const ScatteringModel& model, const std::vector<Reflection>& data,
                  const RefinementCards& cards) {
  const StructureFactorCalculator calculator(model);
  return computeAgreement(calculator, mergeReflections(data, cards, calculator.metric()), cards, 1);
}

TEST(DifferenceMap, TheLeftOutAtomIsTheHighestPeak) {
  const Paraben paraben;
  const std::vector<Reflection> data = paraben.data();
  EXPECT_LT(compare(paraben.full, data, paraben.cards).r1All, 1e-6);

  ScatteringModel partial = paraben.full;
  const auto missing = std::find_if(partial.sites.begin(), partial.sites.end(),
                                    [](const auto& s) { return s.label == "O1"; });
  ASSERT_NE(missing, partial.sites.end());
  const geometry::Fractional where = missing->position;
  partial.sites.erase(missing);
  const Agreement agreement = compare(partial, data, paraben.cards);
  EXPECT_GT(agreement.r1All, 0.02);

  const DensityMap map = fourierMap(mapCoefficients(agreement, MapType::FoMinusFc),
                                    paraben.cards.operators, partial.cell, MapType::FoMinusFc);
  EXPECT_LE(partial.cell[0] / map.nu, 0.3);
  EXPECT_LE(partial.cell[2] / map.nw, 0.3);
  EXPECT_GT(map.max, 5 * map.rms);
  const std::vector<MapPeak> peaks = searchPeaks(map, partial, 5);
  ASSERT_FALSE(peaks.empty());
  // An oxygen atom's worth of density (about 8 e spread over ~1 Å³) where O1 was.
  EXPECT_LT(fractionalDistance(partial.cell, peaks[0].position, where), 0.1);
  EXPECT_GT(peaks[0].height, 3.0);
  EXPECT_GT(peaks[0].height, 3 * peaks[1].height);
  const std::vector<MapPeak> holes = searchPeaks(map, partial, 3, true);
  ASSERT_FALSE(holes.empty());
  EXPECT_LT(holes[0].height, 0);
  EXPECT_GT(holes[0].height, -peaks[0].height / 2);
}

TEST(DifferenceMap, PeaksAreSymmetryUniqueAndBesideTheirNearestAtom) {
  const Paraben paraben;
  ScatteringModel partial = paraben.full;
  partial.sites.erase(std::find_if(partial.sites.begin(), partial.sites.end(),
                                   [](const auto& s) { return s.label == "O1"; }));
  const Agreement agreement = compare(partial, paraben.data(), paraben.cards);
  const DensityMap map = fourierMap(mapCoefficients(agreement, MapType::FoMinusFc),
                                    paraben.cards.operators, partial.cell, MapType::FoMinusFc);
  const std::vector<MapPeak> peaks = searchPeaks(map, partial, 10);
  for (std::size_t i = 0; i < peaks.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j)
      EXPECT_GT(fractionalDistance(partial.cell, peaks[i].position, peaks[j].position), 0.29);
    if (i > 0) {
      EXPECT_LE(peaks[i].height, peaks[i - 1].height);
    }
    // The reported distance is the one to the named atom from the reported position.
    const auto atom = std::find_if(partial.sites.begin(), partial.sites.end(),
                                   [&](const auto& s) { return s.label == peaks[i].nearest; });
    ASSERT_NE(atom, partial.sites.end());
    EXPECT_NEAR(fractionalDistance(partial.cell, peaks[i].position, atom->position),
                peaks[i].distance, 1e-9);
  }
  // The full model leaves a flat map: no peak above 0.1 e/Å³ per electron of O.
  const DensityMap flat = fourierMap(
      mapCoefficients(compare(paraben.full, paraben.data(), paraben.cards), MapType::FoMinusFc),
      paraben.cards.operators, partial.cell, MapType::FoMinusFc);
  EXPECT_LT(flat.max, 0.05);
}

}  // namespace
}  // namespace tavo::density
