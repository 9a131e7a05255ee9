// Reading the atoms, cell and symmetry of a CIF data block.
#include "formats/cif_import.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <optional>

#include "text/errors.h"
#include "text/text.h"

namespace tavo::formats {

namespace {

using geometry::SeitzOperator;

/// A CIF number without its standard uncertainty: "10.1234(5)" -> 10.1234.
std::optional<double> cifNumber(std::string_view value) {
  if (cif::isCifNull(value)) return std::nullopt;
  const std::size_t bracket = value.find('(');
  return text::findDouble(value.substr(0, bracket));
}

double requiredNumber(const cif::CifBlock& block, std::string_view tag) {
  const std::optional<std::string> value = block.findValue(tag);
  const std::optional<double> number = value ? cifNumber(*value) : std::nullopt;
  if (!number) {
    throw UserError("data_" + block.name + ": " + std::string(tag) +
                    (value ? " is not a number." : " is missing."));
  }
  return *number;
}

std::vector<SeitzOperator> operatorsOf(const cif::CifBlock& block) {
  std::vector<SeitzOperator> operators;
  for (std::string_view tag : {"_space_group_symop_operation_xyz", "_symmetry_equiv_pos_as_xyz"}) {
    const cif::CifLoop* loop = block.findLoop(tag);
    std::optional<std::string> single;
    if (!loop) single = block.findValue(tag);
    if (!loop && !single) continue;
    std::vector<std::string> texts;
    if (loop) {
      const std::size_t column = *loop->findColumn(tag);
      for (std::size_t row = 0; row < loop->rowCount(); ++row)
        texts.push_back(loop->at(row, column));
    } else {
      texts.push_back(*single);
    }
    for (const std::string& text : texts) {
      const std::optional<SeitzOperator> op = geometry::parseSymmetryTriplet(text);
      if (!op)
        throw UserError("data_" + block.name + ": the symmetry operator '" + text +
                        "' cannot be read.");
      const SeitzOperator reduced = op->reduced();
      if (std::find(operators.begin(), operators.end(), reduced) == operators.end())
        operators.push_back(reduced);
    }
    break;
  }
  const auto identity = std::find(operators.begin(), operators.end(), SeitzOperator{});
  if (identity == operators.end()) {
    operators.insert(operators.begin(), SeitzOperator{});
  } else {
    std::rotate(operators.begin(), identity, identity + 1);
  }
  return operators;
}

/// The Uij of the aniso loop by label.
std::map<std::string, std::array<double, 6>> anisotropicUs(const cif::CifBlock& block) {
  std::map<std::string, std::array<double, 6>> result;
  const cif::CifLoop* loop = block.findLoop("_atom_site_aniso_label");
  if (!loop) return result;
  const std::size_t label = *loop->findColumn("_atom_site_aniso_label");
  constexpr std::array<std::string_view, 6> tags = {
      "_atom_site_aniso_U_11", "_atom_site_aniso_U_22", "_atom_site_aniso_U_33",
      "_atom_site_aniso_U_23", "_atom_site_aniso_U_13", "_atom_site_aniso_U_12"};
  std::array<std::size_t, 6> columns{};
  for (std::size_t i = 0; i < 6; ++i) {
    const std::optional<std::size_t> column = loop->findColumn(tags[i]);
    if (!column) return result;  // B values or an incomplete loop: the atoms stay isotropic
    columns[i] = *column;
  }
  for (std::size_t row = 0; row < loop->rowCount(); ++row) {
    std::array<double, 6> u{};
    bool complete = true;
    for (std::size_t i = 0; i < 6; ++i) {
      const std::optional<double> value = cifNumber(loop->at(row, columns[i]));
      complete = complete && value.has_value();
      u[i] = value.value_or(0.0);
    }
    if (complete) result[loop->at(row, label)] = u;
  }
  return result;
}

struct AtomColumns {
  std::size_t label = 0, x = 0, y = 0, z = 0;
  std::optional<std::size_t> type, occupancy, uiso, biso, calcFlag;
};

std::optional<AtomColumns> atomColumns(const cif::CifLoop& loop) {
  AtomColumns c;
  const auto label = loop.findColumn("_atom_site_label");
  const auto x = loop.findColumn("_atom_site_fract_x");
  const auto y = loop.findColumn("_atom_site_fract_y");
  const auto z = loop.findColumn("_atom_site_fract_z");
  if (!label || !x || !y || !z) return std::nullopt;
  c.label = *label;
  c.x = *x;
  c.y = *y;
  c.z = *z;
  c.type = loop.findColumn("_atom_site_type_symbol");
  c.occupancy = loop.findColumn("_atom_site_occupancy");
  c.uiso = loop.findColumn("_atom_site_U_iso_or_equiv");
  c.biso = loop.findColumn("_atom_site_B_iso_or_equiv");
  c.calcFlag = loop.findColumn("_atom_site_calc_flag");
  return c;
}

const cif::CifLoop* atomLoopOf(const cif::CifBlock& block) {
  const cif::CifLoop* loop = block.findLoop("_atom_site_label");
  return loop && atomColumns(*loop) && loop->rowCount() > 0 ? loop : nullptr;
}

}  // namespace

std::string chooseBlockQuestion(std::string_view blockName) {
  return "This CIF has several data blocks with atoms. Import the block data_" +
         std::string(blockName) + "?";
}

ImportedStructure importCifBlock(const cif::CifBlock& block) {
  ImportedStructure result;
  result.title = block.name;
  constexpr std::array<std::string_view, 6> cellTags = {"_cell_length_a",   "_cell_length_b",
                                                        "_cell_length_c",   "_cell_angle_alpha",
                                                        "_cell_angle_beta", "_cell_angle_gamma"};
  for (std::size_t i = 0; i < 6; ++i)
    result.cell[i] = requiredNumber(block, cellTags[i]);
  if (const auto z = block.findValue("_cell_formula_units_Z")) {
    if (const auto value = cifNumber(*z); value && *value >= 1) result.z = static_cast<int>(*value);
  }
  if (const auto lambda = block.findValue("_diffrn_radiation_wavelength")) {
    if (const auto value = cifNumber(*lambda); value && *value > 0) result.wavelength = *value;
  }
  result.operators = operatorsOf(block);
  const cif::CifLoop* loop = atomLoopOf(block);
  if (!loop) throw UserError(std::string(noAtomBlockMessage));
  const AtomColumns c = *atomColumns(*loop);
  const std::map<std::string, std::array<double, 6>> uij = anisotropicUs(block);
  for (std::size_t row = 0; row < loop->rowCount(); ++row) {
    const auto cell = [&](std::size_t column) -> const std::string& {
      return loop->at(row, column);
    };
    if (c.calcFlag && text::upper(cell(*c.calcFlag)) == "DUM") continue;
    ImportedAtom atom;
    atom.label = cell(c.label);
    const std::optional<double> x = cifNumber(cell(c.x));
    const std::optional<double> y = cifNumber(cell(c.y));
    const std::optional<double> z = cifNumber(cell(c.z));
    std::optional<std::string> element;
    if (c.type && !cif::isCifNull(cell(*c.type))) element = elementOfSymbol(cell(*c.type));
    if (!x || !y || !z) {
      result.skippedLabels.push_back(atom.label);
      continue;
    }
    // Without a type symbol the label decides, later (inferElementsFromLabels).
    atom.element = element.value_or("");
    atom.elementFromLabel = !element;
    atom.x = *x;
    atom.y = *y;
    atom.z = *z;
    const double occupancy = c.occupancy ? cifNumber(cell(*c.occupancy)).value_or(1.0) : 1.0;
    // The site symmetry comes from the operators: a multiplicity column means the number of
    // equivalent sites in some CIFs and the site-symmetry order in others (SHELXL-97 writes 1 for
    // a general position).
    atom.sof = occupancy / siteSymmetryOrder(result.operators, atom.x, atom.y, atom.z);
    if (c.uiso) {
      if (const auto u = cifNumber(cell(*c.uiso)); u && *u > 0) atom.uiso = *u;
    } else if (c.biso) {
      if (const auto b = cifNumber(cell(*c.biso)); b && *b > 0)
        atom.uiso = *b / (8.0 * std::numbers::pi * std::numbers::pi);
    }
    if (const auto found = uij.find(atom.label); found != uij.end() && atom.element != "H")
      atom.uaniso = found->second;
    result.atoms.push_back(std::move(atom));
  }
  if (result.atoms.empty()) throw UserError(std::string(noAtomBlockMessage));
  return result;
}

ImportedStructure importCif(std::string_view text, std::string_view sourceName,
                            const std::function<bool(const std::string&)>& acceptBlock) {
  const cif::CifDocument document = cif::parseCifText(text, sourceName);
  std::vector<const cif::CifBlock*> withAtoms;
  for (const cif::CifBlock& block : document.blocks) {
    if (atomLoopOf(block)) withAtoms.push_back(&block);
  }
  if (withAtoms.empty()) throw UserError(std::string(noAtomBlockMessage));
  if (withAtoms.size() == 1) return importCifBlock(*withAtoms.front());
  for (const cif::CifBlock* block : withAtoms) {
    if (acceptBlock(block->name)) return importCifBlock(*block);
  }
  throw UserError("No data block was chosen; nothing was imported.");
}

}  // namespace tavo::formats
