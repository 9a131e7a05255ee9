// The first view, the axis views, the view kept across a reopen and the wheel zoom.
#include "workbench/orientation_commands.h"

namespace tavo::workbench {

namespace fs = std::filesystem;

namespace {

/// The path without its extension, so that name.ins and name.res are one structure.
fs::path structureStem(const fs::path& file) {
  fs::path stem = fs::absolute(file).lexically_normal();
  stem.replace_extension();
  return stem;
}

}  // namespace

void OrientationCommands::finish() {
  WorkbenchState& s = m_context.state;
  s.syncViewControls();
  s.redraw();
}

void OrientationCommands::returnToFirstView() {
  WorkbenchState& s = m_context.state;
  if (!s.loaded) return;
  view::centreView(s.structure, s.frame);
  if (const auto rotation = view::firstViewRotation(s.structure))
    view::turnView(s.structure, s.frame, *rotation);
  s.view.setZoom(100);
  finish();
}

void OrientationCommands::viewDownAxis(int axis) {
  WorkbenchState& s = m_context.state;
  if (!s.loaded) return;
  view::centreView(s.structure, s.frame);
  view::turnView(s.structure, s.frame, view::axisViewRotation(s.frame, axis));
  finish();
}

void OrientationCommands::wheel(int x, int y, int angleDelta) {
  WorkbenchState& s = m_context.state;
  if (!s.loaded) return;
  m_wheelRemainder += angleDelta;
  const int steps = m_wheelRemainder / 120;
  if (steps == 0) return;
  m_wheelRemainder -= steps * 120;
  const int zoom = view::wheelZoomValue(s.view.zoom, steps);
  if (zoom == s.view.zoom) return;
  view::zoomAboutPoint(s.view, s.scene(), x, y, zoom);
  s.syncViewControls();
}

void OrientationCommands::beforeOpen(const fs::path& file) {
  const WorkbenchState& s = m_context.state;
  m_kept.reset();
  if (!s.loaded || s.structure.currentFile.empty() || s.importNotSaved) return;
  if (structureStem(file) != structureStem(s.structure.currentFile)) return;
  m_kept = KeptView{view::orientationOf(s.frame, s.structure.cell), s.view.zoom};
}

void OrientationCommands::afterOpen() {
  WorkbenchState& s = m_context.state;
  if (m_kept) {
    view::turnView(s.structure, s.frame, m_kept->orientation);
    s.view.setZoom(m_kept->zoom);
  } else if (const auto rotation = view::firstViewRotation(s.structure)) {
    view::turnView(s.structure, s.frame, *rotation);
  }
  m_kept.reset();
  s.syncViewControls();
}

}  // namespace tavo::workbench
