// The auxiliary windows: their objectNames and captions, in the order they are created.
#pragma once

#include <span>
#include <string_view>

namespace tavo::app {

struct WindowEntry {
  std::string_view objectName;  // TForm2 ... TForm37
  std::string_view caption;
};

/// Every auxiliary window, in creation order (TForm22 is never shown and is not built).
std::span<const WindowEntry> auxiliaryWindows();

}  // namespace tavo::app
