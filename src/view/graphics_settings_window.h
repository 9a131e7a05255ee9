// The window model of "Graphics Colors and Other Settings": the 21 fields, the current settings
// file name, the colour choosers, Save Settings and OpenSettings.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "model/dialogs.h"
#include "view/graphics_settings.h"

namespace tavo::view {

inline constexpr std::string_view graphicsSettingsWindowTitle =
    "Graphics Colors and Other Settings";
inline constexpr std::string_view settingsFileFilter = "*.inf";

class GraphicsSettingsWindowModel {
 public:
  /// Works on `settings` (owned by the caller) with the files of `programFolder`.
  GraphicsSettingsWindowModel(GraphicsSettings& settings, std::filesystem::path programFolder);

  /// The folder the settings files are read from and written to.
  void setProgramFolder(std::filesystem::path folder) { m_programFolder = std::move(folder); }

  /// The file name shown in the read-only field `graphicsinf` (no folder).
  const std::string& currentName() const { return m_currentName; }
  /// The text of line `line` (1..21) as its edit or spin edit shows it.
  std::string fieldText(int line) const;
  /// The value of line `line`.
  int value(int line) const;
  /// Stores a value typed or spun into line `line`, brought into its range. True when the value
  /// changed (the picture is then redrawn).
  bool setValue(int line, int value);

  /// A click on a colour edit: the colour chooser starts at the current colour; true when the
  /// user confirmed a colour (it is stored and the picture must be redrawn).
  bool chooseColor(int line, model::Dialogs& dialogs);

  /// Reads the current settings file (GraphicsSettings1Click). Throws as loadGraphicsSettings.
  void load();
  /// "Save Settings": asks for a name in the program folder; on confirmation that name (its
  /// folder ignored) becomes the current one and the values are written there. False when
  /// cancelled; FileError when writing fails.
  bool saveSettings(model::Dialogs& dialogs);
  /// As saveSettings, writing `values` (the settings as the file holds them) instead of the
  /// settings the picture is drawn with.
  bool saveSettings(model::Dialogs& dialogs, const GraphicsSettings& values);
  /// "OpenSettings": asks for a file in the program folder; on confirmation the settings are
  /// loaded from it and its name becomes the current one. False when cancelled. Throws as
  /// load, the current name then unchanged, so that the next structure does not end the program
  /// over a file that is missing or unreadable.
  bool openSettings(model::Dialogs& dialogs);

 private:
  GraphicsSettings& m_settings;
  std::filesystem::path m_programFolder;
  std::string m_currentName{defaultGraphicsSettingsName};
};

}  // namespace tavo::view
