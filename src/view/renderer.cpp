// DrawMolecule and the pictures put together from the layers.
#include "view/renderer.h"

#include <algorithm>
#include <cmath>

#include "text/text.h"
#include "view/ellipse_picture.h"
#include "view/part_display.h"
#include "view/render_layers.h"

namespace tavo::view {

int roundedSize(double value) {
  if (!(value > 0)) return 0;  // also NaN
  return static_cast<int>(std::min(text::roundHalfEven(value), 255.0));
}

int filePeakOf(int index, int peakCount) {
  if (peakCount <= 0) return index;
  const int n = index % peakCount;
  return n == 0 ? peakCount : n;
}

std::string peakLabel(int index, int peakCount) {
  std::string label = std::to_string(filePeakOf(index, peakCount));
  const int copy = peakCount > 0 ? (index - 1) / peakCount : 0;
  if (copy > 0) label += "*" + std::to_string(copy);
  return label;
}

bool peakVisible(const model::StructureModel& structure, int index, double threshold) {
  const int n = filePeakOf(index, structure.peakCount);
  if (n < 1 || n > structure.peaks.capacity()) return false;
  return threshold < structure.peaks[n].height;
}

std::string drawnLabel(std::string_view label, int part, PictureMode mode) {
  std::string text(label);
  if (mode == PictureMode::Part) text += "<" + std::to_string(part);
  return text;
}

void markSelection(model::StructureModel& structure, std::span<const model::AtomRef> selection) {
  for (const model::AtomRef& ref : selection) {
    const int kind = model::kindNumber(ref.kind);
    if (kind < 1 || kind > 3 || ref.index < 0) continue;
    auto& flags = structure.selected[static_cast<size_t>(kind)];
    if (ref.index <= flags.capacity()) flags[ref.index] = 1;
  }
}

Renderer::Renderer() : m_buffers(std::make_unique<Buffers>()) {}
Renderer::~Renderer() = default;

PictureResult Renderer::DrawMolecule(model::StructureModel& structure,
                                     const geometry::ViewFrame& frame, const ViewState& view,
                                     const RenderOptions& options, const GraphicsSettings& settings,
                                     const Panes& panes) {
  markSelection(structure, options.selection);
  const ScreenMapping mapping(view);
  if (options.mode == PictureMode::Sadi) {
    drawSadi(*panes.main, structure, frame, mapping, options, settings);
    return {};
  }
  if (options.ellipse) {
    drawEllipses(*panes.main, structure, frame, mapping, options, settings);
    return {};
  }
  if (options.stereo && panes.stereoLeft && panes.stereoRight) {
    drawStereoPair(*panes.stereoLeft, *panes.stereoRight, structure, frame, view, options,
                   settings);
    return {};
  }
  return drawStandard(*panes.main, structure, frame, mapping, options, settings);
}

PictureResult Renderer::drawStandard(Canvas& canvas, const model::StructureModel& structure,
                                     const geometry::ViewFrame& frame, const ScreenMapping& mapping,
                                     const RenderOptions& options,
                                     const GraphicsSettings& settings) {
  PictureDrawer drawer(canvas, structure, frame, mapping, options, settings, *m_buffers);
  drawer.project();
  drawer.background();
  drawer.selectionCount();
  if (options.ellipsoids) {
    drawer.peakContacts();
    drawer.cellBox(0);
    drawer.mapMesh();
    drawer.peaks();
    drawer.ellipsoidAtoms();
    const PictureResult result = drawer.overlays();
    canvas.show();
    return result;
  }
  drawer.labels(HLabelStyle::SpotsAndRings);
  drawer.peakContacts();
  drawer.hBonds();
  drawer.cellBox(0);
  drawer.mapMesh();
  drawer.nonHBonds();
  drawer.peaks();
  drawer.atoms();
  const PictureResult result = drawer.overlays();
  drawer.trailingHLabels();
  if (options.parts != nullptr) drawPartLegend(canvas, *options.parts, drawer.sizes().labelFont);
  canvas.show();
  return result;
}

void Renderer::drawStereoPair(Canvas& left, Canvas& right, const model::StructureModel& structure,
                              const geometry::ViewFrame& frame, const ViewState& view,
                              const RenderOptions& options, const GraphicsSettings& settings) {
  // Each pane is "Stereo Separation" wide and as tall as the main pane, and its width is the
  // scale; the main view state is left as it was.
  ViewState paneView = view;
  paneView.setPaneGeometry({settings.stereoSeparation, view.paneHeight, settings.stereoSeparation});
  const ScreenMapping leftMapping(paneView);
  const ScreenMapping rightMapping(paneView, settings.stereoAngle);
  const std::pair<Canvas*, const ScreenMapping*> images[] = {{&left, &leftMapping},
                                                             {&right, &rightMapping}};
  for (const auto& [canvas, mapping] : images) {
    PictureDrawer drawer(*canvas, structure, frame, *mapping, options, settings, *m_buffers);
    drawer.project();
    drawer.background();
    canvas->setFont(black, drawer.sizes().labelFont);
    if (options.ellipsoids) {
      drawer.peakContacts();
      drawer.cellBox(0);
      drawer.mapMesh();
      drawer.peaks();
      drawer.ellipsoidAtoms();
      drawer.overlays();
      canvas->show();
      continue;
    }
    drawer.labels(HLabelStyle::LabelsInLayer);
    drawer.peakContacts();
    drawer.hBonds();
    drawer.cellBox(0);
    drawer.mapMesh();
    drawer.nonHBonds();
    drawer.peaks();
    drawer.atoms();
    drawer.overlays();
    canvas->show();
  }
}

void Renderer::drawSadi(Canvas& canvas, const model::StructureModel& structure,
                        const geometry::ViewFrame& frame, const ScreenMapping& mapping,
                        const RenderOptions& options, const GraphicsSettings& settings) {
  PictureDrawer drawer(canvas, structure, frame, mapping, options, settings, *m_buffers);
  drawer.project();
  drawer.background();
  drawer.selectionCount();
  drawer.labels(HLabelStyle::LabelsInLayer);
  drawer.peakContacts();
  drawer.hBonds();
  drawer.nonHBonds();
  drawer.sadiPairs();
  drawer.peaks();
  drawer.atoms();
  canvas.show();
}

void Renderer::drawEllipses(Canvas& canvas, const model::StructureModel& structure,
                            const geometry::ViewFrame& frame, const ScreenMapping& mapping,
                            const RenderOptions& options, const GraphicsSettings& settings) {
  PictureDrawer drawer(canvas, structure, frame, mapping, options, settings, *m_buffers);
  drawEllipsePicture(drawer, canvas, structure, mapping, options, settings);
}

}  // namespace tavo::view
