// Recent files, dropped files, the window's place and the status line's refinement summary.
#include "workbench/desktop_commands.h"

#include <algorithm>

#include "model/file_lines.h"
#include "model/refinement_summary.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/import_export_commands.h"
#include "workbench/orientation_commands.h"

namespace tavo::workbench {

namespace fs = std::filesystem;

DropKind dropKindOf(const fs::path& file) {
  const std::string extension = text::upper(file.extension().string());
  if (extension == ".INS" || extension == ".RES") return DropKind::Open;
  if (extension == ".CIF") return DropKind::ImportCif;
  if (extension == ".PDB") return DropKind::ImportPdb;
  if (extension == ".XYZ") return DropKind::ImportXyz;
  if (extension == ".FDAT") return DropKind::ImportFdat;
  return DropKind::None;
}

DesktopCommands::DesktopCommands(CommandContext context, FileCommands& files,
                                 ImportExportCommands& imports, OrientationCommands& orientation)
    : m_context(context), m_files(files), m_imports(imports), m_orientation(orientation) {
  m_files.attachOpenFollower(*this);
}

std::vector<fs::path> DesktopCommands::recentFiles() const {
  std::vector<fs::path> files = readRecentFiles(folder());
  std::erase_if(files, [](const fs::path& file) {
    std::error_code ec;
    return !fs::is_regular_file(file, ec);
  });
  return files;
}

void DesktopCommands::openRecent(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec))
    throw UserError(std::string(recentFileGoneMessage) + file.string());
  WorkbenchState& s = m_context.state;
  s.window.paintSurfaceEnabled = true;
  s.window.fileListItemEnabled = true;
  m_files.open(file, OpenedFrom::Dialog);
}

void DesktopCommands::dropFiles(const std::vector<fs::path>& files) {
  const auto taken = std::find_if(files.begin(), files.end(), [](const fs::path& file) {
    return dropKindOf(file) != DropKind::None;
  });
  if (taken == files.end()) {
    throw UserError(std::string(unknownDropMessage) +
                    (files.empty() ? std::string() : files.front().filename().string()));
  }
  switch (dropKindOf(*taken)) {
    case DropKind::Open:
      m_context.state.window.paintSurfaceEnabled = true;
      m_context.state.window.fileListItemEnabled = true;
      m_files.open(*taken, OpenedFrom::Dialog);
      break;
    case DropKind::ImportCif:
      m_imports.importFile(*taken, ImportFormat::Cif);
      break;
    case DropKind::ImportPdb:
      m_imports.importFile(*taken, ImportFormat::Pdb);
      break;
    case DropKind::ImportXyz:
      m_imports.importFile(*taken, ImportFormat::Xyz);
      break;
    case DropKind::ImportFdat:
      m_imports.importFile(*taken, ImportFormat::Fdat);
      break;
    case DropKind::None:
      break;
  }
}

std::optional<WindowPlacement> DesktopCommands::savedPlacement() const {
  return readWindowPlacement(folder());
}

void DesktopCommands::keepPlacement(const WindowPlacement& placement) {
  writeWindowPlacement(folder(), placement);
}

void DesktopCommands::beforeOpen(const fs::path& file) {
  m_orientation.beforeOpen(file);
}

void DesktopCommands::afterOpen(const fs::path& file, bool imported) {
  m_orientation.afterOpen();
  m_status.clear();
  if (imported) return;
  if (m_context.state.readOptions.writeFiles) {
    try {
      addRecentFile(folder(), file);
    } catch (const UserError& e) {
      m_context.dialogs.inform(e.what());  // the open stands; only the list was not kept
    }
  }
  if (text::upper(file.extension().string()) != ".RES") return;
  const model::RefinementFigures summary =
      model::refinementSummaryOf(file, model::loadFileLines(file));
  if (!summary.empty())
    m_status = file.filename().string() + ": " + model::refinementSummaryText(summary);
}

}  // namespace tavo::workbench
