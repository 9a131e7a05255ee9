// The PART components window: colours, the legend's components, hidden parts.
#include "workbench/part_commands.h"

#include <algorithm>

#include "text/errors.h"

namespace tavo::workbench {

PartCommands::PartCommands(CommandContext context) : m_context(context) {
  WorkbenchState& s = m_context.state;
  s.followDetection([&s] { view::followStructure(s.parts, s.structure); });
}

void PartCommands::redraw() {
  m_context.state.redraw();
}

void PartCommands::setColoured(bool on) {
  m_context.state.parts.coloured = on;
  redraw();
}

void PartCommands::setHidden(int part, bool hidden) {
  view::PartDisplay& d = m_context.state.parts;
  if (std::find(d.parts.begin(), d.parts.end(), part) == d.parts.end())
    throw UserError("There is no PART " + std::to_string(part) + " in the structure.");
  std::erase(d.hidden, part);
  if (hidden) d.hidden.push_back(part);
  redraw();
}

void PartCommands::toggleRow(int row) {
  const view::PartDisplay& d = m_context.state.parts;
  if (row < 1 || row > static_cast<int>(d.parts.size()))
    throw UserError("There is no row " + std::to_string(row) + " of PART components.");
  const int part = d.parts[static_cast<std::size_t>(row - 1)];
  setHidden(part, !d.hides(part));
}

void PartCommands::showAll() {
  m_context.state.parts.hidden.clear();
  redraw();
}

text::TextGrid PartCommands::grid() const {
  const view::PartDisplay& d = m_context.state.parts;
  const model::StructureModel& s = m_context.state.structure;
  text::TextGrid g(1, 4);
  g.setRow(0, {"PART", "Atoms", "Colour", "Shown"});
  for (const int part : d.parts) {
    int count = 0;
    for (int i = 1; i <= s.nonHCount; ++i)
      count += s.atoms[i].part == part;
    for (int i = 1; i <= s.hCount; ++i)
      count += s.hydrogens[i].part == part;
    g.setRow(g.rowCount(), {std::to_string(part), std::to_string(count),
                            std::string(view::partColorName(part)), d.hides(part) ? "no" : "yes"});
  }
  return g;
}

WindowDeclaration PartCommands::declareWindow() {
  WindowDeclaration w =
      declaredWindow("Parts", "PART Components", "\"PART Components\" of the View menu shows it",
                     [this] { return m_visible; });
  w.placement = Placement::BesidePicture;
  w.controls = {
      checkBox("PartColours", [this](bool on) { setColoured(on); }, {"Colour PARTs"}),
      table(
          "PartGrid", [](const ControlInput&) {},
          [this](const ControlInput& v) { toggleRow(intValue("PartGrid", v)); }),
      numberField("HidePart", [this](int part) { setHidden(part, true); }, {"Hide"}),
      numberField("ShowPart", [this](int part) { setHidden(part, false); }, {"Show"}),
      press("ShowAll", [this] { showAll(); }, {"Show All"}),
      press("Close", [this] { closeWindow(); }),
  };
  w.print = [this] { return gridPrintLines(grid()); };
  return w;
}

}  // namespace tavo::workbench
