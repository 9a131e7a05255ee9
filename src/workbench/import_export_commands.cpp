// The Import menu (CIF, FDAT, XYZ, Cartesian, PDB) and the coordinate exports of the File menu.
#include "workbench/import_export_commands.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "formats/cif_import.h"
#include "formats/coordinate_export.h"
#include "formats/coordinate_import.h"
#include "formats/model_cif.h"
#include "formats/texsan_export.h"
#include "geometry/cell_metrics.h"
#include "geometry/spcg_file.h"
#include "model/element_definitions.h"
#include "model/file_lines.h"
#include "model/file_replace.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/file_commands.h"
#include "workbench/preference_commands.h"
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

/// The bonds of `kind` as (first, second) pairs; the H-atom bonds (kind 2), which the bond list
/// holds as (H index, non-H index), as (non-H index, H index).
std::vector<std::array<int, 2>> bondPairs(const model::StructureModel& s, int kind) {
  std::vector<std::array<int, 2>> pairs;
  for (const model::Bond& bond : s.bonds.kinds[static_cast<std::size_t>(kind)]) {
    if (kind == 2) {
      pairs.push_back({bond.second, bond.first});
    } else {
      pairs.push_back({bond.first, bond.second});
    }
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

void ImportExportCommands::saveModelCif() {
  WorkbenchState& s = m_context.state;
  if (!s.loaded) return;
  const model::StructureModel& st = s.structure;
  // The group's name and number only when the operators are those of a group of the table.
  std::optional<formats::ModelCifGroup> group;
  if (m_symmetry && m_symmetry->source() != SymmetrySource::LattSymm) {
    const std::string& name = m_symmetry->controls().name;
    if (name != geometry::chooseGroupName && name != geometry::noInfoName) {
      group = formats::ModelCifGroup{name, st.symmetry.spaceGroupNumber};
    }
  }
  const fs::path proposed = formats::proposedExportName(st.currentFile, ".cif");
  writeExport(proposed, "*.cif (*.cif)",
              formats::modelCifLines(st, fs::path(st.currentFile).stem().string(), group));
}

namespace {

std::optional<std::string> markedLine(const model::StructureModel& s, int row) {
  if (row <= 0 || row >= s.lineCount()) return std::nullopt;
  return s.instructionLines[static_cast<std::size_t>(row)];
}

formats::TexsanInput texsanInput(const model::StructureModel& s) {
  formats::TexsanInput in;
  in.title = s.instructionLines.empty() ? std::string() : s.instructionLines[0];
  const model::LineMarkers& m = s.markers;
  in.cell = markedLine(s, m.cellLine);
  in.zerr = markedLine(s, m.zerrLine);
  in.sfac = markedLine(s, m.sfacLine);
  in.unit = markedLine(s, m.unitLine);
  in.leastSquares = markedLine(s, m.lsLine);
  in.exti = markedLine(s, m.extiLine);
  in.fmap = markedLine(s, m.fmapLine);
  in.plan = markedLine(s, m.planLine);
  for (const char* card : {"LATT", "SYMM"}) {
    for (const std::string& line : s.instructionLines) {
      if (text::startsWithUpper(line, card)) in.lattSymm.push_back(line);
    }
  }
  in.hklf = s.hklfLine.empty() ? std::string("HKLF 4") : s.hklfLine;
  in.scale = s.fvarCount > 0 ? s.fvar[1] : 1.0;
  for (int i = 1; i <= s.nonHCount; ++i) {
    const model::Atom& a = s.atoms[i];
    in.atoms.push_back({a.label,
                        a.sfac,
                        std::string(s.symbolOf(a.sfac)),
                        a.x,
                        a.y,
                        a.z,
                        a.sof,
                        a.aniso == 1,
                        {a.u11, a.u22, a.u33, a.u23, a.u13, a.u12}});
  }
  for (int i = 1; i <= s.hCount; ++i) {
    const model::Hydrogen& h = s.hydrogens[i];
    in.hydrogens.push_back({h.label,
                            h.sfac,
                            std::string(s.symbolOf(h.sfac)),
                            h.x,
                            h.y,
                            h.z,
                            h.sof,
                            false,
                            {h.uiso, 0, 0, 0, 0, 0}});
  }
  for (int i = 1; i <= s.peakCount; ++i) {
    in.peaks.push_back({s.peaks[i].x, s.peaks[i].y, s.peaks[i].z, s.peaks[i].height});
  }
  return in;
}

}  // namespace

void ImportExportCommands::saveFragment() {
  WorkbenchState& s = m_context.state;
  const model::StructureModel& st = s.structure;
  if (!s.loaded || st.nonHCount == 0) throw UserError(std::string(fragmentNoAtomMessage));
  if (!s.cartesianImport) throw UserError(std::string(fragmentNotCartesianMessage));
  if (st.workingAtomCount != st.nonHCount) throw UserError(std::string(fragmentExpandedMessage));
  const std::vector<formats::ExportAtom> atoms = shownAtoms(st, model::AtomKind::Atom);
  std::optional<std::size_t> origin;
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    if (atoms[i].at == model::Vec3{}) origin = i;
  }
  if (!origin) throw UserError(std::string(fragmentNoOriginMessage));
  // The folder the locating tool reads fragments from; the dialog opens in it.
  const fs::path folder = s.programFolder / "fragments";
  std::error_code ec;
  fs::create_directories(folder, ec);
  const std::optional<fs::path> chosen =
      m_context.dialogs.chooseFileToSave(folder, "", "*.* (*.*)");
  if (!chosen) return;
  model::replaceFileLines(
      fs::absolute(*chosen),
      formats::fragmentLines(atoms, shownAtoms(st, model::AtomKind::Hydrogen), *origin));
}

void ImportExportCommands::saveTexsan() {
  saveTexsanInto(m_context.state.workingFolder());
}

void ImportExportCommands::saveTexsanInto(const fs::path& folder) {
  WorkbenchState& s = m_context.state;
  if (!s.loaded) return;
  const model::StructureModel& st = s.structure;
  formats::TexsanInput in = texsanInput(st);
  in.dateTime = m_context.clock.dateTimeText();
  const std::string stem = st.currentFile.substr(0, st.currentFile.size() - 3);
  std::error_code ec;
  if (fs::exists(stem + "lst", ec)) {
    in.listing = formats::listingAtomTable(model::loadFileLines(stem + "lst"));
  } else {
    m_context.dialogs.message(stem + std::string(formats::noListingMessage));
  }
  const formats::TexsanFiles files = formats::texsanFiles(in);
  if (!files.unknownElements.empty()) {
    throw UserError("texsan has no element code for " + joined(files.unknownElements) +
                    "; no file was written.");
  }
  for (const std::string& message : files.messages)
    m_context.dialogs.message(message);
  model::replaceFileLines(folder / "texsan.ins", files.ins);
  model::replaceFileLines(folder / "atoms.dat", files.dat);
  model::replaceFileLines(folder / "atoms.pks", files.pks);
  if (files.withoutListing.empty()) {
    m_context.dialogs.message(formats::texsanDoneMessage);
  } else {
    m_context.dialogs.message(
        "texsan.ins, atoms.dat and atoms.pks were written, but the listing gives no values and "
        "standard uncertainties for " +
        joined(files.withoutListing) + "; atoms.dat holds zero uncertainties for them.");
  }
}

std::string missingJobFilesMessage(int jobNumber) {
  const std::string n = std::to_string(jobNumber);
  return "head" + n + ".inf and tail" + n + ".inf do not exist in your Tavo/gaussian folder";
}

fs::path ImportExportCommands::gaussianFolder() const {
  return m_context.state.programFolder / "gaussian";
}

void ImportExportCommands::openGaussianWindow() {
  WorkbenchState& s = m_context.state;
  if (!s.loaded) return;
  std::error_code ec;
  if (fs::exists(gaussianFolder() / "head1.inf", ec))
    m_gaussian.head = model::loadFileLines(gaussianFolder() / "head1.inf");
  if (fs::exists(gaussianFolder() / "tail1.inf", ec))
    m_gaussian.tail = model::loadFileLines(gaussianFolder() / "tail1.inf");
  // Held in memory: no coordinates.abc is written into the program folder.
  m_gaussian.coordinates =
      formats::gaussianCoordinateLines(shownAtoms(s.structure, model::AtomKind::Atom),
                                       shownAtoms(s.structure, model::AtomKind::Hydrogen));
  m_gaussian.visible = true;
}

void ImportExportCommands::chooseJobNumber(int jobNumber) {
  m_gaussian.jobNumber = std::clamp(jobNumber, 1, 100);
  const std::string n = std::to_string(m_gaussian.jobNumber);
  const fs::path head = gaussianFolder() / ("head" + n + ".inf");
  const fs::path tail = gaussianFolder() / ("tail" + n + ".inf");
  std::error_code ec;
  if (!fs::exists(head, ec) || !fs::exists(tail, ec)) {
    m_context.dialogs.message(missingJobFilesMessage(m_gaussian.jobNumber));
    return;
  }
  m_gaussian.head = model::loadFileLines(head);
  m_gaussian.tail = model::loadFileLines(tail);
}

void ImportExportCommands::saveGaussianInput() {
  WorkbenchState& s = m_context.state;
  const GaussianWindow& g = m_gaussian;
  std::vector<std::string> lines = g.head;
  lines.insert(
      lines.end(),
      {"", g.title, "", "   " + std::to_string(g.charge) + "   " + std::to_string(g.multiplicity)});
  lines.insert(lines.end(), g.coordinates.begin(), g.coordinates.end());
  lines.push_back("");
  lines.insert(lines.end(), g.tail.begin(), g.tail.end());
  // Hidden also when the save dialog is cancelled.
  m_gaussian.visible = false;
  writeExport(formats::proposedExportName(s.structure.currentFile, ".com"), "*.com (*.com)", lines);
}

WindowDeclaration ImportExportCommands::declareGaussianWindow() {
  WindowDeclaration w = declaredWindow(
      "TForm25", "Setting up a Gaussian Input Command File to be Saved",
      "\"Save Gaussian Com (->DFT)\" shows it", [this] { return m_gaussian.visible; });
  const auto lines = [](std::string_view text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start <= text.size()) {
      const std::size_t end = std::min(text.find('\n', start), text.size());
      result.emplace_back(text.substr(start, end - start));
      start = end + 1;
    }
    return result;
  };
  const auto load = [this](std::vector<std::string>& target) {
    const std::optional<fs::path> chosen =
        m_context.dialogs.chooseFileToOpen(gaussianFolder(), "*.inf (*.inf)");
    if (chosen) target = model::loadFileLines(*chosen);
  };
  w.controls = {
      numberField("SpinEdit1",
                  [this](int charge) { m_gaussian.charge = std::clamp(charge, -100, 100); }),
      numberField(
          "SpinEdit2",
          [this](int multiplicity) { m_gaussian.multiplicity = std::clamp(multiplicity, 1, 100); }),
      numberField("SpinEdit3", [this](int job) { chooseJobNumber(job); }),
      textField("TitleEdit", [this](const std::string& t) { m_gaussian.title = t; }),
      textField("HeadMemo", [this, lines](const std::string& t) { m_gaussian.head = lines(t); }),
      textField("TailMemo", [this, lines](const std::string& t) { m_gaussian.tail = lines(t); }),
      textField("CoordinatesMemo",
                [this, lines](const std::string& t) { m_gaussian.coordinates = lines(t); }),
      press("LoadHead", [this, load] { load(m_gaussian.head); }),
      press("LoadTail", [this, load] { load(m_gaussian.tail); }),
      press("Save", [this] { saveGaussianInput(); }),
      press("Cancel", [this] { m_gaussian.visible = false; }),
  };
  return w;
}

const model::ElementDefinitions& ImportExportCommands::elementDefinitions() {
  WorkbenchState& s = m_context.state;
  // Read as an open reads it: without elems.inf the program cannot go on.
  if (!fs::exists(s.settingsFolder() / model::elementDefinitionsFileName)) {
    s.endProgram(model::missingElementDefinitionsMessage);
  }
  return s.preferences().reloadElementDefinitions();
}

void ImportExportCommands::importByDialog(ImportFormat format) {
  // The dialog starts where an open would, and the folder chosen is remembered as an open's is.
  const std::optional<fs::path> chosen =
      m_context.dialogs.chooseFileToOpen(m_files->openDialogFolder(), filterOf(format));
  if (!chosen) return;
  const fs::path file = fs::absolute(*chosen);
  std::error_code ec;
  if (fs::is_directory(file.parent_path(), ec)) m_files->rememberFolder(file.parent_path());
  importFile(file, format);
}

void ImportExportCommands::importFile(const fs::path& file, ImportFormat format) {
  WorkbenchState& s = m_context.state;
  const fs::path absolute = fs::absolute(file);
  std::error_code ec;
  if (!fs::is_regular_file(absolute, ec)) throw FileError(absolute, "does not exist");
  const std::string name = absolute.filename().string();
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
      imported = formats::importPdb(model::loadRawFileLines(absolute), name);
      break;
    case ImportFormat::Xyz: {
      // A .xyz file whose first line is an atom count is an XMOL file of Cartesian coordinates.
      const std::vector<std::string> lines = model::loadRawFileLines(absolute);
      if (formats::isXmolFile(lines)) format = ImportFormat::Cartesian;
      imported = format == ImportFormat::Cartesian ? formats::importCartesian(lines, name)
                                                   : formats::importXyz(lines, name);
      break;
    }
    case ImportFormat::Cartesian:
      imported = formats::importCartesian(model::loadRawFileLines(absolute), name);
      break;
    case ImportFormat::Fdat: {
      std::vector<geometry::SpaceGroupSetting> spcg;
      const fs::path spcgFile = s.programFolder / "spcg.inf";
      if (fs::exists(spcgFile, ec))
        spcg = geometry::readSpcgSettings(model::loadFileLines(spcgFile));
      imported = formats::importFdat(model::loadRawFileLines(absolute), spcg, warnings, name);
      break;
    }
  }
  formats::inferElementsFromLabels(imported, formats::labelElementSymbols(elementDefinitions()));
  const std::vector<std::string> renamed = formats::assignShelxlLabels(imported);
  fs::path proposed = absolute;
  proposed.replace_extension(".ins");
  m_files->openImported(formats::instructionFileLines(imported), proposed);
  s.cartesianImport = format == ImportFormat::Cartesian || format == ImportFormat::Pdb;
  for (const std::string& warning : warnings)
    m_context.dialogs.inform(warning);
  if (!imported.skippedLabels.empty()) {
    m_context.dialogs.inform(std::string(skippedLabelsMessage) + joined(imported.skippedLabels));
  }
  if (!renamed.empty()) {
    m_context.dialogs.inform(std::string(renamedLabelsMessage) + joined(renamed, ", "));
  }
  const std::vector<std::string> heavy = formats::inferredHeavyElements(imported);
  if (!heavy.empty())
    m_context.dialogs.inform(std::string(inferredElementsMessage) + joined(heavy));
}

}  // namespace tavo::workbench
