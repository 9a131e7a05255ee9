// The working grids of the main window shown by F10: the working grid (renaming table,
// duplicate-label and non-positive-definite lists, the Selection kept across Rotate) and the
// word table of the instruction lines.
#pragma once

#include <string>
#include <string_view>

#include "text/text_grid.h"
#include "workbench/command_context.h"

namespace tavo::workbench {

/// The caption of the menu item before the grids were first shown, and after each toggle.
inline constexpr std::string_view showWorkingGridsFirstCaption =
    "Show the Working Grids for Renumbering";
inline constexpr std::string_view hideWorkingGridsCaption = "Hide the Working Grids";
inline constexpr std::string_view showWorkingGridsCaption = "Show the Working Grids";

class WorkingGridsPanel {
 public:
  explicit WorkingGridsPanel(CommandContext context) : m_context(context) {}

  bool visible() const { return m_visible; }
  /// The caption of the menu item "Show the Working Grids for Renumbering" (F10).
  const std::string& menuCaption() const { return m_caption; }
  /// F10: shows the grids or hides them again; hiding redraws the picture.
  void toggle();

  /// The main window's working grid as it is now.
  const text::TextGrid& workingGrid() const { return m_context.state.structure.workingGrid; }
  /// The words of the current instruction lines, one row per line.
  text::TextGrid wordTable() const;

 private:
  CommandContext m_context;
  bool m_visible = false;
  std::string m_caption{showWorkingGridsFirstCaption};
};

}  // namespace tavo::workbench
