// The current model as a CIF data block.
#include "formats/model_cif.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

#include "formats/imported_structure.h"
#include "geometry/anisotropic_transform.h"
#include "geometry/symmetry_operators.h"
#include "text/text.h"

namespace tavo::formats {

namespace {

/// The fewest decimals (up to 6) that write `value` as it is held.
int decimalsOf(double value) {
  int decimals = 0;
  while (decimals < 6 &&
         std::fabs(std::round(value * std::pow(10.0, decimals)) / std::pow(10.0, decimals) -
                   value) > 1e-9 * std::max(1.0, std::fabs(value))) {
    ++decimals;
  }
  return decimals;
}

/// `value` with all its decimals (at least `decimals`) and its standard uncertainty in
/// parentheses in units of the last decimal written: 11.2345(20), 10.612(2).
std::string withEsd(double value, double esd, int decimals) {
  int places = std::max(decimals, decimalsOf(value));
  if (!(esd > 0)) return text::formatFixed(value, places);
  places = decimalsOf(value);
  while (places < 6 && std::round(esd * std::pow(10.0, places)) < 1)
    ++places;
  const long digits = std::lround(esd * std::pow(10.0, places));
  return text::formatFixed(value, places) + "(" + std::to_string(digits) + ")";
}

std::string number(double value, int decimals) {
  std::string written = text::formatFixed(value, decimals);
  // "-0.0000" would read as a distinct value to a careless reader.
  if (written.find_first_not_of("-0.") == std::string::npos)
    written = text::formatFixed(0, decimals);
  return written;
}

/// "Cl" for "CL": the type symbol as CIF writes it.
std::string typeSymbol(std::string_view sfacSymbol) {
  const std::optional<std::string> element = elementOfSymbol(sfacSymbol);
  return element ? *element : std::string(sfacSymbol);
}

std::array<double, 6> uOf(const model::Atom& atom) {
  return {atom.u11, atom.u22, atom.u33, atom.u23, atom.u13, atom.u12};
}

/// Ueq of an atom of the file, its Uiso when it is isotropic.
double ueqOf(const model::CellParameters& cell, const model::Atom& atom) {
  return atom.aniso == 1 ? equivalentU(cell, uOf(atom)) : atom.u11;
}

/// The atom whose Ueq a negative Uiso of H atom `h` multiplies: the parent of its riding group,
/// else the atom it follows in the atom list.
const model::Atom* uParentOf(const model::StructureModel& s, const model::Hydrogen& h) {
  if (h.afixGroup > 0) {
    for (int i = 1; i <= s.nonHCount; ++i) {
      if (s.atoms[i].afixGroup == h.afixGroup) return &s.atoms[i];
    }
  }
  if (h.afterAtom >= 1 && h.afterAtom <= s.nonHCount) return &s.atoms[h.afterAtom];
  return nullptr;
}

/// One row of the atom-site loop.
struct SiteRow {
  std::string label, type;
  double x = 0, y = 0, z = 0;
  std::optional<double> u;  // nothing: unknown ("?")
  bool anisotropic = false;
  double sof = 1;
  int part = 0;
  bool riding = false;
};

/// Labels unique in the CIF: a label used more than once (atoms of several residues) takes "_"
/// and its residue number, as SHELXL's CIF writes it.
std::vector<std::string> siteLabels(const model::StructureModel& s) {
  std::map<std::string, int> uses;
  for (int i = 1; i <= s.nonHCount; ++i)
    ++uses[text::upper(s.atoms[i].label)];
  for (int i = 1; i <= s.hCount; ++i)
    ++uses[text::upper(s.hydrogens[i].label)];
  std::vector<std::string> labels;
  const auto add = [&](const std::string& label, const model::Residue& residue) {
    labels.push_back(uses[text::upper(label)] > 1 && residue.number != 0
                         ? label + "_" + std::to_string(residue.number)
                         : label);
  };
  for (int i = 1; i <= s.nonHCount; ++i)
    add(s.atoms[i].label, s.atoms[i].residue);
  for (int i = 1; i <= s.hCount; ++i)
    add(s.hydrogens[i].label, s.hydrogens[i].residue);
  return labels;
}

}  // namespace

std::optional<double> riderUiso(const model::StructureModel& s, const model::Hydrogen& h) {
  if (h.uiso >= 0) return h.uiso;
  const model::Atom* parent = uParentOf(s, h);
  if (parent == nullptr) return std::nullopt;
  return -h.uiso * ueqOf(s.cell, *parent);
}

namespace {

std::vector<SiteRow> siteRows(const model::StructureModel& s) {
  const std::vector<std::string> labels = siteLabels(s);
  std::vector<SiteRow> rows;
  for (int i = 1; i <= s.nonHCount; ++i) {
    const model::Atom& a = s.atoms[i];
    rows.push_back({labels[rows.size()], typeSymbol(s.symbolOf(a.sfac)), a.x, a.y, a.z,
                    ueqOf(s.cell, a), a.aniso == 1, a.sof, a.part, false});
  }
  for (int i = 1; i <= s.hCount; ++i) {
    const model::Hydrogen& h = s.hydrogens[i];
    const std::optional<double> u = riderUiso(s, h);
    rows.push_back({labels[rows.size()], typeSymbol(s.symbolOf(h.sfac)), h.x, h.y, h.z, u, false,
                    h.sof, h.part, h.afixGroup > 0});
  }
  return rows;
}

void appendCell(std::vector<std::string>& lines, const model::CellParameters& c) {
  const auto item = [&](std::string_view tag, const std::string& value) {
    lines.push_back(text::padRight(tag, 34) + value);
  };
  item("_cell_length_a", withEsd(c.a, c.sa, 4));
  item("_cell_length_b", withEsd(c.b, c.sb, 4));
  item("_cell_length_c", withEsd(c.c, c.sc, 4));
  item("_cell_angle_alpha", withEsd(c.alpha, c.salpha, 3));
  item("_cell_angle_beta", withEsd(c.beta, c.sbeta, 3));
  item("_cell_angle_gamma", withEsd(c.gamma, c.sgamma, 3));
  if (c.z > 0) {
    item("_cell_formula_units_Z", std::fabs(c.z - std::round(c.z)) < 1e-6
                                      ? std::to_string(std::lround(c.z))
                                      : text::formatFixed(c.z, 2));
  }
  if (c.wavelength > 0) item("_diffrn_radiation_wavelength", text::formatFixed(c.wavelength, 5));
}

/// The Hermann-Mauguin symbol of a group name of the table: the bar, written there after its
/// digit ("P4-21m", "Fm3-m", "R3-c:H"), goes before it ("P-421m", "Fm-3m", "R-3c:H").
std::string hermannMauguin(std::string_view name) {
  std::string symbol(name);
  for (std::size_t i = 1; i < symbol.size(); ++i) {
    if (symbol[i] == '-' && std::isdigit(static_cast<unsigned char>(symbol[i - 1]))) {
      std::swap(symbol[i - 1], symbol[i]);
    }
  }
  return symbol;
}

void appendSymmetry(std::vector<std::string>& lines, const model::SymmetryOps& ops,
                    const std::optional<ModelCifGroup>& group) {
  if (group && !group->name.empty()) {
    lines.push_back(text::padRight("_space_group_name_H-M_alt", 34) +
                    cifValue(hermannMauguin(group->name)));
  }
  if (group && group->number > 0) {
    lines.push_back(text::padRight("_space_group_IT_number", 34) + std::to_string(group->number));
  }
  lines.insert(lines.end(),
               {"", "loop_", " _space_group_symop_id", " _space_group_symop_operation_xyz"});
  for (int k = 1; k <= ops.opCount; ++k) {
    lines.push_back(" " + std::to_string(k) + " '" +
                    geometry::tripletText(geometry::seitzOf(ops, k)) + "'");
  }
}

std::vector<geometry::SeitzOperator> operatorsOf(const model::SymmetryOps& ops) {
  std::vector<geometry::SeitzOperator> operators;
  for (int k = 1; k <= ops.opCount; ++k)
    operators.push_back(geometry::seitzOf(ops, k));
  return operators;
}

void appendSites(std::vector<std::string>& lines, const model::StructureModel& s) {
  lines.insert(lines.end(),
               {"", "loop_", " _atom_site_label", " _atom_site_type_symbol", " _atom_site_fract_x",
                " _atom_site_fract_y", " _atom_site_fract_z", " _atom_site_U_iso_or_equiv",
                " _atom_site_adp_type", " _atom_site_occupancy", " _atom_site_site_symmetry_order",
                " _atom_site_calc_flag", " _atom_site_disorder_group"});
  const std::vector<geometry::SeitzOperator> operators = operatorsOf(s.symmetry);
  for (const SiteRow& row : siteRows(s)) {
    const int order = siteSymmetryOrder(operators, row.x, row.y, row.z);
    lines.push_back(cifValue(row.label) + " " + cifValue(row.type) + " " + number(row.x, 6) + " " +
                    number(row.y, 6) + " " + number(row.z, 6) + " " +
                    (row.u ? number(*row.u, 5) : "?") + " " + (row.anisotropic ? "Uani" : "Uiso") +
                    " " + number(row.sof * order, 4) + " " + std::to_string(order) + " " +
                    (row.riding ? "calc" : "d") + " " +
                    (row.part == 0 ? std::string(".") : std::to_string(row.part)));
  }
}

void appendAniso(std::vector<std::string>& lines, const model::StructureModel& s) {
  const std::vector<std::string> labels = siteLabels(s);
  bool any = false;
  for (int i = 1; i <= s.nonHCount; ++i) {
    const model::Atom& a = s.atoms[i];
    if (a.aniso != 1) continue;
    if (!any) {
      lines.insert(lines.end(),
                   {"", "loop_", " _atom_site_aniso_label", " _atom_site_aniso_U_11",
                    " _atom_site_aniso_U_22", " _atom_site_aniso_U_33", " _atom_site_aniso_U_23",
                    " _atom_site_aniso_U_13", " _atom_site_aniso_U_12"});
      any = true;
    }
    std::string line = cifValue(labels[static_cast<std::size_t>(i - 1)]);
    for (const double u : uOf(a))
      line += " " + number(u, 5);
    lines.push_back(line);
  }
}

}  // namespace

std::string cifValue(std::string_view text) {
  if (text.empty()) return "?";
  const bool plain =
      text.find_first_of(" \t'\"") == std::string_view::npos &&
      std::string_view("_#$'\"[];").find(text[0]) == std::string_view::npos && text != "?" &&
      text != "." && !text::startsWithUpper(text, "DATA_") &&
      !text::startsWithUpper(text, "LOOP_") && !text::startsWithUpper(text, "SAVE_") &&
      !text::startsWithUpper(text, "GLOBAL_") && !text::startsWithUpper(text, "STOP_");
  if (plain) return std::string(text);
  // A quote ends a value only before a blank, so only "' " must be avoided inside '...'.
  if (text.find("' ") == std::string_view::npos && text.back() != '\'') {
    return "'" + std::string(text) + "'";
  }
  return "\"" + std::string(text) + "\"";
}

double equivalentU(const model::CellParameters& cell, const std::array<double, 6>& u) {
  const std::array<double, 3> reciprocal = geometry::reciprocalLengths(cell);
  const double toRad = 1.0 / model::degreesPerRadian;
  const std::array<double, 3> edges = {cell.a, cell.b, cell.c};
  // Cosines of the angles between axes i and j: alpha between b and c, beta a-c, gamma a-b.
  const double cosAlpha = std::cos(cell.alpha * toRad);
  const double cosBeta = std::cos(cell.beta * toRad);
  const double cosGamma = std::cos(cell.gamma * toRad);
  const std::array<std::array<double, 3>, 3> cosines = {
      {{1, cosGamma, cosBeta}, {cosGamma, 1, cosAlpha}, {cosBeta, cosAlpha, 1}}};
  const std::array<std::array<double, 3>, 3> tensor = {
      {{u[0], u[5], u[4]}, {u[5], u[1], u[3]}, {u[4], u[3], u[2]}}};
  double sum = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) {
      sum += tensor[i][j] * reciprocal[i] * reciprocal[j] * edges[i] * edges[j] * cosines[i][j];
    }
  }
  return sum / 3.0;
}

std::vector<std::string> modelCifLines(const model::StructureModel& structure,
                                       std::string_view blockName,
                                       const std::optional<ModelCifGroup>& group) {
  std::string name;
  for (const char c : blockName)
    name += (c == ' ' || c == '\t') ? '_' : c;
  std::vector<std::string> lines = {"data_" + (name.empty() ? std::string("model") : name), "",
                                    "_audit_creation_method            'Tavo: the current model'"};
  if (!structure.instructionLines.empty()) {
    lines.push_back("# " + text::trimLine(structure.instructionLines[0]));
  }
  lines.push_back("");
  appendCell(lines, structure.cell);
  lines.push_back("");
  appendSymmetry(lines, structure.symmetry, group);
  appendSites(lines, structure);
  appendAniso(lines, structure);
  lines.emplace_back("");
  return lines;
}

}  // namespace tavo::formats
