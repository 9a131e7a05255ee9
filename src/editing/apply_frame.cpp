// The order of the Apply sections and the element recount.
#include "editing/apply_frame.h"

#include "model/cell_contents.h"

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
  add(f.isAnyOf({M::Hfix, M::Anis, M::Sadi, M::Flat, M::Same, M::Delu, M::Rigu, M::Simu, M::Isor,
                 M::Dang, M::Eadp, M::Exyz}),
      ApplySection::Cards);
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
  const std::vector<double> contents = model::cellContents(s);
  for (int e = 1; e <= s.elementCount; ++e)
    s.elements[e].unitCount = contents[static_cast<size_t>(e)];
}

}  // namespace tavo::editing
