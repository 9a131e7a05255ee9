// The instruction lines around the model: the job-control window (TForm5) over the instruction
// lines, the line editor of the last saved file (TForm6), the text editor (TForm11), the file
// buffer, and the relabelling of the cards after a rename from the working grid.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/atom_labels.h"
#include "workbench/command_context.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

/// A card button of the job-control window and of the line editor.
struct JobCard {
  std::string_view caption;     // "TEMP (dC)"
  std::string_view objectName;  // "TEMP"
  std::string_view text;        // the card inserted
};

/// The card buttons, in the windows' order. TEMP is in degrees Celsius to SHELXL: the card
/// inserted is room temperature, 23 °C.
std::span<const JobCard> jobCards();
/// The card button named `objectName` (its objectName or its caption); null when none.
const JobCard* findJobCard(std::string_view objectName);

/// "Shelxl-97 Job Control Commands" (TForm5): the instruction lines, one per row.
struct JobControlWindow {
  bool visible = false;
  int selectedRow = 0;
  std::string editText;  // the edit field: the selected row's text until the user types
};

/// "Edit and Save *.ins file" (TForm6): a line editor over the last saved file on disk.
struct FileLineEditor {
  bool visible = false;
  std::vector<std::string> rows;  // the file's lines as read, untrimmed
  int selectedRow = 0;            // the row selector
  std::string editText;
  std::string targetName;  // the file a save writes
};

/// "Editor" (TForm11): a plain text editor over one file.
struct TextEditorWindow {
  bool visible = false;
  std::string caption;  // "Editor :  " and the file name
  std::filesystem::path file;
  std::string text;  // the pane's lines, joined with line feeds
};

/// The main window's display of the file buffer and the preview pane (F9).
struct FileBufferDisplay {
  bool visible = false;
  std::string menuCaption = "Show the File Buffer";
};

inline constexpr std::string_view lineEditorCloseMessage =
    "Note that the modification here can only be saved at this window!";
inline constexpr std::string_view relabelledCardsMessage =
    "Tavo has conducted renmubering the labels in your command lines, too!  It is safer to do "
    "this via Renumber whole through each element at the same time!  You can check the details "
    "at the File/Show_the_Working_Grids later!";
inline constexpr std::string_view oldNameHeading = "OldName";
inline constexpr std::string_view newNameHeading = "NewName";
inline constexpr std::string_view textEditorCaptionPrefix = "Editor :  ";
inline constexpr std::string_view showFileBufferCaption = "Show the File Buffer";
inline constexpr std::string_view hideFileBufferCaption = "Hide the File Buffer";
/// Shown when the line editor's rows hold no TITL line to stamp.
inline constexpr std::string_view noTitlToSaveMessage =
    "These lines hold no TITL line: they are not an instruction file and are not saved.";
/// Shown when a row would be added above the TITL line of the line editor.
inline constexpr std::string_view nothingAboveTitlMessage =
    "Nothing goes above the TITL line: choose a row below it.";

/// The commands of the job-control window, the line editor, the text editor and the file
/// buffer. Every change of the instruction lines records one undo step and finds the line
/// markers again; each throws UserError with nothing changed when it is refused.
class JobControlCommands {
 public:
  explicit JobControlCommands(CommandContext context) : m_context(context) {}

  // The job-control window (TForm5).
  /// "Edit Shelxl-97 Commands" (Ctrl+E): shows the window, or closes it and redraws.
  void toggleWindow();
  void closeWindow();
  /// A click on a row: the edit field shows its text.
  void selectRow(int row);
  void setEditText(std::string text) { m_window.editText = std::move(text); }
  /// "Apply": the edit field's text replaces the selected line (a continuation line keeps its
  /// leading blanks; line 0 must stay the TITL line).
  void apply();
  /// "Delete": removes the selected line with the rest of its card; TITL is refused.
  void deleteRow();
  /// "MoveUpward" / "MoveDwonward": the selected card (with its continuation lines) changes
  /// place with the card above / below; the selection follows. TITL never moves.
  void moveUp();
  void moveDown();
  /// A card button: the card goes in above the L.S./CGLS line.
  void insertCard(const JobCard& card);
  /// "Print": the lines to the printer.
  void print();

  const JobControlWindow& window() const { return m_window; }
  /// The rows of the list: the instruction lines.
  const std::vector<std::string>& lines() const;

  /// Renames atoms with every card that names them (model::renameAtoms: all labels checked
  /// before anything changes), writes the rename table into the working grid ("OldName",
  /// "NewName", shown by F10) and shows the message when a card line changed. Returns the number
  /// of card lines changed. Records no undo step of its own: the caller's edit records it.
  int relabelCommandLines(const std::vector<model::AtomRename>& renames);
  /// The same for the rename table that the caller wrote into the working grid: each old name
  /// stands for every atom and H atom so labelled (case ignored). UserError, with nothing
  /// changed, for an old name that no atom bears.
  int relabelFromWorkingGrid();

  // The line editor (TForm6).
  /// "Edit *.ins (the last saved)": reads currentFile into the rows; the row after the last
  /// L.S./CGLS row is selected.
  void openLineEditor();
  void selectEditorRow(int row);
  void setEditorText(std::string text) { m_editor.editText = std::move(text); }
  void setTargetName(std::string name) { m_editor.targetName = std::move(name); }
  void editorApply();
  void editorAdd();
  void editorInsertCard(const JobCard& card);
  void editorDelete();
  void editorMoveUp();
  void editorMoveDown();
  /// "SaveIns": the rows written through the one save path (numbered backup of the file on
  /// disk, stamped title, name.bak); the written file becomes currentFile. The structure is not
  /// read again.
  void saveLineEditor();
  /// "Exit" and the close box: the reminder, then the window is hidden.
  void closeLineEditor();
  const FileLineEditor& lineEditor() const { return m_editor; }

  // The text editor (TForm11).
  /// "Text Editor" and its "Open": the chosen file in the pane.
  void openTextEditor();
  void setEditorPaneText(std::string text) { m_textEditor.text = std::move(text); }
  /// "Save and Quit": the pane written to the file loaded last, the window hidden.
  void saveTextEditor();
  /// "Print": the pane's lines to the printer.
  void printTextEditor();
  void closeTextEditor();
  const TextEditorWindow& textEditor() const { return m_textEditor; }

  // The file buffer (F9).
  void toggleFileBuffer();
  const FileBufferDisplay& fileBuffer() const { return m_fileBuffer; }

 private:
  void showSelected();
  int titlRowOfEditor() const;
  void checkEditorRowBelowTitl(int row) const;

  CommandContext m_context;
  JobControlWindow m_window;
  FileLineEditor m_editor;
  TextEditorWindow m_textEditor;
  FileBufferDisplay m_fileBuffer;
};

/// "Shelxl-97 Job Control Commands" (TForm5), declared.
WindowDeclaration declareJobControlWindow(JobControlCommands& jobControl);
/// "Edit and Save *.ins file" (TForm6), declared.
WindowDeclaration declareLineEditorWindow(JobControlCommands& jobControl);
/// "Editor" (TForm11), declared.
WindowDeclaration declareTextEditorWindow(JobControlCommands& jobControl);

}  // namespace tavo::workbench
