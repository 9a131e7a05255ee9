// DrawMolecule: the whole picture of the structure from scratch, in a fixed order of layers,
// through the Canvas port. The mode decides between the SADI picture, the ellipse picture, the
// stereo pair and the standard picture.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/view_frame.h"
#include "model/structure_model.h"
#include "view/canvas.h"
#include "view/graphics_settings.h"
#include "view/render_options.h"
#include "view/screen_mapping.h"
#include "view/view_state.h"

namespace tavo::view {

/// The pixel and font sizes of a picture of extent E (the same rule as ViewState::pictureSizes).
PictureSizes pictureSizes(double extent, int ballSize, int labelSize);

/// A size rounded half to even and kept within 0..255.
int roundedSize(double value);

/// The label of peak `index` (working index) of a file with `peakCount` peaks: its number in the
/// file, and for a generated copy "*" and the copy number ("3*1").
std::string peakLabel(int index, int peakCount);
/// The file peak (1..peakCount) a working peak index stands for.
int filePeakOf(int index, int peakCount);
/// A peak is drawn only when the height of its file peak exceeds the threshold.
bool peakVisible(const model::StructureModel& structure, int index, double threshold);
/// An atom's label as drawn: in the PART mode followed by "<" and the PART number.
std::string drawnLabel(std::string_view label, int part, PictureMode mode);

/// The panes a picture goes to. The stereo panes may be absent; the stereo pair then falls back
/// to the standard picture in the main pane.
struct Panes {
  Canvas* main = nullptr;
  Canvas* stereoLeft = nullptr;
  Canvas* stereoRight = nullptr;
};

/// Draws pictures; it keeps its working buffers between pictures so that a redraw allocates
/// nothing once the buffers have grown to the structure.
class Renderer {
 public:
  Renderer();
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  /// The picture of the current mode into `panes`, for the main pane `mainPane`. Sets the
  /// `selected` flag of every Selection entry first. The view coordinates are not changed.
  PictureResult DrawMolecule(model::StructureModel& structure, const geometry::ViewFrame& frame,
                             const ViewState& view, const RenderOptions& options,
                             const GraphicsSettings& settings, const Panes& panes);

  /// The standard picture into one pane.
  PictureResult drawStandard(Canvas& canvas, const model::StructureModel& structure,
                             const geometry::ViewFrame& frame, const ScreenMapping& mapping,
                             const RenderOptions& options, const GraphicsSettings& settings);
  /// The stereo pair: the left image as is, the right one turned by "Stereo Angle"; each pane is
  /// "Stereo Separation" pixels wide and as tall as the main pane.
  void drawStereoPair(Canvas& left, Canvas& right, const model::StructureModel& structure,
                      const geometry::ViewFrame& frame, const ViewState& view,
                      const RenderOptions& options, const GraphicsSettings& settings);
  /// The SADI mode's picture: pairs of the Selection joined in the Selection-1 colour.
  void drawSadi(Canvas& canvas, const model::StructureModel& structure,
                const geometry::ViewFrame& frame, const ScreenMapping& mapping,
                const RenderOptions& options, const GraphicsSettings& settings);
  /// The displacement-ellipse picture.
  void drawEllipses(Canvas& canvas, const model::StructureModel& structure,
                    const geometry::ViewFrame& frame, const ScreenMapping& mapping,
                    const RenderOptions& options, const GraphicsSettings& settings);

  struct Buffers;

 private:
  std::unique_ptr<Buffers> m_buffers;
};

/// Sets the `selected` flag of every Selection entry of kind 1, 2 or 3 to 1.
void markSelection(model::StructureModel& structure, std::span<const model::AtomRef> selection);

}  // namespace tavo::view
