// The edits that Apply makes to the atoms themselves: Name, Renumber, Delete and the purge,
// Adopt, PART, BeISO, Adjust, Center and AlignVec.
#pragma once

#include <vector>

#include "editing/apply_frame.h"
#include "workbench/command_context.h"

namespace tavo::workbench {

/// The atom edits of Apply. A deletion that takes more than the picked atoms, or leaves cards
/// naming a deleted atom, asks first; declining leaves everything as it was.
class AtomEditCommands {
 public:
  explicit AtomEditCommands(CommandContext context)
      : m_state(context.state), m_dialogs(context.dialogs) {}

  /// Runs `section` of the Apply frame when it is one of the atom edits; false otherwise.
  bool runSection(editing::ApplySection section);

 private:
  void name();
  void purge();
  void part();
  void beIso();
  void renumberWithNumbers();
  void renumberWithLetters();
  void adopt();
  void adjust();
  void center();
  void alignRotation();
  /// Clears the Selection (its flags with it).
  void clearSelection();
  /// The end of both kinds of renumbering: Selection cleared, redraw, duplicate-label check.
  void finishRenumbering();

  WorkbenchState& m_state;
  model::Dialogs& m_dialogs;
  std::vector<model::AtomRef> m_alignPair;  // AlignVec's two entries, kept across the centring
};

}  // namespace tavo::workbench
