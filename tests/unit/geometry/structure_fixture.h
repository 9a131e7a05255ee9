// Small structures built in code for the geometry and view tests.
#pragma once

#include <string>

#include "model/cell_parameters.h"
#include "model/structure_model.h"

namespace tavo::testing {

/// A structure with room for `capacity` entries per table and element 1 = C (0.77 Å), element
/// 2 = H (0.30 Å), element 3 = O (0.66 Å); the peak radius (element 0) is 0.77 Å.
inline model::StructureModel fixtureStructure(int capacity = 50, int conMax = 30000) {
  model::StructureModel s;
  s.limits.expMax = capacity;
  s.limits.atmMax = capacity;
  s.limits.conMax = conMax;
  s.allocate();
  s.elements[0] = {"C", 0, 12.011, 0.77, 0};
  s.elements[1] = {"C", 0, 12.011, 0.77, 0};
  s.elements[2] = {"H", 0, 1.008, 0.30, 0};
  s.elements[3] = {"O", 0, 15.999, 0.66, 0};
  s.elementCount = 3;
  return s;
}

inline void setCell(model::StructureModel& s, double a, double b, double c, double alpha,
                    double beta, double gamma) {
  s.cell.a = a;
  s.cell.b = b;
  s.cell.c = c;
  s.cell.alpha = alpha;
  s.cell.beta = beta;
  s.cell.gamma = gamma;
  model::orthogonalise(s.cell);
}

/// Appends a non-H atom of the file at fractional (x, y, z); view coordinates equal to the
/// fractional ones times 1 Å until the view is reset.
inline int addAtom(model::StructureModel& s, const std::string& label, int sfac, double x, double y,
                   double z) {
  const int i = ++s.nonHCount;
  s.workingAtomCount = s.nonHCount;
  s.atoms[i].label = label;
  s.atoms[i].sfac = sfac;
  s.atoms[i].x = x;
  s.atoms[i].y = y;
  s.atoms[i].z = z;
  s.view[1][static_cast<size_t>(i)] = {x, y, z};
  return i;
}

inline int addHydrogen(model::StructureModel& s, const std::string& label, double x, double y,
                       double z) {
  const int i = ++s.hCount;
  s.workingHCount = s.hCount;
  s.hydrogens[i].label = label;
  s.hydrogens[i].sfac = 2;
  s.hydrogens[i].x = x;
  s.hydrogens[i].y = y;
  s.hydrogens[i].z = z;
  s.view[2][static_cast<size_t>(i)] = {x, y, z};
  return i;
}

inline int addPeak(model::StructureModel& s, double x, double y, double z, double height = 1) {
  const int i = ++s.peakCount;
  s.workingPeakCount = s.peakCount;
  s.peaks[i].x = x;
  s.peaks[i].y = y;
  s.peaks[i].z = z;
  s.peaks[i].height = height;
  s.view[3][static_cast<size_t>(i)] = {x, y, z};
  return i;
}

}  // namespace tavo::testing
