// The "Graphics Colors and Other Settings" window model.
#include "view/graphics_settings_window.h"

#include <utility>

namespace tavo::view {

namespace {

const GraphicsSettingInfo& infoOf(int line) {
  return graphicsSettingTable().at(static_cast<size_t>(line - 1));
}

}  // namespace

GraphicsSettingsWindowModel::GraphicsSettingsWindowModel(GraphicsSettings& settings,
                                                         std::filesystem::path programFolder)
    : m_settings(settings), m_programFolder(std::move(programFolder)) {}

std::string GraphicsSettingsWindowModel::fieldText(int line) const {
  return std::to_string(value(line));
}

int GraphicsSettingsWindowModel::value(int line) const {
  return m_settings.*(infoOf(line).field);
}

bool GraphicsSettingsWindowModel::setValue(int line, int newValue) {
  int& field = m_settings.*(infoOf(line).field);
  const int clamped = clampGraphicsSetting(line, newValue);
  if (field == clamped) return false;
  field = clamped;
  return true;
}

bool GraphicsSettingsWindowModel::chooseColor(int line, model::Dialogs& dialogs) {
  if (!infoOf(line).isColor) return false;
  const std::optional<int> chosen = dialogs.chooseColor(value(line));
  if (!chosen) return false;
  m_settings.*(infoOf(line).field) = *chosen;
  return true;
}

void GraphicsSettingsWindowModel::load() {
  loadGraphicsSettings(m_programFolder, m_currentName, m_settings);
}

bool GraphicsSettingsWindowModel::saveSettings(model::Dialogs& dialogs) {
  return saveSettings(dialogs, m_settings);
}

bool GraphicsSettingsWindowModel::saveSettings(model::Dialogs& dialogs,
                                               const GraphicsSettings& values) {
  const auto chosen = dialogs.chooseFileToSave(m_programFolder, m_currentName, settingsFileFilter);
  if (!chosen || chosen->filename().empty()) return false;
  const std::string name = chosen->filename().string();
  saveGraphicsSettings(m_programFolder / name, values);
  m_currentName = name;
  return true;
}

bool GraphicsSettingsWindowModel::openSettings(model::Dialogs& dialogs) {
  const auto chosen = dialogs.chooseFileToOpen(m_programFolder, settingsFileFilter);
  if (!chosen || chosen->filename().empty()) return false;
  const std::string name = chosen->filename().string();
  loadGraphicsSettings(m_programFolder, name, m_settings);
  m_currentName = name;
  return true;
}

}  // namespace tavo::view
