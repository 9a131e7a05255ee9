// The peak tools.
#include "editing/peaks.h"

#include <algorithm>
#include <cmath>

#include "geometry/cell_metrics.h"
#include "geometry/symmetry_operators.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::editing {

namespace {

using model::AtomKind;
using model::AtomRef;

// The text of `line` from the blank in front of field `field` (1-based) to its end, fields
// starting where a blank is followed by a non-blank; empty when the line has fewer fields.
std::string fromField(const std::string& line, int field) {
  int seen = line.empty() || line.front() == ' ' ? 0 : 1;
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (line[i - 1] == ' ' && line[i] != ' ' && ++seen == field) return line.substr(i - 1);
  }
  return {};
}

}  // namespace

std::string peakName(int index) {
  return "Pk." + std::to_string(index);
}

text::TextGrid peakListGrid(const model::StructureModel& s) {
  text::TextGrid grid(s.peakCount + 1, 8);
  for (int c = 0; c < 8; ++c)
    grid.setCell(0, c, std::string(peakListHeadings[c]));
  // The nearest atom of each peak among the peak-atom bonds; the first of equal distances wins.
  std::vector<double> best(static_cast<std::size_t>(s.peakCount) + 1, 1000.0);
  std::vector<int> nearest(static_cast<std::size_t>(s.peakCount) + 1, 0);
  for (const model::Bond& bond : s.bonds.kinds[3]) {
    if (bond.first < 1 || bond.first > s.peakCount) continue;
    const double d =
        geometry::viewDistance(s, {AtomKind::Peak, bond.first}, {AtomKind::Atom, bond.second});
    const auto r = static_cast<std::size_t>(bond.first);
    if (d < best[r]) {
      best[r] = d;
      nearest[r] = bond.second;
    }
  }
  for (int r = 1; r <= s.peakCount; ++r) {
    const model::Peak& peak = s.peaks[r];
    grid.setCell(r, 0, peakName(r));
    grid.setCell(r, 1, text::cut(text::gridNumber(peak.height), 10));
    grid.setCell(r, 2, text::cut(text::gridNumber(peak.x), 10));
    grid.setCell(r, 3, text::cut(text::gridNumber(peak.y), 10));
    grid.setCell(r, 4, text::cut(text::gridNumber(peak.z), 10));
    const int atom = nearest[static_cast<std::size_t>(r)];
    grid.setCell(r, 6, atom > 0 ? s.atoms[atom].label : std::string("NONE"));
    if (atom > 0)
      grid.setCell(r, 7, text::cut(text::gridNumber(best[static_cast<std::size_t>(r)]), 6));
  }
  return grid;
}

std::vector<std::string> peakListPrintLines(const text::TextGrid& grid) {
  std::vector<std::string> lines;
  for (int r = 0; r < grid.rowCount(); ++r) {
    std::string line;
    for (int c = 0; c <= 6; ++c)
      line += text::padRight(text::trimLine(grid.cell(r, c)), 12);
    lines.push_back(line + text::trimLine(grid.cell(r, 7)));
  }
  return lines;
}

PurgeMap deletePeaks(model::StructureModel& s, int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, s.peakCount);
  for (int i = first; i <= last; ++i)
    s.peaks[i].mark = 1;
  return purgeMarked(s);
}

int movePeaksNextToMolecule(model::StructureModel& s) {
  std::vector<model::Vec3> atoms;
  for (int a = 1; a <= s.nonHCount; ++a)
    atoms.push_back(geometry::cartesianOf(s.cell, {s.atoms[a].x, s.atoms[a].y, s.atoms[a].z}));
  int moved = 0;
  for (int i = 1; i <= s.peakCount; ++i) {
    model::Peak& peak = s.peaks[i];
    const geometry::Fractional p{peak.x, peak.y, peak.z};
    double best = 1000;
    geometry::Fractional bestPosition = p;
    for (int k = 1; k <= s.symmetry.opCount; ++k) {
      for (int ta = -2; ta <= 2; ++ta) {
        for (int tb = -2; tb <= 2; ++tb) {
          for (int tc = -2; tc <= 2; ++tc) {
            const geometry::Fractional image =
                geometry::applyOperator(s.symmetry, k, p, ta, tb, tc);
            const model::Vec3 at = geometry::cartesianOf(s.cell, image);
            for (const model::Vec3& atom : atoms) {
              const double d = geometry::viewDistance(atom, at);
              if (d < best) {
                best = d;
                bestPosition = image;
              }
            }
          }
        }
      }
    }
    if (!(bestPosition == p)) ++moved;
    peak.x = bestPosition.x;
    peak.y = bestPosition.y;
    peak.z = bestPosition.z;
  }
  return moved;
}

OverlayPeaks readOverlayPeaks(const std::vector<std::string>& lines, std::string_view fileName,
                              int capacity) {
  OverlayPeaks overlay;
  const int last = static_cast<int>(lines.size()) - 1;
  for (int r = 0; r <= last; ++r) {
    const std::string& line = lines[static_cast<std::size_t>(r)];
    if (line.rfind("Q1 ", 0) == 0) overlay.firstPeakRow = r;
    const auto words = text::splitWords(line);
    if (!overlay.cell && words.size() >= 8 && text::upper(words[0]) == "CELL") {
      std::array<double, 6> cell{};
      bool numbers = true;
      for (std::size_t k = 0; k < 6 && numbers; ++k) {
        const auto value = text::findDouble(words[k + 2]);
        numbers = value.has_value();
        if (numbers) cell[k] = *value;
      }
      if (numbers) overlay.cell = cell;
    }
  }
  // Row 0 is the TITL line, so a peak block never starts there.
  if (overlay.firstPeakRow == 0) {
    throw UserError(std::string(fileName) + " has no peak block (no line begins with \"Q1 \"): " +
                    "the peaks were left as they were.");
  }
  overlay.lastRow = last;
  for (int r = overlay.firstPeakRow; r <= last; ++r) {
    const std::string& line = lines[static_cast<std::size_t>(r)];
    if (line.empty() || line.front() != 'Q') continue;
    const auto words = text::splitWords(line);
    const auto number = [&](std::size_t k) {
      return k < words.size() ? text::findDouble(words[k]) : std::nullopt;
    };
    const auto height = text::findDouble(text::trimLine(fromField(line, 8)));
    if (!number(2) || !number(3) || !number(4) || !height) {
      throw UserError(std::string(fileName) + ", line " + std::to_string(r + 1) + ": '" + line +
                      "' is not a peak line with x, y, z and the height: no peak was read.");
    }
    if (static_cast<int>(overlay.peaks.size()) >= capacity) {
      throw UserError(std::string(fileName) + " has more than " + std::to_string(capacity) +
                      " peaks, the limit atm_max of array_max.inf: no peak was read.");
    }
    overlay.peaks.push_back(model::Peak{*number(2), *number(3), *number(4), *height, 0});
  }
  return overlay;
}

bool cellDiffers(const OverlayPeaks& overlay, const model::CellParameters& cell) {
  if (!overlay.cell) return false;
  const double ours[6] = {cell.a, cell.b, cell.c, cell.alpha, cell.beta, cell.gamma};
  for (std::size_t k = 0; k < 6; ++k) {
    if (std::abs((*overlay.cell)[k] - ours[k]) > 0.0015) return true;
  }
  return false;
}

void clearPeaks(model::StructureModel& s, Selection& selection) {
  selection.clear(s);
  selection.clearReversed(s);
  for (int i = 1; i <= s.workingPeakCount; ++i)
    s.peaks[i] = model::Peak{};
  s.peakCount = 0;
  s.workingPeakCount = 0;
}

}  // namespace tavo::editing
