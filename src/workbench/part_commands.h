// The "PART Components" window: the PART components of the structure in their colours, each one
// shown or hidden, and the colours switched on or off.
#pragma once

#include "text/text_grid.h"
#include "view/part_display.h"
#include "workbench/command_context.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

class PartCommands {
 public:
  /// Follows every bond detection: the components and repeated labels of the structure shown.
  explicit PartCommands(CommandContext context);
  PartCommands(const PartCommands&) = delete;
  PartCommands& operator=(const PartCommands&) = delete;

  /// "PART Components" of the View menu: shows the window, or hides it again.
  void toggleWindow() { m_visible = !m_visible; }
  bool windowShown() const { return m_visible; }
  void closeWindow() { m_visible = false; }
  /// "Colour PARTs": the components in their colours, or every atom in its element's.
  void setColoured(bool on);
  /// Hides PART `part` (its atoms, H atoms, bonds and labels), or shows it again.
  void setHidden(int part, bool hidden);
  /// A double click on row `row` (1.., below the heading) of the grid: hidden ⇄ shown.
  void toggleRow(int row);
  /// "Show All": no component hidden.
  void showAll();

  const view::PartDisplay& display() const { return m_context.state.parts; }
  /// Heading "PART", "Atoms", "Colour", "Shown", then one row per component.
  text::TextGrid grid() const;

  WindowDeclaration declareWindow();

 private:
  void redraw();

  CommandContext m_context;
  bool m_visible = false;
};

}  // namespace tavo::workbench
