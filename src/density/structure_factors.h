// Structure factors of the model as the refinement program computes them: tabulated (or the
// file's own) scattering factors with anomalous dispersion, occupancies, isotropic and
// anisotropic displacement, every operator of the cell.
#pragma once

#include <array>
#include <complex>
#include <string>
#include <vector>

#include "density/refinement_cards.h"
#include "density/reflection.h"
#include "geometry/view_frame.h"
#include "model/structure_model.h"

namespace tavo::density {

/// The model reduced to what scatters.
struct ScatteringModel {
  struct Type {
    std::string symbol;
    std::array<double, 9> coefficients{};  // a1..a4, b1..b4, c
    double fp = 0, fpp = 0;
  };
  struct Site {
    std::string label;
    geometry::Fractional position;
    int type = 0;  // index into types
    double occupancy = 1;
    bool anisotropic = false;
    double uiso = 0;
    std::array<double, 6> u{};  // U11 U22 U33 U23 U13 U12
  };
  std::array<double, 6> cell{};  // a b c alpha beta gamma
  double wavelength = 0.71073;
  std::vector<geometry::SeitzOperator> operators;
  std::vector<Type> types;
  std::vector<Site> sites;
};

/// The atoms and H atoms of the file (not generated copies, not peaks) with their element's
/// scattering: riding H atoms take their multiple of the parent's Ueq; f′ and f″ come from the
/// SFAC or DISP cards, else from the Cromer–Liberman values at the file's wavelength. Throws
/// UserError for an element whose scattering is unknown or an atom without a known element.
ScatteringModel scatteringModel(const model::StructureModel& structure,
                                const RefinementCards& cards);

/// (sinθ/λ)² of a reflection in the model's cell.
class ReciprocalMetric {
 public:
  explicit ReciprocalMetric(const std::array<double, 6>& cell);
  double stol2(const Miller& hkl) const;
  /// a*, b*, c* in 1/Å.
  const std::array<double, 3>& lengths() const { return m_lengths; }

 private:
  std::array<double, 6> m_g{};  // a*², b*², c*², 2b*c*cosα*, 2a*c*cosβ*, 2a*b*cosγ*
  std::array<double, 3> m_lengths{};
};

/// Computes F(hkl) on the absolute scale (no overall scale, no extinction).
class StructureFactorCalculator {
 public:
  explicit StructureFactorCalculator(ScatteringModel model);
  std::complex<double> operator()(const Miller& hkl) const;
  const ScatteringModel& model() const { return m_model; }
  const ReciprocalMetric& metric() const { return m_metric; }
  /// F(000): the electrons of the cell with f′ (the real part).
  double f000() const;

 private:
  ScatteringModel m_model;
  ReciprocalMetric m_metric;
  std::vector<std::array<double, 6>> m_uFractional;  // U scaled by the reciprocal lengths
};

/// The scattering factor f0 of the coefficients at (sinθ/λ)².
double formFactor(const std::array<double, 9>& coefficients, double stol2);

}  // namespace tavo::density
