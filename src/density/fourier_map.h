// Fourier maps over the whole cell (Fo−Fc, 2Fo−Fc, Fo) from the model's phases, expanded by
// the cell's symmetry, and the residual peaks and holes found in them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "density/agreement.h"
#include "density/density_map.h"
#include "density/reflection.h"

namespace tavo::density {

/// One unique Fourier coefficient: amplitude and phase (radians).
struct MapCoefficient {
  Miller hkl;
  double amplitude = 0;
  double phaseRad = 0;
};

/// The coefficients of a map of `type` from our own Fc and phases: the observed reflections.
std::vector<MapCoefficient> mapCoefficients(const Agreement& agreement, MapType type);
/// The coefficients of a map of `type` from a LIST 6 .fcf (the program's own Fc and phases).
std::vector<MapCoefficient> mapCoefficients(const FcfData& list6, MapType type);

/// The map in e/Å³ on a grid no coarser than `spacingA` (and fine enough for the data), by FFT
/// of the coefficients and all their equivalents under `operators` and Friedel's law.
DensityMap fourierMap(const std::vector<MapCoefficient>& coefficients,
                      const std::vector<geometry::SeitzOperator>& operators,
                      const std::array<double, 6>& cell, MapType type, double spacingA = 0.3);

/// A residual peak or hole: position (the symmetry equivalent nearest to an atom), height
/// (negative for a hole) and the nearest atom.
struct MapPeak {
  geometry::Fractional position;
  double height = 0;
  std::string nearest;
  double distance = 0;  // Å
};

/// The `count` highest symmetry-unique local maxima of the map (the deepest minima when
/// `holes`), highest first, each placed next to the nearest atom of `model`; extrema within
/// 0.5 Å of an atom are left out.
std::vector<MapPeak> searchPeaks(const DensityMap& map, const ScatteringModel& model,
                                 std::size_t count, bool holes = false);

/// The shortest distance (Å) between a and the images of b under the model's symmetry.
double symmetryDistance(const ScatteringModel& model, const geometry::Fractional& a,
                        const geometry::Fractional& b);

/// Fractional distance (Å) between two points in the cell of `metric`.
double fractionalDistance(const std::array<double, 6>& cell, const geometry::Fractional& a,
                          const geometry::Fractional& b);

}  // namespace tavo::density
