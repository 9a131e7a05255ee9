// The thermal-ellipsoid style of the molecule picture.
#include "view/ellipsoid_layer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavo::view {

using model::Vec3;

namespace {

constexpr int boundarySteps = 36;  // points of half a principal ellipse
constexpr int npdMarkRadius = 6;   // pixels: the square and cross of a U that is no ellipsoid

Color elementColor(const model::StructureModel& structure, int sfac) {
  if (sfac < 0 || sfac > structure.elements.capacity()) return black;
  return structure.elements[sfac].colorCode;
}

/// The colour darkened to `share` of its brightness: the shaded octant.
Color darker(Color color, double share) {
  const auto scaled = [share](int channel) {
    return std::clamp(static_cast<int>(std::lround(channel * share)), 0, 255);
  };
  return scaled(redOf(color)) | scaled(greenOf(color)) << 8 | scaled(blueOf(color)) << 16;
}

class SceneBuilder {
 public:
  SceneBuilder(const model::StructureModel& structure, const geometry::ViewFrame& frame,
               const ScreenMapping& mapping, const RenderOptions& options, EllipsoidScene& scene)
      : m_structure(structure),
        m_mapping(mapping),
        m_options(options),
        m_scene(scene),
        m_scale(probabilityScale(options.ellipsoidProbability)),
        m_edges{mapping.seen(frame.edgeA()), mapping.seen(frame.edgeB()),
                mapping.seen(frame.edgeC())} {}

  void build() {
    m_scene.atoms.clear();
    m_scene.bonds.clear();
    m_scene.order.clear();
    const int atomCount = m_structure.workingAtomCount;
    const int hCount = m_options.showHs ? m_structure.workingHCount : 0;
    m_scene.sceneIndex.assign(static_cast<size_t>(atomCount + hCount) + 2, -1);
    for (int i = 1; i <= atomCount && i <= m_structure.view[1].capacity(); ++i)
      addAtom(i);
    for (int i = 1; i <= hCount && i <= m_structure.view[2].capacity(); ++i)
      addHydrogen(i);
    addBonds(1, atomCount, 0);
    if (hCount > 0) addBonds(2, hCount, atomCount);
    for (size_t k = 0; k < m_scene.atoms.size(); ++k)
      m_scene.order.emplace_back(m_scene.atoms[k].depth, static_cast<int>(k));
    for (size_t k = 0; k < m_scene.bonds.size(); ++k)
      m_scene.order.emplace_back(m_scene.bonds[k].depth, -1 - static_cast<int>(k));
    // Far first; at equal depth the bonds go under the atoms.
    std::stable_sort(m_scene.order.begin(), m_scene.order.end(), [](const auto& p, const auto& q) {
      if (p.first != q.first) return p.first < q.first;
      return p.second < q.second;
    });
  }

 private:
  bool place(SceneAtom& a, int kind, int index) {
    const Vec3 p = m_mapping.seen(m_structure.view[static_cast<size_t>(kind)][index]);
    if (!m_mapping.inSlab(p.z)) return false;
    a.x = m_mapping.paneWidth() / 2 + m_mapping.view().scale * p.x / m_mapping.extent();
    a.y = m_mapping.paneHeight() / 2 - m_mapping.view().scale * p.y / m_mapping.extent();
    a.depth = p.z;
    a.selected = m_structure.selected[static_cast<size_t>(kind)][static_cast<size_t>(index)] != 0;
    return true;
  }

  void addAtom(int i) {
    SceneAtom a;
    if (!place(a, 1, i)) return;
    const model::Atom& atom = m_structure.atoms[i];
    a.color = elementColor(m_structure, atom.sfac);
    if (atom.aniso == 1) {
      a.shape = ellipsoidOf(cartesianU(m_edges[0], m_edges[1], m_edges[2], atom), m_scale);
    } else {
      a.shape = sphereOf(atom.u11, m_scale);
      a.sphere = true;
    }
    finish(a, static_cast<size_t>(i));
  }

  void addHydrogen(int i) {
    SceneAtom a;
    if (!place(a, 2, i)) return;
    a.color = elementColor(m_structure, m_structure.hydrogens[i].sfac);
    a.shape = sphereOf(hydrogenSphereRadius * hydrogenSphereRadius, 1.0);
    a.sphere = true;
    finish(a, static_cast<size_t>(m_structure.workingAtomCount + i));
  }

  void finish(SceneAtom& a, size_t slot) {
    a.outline = outlineOf(a.shape);
    if (a.shape.npd) {
      // Bonds stop at the mark.
      const double r = npdMarkRadius * m_mapping.extent() / std::max(m_mapping.view().scale, 1);
      a.outline = {r * r, 0, r * r};
    }
    m_scene.sceneIndex[slot] = static_cast<int>(m_scene.atoms.size());
    m_scene.atoms.push_back(a);
  }

  // Bonds of kind 1 (atom–atom) or 2 (H–atom: first an H atom, offset by the atom count).
  void addBonds(size_t kind, int firstCount, int firstOffset) {
    const int atomCount = m_structure.workingAtomCount;
    for (const model::Bond& b : m_structure.bonds.kinds[kind]) {
      if (b.first < 1 || b.first > firstCount || b.second < 1 || b.second > atomCount) continue;
      const int p = m_scene.sceneIndex[static_cast<size_t>(firstOffset + b.first)];
      const int q = m_scene.sceneIndex[static_cast<size_t>(b.second)];
      if (p < 0 || q < 0) continue;
      const double depth = (m_scene.atoms[static_cast<size_t>(p)].depth +
                            m_scene.atoms[static_cast<size_t>(q)].depth) /
                           2;
      m_scene.bonds.push_back({p, q, kind == 2, depth});
    }
  }

  const model::StructureModel& m_structure;
  const ScreenMapping& m_mapping;
  const RenderOptions& m_options;
  EllipsoidScene& m_scene;
  double m_scale;
  Vec3 m_edges[3];
};

class SceneDrawer {
 public:
  SceneDrawer(Canvas& canvas, const ScreenMapping& mapping, const RenderOptions& options,
              const GraphicsSettings& settings, EllipsoidScene& scene)
      : m_canvas(canvas),
        m_options(options),
        m_settings(settings),
        m_scene(scene),
        m_pixelsPerA(mapping.view().scale / mapping.extent()) {}

  void draw() {
    for (const auto& [depth, item] : m_scene.order) {
      if (item >= 0) {
        atom(m_scene.atoms[static_cast<size_t>(item)]);
      } else {
        bond(m_scene.bonds[static_cast<size_t>(-1 - item)]);
      }
    }
  }

 private:
  PointF toPane(const SceneAtom& a, const Vec3& v) const {
    return {a.x + m_pixelsPerA * v.x, a.y - m_pixelsPerA * v.y};
  }

  void bond(const EllipsoidScene::Bond& b) {
    const SceneAtom& p = m_scene.atoms[static_cast<size_t>(b.first)];
    const SceneAtom& q = m_scene.atoms[static_cast<size_t>(b.second)];
    // In Å of the pane plane (y up), from p to q.
    const double dx = (q.x - p.x) / m_pixelsPerA;
    const double dy = (p.y - q.y) / m_pixelsPerA;
    const double from = outlineReach(p.outline, dx, dy);
    const double to = 1 - outlineReach(q.outline, -dx, -dy);
    if (!(from < to)) return;
    if (b.hydrogen) {
      m_canvas.setPen(m_settings.hStickColor, m_settings.hStickWidth);
    } else {
      m_canvas.setPen(m_settings.nonHBondColor, m_settings.nonHBondWidth);
    }
    const PointF ends[] = {{p.x + from * (q.x - p.x), p.y + from * (q.y - p.y)},
                           {p.x + to * (q.x - p.x), p.y + to * (q.y - p.y)}};
    m_canvas.polyline(ends);
  }

  void atom(const SceneAtom& a) {
    if (a.shape.npd) {
      npdMark(a);
      return;
    }
    outlinePoints(a.x, a.y, outlineAxes(a.outline), m_pixelsPerA, m_scene.points);
    m_canvas.setPen(a.selected ? m_settings.selection1Color : m_settings.nonHBondColor,
                    a.selected ? std::max(m_settings.selectionWidth, 2) : 1);
    m_canvas.setBrush(a.color);
    m_canvas.polygon(m_scene.points);
    if (a.sphere) return;
    if (m_options.octantShading) octant(a);
    if (m_options.principalEllipses) boundaries(a);
  }

  // A square with a cross: this U has no ellipsoid.
  void npdMark(const SceneAtom& a) {
    const int x = static_cast<int>(std::lround(a.x));
    const int y = static_cast<int>(std::lround(a.y));
    const int r = npdMarkRadius;
    m_canvas.setPen(a.color, 2);
    m_canvas.setBrush(m_settings.backgroundColor);
    m_canvas.rectangle(x - r, y - r, x + r, y + r);
    m_canvas.setPen(pureRed, 2);
    m_canvas.line(x - r, y - r, x + r, y + r);
    m_canvas.line(x - r, y + r, x + r, y - r);
  }

  Vec3 tip(const SceneAtom& a, size_t k, double sign) const {
    return (sign * a.shape.radii[k]) * a.shape.axes[k];
  }

  // The front halves of the three principal ellipses: on the ellipse cos t·rᵢeᵢ + sin t·rⱼeⱼ the
  // surface normal faces the viewer where cos t·eᵢ.z/rᵢ + sin t·eⱼ.z/rⱼ > 0, half a turn about φ.
  void boundaries(const SceneAtom& a) {
    m_canvas.setPen(m_settings.nonHBondColor, 1);
    for (size_t i = 0; i < 3; ++i) {
      const size_t j = (i + 1) % 3;
      const double facingA = a.shape.axes[i].z / a.shape.radii[i];
      const double facingB = a.shape.axes[j].z / a.shape.radii[j];
      const double middle = std::atan2(facingB, facingA);
      m_scene.points.clear();
      for (int s = 0; s <= boundarySteps; ++s) {
        const double t = middle - std::numbers::pi / 2 + std::numbers::pi * s / boundarySteps;
        m_scene.points.push_back(toPane(a, std::cos(t) * a.shape.radii[i] * a.shape.axes[i] +
                                               std::sin(t) * a.shape.radii[j] * a.shape.axes[j]));
      }
      m_canvas.polyline(m_scene.points);
    }
  }

  // The octant whose three axes point towards the viewer: the patch of surface between the
  // quarter arcs joining the three axis tips, filled darker, with the axes to the tips.
  void octant(const SceneAtom& a) {
    Vec3 tips[3];
    for (size_t k = 0; k < 3; ++k)
      tips[k] = tip(a, k, a.shape.axes[k].z < 0 ? -1.0 : 1.0);
    m_scene.points.clear();
    constexpr int quarter = boundarySteps / 2;
    for (size_t k = 0; k < 3; ++k) {
      const Vec3& from = tips[k];
      const Vec3& to = tips[(k + 1) % 3];
      for (int s = 0; s < quarter; ++s) {
        const double t = std::numbers::pi / 2 * s / quarter;
        m_scene.points.push_back(toPane(a, std::cos(t) * from + std::sin(t) * to));
      }
    }
    m_canvas.setPen(m_settings.nonHBondColor, 1);
    m_canvas.setBrush(darker(a.color, 0.55));
    m_canvas.polygon(m_scene.points);
    for (const Vec3& t : tips) {
      const PointF segment[] = {toPane(a, {}), toPane(a, t)};
      m_canvas.polyline(segment);
    }
  }

  Canvas& m_canvas;
  const RenderOptions& m_options;
  const GraphicsSettings& m_settings;
  EllipsoidScene& m_scene;
  double m_pixelsPerA;
};

}  // namespace

void outlinePoints(double x, double y, const OutlineAxes& axes, double pixelsPerA,
                   std::vector<PointF>& points, int count) {
  points.clear();
  const double c = std::cos(axes.angleRad), s = std::sin(axes.angleRad);
  for (int k = 0; k < count; ++k) {
    const double t = 2 * std::numbers::pi * k / count;
    const double u = axes.major * std::cos(t), v = axes.minor * std::sin(t);
    points.push_back({x + pixelsPerA * (c * u - s * v), y - pixelsPerA * (s * u + c * v)});
  }
}

void drawEllipsoidScene(Canvas& canvas, const model::StructureModel& structure,
                        const geometry::ViewFrame& frame, const ScreenMapping& mapping,
                        const RenderOptions& options, const GraphicsSettings& settings,
                        EllipsoidScene& scene) {
  SceneBuilder(structure, frame, mapping, options, scene).build();
  SceneDrawer(canvas, mapping, options, settings, scene).draw();
}

}  // namespace tavo::view
