// The one table of the main menu's commands: id, menu, caption, shortcut, objectName, the core
// handler, the display flag a toggle mirrors and when the item is enabled. The Qt window builds
// its menus and actions from it, and tavo-cli run finds items by caption in it.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "workbench/command_id.h"
#include "workbench/control_values.h"

namespace tavo::workbench {

class Workbench;
class WorkbenchState;

/// When an item with a handler is enabled.
enum class EnabledWhen {
  Always,
  FileListOffered,  // once a file has been opened by the dialog or the command line
  UndoAvailable,    // an edit can be undone
  RedoAvailable,    // an undone edit can be done again
};

/// A command of the core: runs on the Workbench's features, throws UserError on failure.
using CoreHandler = void (*)(Workbench& bench);

/// One item of the main menu.
struct CommandEntry {
  CommandId id;
  std::string_view menu;  // the title of its menu-bar menu, "File"
  std::string_view caption;
  std::string_view shortcut;  // QKeySequence text, "" for none
  std::string_view objectName;
  CoreHandler handler = nullptr;    // null: a window of the Qt program, or not built yet
  std::optional<DisplayFlag> flag;  // a View toggle: toggles the flag and shows its check mark
  bool windowOnly = false;          // handled by the Qt program alone (a window or panel)
  EnabledWhen enabledWhen = EnabledWhen::Always;
  bool checkMark = false;   // shows a check mark of its own (Workbench::checked)
  std::string_view window;  // the window it shows and hides, checked while shown ("TForm2")
};

/// A menu of the menu bar: its title and the caption with its Alt-letter mnemonic ("&File").
struct MenuTitle {
  std::string_view title;
  std::string_view caption;
};

/// The menus of the menu bar, in order.
std::span<const MenuTitle> menuTitles();
/// Every item of the main menu, in order.
std::span<const CommandEntry> commandTable();
/// The entry of `id`.
const CommandEntry& commandEntry(CommandId id);
/// The item whose caption is `caption` (exactly, as shown in the menu).
std::optional<CommandId> findCommandByCaption(std::string_view caption);
/// True when `entry`'s condition holds in `state` (its handler aside).
bool enabledIn(const CommandEntry& entry, const WorkbenchState& state);

/// The view menu of Ctrl+right click (PopupMenu2) and the View toggle each item runs.
struct ViewPopupEntry {
  std::string_view caption;
  CommandId toggle;
};
std::span<const ViewPopupEntry> viewPopupEntries();

/// The atom menu (PopupMenu1): "Center", the inactive "*******", "Adopt", "Locate", "Delete".
inline constexpr std::string_view atomMenuMarker = "*******";

}  // namespace tavo::workbench
