// TForm10 'CIF Editor': the work lines (mark and text) on the left, the lines of the file read
// last on the right, the menu of the steps by hand and the read-back finding; and its line
// editor TForm36 'Editing CIF Contents'.
#pragma once

#include <string>
#include <vector>

#include "app/windows/auxiliary_window.h"
#include "cif/cif_merge.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;

namespace tavo::workbench {
class CifCommands;
}  // namespace tavo::workbench

namespace tavo::app {

class WindowRunner;

class CifEditorWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  CifEditorWindow(workbench::CifCommands& cif, WindowRunner& runner, QWidget* parent);
  /// Shows the Workbench's window model (the grids only when their lines changed).
  QSize preferredSize(const QSize& mainSize, int pictureHeight) const override;
  void showState() override;

 private:
  workbench::CifCommands& m_cif;
  QTableWidget* m_work = nullptr;      // StringGrid1
  QPlainTextEdit* m_source = nullptr;  // StringGrid2
  QLabel* m_readBack = nullptr;        // ReadBack
  QAction* m_importShelxl = nullptr;   // "Import_SHELXL97_CIF (*.cif)"
  QAction* m_readCifOd = nullptr;      // "Read_Rigaku Info (*.cif_od)"
  QAction* m_save = nullptr;           // "Save_New_CIF"
  std::vector<cif::CifWorkLine> m_shownWork;
  std::vector<std::string> m_shownSource;
};

class CifLineEditorWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  CifLineEditorWindow(workbench::CifCommands& cif, WindowRunner& runner, QWidget* parent);
  void showState() override;

 private:
  workbench::CifCommands& m_cif;
  QLineEdit* m_text = nullptr;  // Edit1
};

}  // namespace tavo::app
