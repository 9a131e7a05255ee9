// Structure factors, merging and agreement against the refinement program's own results.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "density/agreement.h"
#include "density/fourier_map.h"
#include "density/reflection_file.h"
#include "support/program_folder.h"

namespace tavo::density {
namespace {

namespace fs = std::filesystem;
using testing::corpusFolder;

std::vector<Reflection> plainHkl(const fs::path& file) {
  std::ifstream in(file);
  std::vector<Reflection> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() < 28) continue;
    Reflection r{
        {std::stoi(line.substr(0, 4)), std::stoi(line.substr(4, 4)), std::stoi(line.substr(8, 4))},
        std::stod(line.substr(12, 8)),
        std::stod(line.substr(20, 8)),
        0};
    if (r.hkl == Miller{}) break;
    rows.push_back(r);
  }
  return rows;
}

std::map<Miller, std::array<double, 3>> plainFcf4(const fs::path& file) {
  std::ifstream in(file);
  std::map<Miller, std::array<double, 3>> rows;
  std::string line;
  bool data = false;
  while (std::getline(in, line)) {
    if (line.find("_refln_observed_status") != std::string::npos) {
      data = true;
      continue;
    }
    if (!data) continue;
    std::istringstream words(line);
    Miller m;
    std::array<double, 3> v{};
    if (words >> m.h >> m.k >> m.l >> v[0] >> v[1] >> v[2]) rows[m] = v;
  }
  return rows;
}

TEST(CorpusAgreement, FcAndRFactorsMatchTheRefinementProgram) {
  const fs::path corpus = corpusFolder();
  if (corpus.empty()) GTEST_SKIP() << "no corpus";
  const testing::ProgramFolder program;
  const testing::TempFolder work;
  const fs::path res = work.path() / "dom1.res";
  fs::copy_file(corpus / "shelxl/logbooker_dom1_mC.res", res);
  model::StructureModel s;
  testing::FakeDialogs dialogs;
  ASSERT_TRUE(testing::openWithSettings(s, res, program.path(), dialogs));
  const auto data = plainHkl(corpus / "hkl/logbooker_dom1_mC.hkl");
  const auto fcf = plainFcf4(corpus / "fcf/logbooker_dom1_mC.fcf");
  const Agreement a = agreementOf(s, data);
  const ReflectionSymmetry symmetry(readRefinementCards(s).operators, true);
  std::map<Miller, std::array<double, 3>> canonicalFcf;
  for (const auto& [m, v] : fcf)
    canonicalFcf[symmetry.canonical(m)] = v;
  EXPECT_EQ(a.reflections, static_cast<int>(fcf.size()));
  // Our Fc against the program's own, merged Fo² and σ against its merging (the σ of three
  // or more equivalents comes out up to 20 % apart from its).
  double fcDifference = 0, fcSum = 0;
  int matched = 0;
  for (const ReflectionFit& f : a.fits) {
    const auto it = canonicalFcf.find(f.hkl);
    if (it == canonicalFcf.end()) continue;
    ++matched;
    const auto [fc2, fo2, sigma] = it->second;
    fcDifference += std::abs(std::sqrt(f.fc2) - std::sqrt(fc2));
    fcSum += std::sqrt(fc2);
    EXPECT_NEAR(f.fo2, fo2, 0.01 * std::abs(fo2) + 0.05)
        << f.hkl.h << " " << f.hkl.k << " " << f.hkl.l;
    EXPECT_NEAR(f.sigma, sigma, 0.2 * sigma + 0.05) << f.hkl.h << " " << f.hkl.k << " " << f.hkl.l;
  }
  EXPECT_EQ(matched, a.reflections);
  EXPECT_LT(fcDifference / fcSum, 0.001);
  // The listing says: R1 = 0.1629 for 285 Fo > 4sig(Fo) and 0.1818 for all 353 data,
  // wR2 = 0.4568, GooF = 1.916, 35 parameters, 7 of 454 reflections rejected.
  EXPECT_NEAR(a.r1Gt, 0.1629, 0.0005);
  EXPECT_EQ(a.reflectionsGt, 285);
  EXPECT_NEAR(a.r1All, 0.1818, 0.0005);
  EXPECT_NEAR(a.wR2, 0.4568, 0.001);
  EXPECT_NEAR(a.goof, 1.916, 0.002);
  EXPECT_EQ(a.parameters, 35);
  EXPECT_EQ(a.merge.read, 454);
  EXPECT_EQ(a.merge.rejected, 7);

  // Its Fo−Fc synthesis: highest peak 3.85, deepest hole −3.70; the first four Q peaks of the
  // .res are among our eight highest.
  const RefinementCards cards = readRefinementCards(s);
  const ScatteringModel model = scatteringModel(s, cards);
  const DensityMap map = fourierMap(mapCoefficients(a, MapType::FoMinusFc), cards.operators,
                                    model.cell, MapType::FoMinusFc);
  const std::vector<MapPeak> peaks = searchPeaks(map, model, 8);
  const std::vector<MapPeak> holes = searchPeaks(map, model, 1, true);
  ASSERT_EQ(peaks.size(), 8u);
  ASSERT_EQ(holes.size(), 1u);
  // Our heights come out about 12 % above the program's (a finer interpolation of its map?).
  EXPECT_NEAR(peaks[0].height, 3.85, 0.6);
  EXPECT_NEAR(holes[0].height, -3.70, 0.7);
  for (const MapPeak& p : peaks)
    EXPECT_GE(p.distance, 0.5) << p.nearest;
  for (int q = 1; q <= 4; ++q) {
    const model::Peak& expected = s.peaks[q];
    double best = 1e9;
    for (const MapPeak& p : peaks)
      best =
          std::min(best, symmetryDistance(model, p.position, {expected.x, expected.y, expected.z}));
    EXPECT_LT(best, 0.35) << "Q" << q;
  }
}

/// The value of `tag` in a CIF's text (its first occurrence), or -1.
double cifNumber(const fs::path& cif, const std::string& tag) {
  std::ifstream in(cif);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string word;
    double value = -1;
    if (words >> word && word == tag && words >> value) return value;
  }
  return -1;
}

TEST(CorpusAgreement, TheEmbeddedResAndHklGiveTheRFactorsTheirCifReports) {
  const fs::path corpus = corpusFolder();
  if (corpus.empty()) GTEST_SKIP() << "no corpus";
  const testing::ProgramFolder program;
  for (const char* name : {"cod_2240189_R-3c.cif", "gemmi_4003024_Pm-3m.cif",
                           "logbooker_dom1_mC.cif", "xharpy_L-Ala_iam.cif"}) {
    SCOPED_TRACE(name);
    const fs::path cif = corpus / "cif_shelxl" / name;
    const EmbeddedShelxFiles embedded = findEmbeddedShelxFiles(cif);
    ASSERT_TRUE(embedded.res && embedded.hkl);
    const testing::TempFolder work;
    const fs::path res = work.write("embedded.res", *embedded.res);
    model::StructureModel s;
    testing::FakeDialogs dialogs;
    ASSERT_TRUE(testing::openWithSettings(s, res, program.path(), dialogs));
    const Agreement a =
        agreementOf(s, parseHklText(*embedded.hkl, parseHklfCard(s.hklfLine), name));
    EXPECT_NEAR(a.r1Gt, cifNumber(cif, "_refine_ls_R_factor_gt"), 0.005);
    EXPECT_NEAR(a.r1All, cifNumber(cif, "_refine_ls_R_factor_all"), 0.005);
    EXPECT_NEAR(a.wR2, cifNumber(cif, "_refine_ls_wR_factor_ref"), 0.01);
  }
}

}  // namespace
}  // namespace tavo::density
