// Reading PDB, XYZ (cell and fractional coordinates), Cartesian and CSD FDAT files.
#include "formats/coordinate_import.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

#include "text/errors.h"
#include "text/text.h"

namespace tavo::formats {

namespace {

std::string columns(std::string_view line, std::size_t first, std::size_t last) {
  if (line.size() < first) return {};
  return text::trimLine(line.substr(first - 1, last - first + 1));
}

/// A space-group name without blanks, upper case, a bar written after its digit ("P -1" and
/// "P1-" both become "P1-").
std::string compactName(std::string_view name) {
  std::string out;
  for (char c : name) {
    if (c != ' ' && c != '_') out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  for (std::size_t i = 0; i + 1 < out.size(); ++i) {
    if (out[i] == '-' && std::isdigit(static_cast<unsigned char>(out[i + 1]))) {
      std::swap(out[i], out[i + 1]);
      ++i;
    }
  }
  return out;
}

/// The operators of the setting named `name` (blanks and case free) of group `number` (0: any
/// group), from the built-in table and then `extra`; nothing when no setting has that name.
std::optional<std::vector<geometry::SeitzOperator>> operatorsOfGroup(
    int number, std::string_view name, const std::vector<geometry::SpaceGroupSetting>& extra) {
  const std::string wanted = compactName(name);
  const auto matches = [&](const geometry::SpaceGroupSetting& s) {
    return (number == 0 || s.number == number) && compactName(s.name) == wanted;
  };
  for (int group = 1; group <= geometry::highestBuiltInGroup; ++group) {
    if (number != 0 && group != number) continue;
    for (int setting = 1; setting <= geometry::builtInSettingCount(group); ++setting) {
      const auto s = geometry::findBuiltInSetting(group, setting);
      if (s && matches(*s)) return geometry::seitzOperators(*s);
    }
  }
  for (const geometry::SpaceGroupSetting& s : extra) {
    if (matches(s)) return geometry::seitzOperators(s);
  }
  // A group of one setting needs no name.
  if (number > 0 && geometry::builtInSettingCount(number) == 1) {
    if (const auto s = geometry::findBuiltInSetting(number, 1)) return geometry::seitzOperators(*s);
  }
  return std::nullopt;
}

/// Whether a PDB residue name is one whose atom names begin with their one-letter element: the
/// amino acids and water.
bool namesOneLetterElements(std::string_view residue) {
  static constexpr std::array<std::string_view, 26> residues = {
      "ALA", "ARG", "ASN", "ASP", "CYS", "GLN", "GLU", "GLY", "HIS", "ILE", "LEU", "LYS", "MET",
      "PHE", "PRO", "SER", "THR", "TRP", "TYR", "VAL", "MSE", "SEC", "PYL", "HOH", "WAT", "DOD"};
  return std::find(residues.begin(), residues.end(), residue) != residues.end();
}

/// The element of a PDB atom: the element column, else for an amino acid or water the first
/// letter of the name (CA, CD1 and NE2 are carbon and nitrogen, 1HB hydrogen). Nothing
/// otherwise: the label decides (inferElementsFromLabels).
std::optional<std::string> pdbElement(std::string_view line, const std::string& name) {
  const std::string column = columns(line, 77, 78);
  if (!column.empty() && std::isalpha(static_cast<unsigned char>(column[0]))) {
    if (auto e = elementOfSymbol(column)) return e;
  }
  if (namesOneLetterElements(text::upper(columns(line, 18, 20)))) {
    const auto letter = std::find_if(name.begin(), name.end(), [](char c) {
      return std::isalpha(static_cast<unsigned char>(c)) != 0;
    });
    if (letter != name.end()) return elementOfSymbol(std::string(1, *letter));
  }
  return std::nullopt;
}

/// Cartesian Å to fractional for a cell in the PDB frame (a along X, b in the XY plane).
std::array<double, 3> pdbFractional(const std::array<double, 6>& cell, double x, double y,
                                    double z) {
  const double rad = std::numbers::pi / 180.0;
  const double ca = std::cos(cell[3] * rad), cb = std::cos(cell[4] * rad);
  const double cg = std::cos(cell[5] * rad), sg = std::sin(cell[5] * rad);
  const double v = std::sqrt(1 - ca * ca - cb * cb - cg * cg + 2 * ca * cb * cg);
  const double m11 = cell[0], m12 = cell[1] * cg, m13 = cell[2] * cb;
  const double m22 = cell[1] * sg, m23 = cell[2] * (ca - cb * cg) / sg, m33 = cell[2] * v / sg;
  const double fz = z / m33;
  const double fy = (y - m23 * fz) / m22;
  return {(x - m12 * fy - m13 * fz) / m11, fy, fz};
}

/// "FILE, line N" (just "Line N" without a file name).
std::string placeOf(std::string_view fileName, std::size_t lineNumber) {
  return fileName.empty() ? "Line " + std::to_string(lineNumber)
                          : std::string(fileName) + ", line " + std::to_string(lineNumber);
}

/// The number in `field` of line `lineNumber`; ConversionError naming the file, the line and
/// the field otherwise.
double numberIn(std::string_view value, std::string_view fileName, std::size_t lineNumber,
                std::string_view field) {
  if (const std::optional<double> number = text::findDouble(value)) return *number;
  throw ConversionError(placeOf(fileName, lineNumber) + ", " + std::string(field) + ": '" +
                        std::string(value) + "' is not a valid floating point value");
}

ImportedAtom atomFromWords(const std::vector<std::string_view>& words, std::size_t lineNumber,
                           std::string_view fileName) {
  if (words.size() < 4) {
    throw UserError(placeOf(fileName, lineNumber) + " holds no label with three coordinates.");
  }
  ImportedAtom atom;
  atom.label = std::string(words[0]);
  atom.x = numberIn(words[1], fileName, lineNumber, "x");
  atom.y = numberIn(words[2], fileName, lineNumber, "y");
  atom.z = numberIn(words[3], fileName, lineNumber, "z");
  return atom;
}

/// Labels only: the element is taken from the label later (inferElementsFromLabels).
void addByLabel(ImportedStructure& result, ImportedAtom atom) {
  atom.elementFromLabel = true;
  result.atoms.push_back(std::move(atom));
}

void requireAtoms(const ImportedStructure& result) {
  if (result.atoms.empty()) throw UserError(std::string(noAtomImportedMessage));
}

/// An FDAT cell field: the integer scaled by its decimal count, else by the old rule (lengths
/// below 50 Å, angles below 180°).
double fdatCellValue(std::string_view field, char decimals, bool angle, std::string_view fileName,
                     std::string_view name) {
  double value = numberIn(field, fileName, 2, name);
  if (std::isdigit(static_cast<unsigned char>(decimals)))
    return value / std::pow(10.0, decimals - '0');
  if (!angle) {
    do
      value /= 10.0;
    while (value >= 50.0);
  } else if (value != 90.0 && value != 120.0) {
    while (value > 180.0)
      value /= 10.0;
  }
  return value;
}

}  // namespace

ImportedStructure importPdb(const std::vector<std::string>& lines, std::string_view fileName) {
  ImportedStructure result;
  result.title = "imported PDB";
  bool hasCell = false;
  std::optional<std::array<double, 12>> scale;
  std::array<double, 12> scaleRows{};
  int scaleCount = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::string record = text::upper(columns(line, 1, 6));
    if (record == "END" || record == "ENDMDL") break;
    if (record == "CRYST1") {
      for (std::size_t k = 0; k < 6; ++k) {
        static constexpr std::array<std::size_t, 7> starts = {7, 16, 25, 34, 41, 48, 55};
        static constexpr std::array<std::string_view, 6> names = {
            "CRYST1 a", "CRYST1 b", "CRYST1 c", "CRYST1 alpha", "CRYST1 beta", "CRYST1 gamma"};
        result.cell[k] =
            numberIn(columns(line, starts[k], starts[k + 1] - 1), fileName, i + 1, names[k]);
      }
      hasCell = !(result.cell[0] == 1 && result.cell[1] == 1 && result.cell[2] == 1);
      if (const auto z = text::findInt(columns(line, 67, 70))) result.z = *z;
      if (hasCell) {
        const auto ops = operatorsOfGroup(0, columns(line, 56, 66), {});
        if (ops) result.operators = *ops;
      }
    } else if (record.starts_with("SCALE") && record.size() == 6 && record[5] >= '1' &&
               record[5] <= '3') {
      const std::size_t row = static_cast<std::size_t>(record[5] - '1');
      for (std::size_t k = 0; k < 4; ++k) {
        scaleRows[4 * row + k] =
            numberIn(k == 3 ? columns(line, 46, 55) : columns(line, 11 + 10 * k, 20 + 10 * k),
                     fileName, i + 1, record + " column " + std::to_string(k + 1));
      }
      if (++scaleCount == 3) scale = scaleRows;
    } else if (record == "ATOM" || record == "HETATM") {
      ImportedAtom atom;
      atom.label = columns(line, 13, 16);
      const double x = numberIn(columns(line, 31, 38), fileName, i + 1, "x (columns 31-38)");
      const double y = numberIn(columns(line, 39, 46), fileName, i + 1, "y (columns 39-46)");
      const double z = numberIn(columns(line, 47, 54), fileName, i + 1, "z (columns 47-54)");
      if (const auto occupancy = text::findDouble(columns(line, 55, 60))) atom.sof = *occupancy;
      if (const auto b = text::findDouble(columns(line, 61, 66)); b && *b > 0)
        atom.uiso = *b / (8.0 * std::numbers::pi * std::numbers::pi);
      if (atom.label.empty()) {
        result.skippedLabels.push_back(atom.label);
        continue;
      }
      const std::optional<std::string> element = pdbElement(line, atom.label);
      atom.element = element.value_or("");
      atom.elementFromLabel = !element || columns(line, 77, 78).empty();
      if (!hasCell) {
        atom.x = x, atom.y = y, atom.z = z;
      } else if (scale) {
        const std::array<double, 12>& s = *scale;
        atom.x = s[0] * x + s[1] * y + s[2] * z + s[3];
        atom.y = s[4] * x + s[5] * y + s[6] * z + s[7];
        atom.z = s[8] * x + s[9] * y + s[10] * z + s[11];
      } else {
        const std::array<double, 3> f = pdbFractional(result.cell, x, y, z);
        atom.x = f[0], atom.y = f[1], atom.z = f[2];
      }
      result.atoms.push_back(std::move(atom));
    }
  }
  requireAtoms(result);
  if (!hasCell) placeInPseudoCell(result);
  return result;
}

ImportedStructure importXyz(const std::vector<std::string>& lines, std::string_view fileName) {
  ImportedStructure result;
  result.title = "imported XYZ";
  std::vector<std::string_view> words;
  if (!lines.empty()) words = text::splitWords(lines[0]);
  std::array<double, 6> cell{};
  for (std::size_t k = 0; k < 6; ++k) {
    const std::optional<double> value =
        k < words.size() ? text::findDouble(words[k]) : std::nullopt;
    if (!value || *value <= 0) throw UserError(std::string(noXyzCellMessage));
    cell[k] = *value;
  }
  result.cell = cell;
  // Our own export writes the space group after the cell: "P21/c  No.14".
  if (words.size() >= 8 && words[7].starts_with("No.")) {
    if (const auto number = text::findInt(words[7].substr(3)); number && *number > 1) {
      if (auto operators = operatorsOfGroup(*number, words[6], {})) result.operators = *operators;
    }
  }
  for (std::size_t i = 1; i < lines.size(); ++i) {
    words = text::splitWords(lines[i]);
    if (words.empty()) continue;
    addByLabel(result, atomFromWords(words, i + 1, fileName));
  }
  requireAtoms(result);
  return result;
}

bool isXmolFile(const std::vector<std::string>& lines) {
  if (lines.empty()) return false;
  const std::vector<std::string_view> head = text::splitWords(lines[0]);
  return head.size() == 1 && text::findInt(head[0]).has_value();
}

ImportedStructure importCartesian(const std::vector<std::string>& lines,
                                  std::string_view fileName) {
  ImportedStructure result;
  result.title = "imported Cartesian coordinates";
  // An XMOL file starts with the atom count and a comment line.
  const std::size_t first = isXmolFile(lines) ? 2 : 0;
  for (std::size_t i = first; i < lines.size(); ++i) {
    const std::vector<std::string_view> words = text::splitWords(lines[i]);
    if (words.empty()) continue;
    addByLabel(result, atomFromWords(words, i + 1, fileName));
  }
  requireAtoms(result);
  placeInPseudoCell(result);
  return result;
}

ImportedStructure importFdat(const std::vector<std::string>& lines,
                             const std::vector<geometry::SpaceGroupSetting>& spcgSettings,
                             std::vector<std::string>& warnings, std::string_view fileName) {
  if (lines.size() < 3) throw UserError(std::string(noAtomImportedMessage));
  ImportedStructure result;
  result.title = text::trimLine(text::cut(lines[0], 9)).substr(lines[0].starts_with('#') ? 1 : 0);
  const std::string& cellLine = lines[1];
  const std::string decimals = cellLine.size() >= 42 ? cellLine.substr(36, 6) : std::string(6, ' ');
  for (std::size_t k = 0; k < 6; ++k) {
    static constexpr std::array<std::string_view, 6> names = {"cell a", "cell b", "cell c",
                                                              "alpha",  "beta",   "gamma"};
    result.cell[k] = fdatCellValue(columns(cellLine, 1 + 6 * k, 6 + 6 * k), decimals[k], k >= 3,
                                   fileName, names[k]);
  }
  const std::optional<int> number = text::findInt(columns(cellLine, 61, 63));
  const std::string groupName = columns(cellLine, 64, 73);
  if (number && *number > 1) {
    const auto ops = operatorsOfGroup(*number, groupName, spcgSettings);
    if (ops) {
      result.operators = *ops;
    } else {
      warnings.push_back("The space group " + std::to_string(*number) + " " + groupName +
                         " is not in the table of space groups; the structure is imported in P1.");
    }
  }
  std::size_t row = 2;
  while (row < lines.size() && !(lines[row].starts_with("C  ") || lines[row].starts_with("START") ||
                                 lines[row].starts_with("###"))) {
    ++row;
  }
  // The atom records follow; the block ends at the first record that is no atom (the
  // connectivity numbers), a blank start, END or the next entry.
  for (++row; row < lines.size(); ++row) {
    const std::string& line = lines[row];
    if (line.empty() || line[0] == ' ' || line.starts_with("END") || line.starts_with("###") ||
        line.starts_with('#'))
      break;
    bool atomLine = false;
    for (std::size_t start = 0; start < line.size(); start += 27) {
      const std::string record = text::padRight(line.substr(start, 26), 26);
      const std::string label = text::trimLine(record.substr(0, 5));
      const auto x = text::findInt(record.substr(5, 7));
      const auto y = text::findInt(record.substr(12, 7));
      const auto z = text::findInt(record.substr(19, 7));
      if (label.empty() || !std::isalpha(static_cast<unsigned char>(label[0])) || !x || !y || !z)
        break;
      atomLine = true;
      ImportedAtom atom;
      atom.label = label;
      atom.x = *x / 100000.0;
      atom.y = *y / 100000.0;
      atom.z = *z / 100000.0;
      addByLabel(result, std::move(atom));
    }
    if (!atomLine) break;
  }
  requireAtoms(result);
  return result;
}

}  // namespace tavo::formats
