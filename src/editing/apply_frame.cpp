// The order of the Apply sections and the element recount.
#include "editing/apply_frame.h"

namespace tavo::editing {

std::vector<ApplySection> applySections(const ModeFlags& f, bool useLetters, bool globalDelete) {
  std::vector<ApplySection> run;
  const auto add = [&](bool on, ApplySection section) {
    if (on) run.push_back(section);
  };
  add(f.adopt, ApplySection::Adopt);
  add(f.moveGroup, ApplySection::MoveGroup);
  add(f.center || f.alignVector, ApplySection::Center);
  add(f.beIso, ApplySection::BeIso);
  add(f.param, ApplySection::Param);
  add(f.adjust, ApplySection::Adjust);
  add(f.part, ApplySection::Part);
  add(f.hfix || f.anis || f.sadi || f.flat || f.same || f.delu, ApplySection::Cards);
  add(f.dfix, ApplySection::Dfix);
  add(f.bind, ApplySection::Bind);
  add(f.name, ApplySection::Name);
  add(f.renumber && !useLetters, ApplySection::RenumberNumbers);
  add(f.renumber && useLetters, ApplySection::RenumberLetters);
  add(f.name || f.remove || globalDelete, ApplySection::Purge);
  add(f.memSelect || f.memUnselect, ApplySection::Memory);
  add(f.calcPlane, ApplySection::CalcPlane);
  add(f.alignVector, ApplySection::AlignRotation);
  return run;
}

void recountElements(model::StructureModel& s) {
  for (int e = 1; e <= s.elementCount; ++e) {
    int count = 0;
    if (s.elements[e].symbol == "H") {
      for (int i = 1; i <= s.hCount; ++i)
        count += s.hydrogens[i].sfac == e;
    } else {
      for (int i = 1; i <= s.nonHCount; ++i)
        count += s.atoms[i].sfac == e;
    }
    s.elements[e].unitCount = count;
  }
}

}  // namespace tavo::editing
