// The thermal-ellipsoid style in the ellipse parameters window and the View menu, and the
// picture exported (PNG, SVG, PDF) and printed from the window, under the offscreen platform.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPrinter>
#include <QSpinBox>

#include "app/picture_export.h"
#include "gui/gui_harness.h"
#include "support/temp_folder.h"
#include "workbench/preference_commands.h"

namespace tavo::testing {
namespace {

using app::MenuCommand;

template <typename T>
T* child(const QWidget& parent, const char* objectName) {
  T* found = parent.findChild<T*>(QString::fromLatin1(objectName));
  EXPECT_NE(found, nullptr) << objectName;
  return found;
}

constexpr std::string_view anisotropicPair = R"(TITL pair
CELL 0.71073 6.0 7.0 8.0 90 100 90
ZERR 4 0.001 0.001 0.001 0 0 0
LATT 1
SFAC C O
UNIT 4 2
L.S. 4
FVAR 1.0
C1    1    0.100000    0.200000    0.300000    11.00000    0.04000    0.02000 =
    0.06000    0.00500    0.01000    0.00300
O1    2    0.300000    0.200000    0.300000    11.00000    0.05000    0.03000 =
    0.04000   -0.00500    0.00800    0.00200
HKLF 4
END
)";

TEST(EllipsoidStyleControls, WindowAndMenuItemSwitchTheStyleAndThePictureChanges) {
  GuiHarness gui;
  gui.open("pair.ins", anisotropicPair);
  const QImage balls = gui.canvas.image().copy();
  QAction* item = gui.window->action(MenuCommand::ThermalEllipsoids);
  EXPECT_FALSE(item->isChecked());
  gui.window->action(MenuCommand::EllipseParams)->trigger();
  QApplication::processEvents();
  QWidget* params = child<QWidget>(*gui.window, "TForm15");
  ASSERT_NE(params, nullptr);
  auto* ellipsoids = child<QCheckBox>(*params, "Ellipsoids");
  auto* probability = child<QSpinBox>(*params, "Probability");
  EXPECT_EQ(probability->value(), 50);
  ellipsoids->setChecked(true);
  probability->setValue(30);
  child<QCheckBox>(*params, "OctantShading")->setChecked(true);
  QApplication::processEvents();
  const workbench::EllipsoidStyle& style = gui.bench->preferences().ellipsoidStyle();
  EXPECT_TRUE(style.on);
  EXPECT_EQ(style.probabilityPercent, 30);
  EXPECT_TRUE(style.octantShading);
  EXPECT_TRUE(item->isChecked());
  EXPECT_NE(gui.canvas.image(), balls);
  // The menu item turns it off again, and the window follows.
  item->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(gui.bench->preferences().ellipsoidStyle().on);
  EXPECT_FALSE(ellipsoids->isChecked());
  EXPECT_TRUE(gui.dialogs.shown.empty()) << gui.dialogs.shown.front();
}

TEST(PictureExport, DialogWritesPngOfTheChosenSizeWithATransparentBackgroundSvgAndPdf) {
  GuiHarness gui;
  gui.open("pair.ins", anisotropicPair);
  gui.bench->run([&] { gui.bench->preferences().setEllipsoids(true); });
  app::PictureExportDialog dialog(*gui.bench, gui.window.get());
  EXPECT_TRUE(gui.window->action(MenuCommand::ExportPicture)->isEnabled());
  const QString png = QString::fromStdString((gui.folder.path() / "out.png").string());
  child<QLineEdit>(dialog, "PictureFile")->setText(png);
  child<QSpinBox>(dialog, "PictureWidth")->setValue(800);
  child<QSpinBox>(dialog, "PictureHeight")->setValue(500);
  child<QCheckBox>(dialog, "TransparentBackground")->setChecked(true);
  ASSERT_TRUE(dialog.writePicture()) << gui.dialogs.shown.back();
  const QImage image(png);
  ASSERT_EQ(image.size(), QSize(800, 500));
  EXPECT_TRUE(image.hasAlphaChannel());
  EXPECT_EQ(qAlpha(image.pixel(2, 2)), 0) << "the background is transparent";
  int opaque = 0;
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2)
      opaque += qAlpha(image.pixel(x, y)) == 255;
  }
  EXPECT_GT(opaque, 100) << "the ellipsoids are drawn";
  EXPECT_NEAR(image.dotsPerMeterX(), 300 / 0.0254, 1);

  // Choosing SVG renames the file; a name without suffix takes the format's.
  auto* format = child<QComboBox>(dialog, "PictureFormat");
  format->setCurrentIndex(1);
  EXPECT_TRUE(child<QLineEdit>(dialog, "PictureFile")->text().endsWith(QStringLiteral(".svg")));
  ASSERT_TRUE(dialog.writePicture());
  EXPECT_NE(readFileBytes(gui.folder.path() / "out.svg").find("<svg"), std::string::npos);
  format->setCurrentIndex(2);
  child<QLineEdit>(dialog, "PictureFile")
      ->setText(QString::fromStdString((gui.folder.path() / "plain").string()));
  ASSERT_TRUE(dialog.writePicture());
  EXPECT_EQ(readFileBytes(gui.folder.path() / "plain.pdf").substr(0, 5), "%PDF-");
}

TEST(PictureExport, PrintingDrawsThePictureOnThePrinterPage) {
  GuiHarness gui;
  gui.open("pair.ins", anisotropicPair);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const std::filesystem::path file = gui.folder.path() / "printed.pdf";
  printer.setOutputFileName(QString::fromStdString(file.string()));
  app::printPictureOn(*gui.bench, printer);
  const std::string bytes = readFileBytes(file);
  EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
  EXPECT_GT(bytes.size(), 1000u);
}

}  // namespace
}  // namespace tavo::testing
