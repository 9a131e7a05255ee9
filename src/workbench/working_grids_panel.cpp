// The F10 working grids.
#include "workbench/working_grids_panel.h"

#include "model/instruction_words.h"

namespace tavo::workbench {

void WorkingGridsPanel::toggle() {
  m_visible = !m_visible;
  m_caption = m_visible ? hideWorkingGridsCaption : showWorkingGridsCaption;
  if (!m_visible) m_context.state.afterChange({.bonds = false});
}

text::TextGrid WorkingGridsPanel::wordTable() const {
  return model::instructionWordTable(m_context.state.structure.instructionLines);
}

}  // namespace tavo::workbench
