// tavo: the Qt program. The program folder is the current directory at start; `tavo FILE`
// opens FILE at once (as file managers start it).
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/canvas_picture.h"
#include "app/main_window.h"
#include "app/qt_clock.h"
#include "app/qt_dialogs.h"
#include "app/qt_text.h"
#include "canvas/qpainter_canvas.h"
#include "model/element_definitions.h"
#include "workbench/workbench.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tavo"));
  QApplication::setDesktopFileName(QStringLiteral("tavo"));

  const std::filesystem::path programFolder = std::filesystem::current_path();
  QApplication::setWindowIcon(QIcon::fromTheme(
      QStringLiteral("tavo"), QIcon(tavo::app::toQString(programFolder / "tavo.svg"))));
  if (!std::filesystem::exists(programFolder / "elems.inf")) {
    QMessageBox::critical(nullptr, QStringLiteral("Tavo"),
                          tavo::app::toQString(tavo::model::missingElementDefinitionsMessage));
    return 1;
  }

  tavo::app::QtDialogs dialogs;
  tavo::app::QtClock clock;
  tavo::canvas::QPainterCanvas canvas(1, 1);
  tavo::app::CanvasPicture picture(canvas);
  tavo::canvas::QPainterCanvas stereoLeftCanvas(1, 1);
  tavo::canvas::QPainterCanvas stereoRightCanvas(1, 1);
  tavo::app::CanvasPicture stereoLeftPicture(stereoLeftCanvas);
  tavo::app::CanvasPicture stereoRightPicture(stereoRightCanvas);
  tavo::workbench::Workbench bench(dialogs, canvas, clock, programFolder);
  bench.setStereoCanvases(&stereoLeftCanvas, &stereoRightCanvas);
  tavo::app::MainWindow window(bench, dialogs, picture, &clock);
  window.setStereoPictures(stereoLeftPicture, stereoRightPicture);
  dialogs.setParent(&window);
  dialogs.setMessagePanel(window.messageLog());
  if (!window.restorePlacement()) {
    // Without a window manager a maximised window keeps its size; start at the screen's size.
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
  }

  // "--quit-after-first-frame" ends the program once the first picture is on the screen, so
  // that the time from start to first frame can be measured for a whole process.
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  const bool quitAfterFirstFrame = arguments.removeAll(QStringLiteral("--quit-after-first-frame"));
  if (quitAfterFirstFrame) {
    // Nobody is there to answer: a message box shown on the way is printed and closed, so that
    // the run ends (and a smoke test of the built program does not wait for ever).
    auto* dismiss = new QTimer(&window);
    QObject::connect(dismiss, &QTimer::timeout, &window, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        std::fprintf(stderr, "%s\n", box->text().toUtf8().constData());
        box->reject();
      }
    });
    dismiss->start(50);
  }
  if (!arguments.isEmpty()) {
    // The path is made absolute inside the open path, where a name that cannot be opened
    // (an empty one included) gives a message.
    const std::filesystem::path file = tavo::app::toPath(arguments.first());
    bench.run([&bench, &file] {
      bench.fileCommands().open(file, tavo::workbench::OpenedFrom::CommandLine);
    });
  }
  if (quitAfterFirstFrame) {
    window.repaint();
    // What is measured ends with the first picture: taking down the picture caches and the
    // structure (which grows with the structure) is left to the operating system. Nothing is
    // written at exit, so nothing is lost.
    std::fflush(nullptr);
    std::_Exit(0);
  }
  return QApplication::exec();
}
