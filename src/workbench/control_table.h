// The controls of the main window by their objectNames, for the scripts of tavo-cli run: each
// one sets its value as the widget does when the user changes it.
#pragma once

#include <string_view>

namespace tavo::workbench {

class Workbench;

/// Sets the control named `objectName` ("SpinEdit1", "CheckBox2", "Edit9") to `value` as the
/// user's change of the widget does: a number is clamped to the control's range, a check box
/// takes 1/0 (or yes/no). Throws UserError for an unknown control or a value that is no number.
void setControl(Workbench& bench, std::string_view objectName, std::string_view value);

}  // namespace tavo::workbench
