// The thermal-ellipsoid style of the molecule picture: every atom drawn as the probability
// surface of its displacement parameters, bonds drawn between the surfaces, far to near.
#pragma once

#include <vector>

#include "geometry/view_frame.h"
#include "model/structure_model.h"
#include "view/canvas.h"
#include "view/ellipsoids.h"
#include "view/graphics_settings.h"
#include "view/render_options.h"
#include "view/screen_mapping.h"

namespace tavo::view {

/// Radius in Å of the small spheres the H atoms are drawn as.
inline constexpr double hydrogenSphereRadius = 0.1;

/// One atom of the scene: its ellipsoid in the frame the pane sees (x right, y up, z towards
/// the viewer), where it is drawn and how.
struct SceneAtom {
  Ellipsoid shape;
  Outline outline;      // Å², in the pane's xy plane
  double x = 0, y = 0;  // pane pixels
  double depth = 0;     // view z, Å
  Color color = black;
  bool sphere = false;  // isotropic or H: outline only
  bool selected = false;
};

/// The working buffers of the scene, kept between pictures.
struct EllipsoidScene {
  std::vector<SceneAtom> atoms;
  struct Bond {
    int first = 0, second = 0;  // indices into atoms
    bool hydrogen = false;
    double depth = 0;
  };
  std::vector<Bond> bonds;
  std::vector<std::pair<double, int>> order;  // depth, then atom index or −1 − bond index
  std::vector<int> sceneIndex;                // per table entry (atoms then H atoms)
  std::vector<PointF> points;
};

/// The N points of an outline of semi-axes `a`, `b` (pixels) turned by `angleRad` about the
/// pane point (x, y), in pane coordinates (rows downwards).
void outlinePoints(double x, double y, const OutlineAxes& axes, double pixelsPerA,
                   std::vector<PointF>& points, int count = 72);

/// Draws the atoms of the AtomTable (and the H atoms when shown) as ellipsoids with the bonds
/// between them, sorted by depth, at the probability of `options`.
void drawEllipsoidScene(Canvas& canvas, const model::StructureModel& structure,
                        const geometry::ViewFrame& frame, const ScreenMapping& mapping,
                        const RenderOptions& options, const GraphicsSettings& settings,
                        EllipsoidScene& scene);

}  // namespace tavo::view
