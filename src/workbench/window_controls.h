// The controls of the auxiliary windows by window and control objectName, for the scripts of
// tavo-cli run: each does what the user's click or typing in that control does.
#pragma once

#include <optional>
#include <string_view>

namespace tavo::workbench {

class Workbench;

/// Presses the button `control` of the window `window` ("TForm5", "Apply"), or, with a
/// `value`, types it into the field or chooses that row of the list. Throws UserError for an
/// unknown window or control and for a row that is no number.
void setWindowControl(Workbench& bench, std::string_view window, std::string_view control,
                      std::optional<std::string_view> value);

}  // namespace tavo::workbench
