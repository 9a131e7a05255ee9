// TForm25 'Setting up a Gaussian Input Command File to be Saved': charge, multiplicity, title,
// job number, the Head, coordinate and Tail lists, 'Load from File' for Head and Tail, Save and
// Cancel.
#pragma once

#include "app/windows/auxiliary_window.h"

class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace tavo::workbench {
class ImportExportCommands;
}

namespace tavo::app {

class WindowRunner;

class GaussianWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  GaussianWindow(workbench::ImportExportCommands& importExport, WindowRunner& runner,
                 QWidget* parent);
  /// Shows the texts of the Workbench's window model.
  QSize preferredSize(const QSize& mainSize, int pictureHeight) const override;
  void showState() override;

 private:
  workbench::ImportExportCommands& m_importExport;
  QSpinBox* m_charge = nullptr;        // SpinEdit1
  QSpinBox* m_multiplicity = nullptr;  // SpinEdit2
  QSpinBox* m_jobNumber = nullptr;     // SpinEdit3
  QLineEdit* m_title = nullptr;
  QPlainTextEdit* m_head = nullptr;
  QPlainTextEdit* m_coordinates = nullptr;
  QPlainTextEdit* m_tail = nullptr;
};

}  // namespace tavo::app
