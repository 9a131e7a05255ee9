// The text-based merge of SHELXL's CIF and the .cif_od file into the template's lines. Every
// rule finds an item or loop through the line map, so a value is replaced whole (a text field
// with all its lines) and no data name is written twice.
#include "cif/cif_merge.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "cif/cif_line_map.h"

namespace tavo::cif {

namespace {

using Lines = std::vector<std::string>;

/// A template name and the older name SHELXL-97 wrote for it.
struct NamePair {
  std::string_view name;
  std::string_view alias = {};
};

// The single values SHELXL's CIF gives, in the order they are merged.
constexpr NamePair shelxlValues[] = {
    {"_shelx_SHELXL_version_number"},
    {"_chemical_formula_weight"},
    {"_chemical_absolute_configuration"},
    {"_space_group_crystal_system", "_symmetry_cell_setting"},
    {"_space_group_IT_number", "_symmetry_Int_Tables_number"},
    {"_space_group_name_H-M_alt", "_symmetry_space_group_name_H-M"},
    {"_space_group_name_Hall", "_symmetry_space_group_name_Hall"},
    {"_cell_length_a"},
    {"_cell_length_b"},
    {"_cell_length_c"},
    {"_cell_angle_alpha"},
    {"_cell_angle_beta"},
    {"_cell_angle_gamma"},
    {"_cell_volume"},
    {"_cell_formula_units_Z"},
    {"_cell_measurement_temperature"},
    {"_cell_measurement_reflns_used"},
    {"_cell_measurement_theta_min"},
    {"_cell_measurement_theta_max"},
    {"_exptl_crystal_description"},
    {"_exptl_crystal_colour"},
    {"_exptl_crystal_density_meas"},
    {"_exptl_crystal_density_method"},
    {"_exptl_crystal_density_diffrn"},
    {"_exptl_crystal_F_000"},
    {"_exptl_crystal_size_max"},
    {"_exptl_crystal_size_mid"},
    {"_exptl_crystal_size_min"},
    {"_exptl_absorpt_coefficient_mu"},
    {"_shelx_estimated_absorpt_T_min"},
    {"_shelx_estimated_absorpt_T_max"},
    {"_exptl_absorpt_correction_type"},
    {"_exptl_absorpt_correction_T_min"},
    {"_exptl_absorpt_correction_T_max"},
    {"_diffrn_ambient_temperature"},
    {"_diffrn_radiation_wavelength"},
    {"_diffrn_radiation_type"},
    {"_diffrn_reflns_number"},
    {"_diffrn_reflns_av_R_equivalents"},
    {"_diffrn_reflns_av_unetI/netI", "_diffrn_reflns_av_sigmaI/netI"},
    {"_diffrn_reflns_limit_h_min"},
    {"_diffrn_reflns_limit_h_max"},
    {"_diffrn_reflns_limit_k_min"},
    {"_diffrn_reflns_limit_k_max"},
    {"_diffrn_reflns_limit_l_min"},
    {"_diffrn_reflns_limit_l_max"},
    {"_diffrn_reflns_theta_min"},
    {"_diffrn_reflns_theta_max"},
    {"_diffrn_reflns_theta_full"},
    {"_diffrn_measured_fraction_theta_max"},
    {"_diffrn_measured_fraction_theta_full"},
    {"_diffrn_reflns_Laue_measured_fraction_max"},
    {"_diffrn_reflns_Laue_measured_fraction_full"},
    {"_diffrn_reflns_point_group_measured_fraction_max"},
    {"_diffrn_reflns_point_group_measured_fraction_full"},
    {"_reflns_number_total"},
    {"_reflns_number_gt"},
    {"_reflns_threshold_expression"},
    {"_reflns_Friedel_coverage"},
    {"_reflns_Friedel_fraction_max"},
    {"_reflns_Friedel_fraction_full"},
    {"_computing_structure_refinement"},
    {"_refine_ls_structure_factor_coef"},
    {"_refine_ls_matrix_type"},
    {"_refine_ls_weighting_scheme"},
    {"_atom_sites_solution_primary"},
    {"_atom_sites_solution_secondary"},
    {"_atom_sites_solution_hydrogens"},
    {"_refine_ls_hydrogen_treatment"},
    {"_refine_ls_extinction_method"},
    {"_refine_ls_extinction_coef"},
    {"_refine_ls_abs_structure_Flack"},
    {"_refine_ls_number_reflns"},
    {"_refine_ls_number_parameters"},
    {"_refine_ls_number_restraints"},
    {"_refine_ls_R_factor_all"},
    {"_refine_ls_R_factor_gt"},
    {"_refine_ls_wR_factor_ref"},
    {"_refine_ls_wR_factor_gt"},
    {"_refine_ls_goodness_of_fit_ref"},
    {"_refine_ls_restrained_S_all"},
    {"_refine_ls_shift/su_max"},
    {"_refine_ls_shift/su_mean"},
    {"_refine_diff_density_max"},
    {"_refine_diff_density_min"},
    {"_refine_diff_density_rms"},
    {"_shelx_res_checksum"},
    {"_shelx_hkl_checksum"},
    {"_shelx_fab_checksum"},
    {"_shelx_res_file"},
    {"_shelx_hkl_file"},
    {"_shelx_fab_file"},
};

// Items of the template left out when SHELXL's CIF has none: they do not apply to the structure.
constexpr std::string_view omittedWhenMissing[] = {"_refine_ls_abs_structure_Flack",
                                                   "_refine_ls_extinction_coef",
                                                   "_chemical_absolute_configuration",
                                                   "_shelx_res_file",
                                                   "_shelx_res_checksum",
                                                   "_shelx_hkl_file",
                                                   "_shelx_hkl_checksum",
                                                   "_shelx_fab_file",
                                                   "_shelx_fab_checksum"};

// The loops replaced whole by SHELXL's.
constexpr NamePair shelxlLoops[] = {
    {"_atom_type_symbol"},
    {"_space_group_symop_operation_xyz", "_symmetry_equiv_pos_as_xyz"},
    {"_atom_site_label"},
    {"_atom_site_aniso_label"},
    {"_geom_bond_atom_site_label_1"},
    {"_geom_angle_atom_site_label_1"},
    {"_geom_torsion_atom_site_label_1"},
};
constexpr std::string_view hbondTag = "_geom_hbond_atom_site_label_D";

// The values of the diffractometer's file.
constexpr std::string_view cifOdValues[] = {
    "_cell_measurement_reflns_used",
    "_cell_measurement_theta_min",
    "_cell_measurement_theta_max",
    "_exptl_crystal_size_max",
    "_exptl_crystal_size_mid",
    "_exptl_crystal_size_min",
    "_exptl_absorpt_correction_T_min",
    "_exptl_absorpt_correction_T_max",
    "_exptl_absorpt_correction_type",
    "_exptl_absorpt_process_details",
    "_diffrn_source",
    "_diffrn_source_type",
    "_diffrn_radiation_type",
    "_diffrn_radiation_probe",
    "_diffrn_radiation_monochromator",
    "_diffrn_measurement_device",
    "_diffrn_measurement_device_type",
    "_diffrn_measurement_method",
    "_diffrn_measurement_details",
    "_diffrn_detector",
    "_computing_data_collection",
    "_computing_cell_refinement",
    "_computing_data_reduction",
};

constexpr std::size_t formulaTarget = 33;

std::size_t shelxlTarget(std::string_view name) {
  if (name.size() > 39) return 45;
  if (name.size() > 33) return 40;
  return 35;
}

std::size_t cifOdTarget(std::string_view name) {
  if (name.size() < 35) return 35;
  if (name.size() < 40) return 40;
  if (name.size() < 45) return 45;
  return 50;
}

bool isUnknown(const Lines& value) {
  return value.size() == 1 && value[0] == "?";
}

bool isNull(const Lines& value) {
  return value.size() == 1 && (value[0] == "?" || value[0] == ".");
}

/// The lines of an item: the name padded to `target` and a one-line value, or the name alone and
/// the value on the next line(s).
Lines itemLines(const std::string& name, const Lines& value, std::size_t target) {
  if (value.size() == 1 && value[0][0] != ';') {
    const std::size_t blanks = target > name.size() + 1 ? target - name.size() : 1;
    const std::string padded = name + std::string(blanks, ' ');
    if (padded.size() + value[0].size() <= 80) return {padded + value[0]};
    return {name, " " + value[0]};
  }
  Lines lines{name};
  lines.insert(lines.end(), value.begin(), value.end());
  return lines;
}

/// The first data block of `lines` that has a cell (else the first block, else everything).
CifLineMap mapSourceBlock(const Lines& lines) {
  const CifLineMap whole = mapCifLines(lines);
  for (const LineBlock& block : whole.blocks) {
    CifLineMap map = mapCifLines(lines, block.firstLine, block.endLine);
    if (map.findItem("_cell_length_a")) return map;
  }
  if (!whole.blocks.empty())
    return mapCifLines(lines, whole.blocks[0].firstLine, whole.blocks[0].endLine);
  return whole;
}

class Merge {
 public:
  Merge(std::vector<CifWorkLine>& work, const Lines& source)
      : m_work(work), m_source(source), m_sourceMap(mapSourceBlock(source)) {}

  std::vector<std::string> messages;

  std::optional<Lines> sourceValue(NamePair pair) const {
    const LineItem* item = m_sourceMap.findItem(pair.name);
    if (!item && !pair.alias.empty()) item = m_sourceMap.findItem(pair.alias);
    if (!item) return std::nullopt;
    return itemValueLines(m_source, *item);
  }
  const LineLoop* sourceLoop(NamePair pair) const {
    const LineLoop* loop = m_sourceMap.findLoop(pair.name);
    if (!loop && !pair.alias.empty()) loop = m_sourceMap.findLoop(pair.alias);
    return loop;
  }

  /// The map of the work text, made once and then kept up to date by every change of lines, so
  /// that filling many items costs no new map of a long text each.
  CifLineMap workMap() {
    if (!m_workMap) {
      Lines texts;
      texts.reserve(m_work.size());
      for (const CifWorkLine& line : m_work)
        texts.push_back(line.text);
      m_workMap = mapCifLines(texts);
    }
    return *m_workMap;
  }

  /// Lines first..last of the work replaced by `lines`, all marked `mark`.
  void replace(std::size_t first, std::size_t last, const Lines& lines, std::string_view mark) {
    const auto at = m_work.begin() + static_cast<std::ptrdiff_t>(first);
    m_work.erase(at, m_work.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    std::vector<CifWorkLine> added;
    for (const std::string& text : lines)
      added.push_back({std::string(mark), text});
    m_work.insert(m_work.begin() + static_cast<std::ptrdiff_t>(first), added.begin(), added.end());
    updateWorkMap(first, last + 1 - first, lines);
  }
  void insertAfter(std::size_t line, const Lines& lines, std::string_view mark) {
    std::vector<CifWorkLine> added;
    for (const std::string& text : lines)
      added.push_back({std::string(mark), text});
    m_work.insert(m_work.begin() + static_cast<std::ptrdiff_t>(line) + 1, added.begin(),
                  added.end());
    updateWorkMap(line + 1, 0, lines);
  }
  void omit(std::size_t first, std::size_t last) {
    for (std::size_t i = first; i <= last && i < m_work.size(); ++i)
      m_work[i].mark = markOmit;
  }

  /// The template's item `pair` (either name) gets `value`; false when the template has none.
  bool fill(NamePair pair, const Lines& value, std::string_view mark, std::size_t target) {
    const CifLineMap map = workMap();
    const LineItem* item = map.findItem(pair.name);
    if (!item && !pair.alias.empty()) item = map.findItem(pair.alias);
    if (!item) return false;
    const std::string name(firstWord(m_work[item->tagLine].text));
    replace(item->tagLine, item->lastLine, itemLines(name, value, target), mark);
    return true;
  }
  void omitItem(std::string_view tag) {
    const CifLineMap map = workMap();
    if (const LineItem* item = map.findItem(tag)) omit(item->tagLine, item->lastLine);
  }

  /// The commented placeholder "#" + tag: its line and the comment lines right after it.
  std::optional<std::pair<std::size_t, std::size_t>> findPlaceholder(std::string_view tag) const {
    const std::string hashed = "#" + std::string(tag);
    for (std::size_t i = 0; i < m_work.size(); ++i) {
      if (!sameTag(firstWord(m_work[i].text), hashed)) continue;
      std::size_t last = i;
      while (last + 1 < m_work.size()) {
        const std::string_view next = firstWord(m_work[last + 1].text);
        if (next.empty() || next[0] != '#' || (next.size() > 1 && next[1] == '_')) break;
        ++last;
      }
      return std::make_pair(i, last);
    }
    return std::nullopt;
  }

  void creationDate(std::string_view isoDate) {
    fill({"_audit_creation_date"}, {std::string(isoDate)}, markShelx, formulaTarget);
  }

  void formula() {
    const std::optional<Lines> sum = sourceValue({"_chemical_formula_sum"});
    if (!sum || isNull(*sum)) {
      for (std::string_view name :
           {"_chemical_formula_sum", "_chemical_formula_moiety", "_chemical_formula_iupac"})
        fill({name}, {"Check_it_out"}, markShelx, formulaTarget);
      return;
    }
    const std::optional<Lines> moiety = sourceValue({"_chemical_formula_moiety"});
    fill({"_chemical_formula_sum"}, *sum, markShelx, formulaTarget);
    fill({"_chemical_formula_moiety"}, moiety && !isNull(*moiety) ? *moiety : *sum, markShelx,
         formulaTarget);
    fill({"_chemical_formula_iupac"}, *sum, markShelx, formulaTarget);
  }

  void weightingDetails() {
    constexpr std::string_view name = "_refine_ls_weighting_details";
    if (const std::optional<Lines> value = sourceValue({name})) {
      fill({name}, *value, markShelx, shelxlTarget(name));
    } else if (fill({name}, {std::string(weightingPlaceholder)}, markCheck, shelxlTarget(name))) {
      messages.push_back(std::string(weightingMissingPrefix) + std::string(name) +
                         std::string(weightingMissingSuffix));
    }
  }

  /// A value that SHELXL writes only for some structures (an extinction expression, the details
  /// of the absolute structure): into the template's item or its commented placeholder, or
  /// inserted after the first of `after` that the template has; left out when SHELXL has none.
  void optionalItem(std::string_view tag, std::initializer_list<std::string_view> after) {
    const std::optional<Lines> value = sourceValue({tag});
    const CifLineMap map = workMap();
    if (const LineItem* item = map.findItem(tag)) {
      if (!value) omit(item->tagLine, item->lastLine);
      if (value && !isUnknown(*value)) fill({tag}, *value, markShelx, shelxlTarget(tag));
      return;
    }
    const Lines lines = value ? itemLines(std::string(tag), *value, shelxlTarget(tag)) : Lines{};
    if (const auto placeholder = findPlaceholder(tag)) {
      if (value) {
        replace(placeholder->first, placeholder->second, lines, markShelx);
      } else {
        omit(placeholder->first, placeholder->second);
      }
      return;
    }
    if (!value) return;
    std::optional<std::size_t> at;
    for (std::string_view name : after) {
      if (const LineItem* item = map.findItem(name)) at = std::max(at.value_or(0), item->lastLine);
    }
    if (!at) {
      messages.emplace_back(extinctionPairMissingMessage);
      return;
    }
    insertAfter(*at, lines, markShelx);
  }

  void singleValues() {
    for (const NamePair& pair : shelxlValues) {
      std::optional<Lines> value = sourceValue(pair);
      if (!value) {
        if (std::find(std::begin(omittedWhenMissing), std::end(omittedWhenMissing), pair.name) !=
            std::end(omittedWhenMissing))
          omitItem(pair.name);
        continue;
      }
      if (isUnknown(*value)) continue;  // the template's own value stays
      if ((*value)[0] == ">2sigma(I)") *value = {"I>2\\s(I)"};
      fill(pair, *value, markShelx, shelxlTarget(pair.name));
    }
    // Without a measured range of its own, the cell's theta range is that of the data.
    for (const auto& [cell, data] : {std::pair<std::string_view, std::string_view>{
                                         "_cell_measurement_theta_min", "_diffrn_reflns_theta_min"},
                                     {"_cell_measurement_theta_max", "_diffrn_reflns_theta_max"}}) {
      const std::optional<Lines> own = sourceValue({cell});
      const std::optional<Lines> value = sourceValue({data});
      if ((!own || isNull(*own)) && value && !isNull(*value)) fill({cell}, *value, markShelx, 40);
    }
  }

  void loops() {
    for (const NamePair& pair : shelxlLoops)
      replaceLoop(pair, loopMissingMessage(pair.name));
    replaceLoop({hbondTag}, hbondMissingMessage());
  }

  void blockNames(std::string_view fileStem) {
    for (const LineBlock& block : workMap().blocks) {
      if (sameTag(block.name.substr(0, std::min<std::size_t>(6, block.name.size())), "global"))
        continue;
      m_work[block.firstLine] = {std::string(markShelx), blockNameFor(fileStem)};
    }
    m_workMap.reset();
  }

  void misspeltNames() {
    for (CifWorkLine& line : m_work) {
      const std::string_view word = firstWord(line.text);
      if (word.empty() || word[0] != '_') continue;
      const std::size_t at = word.find("symetry");
      if (at == std::string_view::npos) continue;
      const auto offset = static_cast<std::size_t>(word.data() - line.text.data()) + at;
      line.text.replace(offset, 7, "symmetry");
    }
    m_workMap.reset();
  }

  void embeddedFilesNote() {
    const CifLineMap map = workMap();
    const bool wanted = map.findItem("_shelx_res_file") || map.findItem("_shelx_hkl_file");
    const bool given =
        m_sourceMap.findItem("_shelx_res_file") && m_sourceMap.findItem("_shelx_hkl_file");
    if (wanted && !given) messages.emplace_back(embeddedFilesMissingMessage);
  }

  void cifOd() {
    for (std::string_view name : cifOdValues) {
      const std::optional<Lines> value = sourceValue({name});
      if (value && !isUnknown(*value)) fill({name}, *value, markRigaku, cifOdTarget(name));
    }
  }

 private:
  static std::string loopMissingMessage(std::string_view name) {
    return "The field corresponding to <<" + std::string(name) +
           ">> is not foudn in your CIF from Shelxl! The field pre-implemented in template.cif "
           "will be automatically deleted! If you want to add these data, you should add the "
           "corresponding COMAND to your INS file (e.g., BOND $H, CONF, BIND, etc.)!!";
  }
  static std::string hbondMissingMessage() {
    return "The field related to <<" + std::string(hbondTag) +
           ">> does not exit! The H-bonding field pre-implemented in template.cif has been "
           "deleted.In order to include a H-bond table in a Shelxl format, you should define "
           "all the H-bond assignements in your INS file at the final refinement stage by "
           "adding all the individual HTAB cards.";
  }

  void replaceLoop(NamePair pair, const std::string& missingMessage) {
    const CifLineMap map = workMap();
    const LineLoop* mine = map.findLoop(pair.name);
    if (!mine && !pair.alias.empty()) mine = map.findLoop(pair.alias);
    if (!mine) return;
    if (const LineLoop* theirs = sourceLoop(pair)) {
      const Lines lines(m_source.begin() + static_cast<std::ptrdiff_t>(theirs->loopLine),
                        m_source.begin() + static_cast<std::ptrdiff_t>(theirs->lastLine) + 1);
      replace(mine->loopLine, mine->lastLine, lines, markShelx);
    } else {
      messages.push_back(missingMessage);
      omit(mine->loopLine, mine->lastLine);
    }
  }

  /// Lines [first, first + removed) of the work became `added`: the entries of the removed lines
  /// leave the map, those after them move, and the added lines' own entries come in. A change
  /// that cuts through an entry or adds a block heading empties the map, to be made anew.
  void updateWorkMap(std::size_t first, std::size_t removed, const Lines& added) {
    if (!m_workMap) return;
    CifLineMap& map = *m_workMap;
    const std::size_t end = first + removed;
    const auto moved = [&](std::size_t line) {
      return line >= end ? line - removed + added.size() : line;
    };
    const auto outside = [&](std::size_t from, std::size_t to) {
      return to < first || from >= end;
    };
    const auto within = [&](std::size_t from, std::size_t to) { return from >= first && to < end; };
    const CifLineMap fresh = mapCifLines(added);
    bool cut = !fresh.blocks.empty();
    for (const LineItem& item : map.items)
      cut = cut || !(outside(item.tagLine, item.lastLine) || within(item.tagLine, item.lastLine));
    for (const LineLoop& loop : map.loops)
      cut = cut || !(outside(loop.loopLine, loop.lastLine) || within(loop.loopLine, loop.lastLine));
    for (const LineBlock& block : map.blocks)
      cut = cut || (block.firstLine >= first && block.firstLine < end);
    if (cut) {
      m_workMap.reset();
      return;
    }
    std::erase_if(map.items,
                  [&](const LineItem& item) { return within(item.tagLine, item.lastLine); });
    std::erase_if(map.loops,
                  [&](const LineLoop& loop) { return within(loop.loopLine, loop.lastLine); });
    for (LineItem& item : map.items) {
      item.tagLine = moved(item.tagLine);
      item.valueLine = moved(item.valueLine);
      item.lastLine = moved(item.lastLine);
    }
    for (LineLoop& loop : map.loops) {
      loop.loopLine = moved(loop.loopLine);
      loop.lastLine = moved(loop.lastLine);
    }
    for (LineBlock& block : map.blocks) {
      block.firstLine = moved(block.firstLine);
      block.endLine = moved(block.endLine);
    }
    const auto itemAt = std::find_if(map.items.begin(), map.items.end(),
                                     [&](const LineItem& item) { return item.tagLine >= first; });
    const auto at = map.items.insert(itemAt, fresh.items.begin(), fresh.items.end());
    for (auto item = at; item != at + static_cast<std::ptrdiff_t>(fresh.items.size()); ++item) {
      item->tagLine += first;
      item->valueLine += first;
      item->lastLine += first;
    }
    const auto loopAt = std::find_if(map.loops.begin(), map.loops.end(),
                                     [&](const LineLoop& loop) { return loop.loopLine >= first; });
    const auto loopsAt = map.loops.insert(loopAt, fresh.loops.begin(), fresh.loops.end());
    for (auto loop = loopsAt; loop != loopsAt + static_cast<std::ptrdiff_t>(fresh.loops.size());
         ++loop) {
      loop->loopLine += first;
      loop->lastLine += first;
    }
  }

  std::vector<CifWorkLine>& m_work;
  const Lines& m_source;
  CifLineMap m_sourceMap;
  std::optional<CifLineMap> m_workMap;  // empty until needed and after a change it cannot follow
};

}  // namespace

std::vector<CifWorkLine> templateWorkLines(const std::vector<std::string>& lines) {
  std::vector<CifWorkLine> work;
  work.reserve(lines.size());
  for (const std::string& line : lines)
    work.push_back({"", line});
  return work;
}

std::vector<std::string> mergeShelxlCif(std::vector<CifWorkLine>& work,
                                        const std::vector<std::string>& source,
                                        std::string_view fileStem, std::string_view isoDate) {
  Merge merge(work, source);
  merge.creationDate(isoDate);
  merge.formula();
  merge.weightingDetails();
  merge.optionalItem("_refine_ls_extinction_expression",
                     {"_refine_ls_extinction_method", "_refine_ls_extinction_coef"});
  merge.optionalItem("_refine_ls_abs_structure_details",
                     {"_refine_ls_extinction_method", "_refine_ls_extinction_coef",
                      "_refine_ls_extinction_expression"});
  merge.loops();
  merge.blockNames(fileStem);
  merge.misspeltNames();
  merge.embeddedFilesNote();
  // The embedded files come last among the single values: the map of a long .hkl file is the
  // slowest to rebuild.
  merge.singleValues();
  return merge.messages;
}

void mergeCifOd(std::vector<CifWorkLine>& work, const std::vector<std::string>& source) {
  Merge merge(work, source);
  merge.cifOd();
}

bool isLaboratoryPlaceholder(std::string_view text) {
  std::string_view value = text;
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
    value.remove_prefix(1);
  if (!value.empty() && (value.front() == '\'' || value.front() == '"')) value.remove_prefix(1);
  return value.starts_with(laboratoryPlaceholderPrefix);
}

namespace {

/// The output with every value the laboratory left as the template's placeholder written "?":
/// a one-line value becomes "?" in place; a text field loses its placeholder lines and becomes
/// "?" after its tag when nothing else is left in it.
std::vector<std::string> unknownForPlaceholders(std::vector<std::string> lines) {
  const CifLineMap map = mapCifLines(lines);
  // From the last item back, so that the lines of the items before stay where the map has them.
  for (auto item = map.items.rbegin(); item != map.items.rend(); ++item) {
    if (!item->textField) {
      std::string& line = lines[item->valueLine];
      const std::string_view value =
          std::string_view(line).substr(item->valueBegin, item->valueEnd - item->valueBegin);
      if (isLaboratoryPlaceholder(value))
        line.replace(item->valueBegin, item->valueEnd - item->valueBegin, "?");
      continue;
    }
    std::vector<std::string> kept;
    bool placeholder = false;
    for (std::size_t i = item->valueLine + 1; i < item->lastLine; ++i) {
      if (isLaboratoryPlaceholder(lines[i])) {
        placeholder = true;
      } else {
        kept.push_back(lines[i]);
      }
    }
    if (!placeholder) continue;
    const auto first = lines.begin() + static_cast<std::ptrdiff_t>(item->valueLine);
    const auto end = lines.begin() + static_cast<std::ptrdiff_t>(item->lastLine) + 1;
    const bool empty = std::all_of(kept.begin(), kept.end(),
                                   [](const std::string& line) { return firstWord(line).empty(); });
    if (empty) {
      lines.erase(first, end);
      std::string& tagLine = lines[item->tagLine];
      tagLine += std::string(tagLine.size() + 1 < 35 ? 35 - tagLine.size() : 1, ' ') + "?";
    } else {
      kept.insert(kept.begin(), lines[item->valueLine]);
      kept.push_back(lines[item->lastLine]);
      lines.erase(first, end);
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(item->valueLine), kept.begin(),
                   kept.end());
    }
  }
  return lines;
}

}  // namespace

std::vector<std::string> outputLines(const std::vector<CifWorkLine>& work) {
  std::vector<std::string> lines;
  lines.reserve(work.size());
  for (const CifWorkLine& line : work) {
    if (firstWord(line.mark) != markOmit) lines.push_back(line.text);
  }
  return unknownForPlaceholders(std::move(lines));
}

std::string blockNameFor(std::string_view fileStem) {
  std::string name = "data_";
  for (char c : fileStem.substr(0, 75)) {
    const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                         (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
    name += allowed ? c : '_';
  }
  if (fileStem.empty()) name += "structure";
  return name;
}

}  // namespace tavo::cif
