// Least-squares planes through picked atoms and the plane window.
#include "workbench/geometry_commands.h"

#include <algorithm>

#include "geometry/cell_metrics.h"
#include "model/atom_lookup.h"
#include "model/file_replace.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::workbench {

namespace {

using model::AtomKind;
using model::AtomRef;

std::string esdText(const std::optional<double>& esd) {
  return esd ? text::gridNumber(*esd) : "undefined";
}

/// The label as SHELXL names the atom: LABEL_N inside residue N.
std::string labelOf(const model::StructureModel& s, AtomRef ref) {
  const int residue = model::residueNumberOf(s, ref);
  const std::string suffix = residue != 0 ? "_" + std::to_string(residue) : "";
  switch (ref.kind) {
    case AtomKind::Atom:
      return text::trimLine(s.atoms[ref.index].label) + suffix;
    case AtomKind::Hydrogen:
      return text::trimLine(s.hydrogens[ref.index].label) + suffix;
    case AtomKind::Peak:
      return "Q" + std::to_string(ref.index);
    case AtomKind::None:
      break;
  }
  return "";
}

/// The position in Å in the Cartesian frame of the cell (a along X, b in the XY plane).
model::Vec3 cartesianPosition(const model::StructureModel& s, AtomRef ref) {
  return geometry::cartesianOf(s.cell, geometry::fractionalOf(s, ref));
}

constexpr int distanceDecimals = 4;  // Å, where the esd is undefined
constexpr int angleDecimals = 2;     // degrees, likewise

/// A grid row as one line of the report: the cells separated by one tab.
std::string tabbed(const std::vector<std::string>& row) {
  std::string line;
  for (std::size_t c = 0; c < row.size(); ++c)
    line += (c == 0 ? "" : "\t") + row[c];
  return line;
}

}  // namespace

GeometryCommands::GeometryCommands(CommandContext context) : m_context(context) {
  resetWindow();
  // Planes belong to one structure: another structure starts with an empty window.
  m_context.state.followLoad([this] {
    const bool shown = m_window.visible;
    resetWindow();
    m_window.visible = shown;
    if (shown) refreshAtomRows();
  });
  // Edits, expansions and purges end in a detection: the atom rows and their distances follow
  // while the window is shown (showing it refreshes them).
  m_context.state.followDetection([this] {
    if (m_window.visible) refreshAtomRows();
  });
}

void GeometryCommands::resetWindow() {
  m_window = PlaneWindow{};
  m_planes.assign(1, std::nullopt);
  m_lastU.reset();
  m_window.atoms = text::TextGrid(1, 5);
  m_window.results = text::TextGrid(planeLabelRow, 2);
  m_window.dihedrals = text::TextGrid(1, 1);
  refreshResults();
}

const std::optional<CalculatedPlane>& GeometryCommands::plane(int number) const {
  static const std::optional<CalculatedPlane> none;
  if (number < 1 || number > static_cast<int>(m_planes.size())) return none;
  return m_planes[static_cast<std::size_t>(number - 1)];
}

std::vector<AtomRef> GeometryCommands::atomRows() const {
  const model::StructureModel& s = m_context.state.structure;
  std::vector<AtomRef> rows;
  rows.reserve(static_cast<std::size_t>(s.workingAtomCount + s.workingHCount));
  for (int i = 1; i <= s.workingAtomCount; ++i)
    rows.push_back({AtomKind::Atom, i});
  for (int i = 1; i <= s.workingHCount; ++i)
    rows.push_back({AtomKind::Hydrogen, i});
  return rows;
}

void GeometryCommands::refreshAtomRows() {
  const model::StructureModel& s = m_context.state.structure;
  const std::vector<AtomRef> rows = atomRows();
  text::TextGrid grid(static_cast<int>(rows.size()) + 1, m_window.totalPlanes + 4);
  grid.setRow(0, {"Atom Label", "X (angstrm)", "Y (angstrm)", "Z (angstrm)"});
  for (int k = 1; k <= m_window.totalPlanes; ++k)
    grid.setCell(0, k + 3, "Shift(A)@Plane_" + std::to_string(k));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const int row = static_cast<int>(r) + 1;
    const model::Vec3 p = cartesianPosition(s, rows[r]);
    grid.setRow(row, {labelOf(s, rows[r]), text::gridNumber(p.x), text::gridNumber(p.y),
                      text::gridNumber(p.z)});
    for (int k = 1; k <= m_window.totalPlanes; ++k) {
      const std::optional<CalculatedPlane>& calculated = plane(k);
      if (!calculated) continue;
      grid.setCell(
          row, k + 3,
          geometry::valueWithEsd(geometry::planeDistance(calculated->fit, p), distanceDecimals));
    }
  }
  m_window.atoms = std::move(grid);
}

void GeometryCommands::refreshResults() {
  std::size_t labels = 0;
  for (const auto& p : m_planes)
    if (p) labels = std::max(labels, p->labels.size());
  text::TextGrid grid(planeLabelRow + static_cast<int>(labels), m_window.totalPlanes + 1);
  for (int r = 0; r < static_cast<int>(std::size(planeResultRows)); ++r)
    grid.setCell(r + 1, 0, std::string(planeResultRows[r]));
  for (int k = 1; k <= m_window.totalPlanes; ++k) {
    grid.setCell(0, k, "Plane " + std::to_string(k));
    const std::optional<CalculatedPlane>& calculated = plane(k);
    if (!calculated) continue;
    const geometry::PlaneFit& fit = calculated->fit;
    const std::optional<model::Vec3> normalEsd = geometry::normalEsds(fit);
    const double u = fit.rms * fit.rms * fit.count;
    const std::vector<std::string> column = {
        text::gridNumber(fit.normal.x),
        text::gridNumber(fit.normal.y),
        text::gridNumber(fit.normal.z),
        text::gridNumber(fit.d),
        esdText(normalEsd ? std::optional(normalEsd->x) : std::nullopt),
        esdText(normalEsd ? std::optional(normalEsd->y) : std::nullopt),
        esdText(normalEsd ? std::optional(normalEsd->z) : std::nullopt),
        esdText(geometry::offsetEsd(fit)),
        text::gridNumber(u),
        text::gridNumber(fit.rms),
        text::gridNumber(geometry::acrossPlaneShare(fit))};
    for (std::size_t r = 0; r < column.size(); ++r)
      grid.setCell(static_cast<int>(r) + 1, k, column[r]);
    for (std::size_t i = 0; i < calculated->labels.size(); ++i)
      grid.setCell(planeLabelRow + static_cast<int>(i), k, calculated->labels[i]);
  }
  m_window.results = std::move(grid);
  refreshDihedrals();
}

void GeometryCommands::refreshDihedrals() {
  const int total = m_window.totalPlanes;
  if (total < 2) {
    m_window.dihedrals = text::TextGrid(1, 1);
    return;
  }
  text::TextGrid grid(total, total + 1);
  for (int k = 1; k <= total; ++k) {
    grid.setCell(0, k, "Plane_" + std::to_string(k));
    if (k < total) grid.setCell(k, 0, "Plane_" + std::to_string(k));
  }
  for (int k = 2; k <= total; ++k) {
    for (int j = 1; j < k; ++j) {
      // A plane not yet calculated leaves its angles empty.
      if (!plane(j) || !plane(k)) continue;
      grid.setCell(j, k,
                   geometry::valueWithEsd(geometry::dihedralAngle(plane(j)->fit, plane(k)->fit),
                                          angleDecimals));
    }
  }
  m_window.dihedrals = std::move(grid);
}

void GeometryCommands::showWindow() {
  refreshAtomRows();
  m_window.visible = true;
}

void GeometryCommands::hideWindow() {
  m_window.visible = false;
}

void GeometryCommands::applyCalcPlane() {
  if (m_context.state.selection.count() < 3) {
    m_context.dialogs.message(geometry::tooFewPlaneAtomsMessage);
    return;
  }
  definePlane();
  m_window.visible = true;
}

void GeometryCommands::definePlane() {
  WorkbenchState& state = m_context.state;
  const model::StructureModel& s = state.structure;
  if (!state.loaded) return;
  const std::vector<AtomRef> picked = state.selection.picked;
  const auto hydrogens = std::count_if(picked.begin(), picked.end(),
                                       [](AtomRef r) { return r.kind == AtomKind::Hydrogen; });
  if (hydrogens > 0)
    m_context.dialogs.message(std::to_string(hydrogens) + std::string(planeHydrogenWarning));
  std::vector<model::Vec3> positions;
  CalculatedPlane calculated;
  for (const AtomRef& ref : picked) {
    positions.push_back(cartesianPosition(s, ref));
    calculated.labels.push_back(labelOf(s, ref));
  }
  calculated.fit = geometry::fitPlane(positions);  // refuses too few or collinear atoms
  const double u = calculated.fit.rms * calculated.fit.rms * calculated.fit.count;
  if (m_lastU) m_window.previousU = text::gridNumber(*m_lastU);
  m_lastU = u;
  m_window.u = text::gridNumber(u);
  m_window.rms = text::gridNumber(calculated.fit.rms);
  m_window.rValue = text::gridNumber(geometry::acrossPlaneShare(calculated.fit));
  m_planes[static_cast<std::size_t>(m_window.planeNumber - 1)] = std::move(calculated);
  refreshResults();
  refreshAtomRows();
  state.selection.clear(state.structure);
  state.redraw();
}

void GeometryCommands::addPlane() {
  ++m_window.totalPlanes;
  m_window.planeNumber = m_window.totalPlanes;
  m_planes.resize(static_cast<std::size_t>(m_window.totalPlanes));
  refreshResults();
  refreshAtomRows();
}

void GeometryCommands::decreasePlane() {
  if (m_window.totalPlanes < 2) {
    m_planes.assign(1, std::nullopt);
  } else {
    --m_window.totalPlanes;
    m_window.planeNumber = std::min(m_window.planeNumber, m_window.totalPlanes);
    m_planes.resize(static_cast<std::size_t>(m_window.totalPlanes));
  }
  refreshResults();
  refreshAtomRows();
}

void GeometryCommands::setPlaneNumber(int number) {
  m_window.planeNumber = std::clamp(number, 1, m_window.totalPlanes);
}

std::vector<std::string> GeometryCommands::reportLines() const {
  std::vector<std::string> lines;
  const auto section = [&](std::string_view heading, const text::TextGrid& grid) {
    lines.emplace_back();
    lines.emplace_back(heading);
    for (int r = 0; r < grid.rowCount(); ++r)
      lines.push_back(tabbed(grid.row(r)));
  };
  section("List of Atomic Coordinates and Shifts from the Planes", m_window.atoms);
  section("Results of Least-Squares Calculation (plane definitino: aX+bY+cZ=d)", m_window.results);
  section("Summary of Interplane Dihedral Angles", m_window.dihedrals);
  return lines;
}

bool GeometryCommands::save() {
  const model::StructureModel& s = m_context.state.structure;
  std::filesystem::path proposed = "plane_calc.txt";
  std::filesystem::path folder = m_context.state.workingFolder();
  if (!s.currentFile.empty()) {
    const std::filesystem::path current = s.currentFile;
    proposed = current.stem().string() + "_plane_calc.txt";
    if (current.has_parent_path()) folder = current.parent_path();
  }
  const std::optional<std::filesystem::path> file =
      m_context.dialogs.chooseFileToSave(folder, proposed.string(), "Text files (*.txt)");
  if (!file) return false;
  model::replaceFileLines(*file, reportLines());
  return true;
}

}  // namespace tavo::workbench
