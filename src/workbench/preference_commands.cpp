// The Preferences windows over the element definitions, the ellipse picture and the graphics
// settings.
#include "workbench/preference_commands.h"

#include <algorithm>
#include <utility>

namespace tavo::workbench {

PreferenceCommands::PreferenceCommands(CommandContext context)
    : m_context(context), m_graphicsWindow(m_context.state.graphicsSettings(), {}) {}

void PreferenceCommands::afterChange(bool bonds) {
  m_context.state.afterChange({.bonds = bonds});
}

void PreferenceCommands::graphicsChanged(bool fromFile) {
  m_context.state.followGraphicsSettings(fromFile);
}

void PreferenceCommands::setEllipseSizeFactor(int value) {
  m_ellipse.sizeFactor = ellipseSizeFactorRange.clamp(value);
}

void PreferenceCommands::setEllipsePair(int value) {
  m_ellipse.pair = ellipsePairRange.clamp(value);
  afterChange(false);
}

void PreferenceCommands::setEllipsoids(bool on) {
  m_ellipse.ellipsoids.on = on;
  if (on) m_context.state.display.ellipse = false;
  afterChange(false);
}

void PreferenceCommands::setEllipsoidProbability(int percent) {
  m_ellipse.ellipsoids.probabilityPercent = ellipsoidProbabilityRange.clamp(percent);
  afterChange(false);
}

void PreferenceCommands::setPrincipalEllipses(bool on) {
  m_ellipse.ellipsoids.principalEllipses = on;
  afterChange(false);
}

void PreferenceCommands::setOctantShading(bool on) {
  m_ellipse.ellipsoids.octantShading = on;
  afterChange(false);
}

void PreferenceCommands::showElementDefinitions() {
  // Until a structure is read the table has not been filled; show the definitions the next
  // structure will get.
  if (!m_elementsRead) reloadElementDefinitions();
  m_elementsVisible = true;
}

const model::ElementDefinitions& PreferenceCommands::reloadElementDefinitions() {
  m_elements = model::ElementDefinitions::load(m_context.state.settingsFolder());
  m_elementsRead = true;
  return m_elements;
}

void PreferenceCommands::selectElementCell(int row, int column) {
  m_elementEditText = m_elements.selectCell(row, column);
  if (column != model::ElementDefinitions::ColorCode) return;
  if (const auto chosen = m_elements.chooseColor(m_context.dialogs, m_context.state.structure)) {
    m_elementEditText = *chosen;
    afterChange(false);
  }
}

void PreferenceCommands::applyElementEdit() {
  m_elements.apply(m_elementEditText, m_context.state.structure);
  afterChange(true);
}

void PreferenceCommands::saveElementDefinitions() {
  m_elements.save(m_context.state.settingsFolder());
}

void PreferenceCommands::closeElementDefinitions() {
  m_elementsVisible = false;
  m_elements.assignElementData(m_context.state.structure);
  afterChange(false);
}

void PreferenceCommands::setGraphicsValue(int line, int value) {
  if (!m_graphicsWindow.setValue(line, value)) return;
  graphicsChanged(false);
  afterChange(false);
}

void PreferenceCommands::chooseGraphicsColor(int line) {
  if (!m_graphicsWindow.chooseColor(line, m_context.dialogs)) return;
  afterChange(false);
}

void PreferenceCommands::stepThickness(bool thicker) {
  view::stepGraphicsThickness(m_context.state.graphicsSettings(), thicker);
  graphicsChanged(false);
  afterChange(false);
}

void PreferenceCommands::saveGraphicsSettings() {
  followProgramFolder();
  m_graphicsWindow.saveSettings(m_context.dialogs, m_context.state.graphicsFileValues());
}

void PreferenceCommands::openGraphicsSettings() {
  followProgramFolder();
  if (!m_graphicsWindow.openSettings(m_context.dialogs)) return;
  graphicsChanged(true);
  afterChange(false);
}

void PreferenceCommands::loadGraphicsSettings() {
  followProgramFolder();
  m_graphicsWindow.load();
}

void PreferenceCommands::followProgramFolder() {
  m_graphicsWindow.setProgramFolder(m_context.state.settingsFolder());
}

WindowDeclaration declareEllipseWindow(PreferenceCommands& p) {
  WindowDeclaration w = declaredWindow("TForm15", "Parameters for Drawing Ellipes",
                                       "\"Ellipse View Params\" shows it",
                                       [&p] { return p.ellipseWindow().visible; });
  w.controls = {
      numberField("SpinEdit1", [&p](int value) { p.setEllipseSizeFactor(value); }),
      checkBox("Ellipsoids", [&p](bool on) { p.setEllipsoids(on); }),
      numberField("Probability", [&p](int value) { p.setEllipsoidProbability(value); }),
      checkBox("PrincipalEllipses", [&p](bool on) { p.setPrincipalEllipses(on); }),
      checkBox("OctantShading", [&p](bool on) { p.setOctantShading(on); }),
  };
  return w;
}

WindowDeclaration declareElementDefinitionsWindow(PreferenceCommands& p) {
  WindowDeclaration w = declaredWindow("TForm17", "Detailed Definition of Elements",
                                       "\"Definition of Elements\" shows it",
                                       [&p] { return p.elementWindowVisible(); });
  w.placement = Placement::BesidePicture;
  w.controls = {
      table("StringGrid1",
            [&p](const ControlInput& values) {
              p.selectElementCell(intValue("StringGrid1", values, 0),
                                  intValue("StringGrid1", values, 1));
            }),
      textField("Edit1", [&p](const std::string& text) { p.setElementEditText(text); }),
      press("ApplyButton", [&p] { p.applyElementEdit(); }, {"Apply"}),
      press("AddButton", [&p] { p.addElementRow(); }, {"Add"}),
      press("SaveSettings1", [&p] { p.saveElementDefinitions(); }, {"Save"}),
      press("Exit1", [&p] { p.closeElementDefinitions(); }, {"Exit"}),
  };
  w.print = [&p] { return gridPrintLines(p.elementDefinitions().table()); };
  return w;
}

WindowDeclaration declareGraphicsSettingsWindow(PreferenceCommands& p) {
  WindowDeclaration w =
      declaredWindow("TForm18", "Graphics Colors and Other Settings",
                     "\"Customize Graphics\" shows it", [&p] { return p.graphicsWindowVisible(); });
  w.placement = Placement::BesidePicture;
  const auto& settings = view::graphicsSettingTable();
  for (int line = 1; line <= view::graphicsSettingCount; ++line) {
    const view::GraphicsSettingInfo& info = settings[static_cast<std::size_t>(line - 1)];
    const std::string name(info.control);
    if (info.isColor) {
      w.controls.push_back(press(name, [&p, line] { p.chooseGraphicsColor(line); }));
    } else {
      w.controls.push_back(
          numberField(name, [&p, line](int value) { p.setGraphicsValue(line, value); }));
    }
  }
  w.controls.push_back(press("SaveSettings1", [&p] { p.saveGraphicsSettings(); }, {"Save"}));
  w.controls.push_back(
      press("OpenSettings1", [&p] { p.openGraphicsSettings(); }, {"OpenSettings"}));
  return w;
}

}  // namespace tavo::workbench
