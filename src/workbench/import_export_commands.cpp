// The Import menu (CIF, FDAT, XYZ, Cartesian, PDB) and the coordinate exports of the File menu.
#include "workbench/import_export_commands.h"

#include <fstream>
#include <sstream>

#include "formats/cif_import.h"
#include "formats/coordinate_export.h"
#include "formats/coordinate_import.h"
#include "geometry/cell_metrics.h"
#include "geometry/spcg_file.h"
#include "model/file_lines.h"
#include "model/file_replace.h"
#include "text/errors.h"
#include "workbench/file_commands.h"
#include "workbench/symmetry_commands.h"

namespace tavo::workbench {

namespace {

namespace fs = std::filesystem;

std::string_view filterOf(ImportFormat format) {
  switch (format) {
    case ImportFormat::Cif:
      return "CIF (*.cif *.CIF)";
    case ImportFormat::Fdat:
      return "FDAT (*.fdat *.dat *.*)";
    case ImportFormat::Xyz:
      return "XYZ (*.xyz *.*)";
    case ImportFormat::Cartesian:
      return "Cartesian (*.abc *.*)";
    case ImportFormat::Pdb:
      return "PDB (*.pdb *.ent *.*)";
  }
  return "*.*";
}

std::string fileText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw FileError(file, "cannot be read");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string joined(const std::vector<std::string>& words, std::string_view separator = " ") {
  std::string out;
  for (const std::string& word : words) {
    if (!out.empty()) out += separator;
    out += word;
  }
  return out;
}

/// The atoms (kind 1) or H atoms (kind 2) shown, with their view coordinates.
std::vector<formats::ExportAtom> shownAtoms(const model::StructureModel& s, model::AtomKind kind) {
  std::vector<formats::ExportAtom> atoms;
  const bool hydrogen = kind == model::AtomKind::Hydrogen;
  const int count = hydrogen ? s.workingHCount : s.workingAtomCount;
  for (int i = 1; i <= count; ++i) {
    const std::string& label = hydrogen ? s.hydrogens[i].label : s.atoms[i].label;
    const int sfac = hydrogen ? s.hydrogens[i].sfac : s.atoms[i].sfac;
    atoms.push_back({label, std::string(s.symbolOf(sfac)), s.viewOf({kind, i})});
  }
  return atoms;
}

std::vector<std::array<int, 2>> bondPairs(const model::StructureModel& s, int kind) {
  std::vector<std::array<int, 2>> pairs;
  for (const model::Bond& bond : s.bonds.kinds[static_cast<std::size_t>(kind)]) {
    pairs.push_back({bond.first, bond.second});
  }
  return pairs;
}

}  // namespace

void ImportExportCommands::writeExport(const fs::path& proposed, std::string_view filter,
                                       const std::vector<std::string>& lines) {
  WorkbenchState& s = m_context.state;
  const std::optional<fs::path> chosen = m_context.dialogs.chooseFileToSave(
      proposed.parent_path(), proposed.filename().string(), filter);
  if (!chosen) return;
  model::replaceFileLines(fs::absolute(*chosen), lines);
  s.redraw();
}

void ImportExportCommands::saveCartesian() {
  WorkbenchState& s = m_context.state;
  if (!s.loaded) return;
  std::vector<formats::ExportAtom> atoms = shownAtoms(s.structure, model::AtomKind::Atom);
  const std::vector<formats::ExportAtom> h = shownAtoms(s.structure, model::AtomKind::Hydrogen);
  atoms.insert(atoms.end(), h.begin(), h.end());
  writeExport(formats::proposedExportName(s.structure.currentFile, ".abc"), "*.abc (*.abc)",
              formats::cartesianLines(atoms));
}

void ImportExportCommands::savePdb() {
  WorkbenchState& s = m_context.state;
  if (!s.loaded) return;
  const model::StructureModel& st = s.structure;
  formats::PdbFrame frame;
  const model::CellParameters& c = st.cell;
  frame.cell = {c.a, c.b, c.c, c.alpha, c.beta, c.gamma};
  frame.spaceGroup = m_symmetry ? m_symmetry->controls().name : "P 1";
  // Fractional = L (X - O), O the view position of the fractional origin.
  const model::Vec3 origin = s.frame.viewSlots[geometry::fractionalOriginSlot];
  const std::array<model::Vec3, 3> axes = {model::Vec3{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  const geometry::Fractional shift = geometry::viewToFractional(s.frame, model::Vec3{} - origin);
  const std::array<double, 3> shifts = {shift.x, shift.y, shift.z};
  for (std::size_t column = 0; column < 3; ++column) {
    const geometry::Fractional f = geometry::viewToFractional(s.frame, axes[column]);
    const std::array<double, 3> values = {f.x, f.y, f.z};
    for (std::size_t row = 0; row < 3; ++row)
      frame.scale[row][column] = values[row];
  }
  for (std::size_t row = 0; row < 3; ++row)
    frame.scale[row][3] = shifts[row];
  writeExport(formats::proposedExportName(st.currentFile, ".pdb"), "*.pdb (*.pdb)",
              formats::pdbLines(shownAtoms(st, model::AtomKind::Atom),
                                shownAtoms(st, model::AtomKind::Hydrogen), bondPairs(st, 1),
                                bondPairs(st, 2), frame));
}

void ImportExportCommands::saveXyz() {
  WorkbenchState& s = m_context.state;
  if (!s.loaded) return;
  const model::StructureModel& st = s.structure;
  std::vector<formats::ExportAtom> atoms;
  for (int i = 1; i <= st.nonHCount; ++i) {
    atoms.push_back({st.atoms[i].label, "", {st.atoms[i].x, st.atoms[i].y, st.atoms[i].z}});
  }
  for (int i = 1; i <= st.hCount; ++i) {
    atoms.push_back(
        {st.hydrogens[i].label, "", {st.hydrogens[i].x, st.hydrogens[i].y, st.hydrogens[i].z}});
  }
  const model::CellParameters& c = st.cell;
  const std::string name = m_symmetry ? m_symmetry->controls().name : "";
  writeExport(formats::proposedExportName(st.currentFile, ".xyz"), "*.xyz (*.xyz)",
              formats::xyzLines({c.a, c.b, c.c, c.alpha, c.beta, c.gamma}, name,
                                st.symmetry.spaceGroupNumber, atoms));
}

void ImportExportCommands::importByDialog(ImportFormat format) {
  WorkbenchState& s = m_context.state;
  const std::optional<fs::path> chosen =
      m_context.dialogs.chooseFileToOpen(s.workingFolder(), filterOf(format));
  if (!chosen) return;
  importFile(*chosen, format);
}

void ImportExportCommands::importFile(const fs::path& file, ImportFormat format) {
  WorkbenchState& s = m_context.state;
  const fs::path absolute = fs::absolute(file);
  std::error_code ec;
  if (!fs::is_regular_file(absolute, ec)) throw FileError(absolute, "does not exist");
  formats::ImportedStructure imported;
  std::vector<std::string> warnings;
  switch (format) {
    case ImportFormat::Cif:
      imported = formats::importCif(
          fileText(absolute), absolute.filename().string(), [&](const std::string& block) {
            return m_context.dialogs.confirm(formats::chooseBlockQuestion(block));
          });
      break;
    case ImportFormat::Pdb:
      imported = formats::importPdb(model::loadRawFileLines(absolute));
      break;
    case ImportFormat::Xyz:
      imported = formats::importXyz(model::loadRawFileLines(absolute));
      break;
    case ImportFormat::Cartesian:
      imported = formats::importCartesian(model::loadRawFileLines(absolute));
      break;
    case ImportFormat::Fdat: {
      std::vector<geometry::SpaceGroupSetting> spcg;
      const fs::path spcgFile = s.programFolder / "spcg.inf";
      if (fs::exists(spcgFile, ec))
        spcg = geometry::readSpcgSettings(model::loadFileLines(spcgFile));
      imported = formats::importFdat(model::loadRawFileLines(absolute), spcg, warnings);
      break;
    }
  }
  const std::vector<std::string> renamed = formats::assignShelxlLabels(imported);
  fs::path proposed = absolute;
  proposed.replace_extension(".ins");
  m_files->openImported(formats::instructionFileLines(imported), proposed);
  for (const std::string& warning : warnings)
    m_context.dialogs.message(warning);
  if (!imported.skippedLabels.empty()) {
    m_context.dialogs.message(std::string(skippedLabelsMessage) + joined(imported.skippedLabels));
  }
  if (!renamed.empty()) {
    m_context.dialogs.message(std::string(renamedLabelsMessage) + joined(renamed, ", "));
  }
  const std::vector<std::string> heavy = formats::inferredHeavyElements(imported);
  if (!heavy.empty())
    m_context.dialogs.message(std::string(inferredElementsMessage) + joined(heavy));
}

}  // namespace tavo::workbench
