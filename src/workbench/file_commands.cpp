// The File menu: the one open path and its entries, the file list, save, and the saving of
// every atom in the view as a new instruction file.
#include "workbench/file_commands.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>

#include "editing/selection_commands.h"
#include "formats/model_cif.h"
#include "geometry/cell_metrics.h"
#include "model/element_definitions.h"
#include "model/expanded_labels.h"
#include "model/file_lines.h"
#include "model/file_replace.h"
#include "model/instruction_reader.h"
#include "model/instruction_writer.h"
#include "model/load_checks.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/picture_preferences.h"

namespace tavo::workbench {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view instructionFilter = "*.ins/*.res/backups (*.ins *.res *.*)";
constexpr std::string_view newInstructionFileName = "NewOne.ins";

/// Names of the regular files of `folder` that `accept` takes, sorted.
std::vector<std::string> namesIn(const fs::path& folder,
                                 const std::function<bool(const std::string&)>& accept) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
    if (!entry.is_regular_file(ec)) continue;
    const std::string name = entry.path().filename().string();
    if (accept(name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

/// The refusal text of a file without TITL; empty for a silent refusal.
std::string_view noTitlMessage(OpenedFrom from) {
  switch (from) {
    case OpenedFrom::Dialog:
    case OpenedFrom::Batch:
      return model::noTitlAtOpenMessage;
    case OpenedFrom::FileList:
    case OpenedFrom::CommandLine:
      return model::noTitlInListMessage;
    case OpenedFrom::Reopen:
      return {};
  }
  return {};
}

/// A coordinate of the working-coordinates grid: general format cut to twelve characters. A
/// value small enough for an exponent (the round-off left at a special position) would lose
/// its exponent to the cut, so it is written in fixed notation.
std::string gridCoordinate(double value) {
  std::string general = text::formatGeneral(value);
  if (general.find_first_of("eE") != std::string::npos) general = text::formatFixed(value, 10);
  return text::cut(general, 12);
}

}  // namespace

void FileCommands::takeWorkingFolderFromDirinf() {
  WorkbenchState& s = m_context.state;
  const fs::path dirinf = s.programFolder / dirinfFileName;
  if (!fs::exists(dirinf)) return;
  const std::vector<std::string> lines = model::loadFileLines(dirinf);
  if (lines.empty() || lines[0].empty()) return;
  std::error_code ec;
  if (!fs::is_directory(lines[0], ec)) return;  // a folder that has gone keeps the current one
  s.structure.workingFolder = lines[0];
  fs::current_path(lines[0]);
}

void FileCommands::writeDirinf(const fs::path& folder) {
  model::replaceFileLines(m_context.state.programFolder / dirinfFileName, {folder.string()});
}

void FileCommands::takeProgramFolder() {
  WorkbenchState& s = m_context.state;
  if (!s.loaded && s.programFolder.empty()) {
    s.programFolder = fs::current_path();
    s.structure.programFolder = s.programFolder.string();
  }
}

void FileCommands::readStructureFrom(const fs::path& file, const std::vector<std::string>* lines) {
  WorkbenchState& s = m_context.state;
  takeProgramFolder();
  if (!s.settingsLoaded) s.loadSettings();
  if (!fs::exists(s.programFolder / model::elementDefinitionsFileName)) {
    s.endProgram(model::missingElementDefinitionsMessage);
  }
  const model::ElementDefinitions& definitions = s.preferences().reloadElementDefinitions();
  // The reader fills a scratch model and replaces the structure only when the whole read
  // succeeded, so a refused or failed file leaves the structure, currentFile and the view alone.
  const model::ArrayLimits previousLimits = s.structure.limits;
  const text::TextGrid previousGrid = s.structure.workingGrid;
  s.structure.limits = s.nextLimits;
  // A Selection stashed across Rotate names atoms of the structure being replaced.
  if (editing::holdsStash(s.structure.workingGrid)) {
    editing::emptyWorkingGrid(s.structure.workingGrid);
  }
  if (lines) {
    // An import: read from memory; currentFile is the name its first save proposes.
    const std::string previousFile = s.structure.currentFile;
    const std::string previousFolder = s.structure.workingFolder;
    s.structure.currentFile = file.string();
    s.structure.workingFolder = file.parent_path().string();
    try {
      model::readStructureFromLines(s.structure, *lines, definitions, m_context.dialogs);
    } catch (...) {
      s.structure.currentFile = previousFile;
      s.structure.workingFolder = previousFolder;
      s.structure.limits = previousLimits;
      s.structure.workingGrid = previousGrid;
      throw;
    }
  } else if (!model::loadInstructionFile(s.structure, file, definitions, m_context.dialogs, "",
                                         s.readOptions)) {
    s.structure.limits = previousLimits;
    s.structure.workingGrid = previousGrid;
    throw CommandAbandoned{};
  }
  s.importNotSaved = lines != nullptr;
  s.cartesianImport = false;
  s.structure.programFolder = s.programFolder.string();
  // The space group (REM SPCG, else LATT and SYMM) and whatever else follows a read.
  s.structureRead();
  s.selection.forget();
  s.selection.capacity = s.structure.limits.atmMax;
  s.dropCopies();
  s.undo.clear();     // the steps belong to the structure just replaced
  s.mapOverlay = {};  // so does the map drawn over it
  s.mapOverlayShown = false;
  ++s.loadCount;
  s.loaded = true;
  s.initGraphics();
}

void FileCommands::afterLoad(const fs::path& file, bool imported) {
  WorkbenchState& s = m_context.state;
  s.setCaption();
  s.window.paintSurfaceEnabled = true;
  // SpinEdit20 ranges over the SFAC elements of the file just read; Edit5 shows the symbol.
  ControlValues& c = s.controls;
  c.elementNumberMax = std::max(s.structure.elementCount, 1);
  c.elementNumber = std::clamp(c.elementNumber, 1, c.elementNumberMax);
  if (c.elementNumber <= s.structure.elementCount)
    c.elementSymbol = s.structure.elements[c.elementNumber].symbol;
  if (!s.structure.workingFolder.empty()) fs::current_path(s.structure.workingFolder);
  s.afterChange({.fractionalCoordinates = true, .resetView = true, .redraw = false});
  if (m_follower != nullptr) m_follower->afterOpen(file, imported);
  s.redraw();
}

void FileCommands::open(const fs::path& file, OpenedFrom from) {
  WorkbenchState& s = m_context.state;
  if (from == OpenedFrom::CommandLine || from == OpenedFrom::Batch) {
    // `tavo FILE` reaches the list as an open by the dialog does.
    s.window.fileListItemEnabled = true;
    m_fileList.visible = false;
  }
  if (from == OpenedFrom::FileList) m_fileList.visible = false;
  if (file.empty()) throw UserError(std::string(noFileNamedMessage));
  const fs::path absolute = fs::absolute(file);
  std::error_code ec;
  if (!fs::exists(absolute, ec)) throw FileError(absolute, "does not exist");
  if (!fs::is_regular_file(absolute, ec)) throw FileError(absolute, "is not a file");
  if (!model::fileStartsWithTitl(absolute)) {
    const std::string_view message = noTitlMessage(from);
    if (!message.empty()) m_context.dialogs.message(message);
    throw CommandAbandoned{};
  }
  if (from == OpenedFrom::FileList) s.window.paintSurfaceEnabled = true;
  if (from == OpenedFrom::Dialog) rememberFolder(absolute.parent_path());
  if (m_follower != nullptr) m_follower->beforeOpen(absolute);
  readStructureFrom(absolute);
  if (from == OpenedFrom::CommandLine || from == OpenedFrom::Batch)
    s.directoryInfo = s.structure.workingFolder;
  if (from == OpenedFrom::Reopen) s.resetModesAndViewFlags();
  afterLoad(absolute, false);
  if (from == OpenedFrom::Dialog) {
    m_context.clock.pause(20);
    s.redraw();
  }
}

fs::path FileCommands::openDialogFolder() {
  WorkbenchState& s = m_context.state;
  takeProgramFolder();
  if (s.directoryInfo != noDirectoryYet) {
    std::error_code ec;
    if (fs::is_directory(s.directoryInfo, ec)) {
      s.structure.workingFolder = s.directoryInfo;
      fs::current_path(s.directoryInfo);
    }
  } else {
    s.structure.workingFolder = fs::current_path().string();
    takeWorkingFolderFromDirinf();
  }
  s.loadSettings();
  return s.workingFolder();
}

void FileCommands::rememberFolder(const fs::path& folder) {
  fs::current_path(folder);
  m_context.state.directoryInfo = folder.string();
  writeDirinf(folder);
}

void FileCommands::openByDialog() {
  WorkbenchState& s = m_context.state;
  const std::optional<fs::path> chosen =
      m_context.dialogs.chooseFileToOpen(openDialogFolder(), instructionFilter);
  if (!chosen) return;
  s.window.paintSurfaceEnabled = true;
  s.window.fileListItemEnabled = true;
  open(*chosen, OpenedFrom::Dialog);
}

void FileCommands::showFileList() {
  WorkbenchState& s = m_context.state;
  takeProgramFolder();
  if (s.loaded && !s.structure.currentFile.empty()) {
    // The list is of the open structure's folder, whatever folder a dialog looked at last.
    s.structure.workingFolder = fs::absolute(s.structure.currentFile).parent_path().string();
    fs::current_path(s.structure.workingFolder);
  } else {
    s.structure.workingFolder = fs::current_path().string();
    takeWorkingFolderFromDirinf();
  }
  const fs::path folder = s.workingFolder();
  FileListWindow list;
  for (const char* extension : {".ins", ".INS", ".res", ".RES"}) {
    const std::vector<std::string> names = namesIn(folder, [&](const std::string& name) {
      return name.size() > 4 && text::endsWith(name, extension);
    });
    list.names.insert(list.names.end(), names.begin(), names.end());
  }
  const std::string current = s.structure.currentFile;
  if (current.size() > 4) {
    const std::string stem = fs::path(current.substr(0, current.size() - 4)).filename().string();
    const std::vector<std::string> siblings =
        namesIn(folder, [&](const std::string& name) { return name.rfind(stem + ".", 0) == 0; });
    list.names.insert(list.names.end(), siblings.begin(), siblings.end());
  }
  list.caption = folder.string();
  list.visible = true;
  m_fileList = std::move(list);
}

void FileCommands::selectInFileList(const std::string& name) {
  m_fileList.selectedName = name;
  m_fileList.previewLines = model::loadFileLines(m_context.state.workingFolder() / name);
}

void FileCommands::openFromFileList(const std::string& name) {
  open(m_context.state.workingFolder() / name, OpenedFrom::FileList);
}

void FileCommands::reopen() {
  const std::string& current = m_context.state.structure.currentFile;
  if (current.empty()) return;
  open(current, OpenedFrom::Reopen);
}

void FileCommands::reopenAsRes() {
  std::string file = m_context.state.structure.currentFile;
  if (file.size() < 4) return;
  if (text::upper(file.substr(file.size() - 3)) != "RES") {
    file = file.substr(0, file.size() - 4) + ".res";
  }
  // currentFile (and with it the caption) changes only once the .res has been read, so that a
  // missing or refused .res cannot make a later save write over it.
  open(file, OpenedFrom::Reopen);
}

void FileCommands::openImported(const std::vector<std::string>& lines,
                                const fs::path& proposedFile) {
  WorkbenchState& s = m_context.state;
  if (m_follower != nullptr) m_follower->beforeOpen(fs::absolute(proposedFile));
  readStructureFrom(fs::absolute(proposedFile), &lines);
  s.window.fileListItemEnabled = true;
  afterLoad(fs::absolute(proposedFile), true);
}

void FileCommands::save() {
  WorkbenchState& s = m_context.state;
  if (!s.loaded) throw UserError(model::nothingToSaveMessage);
  if (s.importNotSaved) {
    // An import is a new structure: it is saved under a name the user gives, never over the
    // file that was imported nor silently over a file of the proposed name.
    const fs::path proposed(s.structure.currentFile);
    const std::optional<fs::path> chosen = m_context.dialogs.chooseFileToSave(
        proposed.parent_path(), proposed.filename().string(), instructionFilter);
    if (!chosen) return;
    fs::path target = fs::absolute(*chosen);
    const std::string extension = text::upper(target.extension().string());
    if (extension != ".INS" && extension != ".RES") target += ".ins";
    s.structure.currentFile = target.string();
    s.structure.workingFolder = target.parent_path().string();
  }
  // A batch command that writes only what it is asked for (tavo-cli import) leaves out name.bak.
  model::saveInstructionFile(
      s.structure, m_context.clock, m_context.dialogs,
      s.readOptions.writeFiles ? model::BakCopy::Written : model::BakCopy::Omitted);
  s.importNotSaved = false;
  s.setCaption();
  model::checkDuplicateLabels(s.structure, m_context.dialogs);
}

void FileCommands::checkDuplicateLabels() {
  if (m_context.state.loaded) {
    model::checkDuplicateLabels(m_context.state.structure, m_context.dialogs);
  }
}

namespace {

/// The entry of the file that entry `index` of a table with `count` entries of the file copies
/// (copies follow unit after unit, each unit in the order of the file's entries); `index` itself
/// for an entry of the file.
int sourceOf(int index, int count) {
  return index <= count ? index : (index - count - 1) % count + 1;
}

}  // namespace

void FileCommands::saveAllExpandedAtoms() {
  WorkbenchState& state = m_context.state;
  if (!state.loaded) return;
  const model::StructureModel& s = state.structure;
  // The labels first: without free labels there is nothing to save, and no name is asked for.
  std::vector<model::ExpandedLabelRequest> requests;
  for (int i = 1; i <= s.workingAtomCount; ++i) {
    const model::Atom& source = s.atoms[sourceOf(i, s.nonHCount)];
    requests.push_back({source.label, std::string(s.symbolOf(source.sfac)), i > s.nonHCount});
  }
  for (int i = 1; i <= s.workingHCount; ++i) {
    const model::Hydrogen& source = s.hydrogens[sourceOf(i, s.hCount)];
    requests.push_back({source.label, std::string(s.symbolOf(source.sfac)), i > s.hCount});
  }
  const std::vector<std::string> labels = model::expandedFileLabels(requests);
  const std::optional<fs::path> chosen = m_context.dialogs.chooseFileToSave(
      state.workingFolder(), newInstructionFileName, instructionFilter);
  if (!chosen) return;
  text::TextGrid grid(1, 4);
  grid.setRow(0, {"Label", "X", "Y", "Z"});
  const auto addRow = [&](const model::Vec3& at) {
    const model::Vec3 p = at - state.frame.viewSlots[geometry::fractionalOriginSlot];
    const geometry::Fractional f = geometry::viewToFractional(state.frame, p);
    grid.setRow(grid.rowCount(), {labels[static_cast<std::size_t>(grid.rowCount() - 1)],
                                  gridCoordinate(f.x), gridCoordinate(f.y), gridCoordinate(f.z)});
  };
  // Each entry keeps its SFAC entry, part and displacement parameters (a copy's Uij turned with
  // it), and the sof as its source atom codes it, so that disorder parts keep their occupancies.
  std::vector<model::ExpandedRow> rows;
  for (int i = 1; i <= s.workingAtomCount; ++i) {
    const model::Atom& a = s.atoms[i];
    const model::Atom& source = s.atoms[sourceOf(i, s.nonHCount)];
    addRow(s.viewOf({model::AtomKind::Atom, i}));
    rows.push_back({"",
                    a.sfac,
                    0,
                    0,
                    0,
                    model::encodeFreeVariable(a.sof, source.codes[model::Sof]),
                    a.part,
                    a.aniso == 1,
                    {a.u11, a.u22, a.u33, a.u23, a.u13, a.u12}});
  }
  for (int i = 1; i <= s.workingHCount; ++i) {
    const model::Hydrogen& h = s.hydrogens[i];
    const model::Hydrogen& source = s.hydrogens[sourceOf(i, s.hCount)];
    // A riding H stands apart from its parent here: its Uiso is written as a value.
    const double uiso = formats::riderUiso(s, source).value_or(std::abs(h.uiso));
    addRow(s.viewOf({model::AtomKind::Hydrogen, i}));
    rows.push_back({"",
                    h.sfac,
                    0,
                    0,
                    0,
                    model::encodeFreeVariable(h.sof, source.codes[model::Sof]),
                    h.part,
                    false,
                    {uiso, 0, 0, 0, 0, 0}});
  }
  m_workingCoordinates = grid;
  for (int r = 1; r < grid.rowCount(); ++r) {
    model::ExpandedRow& row = rows[static_cast<std::size_t>(r - 1)];
    row.label = grid.cell(r, 0);
    row.x = text::parseDouble(grid.cell(r, 1));
    row.y = text::parseDouble(grid.cell(r, 2));
    row.z = text::parseDouble(grid.cell(r, 3));
  }
  model::writeExpandedInstructionFile(s, *chosen, rows);
}

}  // namespace tavo::workbench
