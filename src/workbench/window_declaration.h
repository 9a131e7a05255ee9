// A window declared as data: its name, caption, when it is shown, its controls each bound to
// one method of its feature, and its print text. The Qt program and tavo-cli's scripts read the
// same declaration, so a click and a script line run the same control.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_grid.h"

namespace tavo::workbench {

/// What a control takes from the user.
enum class ControlKind {
  Press,   // a button or menu item: no value
  Text,    // a field: the text typed
  Number,  // a spin box: an integer
  Choice,  // a check box (0 or 1) or a list of choices (the index)
  Table,   // a grid or list: a row (and column), or a block of them
};

/// The words typed after a control's name in a script, or what its widget holds.
using ControlInput = std::vector<std::string>;
using ControlAction = std::function<void(const ControlInput& values)>;

/// One control of a window.
struct ControlDeclaration {
  std::string name;  // the widget's objectName
  ControlKind kind = ControlKind::Press;
  ControlAction act;                 // what the control does
  std::vector<std::string> aliases;  // the caption of a button or menu item, other names
  ControlAction doubleClick;         // a table's double click (empty elsewhere)
  bool whileHidden = false;          // reached while the window is hidden (it shows the window)

  /// True when `word` is the name or one of the aliases.
  bool answersTo(std::string_view word) const;
};

/// Where a window first appears over the main window.
enum class Placement {
  Centred,        // centred over the main window, no larger than it
  BesidePicture,  // a tool window: beside the picture, clear of the menu bar and the controls
  AtPoint,        // below the point of the picture it belongs to (atPoint)
  Help,           // as tall as the picture, centred (a help window)
  AsCreated,      // where the window places itself
};

/// One auxiliary window.
struct WindowDeclaration {
  std::string name;             // objectName, "TForm3"
  std::string caption;          // the title the user sees
  std::string shownBy;          // how a user shows it, for the message when it is not shown
  std::function<bool()> shown;  // empty: the window has no state in the core (an info text)
  Placement placement = Placement::Centred;
  std::function<std::pair<int, int>()> atPoint;  // the picture's pixel for Placement::AtPoint
  std::vector<ControlDeclaration> controls;
  std::function<std::vector<std::string>()> print;  // empty: nothing to print

  bool isShown() const { return shown && shown(); }
  /// The control answering to `word`; null when there is none.
  const ControlDeclaration* findControl(std::string_view word) const;
  /// The first control with a double click (the window's grid); null when there is none.
  const ControlDeclaration* doubleClickTable() const;
};

/// A script line's words after the window's name, resolved to what they do: the control and
/// its values, or a print.
struct WindowCall {
  const ControlDeclaration* control = nullptr;  // null for a print
  bool doubleClick = false;
  ControlInput values;
};

/// Resolves `words` in `window`: `CONTROL [VALUES...]`, `press CONTROL`, `set CONTROL VALUE...`,
/// `DoubleClick [CONTROL] VALUES...` (also `double-click`), `print` and `list`. Throws
/// UserError, naming the window by its caption, when the window is not shown or has no such
/// control.
WindowCall resolveWindowCall(const WindowDeclaration& window,
                             const std::vector<std::string>& words);

// Helpers for the declarations.

/// A window with no controls yet: `shownBy` says how a user shows it ("\"Formula/Cell\" shows it").
WindowDeclaration declaredWindow(std::string name, std::string caption, std::string shownBy,
                                 std::function<bool()> shown);
/// A control of `kind` that passes its values to `act` as typed.
ControlDeclaration control(std::string name, ControlKind kind, ControlAction act);

/// The integer of `values[k]`; UserError naming `control` when it is missing or no integer.
int intValue(std::string_view control, const ControlInput& values, std::size_t k = 0);
/// The values joined by single blanks (a field's text typed as several words).
std::string joinedText(const ControlInput& values);
/// A grid as printed: each row's cells separated by " | ".
std::vector<std::string> gridPrintLines(const text::TextGrid& grid);
/// `value` as "1" or "0" for a check box.
bool checkValue(std::string_view control, const ControlInput& values);

/// A button or menu item: `name`, then its caption and other names.
ControlDeclaration press(std::string name, std::function<void()> action,
                         std::vector<std::string> aliases = {});
/// A field whose text (the values joined) goes to `action`.
ControlDeclaration textField(std::string name, std::function<void(const std::string&)> action,
                             std::vector<std::string> aliases = {});
/// A spin box whose integer goes to `action`.
ControlDeclaration numberField(std::string name, std::function<void(int)> action,
                               std::vector<std::string> aliases = {});
/// A check box whose state goes to `action`.
ControlDeclaration checkBox(std::string name, std::function<void(bool)> action,
                            std::vector<std::string> aliases = {});
/// A grid or list: `select` gets the values as typed (row, column, block); `doubleClick` too.
ControlDeclaration table(std::string name, ControlAction select, ControlAction doubleClick = {},
                         std::vector<std::string> aliases = {});

}  // namespace tavo::workbench
