// The orientation of the picture: the first view a structure opens with, the View items that
// return to it or look down a cell axis, the view kept across a reopen, and the wheel zoom.
#pragma once

#include <filesystem>
#include <optional>

#include "view/view_orientation.h"
#include "workbench/command_context.h"

namespace tavo::workbench {

/// The commands of the orientation; each does nothing before a structure is open.
class OrientationCommands {
 public:
  explicit OrientationCommands(CommandContext context) : m_context(context) {}

  /// "First View": the picture centred again, turned so that the molecule's plane faces the
  /// viewer, at zoom 100, as a file first opens. Symmetry copies shown stay.
  void returnToFirstView();
  /// "View down a", "View down b", "View down c" (axis 0, 1, 2): the picture centred again and
  /// turned so that that axis points at the viewer and the next one across the screen.
  void viewDownAxis(int axis);
  /// The mouse wheel turned by `angleDelta` eighths of a degree (120 a notch; positive away
  /// from the user: closer) over pane pixel (x, y): zooms about that point. Parts of a notch
  /// (touch pads) add up.
  void wheel(int x, int y, int angleDelta);

  /// Before `file` is opened: when it is the structure shown (or its .ins/.res sibling), its
  /// orientation and zoom are kept for the reopened file.
  void beforeOpen(const std::filesystem::path& file);
  /// After an open has reset the view: the kept view for a reopen, the first view otherwise.
  /// No redraw.
  void afterOpen();

 private:
  /// The controls follow the view; the picture is drawn.
  void finish();

  struct KeptView {
    view::Rotation orientation;
    int zoom = 100;
  };
  CommandContext m_context;
  std::optional<KeptView> m_kept;
  int m_wheelRemainder = 0;  // eighths of a degree not yet a notch
};

}  // namespace tavo::workbench
