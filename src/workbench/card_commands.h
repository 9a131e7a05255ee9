// The card sections of Apply: HFIX, ANIS, SADI, FLAT, SAME, DELU, DFIX, BIND, RIGU, SIMU, ISOR,
// DANG, EADP and EXYZ cards from the picked atoms.
#pragma once

#include "editing/apply_frame.h"
#include "workbench/command_context.h"

namespace tavo::workbench {

/// Adds the card of the current mode above L.S./CGLS (SAME in front of its target atoms), then
/// clears the Selection and the working grid. HFIX on an atom that already carries riding H atoms
/// replaces them (after asking): an HFIX card beside the old group would make SHELXL generate a
/// second set.
class CardCommands {
 public:
  explicit CardCommands(CommandContext context)
      : m_state(context.state), m_dialogs(context.dialogs) {}

  /// Runs `section` of the Apply frame when it is a card section; false otherwise.
  bool runSection(editing::ApplySection section);

 private:
  void addCard();
  /// Removes the riding H atoms of the picked atoms that carry a group, after asking; false
  /// when the user declines.
  bool replaceRidingGroups();

  WorkbenchState& m_state;
  model::Dialogs& m_dialogs;
};

}  // namespace tavo::workbench
