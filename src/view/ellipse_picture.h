// The displacement-ellipse picture: every non-H atom an axis-aligned ellipse whose semi-axes grow
// with the square roots of two chosen diagonal U values.
#pragma once

#include <string_view>

#include "view/render_layers.h"

namespace tavo::view {

/// The caption of each component pair (SpinEdit25 = 1, 2, 3).
inline constexpr std::string_view ellipseCaptions[] = {
    "Image for U11 and U22", "Image for U22 and U33", "Image for U33 and U11"};

/// Round(F·45·√|U| / E) pixels, half to even, held in 0..255.
int ellipseSemiAxis(double u, int sizeFactor, double extent);

/// The two semi-axes (horizontal, vertical) of atom `index` for component pair `pair`; a
/// symmetry copy uses its own values (its source's, turned by the copy's operator). `isotropic`
/// is set when the atom is drawn as a circle of its Uiso.
struct EllipseAxes {
  int horizontal = 0;
  int vertical = 0;
  bool isotropic = false;
};
EllipseAxes ellipseAxes(const model::StructureModel& structure, int index, int pair, int sizeFactor,
                        double extent);

/// Draws the whole ellipse picture through `drawer` (which has not projected yet).
void drawEllipsePicture(PictureDrawer& drawer, Canvas& canvas,
                        const model::StructureModel& structure, const ScreenMapping& mapping,
                        const RenderOptions& options, const GraphicsSettings& settings);

}  // namespace tavo::view
