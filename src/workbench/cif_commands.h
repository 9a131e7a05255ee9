// The CIF of the structure from the laboratory's template: "Generate CIF (Auto)", the 'CIF
// Editor' window (TForm10) with its steps by hand, and its line editor 'Editing CIF Contents'
// (TForm36).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cif/cif_merge.h"
#include "workbench/command_context.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

/// Given messages of the CIF generation.
inline constexpr std::string_view cifNoFileMessage =
    "Please once read your shelxl.ins file before working on your cif file!!";
inline constexpr std::string_view cifUsingTemplateMessage =
    "Using the file template.cif in the Tavo folder!";
inline constexpr std::string_view cifNoCifOdMessage = "The corresponding *.cif_od does not exist!";
inline constexpr std::string_view cifWrittenMessage = "A new cif file written into a file: ";
inline constexpr std::string_view cifLongLineMessage =
    "The line you updated had more than 80 characters! Please revise it!!";
inline constexpr std::string_view cifTemplateName = "template.cif";

/// The window model of the 'CIF Editor' and of its line editor.
struct CifEditorWindow {
  bool visible = false;
  /// The left grid: the lines being filled (300 empty rows before the first template).
  std::vector<cif::CifWorkLine> workLines = std::vector<cif::CifWorkLine>(300);
  /// The right grid: the lines of the file read last.
  std::vector<std::string> sourceLines;
  int selectedRow = -1;            // the row the line editor writes into
  bool templateRead = false;       // enables "Import_SHELXL97_CIF (*.cif)" and "Save_New_CIF"
  bool shelxlRead = false;         // enables "Read_Rigaku Info (*.cif_od)"
  bool lineEditorVisible = false;  // TForm36
  std::string lineEditorText;
  bool helpVisible = false;  // TForm35
  /// What the strict reader found in the CIF written last (empty before the first write).
  std::string readBack;
  std::filesystem::path templatePath, shelxlPath, cifOdPath, outputPath;
};

/// Files given in place of the usual ones (tavo-cli cif --template, --cif-od).
struct CifSources {
  std::optional<std::filesystem::path> templateFile;
  std::optional<std::filesystem::path> cifOdFile;
};

class CifCommands {
 public:
  explicit CifCommands(CommandContext context);
  CifCommands(const CifCommands&) = delete;
  CifCommands& operator=(const CifCommands&) = delete;

  const CifEditorWindow& window() const { return m_window; }

  /// "Generate CIF (Auto)": template, SHELXL's CIF, the .cif_od file, then base + "_tavo.cif",
  /// read back by the strict reader. A step that fails shows what is missing and ends the
  /// sequence with nothing written (UserError).
  void generate(const CifSources& sources = {});
  /// "View CIF Generation Window".
  void showWindow() { m_window.visible = true; }
  /// "Exit": hides the window and redraws the molecule.
  void exit();
  /// "Instruction": the help window TForm35.
  void showHelp() { m_window.helpVisible = true; }
  void hideHelp() { m_window.helpVisible = false; }

  /// "Import_Template_CIF": the file dialog in the program folder, then the template read.
  void importTemplate();
  /// "Import_SHELXL97_CIF (*.cif)": the file dialog, then SHELXL's CIF merged.
  void importShelxlCif();
  /// "Read_Rigaku Info (*.cif_od)": the file dialog, then the .cif_od file merged.
  void importCifOd();
  /// "Save_New_CIF": the save dialog proposing base + "_tavo.cif", then the file written.
  void saveNewCif();
  /// "PrintLeft" and "PrintRight": each line up to "_shelx_hkl_file" as mark | text.
  void printLeft();
  void printRight();

  /// The steps themselves. UserError (the message saying what is missing) when one fails.
  void readTemplate(const std::filesystem::path& file);
  void mergeShelxlCif(const std::filesystem::path& file);
  void mergeCifOd(const std::filesystem::path& file);
  /// Writes the lines not marked "OMIT" to `file` and reads the file back.
  void writeCif(const std::filesystem::path& file);

  /// A click on a work line: remembered, its text put into the line editor.
  void selectLine(int row);
  /// A double click: "OMIT" for a line not so marked, "TAVO" for an "OMIT" line.
  void toggleMark(int row);
  /// "Edit Line": shows or hides TForm36.
  void toggleLineEditor() { m_window.lineEditorVisible = !m_window.lineEditorVisible; }
  void setLineEditorText(std::string text) { m_window.lineEditorText = std::move(text); }
  /// TForm36 'Update': the edited text, trimmed and cut to 80 characters, into the remembered
  /// row.
  void updateLine();
  /// TForm36 'Cancel'.
  void cancelLineEditor() { m_window.lineEditorVisible = false; }

 private:
  std::filesystem::path structureFile() const;
  std::filesystem::path siblingPath(std::string_view suffix) const;
  std::optional<std::filesystem::path> findCifOd();
  void requireStructure() const;

  CommandContext m_context;
  CifEditorWindow m_window;
};

/// The 'CIF Editor' (TForm10), its line editor (TForm36) and its help (TForm35), declared.
WindowDeclaration declareCifEditorWindow(CifCommands& cif);
WindowDeclaration declareCifLineEditorWindow(CifCommands& cif);
WindowDeclaration declareCifHelpWindow(CifCommands& cif);

}  // namespace tavo::workbench
