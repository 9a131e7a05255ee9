// The Preferences windows over the element definitions, the ellipse picture and the graphics
// settings.
#include "workbench/preference_commands.h"

#include <algorithm>
#include <utility>

namespace tavo::workbench {

PreferenceCommands::PreferenceCommands(WindowContext context, GraphicsContext graphics)
    : m_context(std::move(context)),
      m_graphics(std::move(graphics)),
      m_graphicsWindow(m_graphics.settings, {}) {}

void PreferenceCommands::setEllipseSizeFactor(int value) {
  m_ellipse.sizeFactor = std::clamp(value, ellipseSizeFactorMinimum, ellipseSizeFactorMaximum);
}

void PreferenceCommands::setEllipsePair(int value) {
  m_ellipse.pair = std::clamp(value, ellipsePairMinimum, ellipsePairMaximum);
  m_context.afterChange(false);
}

void PreferenceCommands::showElementDefinitions() {
  // Until a structure is read the table has not been filled; show the definitions the next
  // structure will get.
  if (!m_elementsRead) reloadElementDefinitions();
  m_elementsVisible = true;
}

const model::ElementDefinitions& PreferenceCommands::reloadElementDefinitions() {
  m_elements = model::ElementDefinitions::load(m_context.programFolder());
  m_elementsRead = true;
  return m_elements;
}

void PreferenceCommands::selectElementCell(int row, int column) {
  m_elementEditText = m_elements.selectCell(row, column);
  if (column != model::ElementDefinitions::ColorCode) return;
  if (const auto chosen = m_elements.chooseColor(m_context.dialogs, m_context.structure)) {
    m_elementEditText = *chosen;
    m_context.afterChange(false);
  }
}

void PreferenceCommands::applyElementEdit() {
  m_elements.apply(m_elementEditText, m_context.structure);
  m_context.afterChange(true);
}

void PreferenceCommands::saveElementDefinitions() {
  m_elements.save(m_context.programFolder());
}

void PreferenceCommands::closeElementDefinitions() {
  m_elementsVisible = false;
  m_elements.assignElementData(m_context.structure);
  m_context.afterChange(false);
}

void PreferenceCommands::setGraphicsValue(int line, int value) {
  if (!m_graphicsWindow.setValue(line, value)) return;
  m_graphics.changed(false);
  m_context.afterChange(false);
}

void PreferenceCommands::chooseGraphicsColor(int line) {
  if (!m_graphicsWindow.chooseColor(line, m_context.dialogs)) return;
  m_context.afterChange(false);
}

void PreferenceCommands::stepThickness(bool thicker) {
  view::stepGraphicsThickness(m_graphics.settings, thicker);
  m_graphics.changed(false);
  m_context.afterChange(false);
}

void PreferenceCommands::saveGraphicsSettings() {
  followProgramFolder();
  m_graphicsWindow.saveSettings(m_context.dialogs, m_graphics.fileValues());
}

void PreferenceCommands::openGraphicsSettings() {
  followProgramFolder();
  if (!m_graphicsWindow.openSettings(m_context.dialogs)) return;
  m_graphics.changed(true);
  m_context.afterChange(false);
}

void PreferenceCommands::loadGraphicsSettings() {
  followProgramFolder();
  m_graphicsWindow.load();
}

void PreferenceCommands::followProgramFolder() {
  m_graphicsWindow.setProgramFolder(m_context.programFolder());
}

}  // namespace tavo::workbench
