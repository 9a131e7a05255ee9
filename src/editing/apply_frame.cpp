// The order of the Apply sections and the element recount.
#include "editing/apply_frame.h"

#include <algorithm>

#include "text/text.h"

namespace tavo::editing {

using M = MouseMode;

std::vector<ApplySection> applySections(const ModeFlags& f, bool useLetters, bool globalDelete) {
  std::vector<ApplySection> run;
  const auto add = [&](bool on, ApplySection section) {
    if (on) run.push_back(section);
  };
  add(f.is(M::Adopt), ApplySection::Adopt);
  add(f.moveGroup(), ApplySection::MoveGroup);
  add(f.isAnyOf({M::Center, M::AlignVec}), ApplySection::Center);
  add(f.is(M::BeIso), ApplySection::BeIso);
  add(f.is(M::Param), ApplySection::Param);
  add(f.is(M::Adjust), ApplySection::Adjust);
  add(f.is(M::Part), ApplySection::Part);
  add(f.isAnyOf({M::Hfix, M::Anis, M::Sadi, M::Flat, M::Same, M::Delu}), ApplySection::Cards);
  add(f.is(M::Dfix), ApplySection::Dfix);
  add(f.is(M::Bind), ApplySection::Bind);
  add(f.is(M::Name), ApplySection::Name);
  add(f.is(M::Renumber) && !useLetters, ApplySection::RenumberNumbers);
  add(f.is(M::Renumber) && useLetters, ApplySection::RenumberLetters);
  add(f.isAnyOf({M::Name, M::Delete}) || globalDelete, ApplySection::Purge);
  add(f.isAnyOf({M::MemSelect, M::MemUnselc}), ApplySection::Memory);
  add(f.is(M::CalcPlane), ApplySection::CalcPlane);
  add(f.is(M::AlignVec), ApplySection::AlignRotation);
  return run;
}

void recountElements(model::StructureModel& s) {
  // The sof of an atom on a special position already holds its site symmetry, so the sum over
  // the asymmetric unit times the operators is the number of atoms in the cell.
  std::vector<double> sum(static_cast<size_t>(s.elementCount) + 1, 0.0);
  const auto add = [&](int sfac, double sof) {
    if (sfac >= 1 && sfac <= s.elementCount) sum[static_cast<size_t>(sfac)] += sof;
  };
  for (int i = 1; i <= s.nonHCount; ++i)
    add(s.atoms[i].sfac, s.atoms[i].sof);
  for (int i = 1; i <= s.hCount; ++i)
    add(s.hydrogens[i].sfac, s.hydrogens[i].sof);
  const int operators = std::max(s.symmetry.opCount, 1);
  for (int e = 1; e <= s.elementCount; ++e) {
    // Rounded to six decimals: free-variable occupancies (0.634 and 1 - 0.634) add up to whole
    // numbers that the sum would otherwise miss in the last bit.
    const double contents = sum[static_cast<size_t>(e)] * operators;
    s.elements[e].unitCount = text::roundHalfEven(contents * 1e6) / 1e6;
  }
}

}  // namespace tavo::editing
