// One main window over a Workbench with fake dialogs, a test canvas and a temporary program
// folder holding the shipped data files.
#pragma once

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>

#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "app/canvas_picture.h"
#include "app/main_controls.h"
#include "app/main_window.h"
#include "app/paint_widget.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"
#include "workbench/workbench.h"

namespace tavo::testing {

/// Three carbons on a line; C1 is the centroid, so it is drawn at the centre of the pane
/// whatever the view's orientation and scale.
inline constexpr std::string_view threeCarbons = R"(TITL three carbons
CELL 0.71073 10.0 10.0 10.0 90 90 90
ZERR 4 0.001 0.001 0.001 0 0 0
LATT 1
SFAC C H
UNIT 12 4
L.S. 4
FMAP 2
PLAN 5
WGHT 0.1
FVAR 1.00000
C1    1    0.50000    0.50000    0.50000    11.00000    0.05000
C2    1    0.64000    0.50000    0.50000    11.00000    0.05000
C3    1    0.36000    0.50000    0.50000    11.00000    0.05000
HKLF 4
END
)";

struct GuiHarness {
  // Opening a file makes its folder the current directory; the next test must not start in a
  // folder that has been removed.
  struct RestoreFolder {
    std::filesystem::path previous = std::filesystem::current_path();
    ~RestoreFolder() { std::filesystem::current_path(previous); }
  } restoreFolder;
  TempFolder folder;
  FakeDialogs dialogs;
  FakeClock clock;
  canvas::QPainterCanvas canvas{640, 480};
  app::CanvasPicture picture{canvas};
  std::unique_ptr<workbench::Workbench> bench;
  std::unique_ptr<app::MainWindow> window;

  GuiHarness() {
    std::filesystem::copy(dataFolder(), folder.path(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    bench = std::make_unique<workbench::Workbench>(dialogs, canvas, clock, folder.path());
    window = std::make_unique<app::MainWindow>(*bench, dialogs, picture, nullptr);
    window->resize(900, 700);
    window->show();
    QApplication::processEvents();
  }

  app::PaintWidget& paint() const { return *window->paintSurface(); }

  /// Writes `content` as `name` in the folder and opens it as `tavo FILE` does.
  std::filesystem::path open(std::string_view name, std::string_view content) {
    const std::filesystem::path file = folder.write(name, content);
    bench->run(
        [this, &file] { bench->fileCommands().open(file, workbench::OpenedFrom::CommandLine); });
    QApplication::processEvents();
    return file;
  }

  /// A press and release of `button` at `at` on the paint surface.
  void click(QPoint at, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers keys = Qt::NoModifier) {
    const QPointF local(at);
    const QPointF global(paint().mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, button, button, keys);
    QApplication::sendEvent(&paint(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton, keys);
    QApplication::sendEvent(&paint(), &release);
  }

  /// The controls a tool window must leave visible, by name, as rectangles on the screen: the
  /// menu bar, the Apply panel and the mode caption in the picture's corner.
  std::vector<std::pair<const char*, QRect>> controlsOnScreen() const {
    const auto onScreen = [](const QWidget* widget) {
      return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    };
    const app::MainControls& c = window->controls();
    return {{"menu bar", onScreen(window->menuBar())},
            {"Apply panel", onScreen(c.applyPanel)},
            {"mode caption", onScreen(c.modeCaption)}};
  }
  /// Checks that `tool` covers none of controlsOnScreen().
  void expectBesideThePicture(const QWidget& tool) const {
    for (const auto& [name, rect] : controlsOnScreen())
      EXPECT_FALSE(tool.frameGeometry().intersects(rect))
          << tool.objectName().toStdString() << " covers the " << name;
  }
};

}  // namespace tavo::testing
