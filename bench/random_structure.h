// Random structures at crystal density for the benchmarks.
#pragma once

#include <cmath>
#include <random>
#include <string>

#include "geometry/view_frame.h"
#include "model/structure_model.h"

namespace tavo::bench {

/// `atoms` non-H atoms (C, N, O), atoms/2 H atoms and atoms/20 peaks placed at random in a
/// cubic box with one non-H atom per 18 Å³, limits raised to hold them, view coordinates reset.
inline model::StructureModel randomCrystal(int atoms, unsigned seed = 7) {
  model::StructureModel s;
  s.limits.expMax = atoms + 1;
  s.limits.atmMax = atoms + 1;
  s.limits.conMax = 4 * atoms + 1000;
  s.allocate();
  s.elements[0] = {"C", 0, 12.011, 0.77, 0};
  s.elements[1] = {"C", 0, 12.011, 0.77, 0};
  s.elements[2] = {"N", 0, 14.007, 0.70, 0};
  s.elements[3] = {"O", 0, 15.999, 0.66, 0};
  s.elements[4] = {"H", 0, 1.008, 0.30, 0};
  s.elementCount = 4;
  const double edge = std::cbrt(18.0 * atoms);
  s.cell.a = s.cell.b = s.cell.c = edge;
  s.cell.alpha = s.cell.beta = s.cell.gamma = 90;
  model::orthogonalise(s.cell);
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> fraction(0, 1);
  std::uniform_int_distribution<int> element(1, 3);
  for (int i = 1; i <= atoms; ++i) {
    s.atoms[i] = {};
    s.atoms[i].label = std::to_string(i);
    s.atoms[i].label.insert(0, 1, 'C');
    s.atoms[i].sfac = element(random);
    s.atoms[i].x = fraction(random);
    s.atoms[i].y = fraction(random);
    s.atoms[i].z = fraction(random);
  }
  s.nonHCount = s.workingAtomCount = atoms;
  s.hCount = s.workingHCount = atoms / 2;
  for (int i = 1; i <= s.hCount; ++i) {
    s.hydrogens[i].label = std::to_string(i);
    s.hydrogens[i].label.insert(0, 1, 'H');
    s.hydrogens[i].sfac = 4;
    s.hydrogens[i].x = fraction(random);
    s.hydrogens[i].y = fraction(random);
    s.hydrogens[i].z = fraction(random);
  }
  s.peakCount = s.workingPeakCount = atoms / 20;
  for (int i = 1; i <= s.peakCount; ++i) {
    s.peaks[i].x = fraction(random);
    s.peaks[i].y = fraction(random);
    s.peaks[i].z = fraction(random);
  }
  geometry::ViewFrame frame;
  geometry::computeCellOutline(s, frame);
  geometry::resetViewCoordinates(s, frame, false);
  return s;
}

}  // namespace tavo::bench
