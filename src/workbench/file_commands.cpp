// The file commands of the main window: open by dialog, the file list, reopen, save, and the
// saving of every atom in the view as a new instruction file.
#include <algorithm>
#include <fstream>

#include "editing/selection_commands.h"
#include "geometry/cell_metrics.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/workbench.h"

#if __has_include("model/instruction_reader.h")
#include "model/element_definitions.h"
#include "model/instruction_reader.h"
#include "model/load_checks.h"
#define TAVO_HAS_READER 1
#endif
#if __has_include("model/instruction_writer.h")
#include "model/instruction_writer.h"
#define TAVO_HAS_WRITER 1
#endif

namespace tavo::workbench {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view dialogNotTitlMessage =
    "The first line does not start with a TITL line!  Check the file content!";
constexpr std::string_view listNotTitlMessage = "There is no TITL at the head of this file!!";
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

bool beginsWithTitl(const fs::path& file) {
  const std::vector<std::string> lines = readLines(file);
  return !lines.empty() && text::startsWithUpper(lines[0], "TITL");
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

bool Workbench::loadStructure(const fs::path& file, std::string_view notTitlMessage) {
  // The TITL test comes first so that a refused file leaves the structure and currentFile as
  // they were.
  if (!beginsWithTitl(file)) {
    if (!notTitlMessage.empty()) m_dialogs.message(notTitlMessage);
    return false;
  }
#ifdef TAVO_HAS_READER
  model::ElementDefinitions definitions = model::ElementDefinitions::load(m_programFolder);
  initGraphics();
  if (!model::loadInstructionFile(m_structure, file, definitions, m_dialogs, notTitlMessage)) {
    return false;
  }
#else
  throw UserError("The instruction-file reader is not part of this build.");
#endif
  if (!m_graphicsLoaded) {
    loadGraphicsSettings();
    m_graphicsLoaded = true;
  }
  m_structure.currentFile = file.string();
  m_structure.workingFolder = file.parent_path().string();
  m_selection.forget();
  m_selection.capacity = m_structure.limits.atmMax;
  m_loaded = true;
  return true;
}

void Workbench::afterLoad() {
  setCaption();
  m_window.paintSurfaceEnabled = true;
  if (!m_structure.workingFolder.empty()) fs::current_path(m_structure.workingFolder);
  afterChange({.fractionalCoordinates = true, .resetView = true});
}

void Workbench::openByDialog() {
  run([&] {
    if (m_directoryInfo != noDirectoryYet) {
      m_structure.workingFolder = m_directoryInfo;
      std::error_code ec;
      if (fs::is_directory(m_directoryInfo, ec)) fs::current_path(m_directoryInfo);
    } else {
      m_structure.workingFolder = fs::current_path().string();
      takeWorkingFolderFromDirinf();
    }
    loadGraphicsSettings();
    const std::optional<fs::path> chosen =
        m_dialogs.chooseFileToOpen(workingFolder(), instructionFilter);
    if (!chosen) return;
    const fs::path file = fs::absolute(*chosen);
    m_window.fileListItemEnabled = true;
    if (!loadStructure(file, dialogNotTitlMessage)) return;
    m_directoryInfo = m_structure.workingFolder;
    writeDirinf(m_structure.workingFolder);
    afterLoad();
    m_clock.pause(20);
    redraw();
  });
}

void Workbench::openFile(const fs::path& file) {
  run([&] {
    m_fileList.visible = false;
    if (!loadStructure(fs::absolute(file), listNotTitlMessage)) return;
    m_directoryInfo = m_structure.workingFolder;
    afterLoad();
  });
}

void Workbench::showFileList() {
  run([&] {
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
    if (!loadStructure(workingFolder() / name, listNotTitlMessage)) return;
    afterLoad();
  });
}

void Workbench::reopen() {
  run([&] {
    if (m_structure.currentFile.empty()) return;
    if (!loadStructure(m_structure.currentFile, "")) return;
    afterLoad();
    initGraph();
  });
}

void Workbench::reopenAsRes() {
  run([&] {
    std::string file = m_structure.currentFile;
    if (file.size() < 4) return;
    if (text::upper(file.substr(file.size() - 3)) != "RES") {
      file = file.substr(0, file.size() - 4) + ".res";
    }
    if (!loadStructure(file, "")) return;
    afterLoad();
    initGraph();
  });
}

void Workbench::save() {
  run([&] {
#ifdef TAVO_HAS_WRITER
    if (!m_loaded) throw UserError(model::nothingToSaveMessage);
    model::saveInstructionFile(m_structure, m_clock, m_dialogs);
    setCaption();
#ifdef TAVO_HAS_READER
    model::checkDuplicateLabels(m_structure, m_dialogs);
#endif
#else
    throw UserError("The instruction-file writer is not part of this build.");
#endif
  });
}

void Workbench::checkDuplicateLabels() {
  run([&] {
#ifdef TAVO_HAS_READER
    if (m_loaded) model::checkDuplicateLabels(m_structure, m_dialogs);
#endif
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
      grid.setRow(grid.rowCount(), {label, text::cut(text::formatGeneral(f.x), 12),
                                    text::cut(text::formatGeneral(f.y), 12),
                                    text::cut(text::formatGeneral(f.z), 12)});
      sfacs.push_back(sfac);
    };
    for (int i = 1; i <= s.workingAtomCount; ++i) {
      addRow(s.atoms[i].label, s.atoms[i].sfac, s.viewOf({model::AtomKind::Atom, i}));
    }
    for (int i = 1; i <= s.workingHCount; ++i) {
      addRow(s.hydrogens[i].label, s.hydrogens[1].sfac, s.viewOf({model::AtomKind::Hydrogen, i}));
    }
    m_workingCoordinates = grid;
#ifdef TAVO_HAS_WRITER
    std::vector<model::ExpandedRow> rows;
    for (int r = 1; r < grid.rowCount(); ++r) {
      rows.push_back({grid.cell(r, 0), sfacs[static_cast<size_t>(r - 1)],
                      text::parseDouble(grid.cell(r, 1)), text::parseDouble(grid.cell(r, 2)),
                      text::parseDouble(grid.cell(r, 3))});
    }
    model::writeExpandedInstructionFile(s, *chosen, rows);
#else
    throw UserError("The instruction-file writer is not part of this build.");
#endif
  });
}

}  // namespace tavo::workbench
