// Allocation, reset, card insertion and the free-variable coding of the structure model.
#include "model/structure_model.h"

#include <algorithm>
#include <cmath>

#include "model/free_variables.h"
#include "text/errors.h"

namespace tavo::model {

void SymmetryOps::resetToIdentity() {
  for (auto& op : ops)
    op.fill(0);
  ops[1] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
  opCount = 1;
  translationUnit = 0.5;
  translationUnitText = "1/2";
}

std::string limitExceededMessage(std::string_view what, std::string_view limitName, int limit) {
  return "The number of " + std::string(what) + " exceeds the maximum allowed (" +
         std::string(limitName) + " = " + std::to_string(limit) + "). Raise " +
         std::string(limitName) + " in " + std::string(arrayLimitsFileName) +
         " in the program folder and open the file again.";
}

void StructureModel::allocate() {
  const int perAtom = std::max(limits.expMax, limits.atmMax);
  atoms.allocate(perAtom);
  hydrogens.allocate(perAtom);
  peaks.allocate(perAtom);
  ridingGroups.allocate(limits.atmMax);
  fvar.allocate(limits.atmMax);
  elements.allocate(limits.elemMax);
  for (size_t kind = 0; kind < 4; ++kind) {
    view[kind].allocate(perAtom);
    selected[kind].allocate(perAtom);
  }
}

void StructureModel::resetForLoad() {
  anisoCount = isoCount = 0;
  workingAtomCount = nonHCount = 0;
  hCount = workingHCount = 0;
  peakCount = workingPeakCount = 0;
  ridingGroupCount = 0;
  fvarCount = 0;
  elementCount = 0;
  noFvar = false;
  instructionLines.clear();
  atomListCards.clear();
  markers = {};
  rows = {};
  hklfLine.clear();
  hklfTrailer.clear();
  fvarComment.clear();
  symmetry.resetToIdentity();
  for (auto& kind : bonds.kinds)
    kind.clear();
}

void StructureModel::insertInstructionLine(std::string text) {
  if (lineCount() + 1 > limits.cmdMax) {
    throw UserError(limitExceededMessage("instruction lines", "cmd_max", limits.cmdMax));
  }
  // Without an L.S./CGLS line the card goes last, below UNIT and every other card: line 0 is
  // TITL, and a card above it would make the saved file unreadable.
  const bool hasLsLine = markers.lsLine > 0;
  const int at = hasLsLine ? std::min(markers.lsLine, lineCount()) : lineCount();
  instructionLines.insert(instructionLines.begin() + at, std::move(text));
  for (int* marker : {&markers.cellLine, &markers.zerrLine, &markers.sfacLine, &markers.unitLine,
                      &markers.fmapLine, &markers.planLine, &markers.extiLine, &markers.wghtLine,
                      &markers.spcgLine}) {
    if (*marker >= at && *marker > 0) ++*marker;
  }
  if (hasLsLine) ++markers.lsLine;
}

DecodedValue decodeFreeVariable(double coded, const OneBased<double>& fvar) {
  const ParameterCode parts = splitParameterCode(coded);
  if (parts.multiple == 0) return {coded, 0};
  if (std::abs(parts.multiple) == 1) return {parts.remainder, 10};
  const double m = std::abs(parts.multiple);
  const double fv = m <= fvar.capacity() ? fvar[static_cast<int>(m)] : 0.0;
  return {parts.multiple > 0 ? parts.remainder * fv : parts.remainder * (fv - 1), coded};
}

double encodeFreeVariable(double value, double code) {
  const ParameterCode parts = splitParameterCode(code);
  if (parts.multiple == 0) return value;
  if (std::abs(parts.multiple) == 1) return joinParameterCode(1, value);
  return code;
}

double StructureModel::decodeParameter(double coded, AtomKind kind, int index,
                                       Parameter parameter) {
  const DecodedValue decoded = decodeFreeVariable(coded, fvar);
  if (kind == AtomKind::Atom) {
    atoms[index].codes[parameter] = decoded.code;
  } else if (kind == AtomKind::Hydrogen) {
    hydrogens[index].codes[parameter] = decoded.code;
  }
  return decoded.value;
}

namespace {

int addEntry(int& count, int capacity, std::string_view what, std::string_view limitName,
             int limit) {
  if (count + 1 > limit || count + 1 > capacity) {
    throw UserError(limitExceededMessage(what, limitName, limit));
  }
  return ++count;
}

}  // namespace

int StructureModel::addAtom() {
  const int i = addEntry(workingAtomCount, atoms.capacity(), "non-H atoms", "atm_max",
                         std::min(limits.atmMax, limits.expMax - 1));
  atoms[i] = Atom{};
  return i;
}

int StructureModel::addHydrogen() {
  const int i = addEntry(workingHCount, hydrogens.capacity(), "H atoms", "atm_max",
                         std::min(limits.atmMax, limits.expMax - 1));
  hydrogens[i] = Hydrogen{};
  return i;
}

int StructureModel::addPeak() {
  const int i = addEntry(workingPeakCount, peaks.capacity(), "peaks", "atm_max", limits.atmMax);
  peaks[i] = Peak{};
  return i;
}

int StructureModel::addRidingGroup() {
  const int i = addEntry(ridingGroupCount, ridingGroups.capacity(), "riding groups", "atm_max",
                         limits.atmMax);
  ridingGroups[i] = RidingGroup{};
  return i;
}

int StructureModel::addElement() {
  const int i = addEntry(elementCount, elements.capacity() - 1, "SFAC elements", "elem_max",
                         limits.elemMax - 1);
  const double peakRadius = elements[0].radius;
  elements[i] = Element{};
  elements[0].radius = peakRadius;
  return i;
}

int StructureModel::addFvar(double value) {
  const int i = addEntry(fvarCount, fvar.capacity(), "free variables", "atm_max", limits.atmMax);
  fvar[i] = value;
  return i;
}

std::string_view StructureModel::symbolOf(int sfac) const {
  if (sfac < 1 || sfac > elementCount) return {};
  return elements[sfac].symbol;
}

}  // namespace tavo::model
