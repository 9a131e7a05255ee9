// Reading, writing and stepping the graphics settings.
#include "view/graphics_settings.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "model/file_replace.h"
#include "text/text.h"

namespace tavo::view {

namespace {

using S = GraphicsSettings;

constexpr std::array<GraphicsSettingInfo, graphicsSettingCount> table{{
    {"Background Color", "Edit1", true, 0, 0, &S::backgroundColor},
    {"nonH-Bond Color", "Edit2", true, 0, 0, &S::nonHBondColor},
    {"H-Stick Color", "Edit3", true, 0, 0, &S::hStickColor},
    {"Peak-Bond Color", "Edit4", true, 0, 0, &S::peakBondColor},
    {"nonH-Label Color", "Edit5", true, 0, 0, &S::nonHLabelColor},
    {"H-Label Color", "Edit6", true, 0, 0, &S::hLabelColor},
    {"Peak-Label Color", "Edit7", true, 0, 0, &S::peakLabelColor},
    {"Selection-1 Color", "Edit8", true, 0, 0, &S::selection1Color},
    {"Selection-2 Color", "Edit9", true, 0, 0, &S::selection2Color},
    {"Cell Box Color", "Edit10", true, 0, 0, &S::cellBoxColor},
    {"Distance Color", "Edit11", true, 0, 0, &S::distanceColor},
    {"nonH-Bond Width", "SpinEdit1", false, 1, 10, &S::nonHBondWidth},
    {"nonH Ball Size", "SpinEdit2", false, 1, 100, &S::nonHBallSize},
    {"H-Stick Width", "SpinEdit3", false, 1, 10, &S::hStickWidth},
    {"Peak-Dot Width", "SpinEdit4", false, 1, 10, &S::peakDotWidth},
    {"Selection Width", "SpinEdit5", false, 1, 10, &S::selectionWidth},
    {"Cell Line Width", "SpinEdit6", false, 1, 10, &S::cellLineWidth},
    {"Ellipse Line Width", "SpinEdit7", false, 1, 10, &S::ellipseLineWidth},
    {"Stereo Separation", "SpinEdit8", false, 100, 400, &S::stereoSeparation},
    {"Stereo Angle", "SpinEdit9", false, 1, 30, &S::stereoAngle},
    {"Mouse Speed", "SpinEdit10", false, 1, 50, &S::mouseSpeed},
}};

constexpr int nonHBondWidthLine = 12;
constexpr int nonHBallSizeLine = 13;

int roundToInt(double value) {
  return static_cast<int>(text::roundHalfEven(value));
}

void setClamped(GraphicsSettings& settings, int line, int value) {
  settings.*(table[static_cast<size_t>(line - 1)].field) = clampGraphicsSetting(line, value);
}

}  // namespace

const std::array<GraphicsSettingInfo, graphicsSettingCount>& graphicsSettingTable() {
  return table;
}

int clampGraphicsSetting(int line, int value) {
  const GraphicsSettingInfo& info = table.at(static_cast<size_t>(line - 1));
  if (info.isColor) return value;
  return std::clamp(value, info.minimum, info.maximum);
}

void loadGraphicsSettings(const std::filesystem::path& programFolder, std::string_view name,
                          GraphicsSettings& settings) {
  const std::filesystem::path file = programFolder / name;
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    throw MissingSettingsFile(std::string(name) + std::string(missingGraphicsSettingsMessage));
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) throw FileError(file, "cannot be read");
  std::string raw;
  for (int line = 1; line <= graphicsSettingCount; ++line) {
    // A file that ends early leaves the remaining lines empty, which do not convert.
    if (!std::getline(in, raw)) raw.clear();
    setClamped(settings, line, text::parseInt(text::trimLine(raw)));
  }
}

void saveGraphicsSettings(const std::filesystem::path& file, const GraphicsSettings& settings) {
  std::string content;
  for (const GraphicsSettingInfo& info : table) {
    content += std::to_string(settings.*(info.field));
    content += "\n";
  }
  model::replaceFileContents(file, content);
}

void stepGraphicsThickness(GraphicsSettings& settings, bool thicker) {
  if (thicker) {
    setClamped(settings, nonHBondWidthLine, settings.nonHBondWidth + 1);
    setClamped(settings, nonHBallSizeLine, settings.nonHBallSize + 10);
  } else {
    if (settings.nonHBondWidth > 1) settings.nonHBondWidth -= 1;
    if (settings.nonHBallSize > 10) settings.nonHBallSize -= 10;
  }
  const int thin = roundToInt(settings.nonHBondWidth / 2.0);
  for (int line = 14; line <= 18; ++line)
    setClamped(settings, line, thin);
}

}  // namespace tavo::view
