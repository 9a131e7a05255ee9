// The windows over the instruction lines: TForm5 "Shelxl-97 Job Control Commands", TForm6 "Edit
// and Save *.ins file" and TForm11 "Editor". Each shows its window model and forwards clicks.
#pragma once

#include "app/windows/auxiliary_window.h"

class QListWidget;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QVBoxLayout;

namespace tavo::workbench {
class JobControlCommands;
}  // namespace tavo::workbench

namespace tavo::app {

class WindowRunner;

/// TForm5: the instruction lines in a list, the edit field, Apply, Delete, the two move buttons
/// and the card buttons; the menu File with "Print" and "Exit".
class JobControlWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  JobControlWindow(workbench::JobControlCommands& jobControl, WindowRunner& runner,
                   QWidget* parent);
  void showState() override;

 private:
  workbench::JobControlCommands& m_jobControl;
  QListWidget* m_lines = nullptr;  // LineList
  QLineEdit* m_edit = nullptr;     // Edit1
};

/// TForm6: the rows of the last saved file, the row selector, the edit field, the target name,
/// Apply, Add, Delete, the move and card buttons; the menu File with "SaveIns" and "Exit".
class LineEditorWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  LineEditorWindow(workbench::JobControlCommands& jobControl, WindowRunner& runner,
                   QWidget* parent);
  void showState() override;

 private:
  workbench::JobControlCommands& m_jobControl;
  QListWidget* m_rows = nullptr;  // LineList
  QSpinBox* m_row = nullptr;      // RowSelector
  QLineEdit* m_edit = nullptr;    // Edit1
  QLineEdit* m_target = nullptr;  // TargetName
};

/// TForm11: a text pane over one file; the menu File with "Open", "Save and Quit", "Print" and
/// "Exit".
class TextEditorWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  TextEditorWindow(workbench::JobControlCommands& jobControl, WindowRunner& runner,
                   QWidget* parent);
  void showState() override;

 private:
  workbench::JobControlCommands& m_jobControl;
  QPlainTextEdit* m_pane = nullptr;  // Memo1
  std::string m_shownFile;
};

}  // namespace tavo::app
