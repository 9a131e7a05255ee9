// The Import menu (CIF, FDAT, XYZ, Cartesian, PDB) and the coordinate exports of the File menu.
#include "workbench/import_export_commands.h"

#include <fstream>
#include <sstream>

#include "formats/cif_import.h"
#include "formats/coordinate_import.h"
#include "geometry/spcg_file.h"
#include "model/file_lines.h"
#include "text/errors.h"
#include "workbench/file_commands.h"

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

}  // namespace

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
