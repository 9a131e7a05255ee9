// An auxiliary window that shows a fixed text: the about, website and help windows.
#pragma once

#include "app/windows/auxiliary_window.h"

namespace tavo::app {

class StaticTextWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  /// `html` is shown read-only; links open in the desktop's browser.
  StaticTextWindow(std::string_view objectName, std::string_view caption, const QString& html,
                   QWidget* parent);
};

/// The texts of the static windows, by objectName ("" for windows without one).
QString staticWindowText(std::string_view objectName);

}  // namespace tavo::app
