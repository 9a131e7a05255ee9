// TForm25 'Setting up a Gaussian Input Command File to be Saved': charge, multiplicity, title,
// job number, the Head, coordinate and Tail lists, 'Load from File' for Head and Tail, Save and
// Cancel.
#pragma once

#include <string_view>

#include "app/windows/auxiliary_window.h"

class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace tavo::workbench {
class Workbench;
}

namespace tavo::app {

class GaussianWindow final : public AuxiliaryWindow {
  Q_OBJECT

 public:
  GaussianWindow(workbench::Workbench& bench, QWidget* parent);
  /// Shows the texts of the Workbench's window model.
  QSize preferredSize(const QSize& mainSize, int pictureHeight) const override;
  void showState() override;

 private:
  /// Hands a control's new value to the window model through the Workbench's dispatcher.
  void set(std::string_view control, const QString& value);

  workbench::Workbench& m_bench;
  QSpinBox* m_charge = nullptr;        // SpinEdit1
  QSpinBox* m_multiplicity = nullptr;  // SpinEdit2
  QSpinBox* m_jobNumber = nullptr;     // SpinEdit3
  QLineEdit* m_title = nullptr;
  QPlainTextEdit* m_head = nullptr;
  QPlainTextEdit* m_coordinates = nullptr;
  QPlainTextEdit* m_tail = nullptr;
};

}  // namespace tavo::app
