// The layers of the molecule pictures.
#include "view/render_layers.h"

#include <charconv>

#include "view/part_display.h"

namespace tavo::view {

using model::AtomKind;
using model::AtomRef;

namespace {

constexpr std::string_view selectCountText = "NSelect=";
// The count is written this far left of the pane's right edge: the main window lays its mode
// caption and the 'Hide' button over the top-right corner (about 190 pixels), and the count
// must stay readable beside them.
constexpr int selectCountFromRight = 300;

Color elementColor(const model::StructureModel& structure, int sfac) {
  if (sfac < 0 || sfac > structure.elements.capacity()) return black;
  return structure.elements[sfac].colorCode;
}

int countOf(const model::StructureModel& s, size_t kind) {
  switch (kind) {
    case 1:
      return s.workingAtomCount;
    case 2:
      return s.workingHCount;
    case 3:
      return s.workingPeakCount;
    default:
      return 0;
  }
}

}  // namespace

void TextBatch::add(int x, int y, std::string_view text) {
  const size_t begin = m_store.size();
  m_store += text;
  m_items.push_back({x, y, begin, m_store.size()});
}

void TextBatch::addLabel(int x, int y, std::string_view label, int part, bool partMode,
                         int residue) {
  const size_t begin = m_store.size();
  m_store += label;
  if (residue != 0) {
    m_store += '_';
    char digits[16];
    m_store.append(digits, std::to_chars(digits, digits + sizeof digits, residue).ptr);
  }
  if (partMode) {
    m_store += '<';
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, part).ptr;
    m_store.append(digits, end);
  }
  m_items.push_back({x, y, begin, m_store.size()});
}

void TextBatch::addPeakLabel(int x, int y, int index, int peakCount) {
  const size_t begin = m_store.size();
  char digits[16];
  const int copy = peakCount > 0 ? (index - 1) / peakCount : 0;
  m_store.append(digits,
                 std::to_chars(digits, digits + sizeof digits, filePeakOf(index, peakCount)).ptr);
  if (copy > 0) {
    m_store += '*';
    m_store.append(digits, std::to_chars(digits, digits + sizeof digits, copy).ptr);
  }
  m_items.push_back({x, y, begin, m_store.size()});
}

void TextBatch::flush(Canvas& canvas) {
  if (m_items.empty()) return;
  m_placed.clear();
  const std::string_view store = m_store;
  for (const Item& item : m_items) {
    m_placed.push_back({item.x, item.y, store.substr(item.begin, item.end - item.begin)});
  }
  canvas.texts(m_placed);
  clear();
}

PictureDrawer::PictureDrawer(Canvas& canvas, const model::StructureModel& structure,
                             const geometry::ViewFrame& frame, const ScreenMapping& mapping,
                             const RenderOptions& options, const GraphicsSettings& settings,
                             Renderer::Buffers& buffers)
    : m_canvas(canvas),
      m_structure(structure),
      m_frame(frame),
      m_mapping(mapping),
      m_options(options),
      m_settings(settings),
      m_buffers(buffers),
      m_sizes(mapping.view().pictureSizes(settings.nonHBallSize, options.labelSize)) {}

void PictureDrawer::project() {
  for (size_t kind = 1; kind <= 3; ++kind) {
    const int count = countOf(m_structure, kind);
    std::vector<ScreenEntry>& screen = m_buffers.screen[kind];
    screen.resize(static_cast<size_t>(count) + 1);
    const model::OneBased<model::Vec3>& view = m_structure.view[kind];
    for (int i = 1; i <= count && i <= view.capacity(); ++i) {
      const model::Vec3 p = m_mapping.seen(view[static_cast<size_t>(i)]);
      screen[static_cast<size_t>(i)] = {m_mapping.screenX(p.x), m_mapping.screenY(p.y),
                                        m_mapping.inSlab(p.z)};
    }
  }
  // A hidden PART is left out as an entry outside the slab is: no ball, bond or label.
  const PartDisplay* parts = m_options.parts;
  if (parts == nullptr || parts->hidden.empty()) return;
  for (int i = 1; i <= m_structure.workingAtomCount; ++i)
    if (parts->hides(m_structure.atoms[i].part))
      m_buffers.screen[1][static_cast<size_t>(i)].inSlab = false;
  for (int i = 1; i <= m_structure.workingHCount; ++i)
    if (parts->hides(m_structure.hydrogens[i].part))
      m_buffers.screen[2][static_cast<size_t>(i)].inSlab = false;
}

int PictureDrawer::labelResidue(int kind, int index) const {
  return m_options.parts == nullptr ? 0 : m_options.parts->labelResidue(m_structure, kind, index);
}

bool PictureDrawer::hLabelsShown() const {
  return m_options.showLabels && m_options.showHs && !m_options.hideHLabels &&
         m_structure.workingHCount > 0;
}

bool PictureDrawer::peaksShown() const {
  return m_options.showPeaks && m_structure.workingPeakCount > 0;
}

bool PictureDrawer::peakVisible(int index) const {
  return view::peakVisible(m_structure, index, m_options.peakThreshold);
}

Color PictureDrawer::ringColor() const {
  return m_options.mode == PictureMode::AlignVec ? pureRed : m_settings.selection1Color;
}

void PictureDrawer::selectionRing(const ScreenEntry& at, Color color) {
  m_canvas.setBrush(m_settings.backgroundColor);
  m_canvas.setPenWidth(m_settings.selectionWidth);
  m_canvas.setPenColor(color);
  circle(m_canvas, at.x, at.y, m_sizes.labelOffset);
}

void PictureDrawer::flushSegments() {
  if (!m_buffers.segments.empty()) m_canvas.lines(m_buffers.segments);
  m_buffers.segments.clear();
}

void PictureDrawer::flushDots(int radius) {
  if (!m_buffers.dots.empty()) m_canvas.circles(m_buffers.dots, radius);
  m_buffers.dots.clear();
}

void PictureDrawer::flushBalls() {
  if (m_buffers.balls.empty()) return;
  m_canvas.setPenWidth(m_settings.nonHBondWidth);
  m_canvas.balls(m_buffers.balls, m_settings.backgroundColor);
  m_buffers.balls.clear();
}

void PictureDrawer::background() {
  m_canvas.setPen(m_settings.nonHBondColor, m_settings.nonHBondWidth, PenStyle::Solid);
  m_canvas.setBrush(m_settings.backgroundColor);
  if (m_options.clearBackground) return;
  m_canvas.rectangle(-3, -3, m_mapping.paneWidth() + 3, m_mapping.paneHeight() + 3);
}

void PictureDrawer::ellipsoidAtoms() {
  drawEllipsoidScene(m_canvas, m_structure, m_frame, m_mapping, m_options, m_settings,
                     m_buffers.ellipsoids);
  m_canvas.setFontSize(m_sizes.labelFont);
  m_canvas.setBrushClear();
  labels(HLabelStyle::LabelsInLayer);
  m_canvas.setBrush(m_settings.backgroundColor);
}

void PictureDrawer::selectionCount() {
  m_canvas.setFont(black, 10);
  if (!m_options.selection.empty()) {
    const std::string text =
        std::string(selectCountText) + std::to_string(m_options.selection.size());
    m_canvas.text(m_mapping.paneWidth() - selectCountFromRight, 0, text);
  }
  m_canvas.setFontSize(m_sizes.labelFont);
}

void PictureDrawer::hLabelsInto(TextBatch& batch) {
  const int d = m_sizes.labelOffset;
  const bool partMode = m_options.mode == PictureMode::Part;
  for (int i = 1; i <= m_structure.workingHCount; ++i) {
    const ScreenEntry& e = m_buffers.screen[2][static_cast<size_t>(i)];
    if (!e.inSlab) continue;
    const model::Hydrogen& h = m_structure.hydrogens[i];
    batch.addLabel(e.x + d, e.y - d, h.label, h.part, partMode, labelResidue(2, i));
  }
}

void PictureDrawer::labels(HLabelStyle hStyle) {
  if (!m_options.showLabels) return;
  const int d = m_sizes.labelOffset;
  TextBatch& batch = m_buffers.texts;
  batch.clear();
  if (peaksShown()) {
    m_canvas.setFontColor(m_settings.peakLabelColor);
    for (int i = 1; i <= m_structure.workingPeakCount; ++i) {
      const ScreenEntry& e = m_buffers.screen[3][static_cast<size_t>(i)];
      if (e.inSlab && peakVisible(i))
        batch.addPeakLabel(e.x + d, e.y - d, i, m_structure.peakCount);
    }
    batch.flush(m_canvas);
  }
  if (hLabelsShown()) {
    if (hStyle == HLabelStyle::LabelsInLayer) {
      m_canvas.setFontColor(m_settings.hLabelColor);
      m_canvas.setBrushClear();
      hLabelsInto(batch);
      batch.flush(m_canvas);
    } else {
      for (int i = 1; i <= m_structure.workingHCount; ++i) {
        const ScreenEntry& e = m_buffers.screen[2][static_cast<size_t>(i)];
        if (!e.inSlab) continue;
        if (m_options.viewHs) {
          m_canvas.setPenColor(pureBlue);
          circle(m_canvas, e.x, e.y, d / 3);
          m_canvas.setPenColor(m_settings.hStickColor);
        }
        if (m_structure.selected[2][static_cast<size_t>(i)] == 1) selectionRing(e, ringColor());
      }
    }
  }
  m_canvas.setFontColor(m_settings.nonHLabelColor);
  const bool partMode = m_options.mode == PictureMode::Part;
  for (int i = 1; i <= m_structure.workingAtomCount; ++i) {
    const ScreenEntry& e = m_buffers.screen[1][static_cast<size_t>(i)];
    if (!e.inSlab) continue;
    const model::Atom& atom = m_structure.atoms[i];
    batch.addLabel(e.x + d, e.y - d, atom.label, atom.part, partMode, labelResidue(1, i));
  }
  batch.flush(m_canvas);
}

void PictureDrawer::peakContacts() {
  if (!peaksShown()) return;
  m_canvas.setPen(m_settings.peakBondColor, m_settings.peakDotWidth, PenStyle::Dotted);
  const auto& peaks = m_buffers.screen[3];
  const auto& atoms = m_buffers.screen[1];
  const int peakCount = m_structure.workingPeakCount;
  const int atomCount = m_structure.workingAtomCount;
  for (const model::Bond& b : m_structure.bonds.kinds[3]) {
    if (b.first < 1 || b.first > peakCount || b.second < 1 || b.second > atomCount) continue;
    const ScreenEntry& p = peaks[static_cast<size_t>(b.first)];
    const ScreenEntry& a = atoms[static_cast<size_t>(b.second)];
    if (p.inSlab && a.inSlab && peakVisible(b.first)) {
      m_buffers.segments.push_back({p.x, p.y, a.x, a.y});
    }
  }
  for (const model::Bond& b : m_structure.bonds.kinds[4]) {
    if (b.first < 1 || b.first > peakCount || b.second < 1 || b.second > peakCount) continue;
    const ScreenEntry& p = peaks[static_cast<size_t>(b.first)];
    const ScreenEntry& q = peaks[static_cast<size_t>(b.second)];
    if (p.inSlab && q.inSlab && peakVisible(b.first) && peakVisible(b.second)) {
      m_buffers.segments.push_back({p.x, p.y, q.x, q.y});
    }
  }
  flushSegments();
}

void PictureDrawer::hBonds() {
  m_canvas.setPenStyle(PenStyle::Solid);
  if (!m_options.showHs || m_structure.workingHCount <= 0) return;
  m_canvas.setPen(m_settings.hStickColor, m_settings.hStickWidth);
  const auto& hs = m_buffers.screen[2];
  const auto& atoms = m_buffers.screen[1];
  for (const model::Bond& b : m_structure.bonds.kinds[2]) {
    if (b.first < 1 || b.first > m_structure.workingHCount || b.second < 1 ||
        b.second > m_structure.workingAtomCount) {
      continue;
    }
    const ScreenEntry& h = hs[static_cast<size_t>(b.first)];
    const ScreenEntry& a = atoms[static_cast<size_t>(b.second)];
    if (!h.inSlab || !a.inSlab) continue;
    m_buffers.segments.push_back({h.x, h.y, a.x, a.y});
    if (m_structure.selected[2][static_cast<size_t>(b.first)] == 1) {
      flushSegments();
      selectionRing(h, ringColor());
      m_canvas.setPen(m_settings.hStickColor, m_settings.hStickWidth);
    }
  }
  flushSegments();
}

void PictureDrawer::cellBox(int axisLabelRise) {
  if (!m_options.showCell) return;
  ScreenPoint corner[9];
  for (size_t k = 1; k <= 8; ++k)
    corner[k] = m_mapping.toScreen(m_frame.viewSlots[k]);
  m_canvas.setPen(m_settings.cellBoxColor, m_settings.cellLineWidth);
  static constexpr int path[][2] = {{1, 2}, {2, 3}, {3, 4}, {4, 1}, {1, 5}, {5, 6},
                                    {6, 7}, {7, 8}, {8, 5}, {2, 6}, {3, 7}, {4, 8}};
  for (const auto& edge : path) {
    const ScreenPoint& a = corner[edge[0]];
    const ScreenPoint& b = corner[edge[1]];
    m_buffers.segments.push_back({a.x, a.y, b.x, b.y});
  }
  flushSegments();
  if (!m_options.labelAxes) return;
  m_canvas.setFont(m_settings.cellBoxColor, m_sizes.axisLabelFont);
  const int d = m_sizes.labelOffset;
  static constexpr std::pair<int, std::string_view> axisLabels[] = {
      {1, "0"}, {2, "A"}, {4, "B"}, {5, "C"}};
  for (const auto& [k, text] : axisLabels) {
    m_canvas.text(corner[k].x + d, corner[k].y - axisLabelRise, text);
  }
  m_canvas.setFontSize(m_sizes.labelFont);
}

void PictureDrawer::mapMesh() {
  if (m_options.map == nullptr) return;
  meshSegments(m_options.map->positive, mapPositiveColor);
  meshSegments(m_options.map->negative, mapNegativeColor);
}

void PictureDrawer::meshSegments(const std::vector<MapSegment>& segments, Color color) {
  if (segments.empty()) return;
  // A fractional point lies where an atom at that point lies: the view position of the
  // fractional origin plus the steps along the cell edges in their current orientation.
  const model::Vec3 origin = m_frame.viewSlots[geometry::fractionalOriginSlot];
  const model::Vec3 a = m_frame.edgeA(), b = m_frame.edgeB(), c = m_frame.edgeC();
  const auto seen = [&](const geometry::Fractional& f) {
    return m_mapping.seen(origin + f.x * a + f.y * b + f.z * c);
  };
  m_canvas.setPen(color, 1);
  for (const MapSegment& s : segments) {
    const model::Vec3 p = seen(s.from);
    const model::Vec3 q = seen(s.to);
    if (!m_mapping.inSlab(p.z) || !m_mapping.inSlab(q.z)) continue;
    m_buffers.segments.push_back({m_mapping.screenX(p.x), m_mapping.screenY(p.y),
                                  m_mapping.screenX(q.x), m_mapping.screenY(q.y)});
  }
  flushSegments();
}

void PictureDrawer::nonHBonds() {
  m_canvas.setPen(m_settings.nonHBondColor, m_settings.nonHBondWidth);
  const auto& atoms = m_buffers.screen[1];
  const int count = m_structure.workingAtomCount;
  for (const model::Bond& b : m_structure.bonds.kinds[1]) {
    if (b.first < 1 || b.first > count || b.second < 1 || b.second > count) continue;
    const ScreenEntry& p = atoms[static_cast<size_t>(b.first)];
    const ScreenEntry& q = atoms[static_cast<size_t>(b.second)];
    if (p.inSlab && q.inSlab) m_buffers.segments.push_back({p.x, p.y, q.x, q.y});
  }
  flushSegments();
}

void PictureDrawer::peaks() {
  if (!peaksShown()) return;
  m_canvas.setPen(m_settings.peakBondColor, m_settings.peakDotWidth);
  m_canvas.setBrush(m_settings.backgroundColor);
  const int dotRadius = roundedSize(0.7 * m_sizes.ballRadius);
  for (int i = 1; i <= m_structure.workingPeakCount; ++i) {
    const ScreenEntry& e = m_buffers.screen[3][static_cast<size_t>(i)];
    if (!e.inSlab || !peakVisible(i)) continue;
    if (m_structure.selected[3][static_cast<size_t>(i)] == 1) {
      flushDots(dotRadius);
      selectionRing(e, ringColor());
      m_canvas.setPen(m_settings.peakBondColor, m_settings.peakDotWidth);
    }
    m_buffers.dots.push_back({e.x, e.y});
  }
  flushDots(dotRadius);
}

void PictureDrawer::atoms() {
  const int r = m_sizes.ballRadius;
  const int a = roundedSize(1.2 * r);
  const int b = roundedSize(0.2 * r);
  for (int i = 1; i <= m_structure.workingAtomCount; ++i) {
    const ScreenEntry& e = m_buffers.screen[1][static_cast<size_t>(i)];
    if (!e.inSlab) continue;
    const model::Atom& atom = m_structure.atoms[i];
    const Color color =
        drawnColor(m_options.parts, atom.part, elementColor(m_structure, atom.sfac));
    const bool filled = i > m_structure.nonHCount || atom.aniso != 0;
    const std::uint8_t flag = m_structure.selected[1][static_cast<size_t>(i)];
    const bool ownFile = i <= m_structure.nonHCount;
    const bool hfixMarker = ownFile && atom.afixGroup == -1;
    const bool anisMarker = ownFile && atom.aniso == -1;
    if (flag == 0 && !hfixMarker && !anisMarker) {
      m_buffers.balls.push_back({e.x, e.y, r, color, filled});
      continue;
    }
    flushBalls();
    if (flag != 0) selectionRing(e, flag == 1 ? ringColor() : m_settings.selection2Color);
    m_canvas.setPen(color, m_settings.nonHBondWidth);
    m_canvas.setBrush(filled ? color : m_settings.backgroundColor);
    circle(m_canvas, e.x, e.y, r);
    if (hfixMarker) {
      m_canvas.setPen(m_settings.hStickColor, m_settings.hStickWidth);
      m_canvas.line(e.x - 2 * r, e.y - 2 * r, e.x + 2 * r, e.y + 2 * r);
      m_canvas.line(e.x - 2 * r, e.y + 2 * r, e.x + 2 * r, e.y - 2 * r);
    }
    if (anisMarker) {
      m_canvas.setPenColor(m_settings.hStickColor);
      m_canvas.ellipse(e.x - a, e.y - b, e.x + a, e.y + b);
      m_canvas.ellipse(e.x - b, e.y - a, e.x + b, e.y + a);
    }
  }
  flushBalls();
}

void PictureDrawer::trailingHLabels() {
  if (!hLabelsShown()) return;
  m_canvas.setFontColor(m_settings.hLabelColor);
  m_canvas.setBrushClear();
  hLabelsInto(m_buffers.texts);
  m_buffers.texts.flush(m_canvas);
}

void PictureDrawer::sadiPairs() {
  m_canvas.setPen(m_settings.selection1Color, m_settings.nonHBondWidth);
  const auto& atoms = m_buffers.screen[1];
  const std::span<const AtomRef> selection = m_options.selection;
  for (size_t k = 0; k + 1 < selection.size(); k += 2) {
    const int i = selection[k].index;
    const int j = selection[k + 1].index;
    if (i < 1 || j < 1 || i > m_structure.workingAtomCount || j > m_structure.workingAtomCount) {
      continue;
    }
    const ScreenEntry& p = atoms[static_cast<size_t>(i)];
    const ScreenEntry& q = atoms[static_cast<size_t>(j)];
    if (p.inSlab && q.inSlab) m_canvas.line(p.x, p.y, q.x, q.y);
  }
  m_canvas.setPenColor(m_settings.nonHBondColor);
  m_canvas.setPenWidth(1);
}

}  // namespace tavo::view
