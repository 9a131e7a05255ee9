// The history file of the refinement runs and the comparison of two runs' models.
#include "workbench/refinement_history.h"

#include <algorithm>
#include <map>

#include "geometry/cell_metrics.h"
#include "model/dialogs.h"
#include "model/file_lines.h"
#include "model/file_replace.h"
#include "model/instruction_reader.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::workbench {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view heading =
    "# time\toutcome\tR1(Fo>4sig)\tR1(all)\twR2\tGooF\tmax shift/esd\tparameters\trestraints\t"
    "cycles\tins backup";

std::string numberText(const std::optional<double>& value) {
  return value ? text::formatShortest(*value) : "";
}

std::vector<std::string> fieldsOf(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return fields;
}

std::string lineOf(const RefinementRunRecord& r) {
  const std::string fields[] = {r.time,
                                r.outcome,
                                numberText(r.r1Gt),
                                numberText(r.r1All),
                                numberText(r.wR2),
                                numberText(r.goof),
                                numberText(r.maxShift),
                                std::to_string(r.parameters),
                                std::to_string(r.restraints),
                                std::to_string(r.cycles),
                                r.insBackup};
  std::string line;
  for (const std::string& field : fields)
    line += (line.empty() ? "" : "\t") + field;
  return line;
}

/// The Cartesian positions of the atoms and H atoms of a file, by upper-case label.
std::map<std::string, model::Vec3> positionsIn(const fs::path& file,
                                               const model::ElementDefinitions& definitions,
                                               const model::ArrayLimits& limits,
                                               std::vector<std::string>& order) {
  if (!fs::exists(file)) throw FileError(file, "does not exist");
  model::StructureModel structure;
  structure.limits = limits;
  model::CollectingDialogs quiet;
  model::readStructureFromLines(structure, model::loadFileLines(file), definitions, quiet);
  std::map<std::string, model::Vec3> positions;
  const auto add = [&](const std::string& label, double x, double y, double z) {
    const std::string key = text::upper(label);
    if (positions.contains(key)) return;
    positions[key] = geometry::cartesianOf(structure.cell, {x, y, z});
    order.push_back(label);
  };
  for (int i = 1; i <= structure.nonHCount; ++i)
    add(structure.atoms[i].label, structure.atoms[i].x, structure.atoms[i].y, structure.atoms[i].z);
  for (int i = 1; i <= structure.hCount; ++i)
    add(structure.hydrogens[i].label, structure.hydrogens[i].x, structure.hydrogens[i].y,
        structure.hydrogens[i].z);
  return positions;
}

}  // namespace

fs::path historyFileOf(const fs::path& structureFile) {
  return structureFile.parent_path() / (structureFile.stem().string() + ".tavo-history");
}

std::vector<RefinementRunRecord> readHistory(const fs::path& file) {
  std::vector<RefinementRunRecord> runs;
  if (!fs::exists(file)) return runs;
  for (const std::string& line : model::loadRawFileLines(file)) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> f = fieldsOf(line);
    if (f.size() < 10) continue;  // trailing empty fields are trimmed with the line
    RefinementRunRecord r;
    r.time = f[0];
    r.outcome = f[1];
    r.r1Gt = text::findDouble(f[2]);
    r.r1All = text::findDouble(f[3]);
    r.wR2 = text::findDouble(f[4]);
    r.goof = text::findDouble(f[5]);
    r.maxShift = text::findDouble(f[6]);
    r.parameters = text::findInt(f[7]).value_or(0);
    r.restraints = text::findInt(f[8]).value_or(0);
    r.cycles = text::findInt(f[9]).value_or(0);
    r.insBackup = f.size() > 10 ? f[10] : "";
    runs.push_back(std::move(r));
  }
  return runs;
}

void appendHistory(const fs::path& file, const RefinementRunRecord& run) {
  std::vector<std::string> lines;
  if (fs::exists(file)) lines = model::loadRawFileLines(file);
  while (!lines.empty() && lines.back().empty())
    lines.pop_back();
  if (lines.empty()) lines.emplace_back(heading);
  lines.push_back(lineOf(run));
  model::replaceFileLines(file, lines);
}

ModelComparison compareInstructionFiles(const fs::path& first, const fs::path& second,
                                        const model::ElementDefinitions& definitions,
                                        const model::ArrayLimits& limits) {
  std::vector<std::string> firstOrder, secondOrder;
  const auto before = positionsIn(first, definitions, limits, firstOrder);
  const auto after = positionsIn(second, definitions, limits, secondOrder);
  ModelComparison result;
  for (const std::string& label : firstOrder) {
    const auto other = after.find(text::upper(label));
    if (other == after.end()) {
      result.removed.push_back(label);
      continue;
    }
    const model::Vec3 d = other->second - before.at(text::upper(label));
    const double distance = model::length(d);
    if (distance > movedThresholdA) result.moved.push_back({label, distance});
  }
  for (const std::string& label : secondOrder)
    if (!before.contains(text::upper(label))) result.added.push_back(label);
  return result;
}

}  // namespace tavo::workbench
