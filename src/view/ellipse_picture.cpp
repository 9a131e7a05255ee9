// The displacement-ellipse picture.
#include "view/ellipse_picture.h"

#include <algorithm>
#include <cmath>

namespace tavo::view {

int ellipseSemiAxis(double u, int sizeFactor, double extent) {
  return roundedSize(sizeFactor * 45.0 * std::sqrt(std::fabs(u)) / extent);
}

EllipseAxes ellipseAxes(const model::StructureModel& structure, int index, int pair, int sizeFactor,
                        double extent) {
  // A symmetry copy carries the displacement parameters of its source turned by its operator.
  const model::Atom& atom = structure.atoms[index];
  if (atom.aniso != 1) {
    const int radius = ellipseSemiAxis(atom.u11, sizeFactor, extent);
    return {radius, radius, true};
  }
  const double components[] = {atom.u11, atom.u22, atom.u33};
  const int first = std::clamp(pair, 1, 3) - 1;
  const int second = (first + 1) % 3;
  return {ellipseSemiAxis(components[first], sizeFactor, extent),
          ellipseSemiAxis(components[second], sizeFactor, extent), false};
}

void drawEllipsePicture(PictureDrawer& drawer, Canvas& canvas,
                        const model::StructureModel& structure, const ScreenMapping& mapping,
                        const RenderOptions& options, const GraphicsSettings& settings) {
  const PictureSizes& sizes = drawer.sizes();
  const int raise = roundedSize(settings.nonHBallSize / std::sqrt(mapping.extent()) + 7);
  drawer.project();
  drawer.background();
  canvas.setFontSize(sizes.labelFont);
  canvas.setPenStyle(PenStyle::Solid);
  drawer.cellBox(raise);
  drawer.mapMesh();
  drawer.nonHBonds();
  // The caption takes the label colour, chosen to show on the background.
  canvas.setFont(settings.nonHLabelColor, 10);
  const int pair = std::clamp(options.ellipsePair, 1, 3);
  canvas.text(mapping.paneWidth() - 200, mapping.paneHeight() - 30, ellipseCaptions[pair - 1]);
  canvas.setFontSize(sizes.labelFont);
  for (int i = 1; i <= structure.workingAtomCount; ++i) {
    const ScreenEntry& e = drawer.entry({model::AtomKind::Atom, i});
    if (!e.inSlab) continue;
    const EllipseAxes axes =
        ellipseAxes(structure, i, pair, options.ellipseSizeFactor, mapping.extent());
    const int sfac = structure.atoms[i].sfac;
    const Color color = sfac >= 0 && sfac <= structure.elements.capacity()
                            ? structure.elements[sfac].colorCode
                            : black;
    canvas.setPen(axes.isotropic ? settings.selection1Color : color, settings.ellipseLineWidth);
    canvas.setBrush(settings.backgroundColor);
    canvas.ellipse(e.x - axes.horizontal, e.y - axes.vertical, e.x + axes.horizontal,
                   e.y + axes.vertical);
  }
  if (options.showLabels) {
    canvas.setFontColor(settings.nonHLabelColor);
    const int d = sizes.labelOffset;
    for (int i = 1; i <= structure.workingAtomCount; ++i) {
      const ScreenEntry& e = drawer.entry({model::AtomKind::Atom, i});
      if (!e.inSlab) continue;
      const model::Atom& atom = structure.atoms[i];
      canvas.text(e.x - d, e.y - d, drawnLabel(atom.label, atom.part, options.mode));
    }
  }
  canvas.show();
}

}  // namespace tavo::view
