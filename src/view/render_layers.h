// The layers of the molecule pictures, each one pass over a table or the bond list; the standard,
// stereo, SADI and ellipse pictures are put together from them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/view_frame.h"
#include "model/structure_model.h"
#include "view/canvas.h"
#include "view/ellipsoid_layer.h"
#include "view/graphics_settings.h"
#include "view/render_options.h"
#include "view/renderer.h"
#include "view/screen_mapping.h"

namespace tavo::view {

/// The pane position of one table entry and whether it lies in the depth slab.
struct ScreenEntry {
  int x = 0, y = 0;
  bool inSlab = false;
};

/// Texts composed during a layer, kept in one growing buffer and handed over as a batch.
class TextBatch {
 public:
  void clear() {
    m_store.clear();
    m_items.clear();
  }
  /// Adds `text` at (x, y).
  void add(int x, int y, std::string_view text);
  /// Adds `label` with its residue number (none for 0) and the PART suffix of the PART mode.
  void addLabel(int x, int y, std::string_view label, int part, bool partMode, int residue = 0);
  /// Adds the label of peak `index`.
  void addPeakLabel(int x, int y, int index, int peakCount);
  /// Hands the texts to the canvas and empties the batch.
  void flush(Canvas& canvas);

 private:
  struct Item {
    int x, y;
    size_t begin, end;
  };
  std::string m_store;
  std::vector<Item> m_items;
  std::vector<PlacedText> m_placed;
};

struct Renderer::Buffers {
  std::array<std::vector<ScreenEntry>, 4> screen;  // per kind 1..3, entries 0..working count
  std::vector<Segment> segments;
  std::vector<Dot> dots;
  std::vector<Ball> balls;
  TextBatch texts;
  EllipsoidScene ellipsoids;
};

/// How the label layer treats H atoms.
enum class HLabelStyle {
  SpotsAndRings,  // standard picture: H spots and rings here, H labels at the end
  LabelsInLayer,  // stereo and SADI pictures: H labels here on a clear brush
};

/// One picture into one pane. Call project() first; every layer sets the pen, brush and font it
/// specifies and leaves the canvas state as the next layer expects it.
class PictureDrawer {
 public:
  PictureDrawer(Canvas& canvas, const model::StructureModel& structure,
                const geometry::ViewFrame& frame, const ScreenMapping& mapping,
                const RenderOptions& options, const GraphicsSettings& settings,
                Renderer::Buffers& buffers);

  /// Maps every entry in use to the pane and tests it against the slab.
  void project();
  const PictureSizes& sizes() const { return m_sizes; }
  const ScreenEntry& entry(model::AtomRef ref) const {
    return m_buffers.screen[static_cast<size_t>(ref.kind)][static_cast<size_t>(ref.index)];
  }

  void background();                // layer 1
  void selectionCount();            // layer 2
  void labels(HLabelStyle hStyle);  // layer 3
  void peakContacts();              // layer 4
  void hBonds();                    // layer 5
  void cellBox(int axisLabelRise);  // layer 6 (axis labels at (X + d, Y − rise))
  void mapMesh();                   // the map's contour mesh, when there is one
  void nonHBonds();                 // layer 7
  void peaks();                     // layer 8
  void atoms();                     // layer 9
  PictureResult overlays();         // layer 11
  void trailingHLabels();           // layer 12
  void sadiPairs();                 // the SADI picture's pairs
  /// The thermal-ellipsoid style in place of the bonds and balls; the labels on top.
  void ellipsoidAtoms();

  /// Whether H labels are shown: "ShowLab" and "Show Hs" on, "HideHLb" off, H atoms present.
  bool hLabelsShown() const;
  bool peaksShown() const;
  /// A reference to an entry in use (kind 1..3, index 1..working count).
  bool inUse(model::AtomRef ref) const;

 private:
  void selectionRing(const ScreenEntry& at, Color ringColor);
  Color ringColor() const;
  bool peakVisible(int index) const;
  void flushSegments();
  void flushDots(int radius);
  void flushBalls();
  /// The residue number a label of `kind` takes ("C1_2"); 0 for none.
  int labelResidue(int kind, int index) const;
  /// The mesh segments whose ends both lie in the slab, in one colour.
  void meshSegments(const std::vector<MapSegment>& segments, Color color);
  void hLabelsInto(TextBatch& batch);
  /// The pane point of the midpoint of two view positions.
  ScreenPoint midpoint(model::AtomRef a, model::AtomRef b) const;

  Canvas& m_canvas;
  const model::StructureModel& m_structure;
  const geometry::ViewFrame& m_frame;
  const ScreenMapping& m_mapping;
  const RenderOptions& m_options;
  const GraphicsSettings& m_settings;
  Renderer::Buffers& m_buffers;
  PictureSizes m_sizes;
};

/// Circle of radius r at (x, y) as an ellipse call.
inline void circle(Canvas& canvas, int x, int y, int r) {
  canvas.ellipse(x - r, y - r, x + r, y + r);
}

}  // namespace tavo::view
