// "Export Picture…" and "Print Picture…": the window's picture written to a PNG, SVG or PDF
// file of a chosen size, or sent to a printer chosen in the system's print dialog.
#pragma once

#include <QDialog>

#include <filesystem>

#include "canvas/picture_file.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPrinter;
class QSpinBox;

namespace tavo::workbench {
class Workbench;
}

namespace tavo::app {

/// The export dialog: format, size, resolution, background and file name. OK writes the file
/// (a failure is shown through the Workbench's dialogs and the dialog stays open).
class PictureExportDialog final : public QDialog {
  Q_OBJECT

 public:
  PictureExportDialog(workbench::Workbench& bench, QWidget* parent);

  /// The options as the controls hold them.
  canvas::PictureFileOptions options() const;
  std::filesystem::path file() const;
  /// Writes the picture with the dialog's options; false when it was not written.
  bool writePicture();
  void accept() override;

 private:
  void chooseFile();
  void formatChosen();

  workbench::Workbench& m_bench;
  QComboBox* m_format;       // PictureFormat: PNG, SVG, PDF
  QSpinBox* m_width;         // PictureWidth
  QSpinBox* m_height;        // PictureHeight
  QSpinBox* m_resolution;    // PictureResolution, dots per inch
  QCheckBox* m_transparent;  // TransparentBackground
  QLineEdit* m_file;         // PictureFile
};

/// Opens the export dialog over `parent`.
void exportPicture(QWidget* parent, workbench::Workbench& bench);
/// Draws the window's picture onto `printer`, as large as its page allows.
void printPictureOn(workbench::Workbench& bench, QPrinter& printer);
/// The system's print dialog, then the picture on the printer chosen.
void printPicture(QWidget* parent, workbench::Workbench& bench);

}  // namespace tavo::app
