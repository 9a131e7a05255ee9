// The file commands of the main window: open by dialog, the file list, reopen, save, and the
// saving of every atom in the view as a new instruction file.
#include <algorithm>
#include <fstream>

#include "editing/selection_commands.h"
#include "geometry/cell_metrics.h"
#include "model/element_definitions.h"
#include "model/instruction_reader.h"
#include "model/instruction_writer.h"
#include "model/load_checks.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/preference_commands.h"
#include "workbench/workbench.h"

namespace tavo::workbench {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view instructionFilter = "*.ins/*.res/backups (*.ins *.res *.*)";
constexpr std::string_view newInstructionFileName = "NewOne.ins";

std::vector<std::string> readLines(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw FileError(file, "cannot be read");
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line))
    lines.push_back(text::trimLine(line));
  return lines;
}

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

/// A coordinate of the working-coordinates grid: general format cut to twelve characters. A
/// value small enough for an exponent (the round-off left at a special position) would lose
/// its exponent to the cut, so it is written in fixed notation.
std::string gridCoordinate(double value) {
  std::string general = text::formatGeneral(value);
  if (general.find_first_of("eE") != std::string::npos) general = text::formatFixed(value, 10);
  return text::cut(general, 12);
}

}  // namespace

fs::path Workbench::workingFolder() const {
  if (!m_structure.workingFolder.empty()) return m_structure.workingFolder;
  return fs::current_path();
}

void Workbench::setCaption() {
  m_caption = std::string(captionPrefix) + m_structure.currentFile;
}

void Workbench::takeWorkingFolderFromDirinf() {
  const fs::path dirinf = m_programFolder / dirinfFileName;
  if (!fs::exists(dirinf)) return;
  const std::vector<std::string> lines = readLines(dirinf);
  if (lines.empty() || lines[0].empty()) return;
  std::error_code ec;
  if (!fs::is_directory(lines[0], ec)) return;  // a folder that has gone keeps the current one
  m_structure.workingFolder = lines[0];
  fs::current_path(lines[0]);
}

void Workbench::writeDirinf(const fs::path& folder) {
  const fs::path dirinf = m_programFolder / dirinfFileName;
  std::ofstream out(dirinf, std::ios::binary | std::ios::trunc);
  if (!out) throw FileError(dirinf, "cannot be written");
  out << folder.string() << "\n";
}

bool Workbench::titlAccepted(const fs::path& file, std::string_view notTitlMessage) {
  // Only the first line decides; a large file is not read twice for it.
  std::ifstream in(file, std::ios::binary);
  if (!in) throw FileError(file, "cannot be read");
  std::string first;
  std::vector<std::string> lines;
  if (std::getline(in, first)) lines.push_back(text::trimLine(first));
  if (model::startsWithTitl(lines)) return true;
  if (!notTitlMessage.empty()) m_dialogs.message(notTitlMessage);
  return false;
}

bool Workbench::readStructureFrom(const fs::path& file) {
  takeProgramFolder();
  if (!m_settingsLoaded) loadSettings();
  if (!fs::exists(m_programFolder / model::elementDefinitionsFileName)) {
    endProgram(model::missingElementDefinitionsMessage);
  }
  const model::ElementDefinitions& definitions = m_preferences->reloadElementDefinitions();
  // The reader fills a scratch model and replaces the structure only when the whole read
  // succeeded, so a refused or failed file leaves the structure, currentFile and the view alone.
  const model::ArrayLimits previousLimits = m_structure.limits;
  const text::TextGrid previousGrid = m_structure.workingGrid;
  m_structure.limits = m_nextLimits;
  // A Selection stashed across Rotate names atoms of the structure being replaced.
  if (editing::holdsStash(m_structure.workingGrid)) {
    editing::emptyWorkingGrid(m_structure.workingGrid);
  }
  if (!model::loadInstructionFile(m_structure, file, definitions, m_dialogs, "")) {
    m_structure.limits = previousLimits;
    m_structure.workingGrid = previousGrid;
    return false;
  }
  m_structure.programFolder = m_programFolder.string();
  m_selection.forget();
  m_selection.capacity = m_structure.limits.atmMax;
  m_loaded = true;
  initGraphics();
  return true;
}

void Workbench::afterLoad() {
  setCaption();
  m_window.paintSurfaceEnabled = true;
  // SpinEdit20 ranges over the SFAC elements of the file just read; Edit5 shows the symbol.
  m_controls.elementNumberMax = std::max(m_structure.elementCount, 1);
  m_controls.elementNumber = std::clamp(m_controls.elementNumber, 1, m_controls.elementNumberMax);
  if (m_controls.elementNumber <= m_structure.elementCount)
    m_controls.elementSymbol = m_structure.elements[m_controls.elementNumber].symbol;
  if (!m_structure.workingFolder.empty()) fs::current_path(m_structure.workingFolder);
  afterChange({.fractionalCoordinates = true, .resetView = true});
}

void Workbench::takeProgramFolder() {
  if (!m_loaded && m_programFolder.empty()) {
    m_programFolder = fs::current_path();
    m_structure.programFolder = m_programFolder.string();
  }
}

void Workbench::openByDialog() {
  run([&] {
    takeProgramFolder();
    if (m_directoryInfo != noDirectoryYet) {
      std::error_code ec;
      if (fs::is_directory(m_directoryInfo, ec)) {
        m_structure.workingFolder = m_directoryInfo;
        fs::current_path(m_directoryInfo);
      }
    } else {
      m_structure.workingFolder = fs::current_path().string();
      takeWorkingFolderFromDirinf();
    }
    loadSettings();
    const std::optional<fs::path> chosen =
        m_dialogs.chooseFileToOpen(workingFolder(), instructionFilter);
    if (!chosen) return;
    const fs::path file = fs::absolute(*chosen);
    m_window.paintSurfaceEnabled = true;
    m_window.fileListItemEnabled = true;
    if (!titlAccepted(file, model::noTitlAtOpenMessage)) return;
    const fs::path folder = file.parent_path();
    fs::current_path(folder);
    m_directoryInfo = folder.string();
    writeDirinf(folder);
    if (!readStructureFrom(file)) return;
    afterLoad();
    m_clock.pause(20);
    redraw();
  });
}

void Workbench::openFile(const fs::path& file) {
  run([&] {
    m_fileList.visible = false;
    const fs::path absolute = fs::absolute(file);
    if (!titlAccepted(absolute, model::noTitlInListMessage)) return;
    if (!readStructureFrom(absolute)) return;
    m_directoryInfo = m_structure.workingFolder;
    afterLoad();
  });
}

void Workbench::showFileList() {
  run([&] {
    takeProgramFolder();
    m_structure.workingFolder = fs::current_path().string();
    takeWorkingFolderFromDirinf();
    const fs::path folder = workingFolder();
    FileListWindow list;
    for (const char* extension : {".ins", ".INS", ".res", ".RES"}) {
      const std::vector<std::string> names = namesIn(folder, [&](const std::string& name) {
        return name.size() > 4 && text::endsWith(name, extension);
      });
      list.names.insert(list.names.end(), names.begin(), names.end());
    }
    const std::string current = m_structure.currentFile;
    if (current.size() > 4) {
      const std::string stem = fs::path(current.substr(0, current.size() - 4)).filename().string();
      const std::vector<std::string> siblings =
          namesIn(folder, [&](const std::string& name) { return name.rfind(stem + ".", 0) == 0; });
      list.names.insert(list.names.end(), siblings.begin(), siblings.end());
    }
    list.caption = folder.string();
    list.visible = true;
    m_fileList = std::move(list);
  });
}

void Workbench::selectInFileList(const std::string& name) {
  run([&] {
    m_fileList.selectedName = name;
    m_fileList.previewLines = readLines(workingFolder() / name);
  });
}

void Workbench::openFromFileList(const std::string& name) {
  run([&] {
    m_fileList.visible = false;
    const fs::path file = workingFolder() / name;
    if (!titlAccepted(file, model::noTitlInListMessage)) return;
    m_window.paintSurfaceEnabled = true;
    if (!readStructureFrom(file)) return;
    afterLoad();
  });
}

void Workbench::reopen() {
  run([&] {
    if (m_structure.currentFile.empty()) return;
    const fs::path file = m_structure.currentFile;
    if (!titlAccepted(file, "")) return;
    if (!readStructureFrom(file)) return;
    resetModesAndViewFlags();
    afterLoad();
  });
}

void Workbench::reopenAsRes() {
  run([&] {
    std::string file = m_structure.currentFile;
    if (file.size() < 4) return;
    if (text::upper(file.substr(file.size() - 3)) != "RES") {
      file = file.substr(0, file.size() - 4) + ".res";
    }
    // currentFile (and with it the caption) changes only once the .res has been read, so that a
    // missing or refused .res cannot make a later save write over it.
    if (!titlAccepted(file, "")) return;
    if (!readStructureFrom(file)) return;
    resetModesAndViewFlags();
    afterLoad();
  });
}

void Workbench::save() {
  run([&] {
    if (!m_loaded) throw UserError(model::nothingToSaveMessage);
    model::saveInstructionFile(m_structure, m_clock, m_dialogs);
    setCaption();
    model::checkDuplicateLabels(m_structure, m_dialogs);
  });
}

void Workbench::checkDuplicateLabels() {
  run([&] {
    if (m_loaded) model::checkDuplicateLabels(m_structure, m_dialogs);
  });
}

void Workbench::saveAllExpandedAtoms() {
  run([&] {
    if (!m_loaded) return;
    const std::optional<fs::path> chosen =
        m_dialogs.chooseFileToSave(workingFolder(), newInstructionFileName, instructionFilter);
    if (!chosen) return;
    const model::StructureModel& s = m_structure;
    text::TextGrid grid(1, 4);
    grid.setRow(0, {"Label", "X", "Y", "Z"});
    std::vector<int> sfacs;
    const auto addRow = [&](const std::string& label, int sfac, const model::Vec3& at) {
      const model::Vec3 p = at - m_frame.viewSlots[geometry::fractionalOriginSlot];
      const geometry::Fractional f = geometry::viewToFractional(m_frame, p);
      grid.setRow(grid.rowCount(),
                  {label, gridCoordinate(f.x), gridCoordinate(f.y), gridCoordinate(f.z)});
      sfacs.push_back(sfac);
    };
    for (int i = 1; i <= s.workingAtomCount; ++i) {
      addRow(s.atoms[i].label, s.atoms[i].sfac, s.viewOf({model::AtomKind::Atom, i}));
    }
    for (int i = 1; i <= s.workingHCount; ++i) {
      addRow(s.hydrogens[i].label, s.hydrogens[1].sfac, s.viewOf({model::AtomKind::Hydrogen, i}));
    }
    m_workingCoordinates = grid;
    std::vector<model::ExpandedRow> rows;
    for (int r = 1; r < grid.rowCount(); ++r) {
      rows.push_back({grid.cell(r, 0), sfacs[static_cast<size_t>(r - 1)],
                      text::parseDouble(grid.cell(r, 1)), text::parseDouble(grid.cell(r, 2)),
                      text::parseDouble(grid.cell(r, 3))});
    }
    model::writeExpandedInstructionFile(s, *chosen, rows);
  });
}

}  // namespace tavo::workbench
