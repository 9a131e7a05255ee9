// Writing and reading expand.txt and packing.txt.
#include "geometry/unit_list_file.h"

#include "geometry/symmetry_operators.h"
#include "model/file_lines.h"
#include "model/file_replace.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::geometry {

namespace fs = std::filesystem;

std::string unitListLine(const model::ExpansionOp& unit) {
  std::string line;
  for (const int value : {unit.op, unit.ta, unit.tb, unit.tc})
    line += text::padLeft(std::to_string(value), 5);
  return line + "     " + unit.text;
}

void writeUnitList(const fs::path& file, const std::vector<model::ExpansionOp>& units) {
  std::vector<std::string> lines;
  lines.reserve(units.size());
  for (const model::ExpansionOp& unit : units)
    lines.push_back(unitListLine(unit));
  model::replaceFileLines(file, lines);
}

namespace {

std::string_view columns(std::string_view line, size_t first, size_t count) {
  if (first >= line.size()) return {};
  return line.substr(first, count);
}

}  // namespace

std::optional<std::vector<model::ExpansionOp>> readUnitList(const fs::path& file, int opCount) {
  std::error_code ec;
  if (!fs::exists(file, ec)) return std::nullopt;
  std::vector<model::ExpansionOp> units;
  int lineNumber = 0;
  for (const std::string& raw : model::loadRawFileLines(file)) {
    ++lineNumber;
    // Lines are read as written: the columns count from the first character.
    const std::string_view line = raw;
    if (text::trimLine(line).empty()) continue;
    const auto where = [&] {
      return file.string() + ", line " + std::to_string(lineNumber) + ": '" + raw + "'";
    };
    model::ExpansionOp unit;
    int* fields[4] = {&unit.op, &unit.ta, &unit.tb, &unit.tc};
    for (size_t k = 0; k < 4; ++k) {
      const std::optional<int> value = text::findInt(columns(line, 5 * k, 5));
      if (!value) throw UserError(where() + " is not a unit of the symmetry view.");
      *fields[k] = *value;
    }
    if (unit.op < 1 || unit.op > opCount) {
      throw UserError(where() + " names operator " + std::to_string(unit.op) +
                      ", but the space group in use has " + std::to_string(opCount) + ".");
    }
    unit.text =
        text::cut(text::trimLine(columns(line, 25, std::string_view::npos)), symmetryCodeLength);
    units.push_back(std::move(unit));
  }
  return units;
}

}  // namespace tavo::geometry
