// The export dialog and printing of the picture.
#include "app/picture_export.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

#include "app/qt_text.h"
#include "app/windows/widget_helpers.h"
#include "canvas/qpainter_canvas.h"
#include "text/errors.h"
#include "workbench/workbench.h"

namespace tavo::app {

namespace {

struct FormatChoice {
  const char* caption;
  const char* suffix;
  canvas::PictureFormat format;
};
constexpr FormatChoice formats[] = {
    {"PNG (bitmap)", ".png", canvas::PictureFormat::Png},
    {"SVG (vector)", ".svg", canvas::PictureFormat::Svg},
    {"PDF (vector)", ".pdf", canvas::PictureFormat::Pdf},
};

QSpinBox* sizeBox(QWidget* parent, const char* objectName, int value) {
  QSpinBox* box = makeSpinBox(parent, objectName, 16, 20000);
  box->setValue(value);
  return box;
}

// The picture of the window's pane, drawn again onto `canvas` at `width` x `height`.
canvas::PicturePainter windowPicture(workbench::Workbench& bench, bool transparent) {
  return [&bench, transparent](view::Canvas& canvas, int width, int height) {
    bench.state().drawPictureOnto(canvas, width, height, transparent);
  };
}

}  // namespace

PictureExportDialog::PictureExportDialog(workbench::Workbench& bench, QWidget* parent)
    : QDialog(parent),
      m_bench(bench),
      m_format(new QComboBox(this)),
      m_width(sizeBox(this, "PictureWidth", 2 * std::max(bench.state().view.paneWidth, 8))),
      m_height(sizeBox(this, "PictureHeight", 2 * std::max(bench.state().view.paneHeight, 8))),
      m_resolution(makeSpinBox(this, "PictureResolution", 1, 10000)),
      m_transparent(makeCheckBox(this, "TransparentBackground", "Transparent background")),
      m_file(new QLineEdit(this)) {
  setObjectName(QStringLiteral("PictureExport"));
  setWindowTitle(QStringLiteral("Export Picture"));
  m_format->setObjectName(QStringLiteral("PictureFormat"));
  for (const FormatChoice& choice : formats)
    m_format->addItem(QString::fromUtf8(choice.caption));
  m_resolution->setValue(300);
  m_file->setObjectName(QStringLiteral("PictureFile"));
  m_file->setMinimumWidth(360);
  const std::filesystem::path structure = bench.structure().currentFile;
  if (!structure.empty()) {
    m_file->setText(toQString(std::filesystem::path(structure).replace_extension(".png")));
  }
  auto* browse = new QPushButton(QStringLiteral("Browse…"), this);
  browse->setObjectName(QStringLiteral("BrowsePicture"));
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(m_file, 1);
  fileRow->addWidget(browse);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QFormLayout(this);
  layout->addRow(QStringLiteral("Format"), m_format);
  layout->addRow(QStringLiteral("Width (pixels)"), m_width);
  layout->addRow(QStringLiteral("Height (pixels)"), m_height);
  layout->addRow(QStringLiteral("Resolution (dpi)"), m_resolution);
  layout->addRow(QString(), m_transparent);
  layout->addRow(QStringLiteral("File"), fileRow);
  layout->addRow(buttons);
  connect(browse, &QPushButton::clicked, this, [this] { chooseFile(); });
  connect(m_format, &QComboBox::currentIndexChanged, this, [this] { formatChosen(); });
  connect(buttons, &QDialogButtonBox::accepted, this, &PictureExportDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PictureExportDialog::reject);
}

canvas::PictureFileOptions PictureExportDialog::options() const {
  canvas::PictureFileOptions result;
  result.format = formats[std::clamp(m_format->currentIndex(), 0, 2)].format;
  result.width = m_width->value();
  result.height = m_height->value();
  result.dotsPerInch = m_resolution->value();
  result.transparent = m_transparent->isChecked();
  return result;
}

std::filesystem::path PictureExportDialog::file() const {
  return toPath(m_file->text().trimmed());
}

void PictureExportDialog::formatChosen() {
  // The file name follows the format; the resolution matters for PNG only.
  const FormatChoice& choice = formats[std::clamp(m_format->currentIndex(), 0, 2)];
  m_resolution->setEnabled(choice.format == canvas::PictureFormat::Png);
  if (m_file->text().trimmed().isEmpty()) return;
  m_file->setText(toQString(file().replace_extension(choice.suffix)));
}

void PictureExportDialog::chooseFile() {
  const QString chosen =
      QFileDialog::getSaveFileName(this, QStringLiteral("Export Picture"), m_file->text(),
                                   QStringLiteral("Pictures (*.png *.svg *.pdf)"));
  if (chosen.isEmpty()) return;
  m_file->setText(chosen);
  if (const auto format = canvas::findPictureFormat(toPath(chosen))) {
    const QSignalBlocker quiet(m_format);
    m_format->setCurrentIndex(static_cast<int>(*format));
  }
}

bool PictureExportDialog::writePicture() {
  return m_bench.run([this] {
    std::filesystem::path target = file();
    const canvas::PictureFileOptions chosen = options();
    if (target.empty()) throw UserError(std::string(canvas::pictureSuffixMessage));
    // A name without a picture suffix takes the one of the format chosen.
    if (!canvas::findPictureFormat(target)) {
      target += formats[static_cast<int>(chosen.format)].suffix;
    }
    const workbench::WorkbenchState& state = m_bench.state();
    canvas::writePictureFile(target, chosen, state.view.paneWidth, state.view.paneHeight,
                             windowPicture(m_bench, chosen.transparent));
  });
}

void PictureExportDialog::accept() {
  if (writePicture()) QDialog::accept();
}

void exportPicture(QWidget* parent, workbench::Workbench& bench) {
  PictureExportDialog dialog(bench, parent);
  dialog.exec();
}

void printPictureOn(workbench::Workbench& bench, QPrinter& printer) {
  const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
  canvas::PictureFileOptions size;
  size.width = std::max(page.width(), 1);
  size.height = std::max(page.height(), 1);
  const workbench::WorkbenchState& state = bench.state();
  const canvas::LogicalPane pane =
      canvas::logicalPane(size, state.view.paneWidth, state.view.paneHeight);
  canvas::QPainterCanvas canvas(printer);
  canvas.setMagnification(pane.magnification);
  windowPicture(bench, false)(canvas, pane.width, pane.height);
  canvas.show();
}

void printPicture(QWidget* parent, workbench::Workbench& bench) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Print Picture"));
  if (dialog.exec() != QDialog::Accepted) return;
  printPictureOn(bench, printer);
}

}  // namespace tavo::app
