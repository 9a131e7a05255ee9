// The colours, line widths, ball size, stereo geometry and mouse speed of the molecule picture,
// and the settings file in the program folder that holds them (graphics1.inf by default).
#pragma once

#include <array>
#include <filesystem>
#include <string_view>

#include "text/errors.h"
#include "view/canvas.h"

namespace tavo::view {

/// The 21 settings in file order; the defaults are those of the settings window before a file
/// has been read.
struct GraphicsSettings {
  Color backgroundColor = 0;   // Edit1 "Background Color"
  Color nonHBondColor = 0;     // Edit2 "nonH-Bond Color"
  Color hStickColor = 0;       // Edit3 "H-Stick Color"
  Color peakBondColor = 0;     // Edit4 "Peak-Bond Color"
  Color nonHLabelColor = 0;    // Edit5 "nonH-Label Color"
  Color hLabelColor = 0;       // Edit6 "H-Label Color"
  Color peakLabelColor = 0;    // Edit7 "Peak-Label Color"
  Color selection1Color = 0;   // Edit8 "Selection-1 Color"
  Color selection2Color = 0;   // Edit9 "Selection-2 Color"
  Color cellBoxColor = 0;      // Edit10 "Cell Box Color"
  Color distanceColor = 0;     // Edit11 "Distance Color"
  int nonHBondWidth = 2;       // SpinEdit1 "nonH-Bond Width", 1..10
  int nonHBallSize = 20;       // SpinEdit2 "nonH Ball Size", 1..100
  int hStickWidth = 1;         // SpinEdit3 "H-Stick Width", 1..10
  int peakDotWidth = 1;        // SpinEdit4 "Peak-Dot Width", 1..10
  int selectionWidth = 1;      // SpinEdit5 "Selection Width", 1..10
  int cellLineWidth = 1;       // SpinEdit6 "Cell Line Width", 1..10
  int ellipseLineWidth = 1;    // SpinEdit7 "Ellipse Line Width", 1..10
  int stereoSeparation = 280;  // SpinEdit8 "Stereo Separation", pixels, 100..400
  int stereoAngle = 5;         // SpinEdit9 "Stereo Angle", degrees, 1..30
  int mouseSpeed = 24;         // SpinEdit10 "Mouse Speed", 1..50
  friend bool operator==(const GraphicsSettings&, const GraphicsSettings&) = default;
};

/// One line of the settings file: its caption, the control that shows it and its range.
struct GraphicsSettingInfo {
  std::string_view caption;
  std::string_view control;  // objectName of the edit or spin edit
  bool isColor = false;
  int minimum = 0;  // ranges of the spin edits; colours are not clamped
  int maximum = 0;
  int GraphicsSettings::*field = nullptr;
};

inline constexpr int graphicsSettingCount = 21;

/// The settings in file order (entry 0 is line 1).
const std::array<GraphicsSettingInfo, graphicsSettingCount>& graphicsSettingTable();

/// The value of line `line` (1..21) brought into its range.
int clampGraphicsSetting(int line, int value);

/// The name of the settings file at every start of the program.
inline constexpr std::string_view defaultGraphicsSettingsName = "graphics1.inf";
/// Follows the file name when the settings file is missing; the program then ends.
inline constexpr std::string_view missingGraphicsSettingsMessage = " does not exits!";

/// The settings file is missing: the program shows the message and ends.
class MissingSettingsFile : public UserError {
 public:
  using UserError::UserError;
};

/// Reads the settings file `name` of `programFolder` into `settings`, line by line, bringing each
/// width and size into its range. Throws MissingSettingsFile ("graphics1.inf does not exits!")
/// when the file is absent, and ConversionError for a line that is not a whole number, with the
/// values read before that line left in place.
void loadGraphicsSettings(const std::filesystem::path& programFolder, std::string_view name,
                          GraphicsSettings& settings);

/// Writes the 21 values, one decimal number per line, to `file` through a temporary file that is
/// renamed into place. Throws FileError when the file cannot be written.
void saveGraphicsSettings(const std::filesystem::path& file, const GraphicsSettings& settings);

/// The up/down button SpinButton1: one step thicker (`thicker`) or thinner. The thin line widths
/// follow as Round(nonH-Bond Width / 2).
void stepGraphicsThickness(GraphicsSettings& settings, bool thicker);

}  // namespace tavo::view
