// The File menu: the one open path with its entries (dialog, file list, command line, reopen),
// the file list window, save and the saving of every atom in the view as a new file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "text/text_grid.h"
#include "workbench/command_context.h"

namespace tavo::workbench {

/// The window that lists the instruction files of the working folder (TForm13).
struct FileListWindow {
  bool visible = false;
  std::string caption;                    // the working folder
  std::vector<std::string> names;         // one file name per row
  std::string selectedName;               // the hidden name field
  std::vector<std::string> previewLines;  // the preview pane of the main window
};

/// The ways in to the one open path. They differ only in the text that refuses a file without
/// TITL and in the folder memory they keep.
enum class OpenedFrom {
  Dialog,       // "Open *.ins/*.res/backups" (Ctrl+O): remembers the folder in dirinf
  FileList,     // a double click in the file list
  CommandLine,  // `tavo FILE`
  Batch,        // tavo-cli and a script's `open FILE`: the dialog's refusal text, no folder memory
  Reopen,       // Ctrl+I and Ctrl+R: silent about a missing TITL, resets the modes
};

/// What follows every open: told before a file is read, and once it has been read and the view
/// reset, before the picture is drawn.
class OpenFollower {
 public:
  virtual ~OpenFollower() = default;
  virtual void beforeOpen(const std::filesystem::path& file) = 0;
  /// `file` was opened (`imported`: an imported structure proposing that name).
  virtual void afterOpen(const std::filesystem::path& file, bool imported) = 0;
};

/// Shown when a command line names no file.
inline constexpr std::string_view noFileNamedMessage = "No file name was given.";

/// The commands of the File menu; each throws UserError (or CommandAbandoned once its message
/// is shown) and leaves the structure as it was when it fails.
class FileCommands {
 public:
  explicit FileCommands(CommandContext context) : m_context(context) {}

  /// The one open path: checks TITL by the reader's rule, reads `file` into the structure and
  /// draws it. A refused or failed file leaves the structure, currentFile and the view alone.
  void open(const std::filesystem::path& file, OpenedFrom from);
  void openByDialog();  // "Open *.ins/*.res/backups", Ctrl+O
  void reopenAsRes();   // "Open *.res after LS (Shelxl-2019)", Ctrl+R
  void reopen();        // "Open *.ins (Re-Open)", Ctrl+I
  /// "List of *.ins/*.res/backups": the instruction files and the open file's siblings, in the open
  /// structure's folder (before the first open: the folder the open dialog last used).
  void showFileList();
  void selectInFileList(const std::string& name);  // single click on a row of the list
  void openFromFileList(const std::string& name);  // double click on a row of the list
  void save();                                     // "Save *.ins", Ctrl+S
  void saveAllExpandedAtoms();                     // "Save All Expanded Atoms As a New *.ins"
  void checkDuplicateLabels();                     // "Check Duplication of Labeling"
  /// An imported structure as a new one: `lines` (a fresh instruction file) replace the model
  /// as an open does; the first save asks for a .ins name, proposing `proposedFile`.
  void openImported(const std::vector<std::string>& lines,
                    const std::filesystem::path& proposedFile);

  /// The folder an open dialog of a structure starts in (the one last used, else that of
  /// dirinf), with the settings reloaded, as the open and the Import menu take it.
  std::filesystem::path openDialogFolder();
  /// A structure was chosen in `folder`: it becomes the current directory, the folder the
  /// next dialog starts in and the one dirinf remembers.
  void rememberFolder(const std::filesystem::path& folder);

  const FileListWindow& fileList() const { return m_fileList; }
  void attachOpenFollower(OpenFollower& follower) { m_follower = &follower; }
  /// The "Working Coordinates" grid (TForm29) of the last Save All Expanded Atoms.
  const text::TextGrid& workingCoordinates() const { return m_workingCoordinates; }

 private:
  /// Reads `file` into the structure; CommandAbandoned (its message shown) when the read
  /// failed, and the structure, currentFile and the view are then as they were.
  /// `lines`, when given, are an imported structure read in place of the file.
  void readStructureFrom(const std::filesystem::path& file,
                         const std::vector<std::string>* lines = nullptr);
  /// The opener's steps after the read of `file`: caption, view extents, bond detection, the
  /// follower, drawing.
  void afterLoad(const std::filesystem::path& file, bool imported);
  /// Before the first open, an empty program folder becomes the current directory.
  void takeProgramFolder();
  void takeWorkingFolderFromDirinf();
  void writeDirinf(const std::filesystem::path& folder);

  CommandContext m_context;
  FileListWindow m_fileList;
  text::TextGrid m_workingCoordinates;
  OpenFollower* m_follower = nullptr;
};

}  // namespace tavo::workbench
