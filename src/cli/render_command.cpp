// tavo-cli render: opens a file, fits the view, detects bonds and draws the standard picture.
#ifdef TAVO_WITH_PICTURES

#include "cli/render_command.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

// The core headers come before Qt's: ViewFrame has a member named like Qt's "slots" macro.
#include "cli/console_ports.h"
#include "cli/expansion_json.h"
#include "cli/headless_session.h"
#include "model/dialogs.h"
#include "text/errors.h"
#include "text/text.h"

#include <QGuiApplication>
#include <QSvgGenerator>

#include "canvas/qpainter_canvas.h"

namespace tavo::cli {

namespace {

constexpr std::string_view usage =
    "usage: tavo-cli render FILE -o PICTURE [--width W] [--height H] [--expand N]\n"
    "                       [--packing A0 A1 B0 B1 C0 C1] [--map fo-fc|2fo-fc|fo]\n"
    "                       [--level SIGMAS] [--hkl F | --fcf F] [--program-folder DIR]\n";

struct RenderArguments {
  std::filesystem::path input;
  std::filesystem::path output;
  int width = 1000;
  int height = 800;
  std::filesystem::path programFolder = std::filesystem::current_path();
  SymmetryViewRequest views;                  // --expand N, --packing A0 A1 B0 B1 C0 C1
  std::optional<density::MapType> map;        // --map: the map's contours over the picture
  double level = 3;                           // --level, in units of the map's σ
  std::optional<std::filesystem::path> data;  // --hkl or --fcf
};

// Nullopt (after printing why) when the arguments do not form a command.
std::optional<RenderArguments> parseArguments(std::vector<std::string> args) {
  RenderArguments result;
  result.views = takeSymmetryViewArguments(args, true);
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    const bool hasValue = i + 1 < args.size();
    if ((word == "-o" || word == "--output") && hasValue) {
      result.output = args[++i];
    } else if (word == "--width" && hasValue) {
      result.width = text::parseInt(args[++i]);
    } else if (word == "--height" && hasValue) {
      result.height = text::parseInt(args[++i]);
    } else if (word == "--program-folder" && hasValue) {
      result.programFolder = args[++i];
    } else if (word == "--map" && hasValue) {
      result.map = density::findMapType(args[++i]);
      if (!result.map) {
        std::cerr << "tavo-cli render: the map type must be fo-fc, 2fo-fc or fo\n";
        return std::nullopt;
      }
    } else if (word == "--level" && hasValue) {
      result.level = text::parseDouble(args[++i]);
    } else if ((word == "--hkl" || word == "--fcf") && hasValue) {
      result.data = args[++i];
    } else if (!word.empty() && word[0] != '-' && result.input.empty()) {
      result.input = word;
    } else {
      std::cerr << "tavo-cli render: unexpected argument '" << word << "'\n" << usage;
      return std::nullopt;
    }
  }
  if (result.input.empty() || result.output.empty()) {
    std::cerr << usage;
    return std::nullopt;
  }
  if (result.width < 16 || result.height < 16 || result.width > 20000 || result.height > 20000) {
    std::cerr << "tavo-cli render: the picture must be 16 to 20000 pixels wide and high\n";
    return std::nullopt;
  }
  return result;
}

bool endsWithSvg(const std::filesystem::path& file) {
  return text::upper(file.extension().string()) == ".SVG";
}

// Opens the file in a headless Workbench whose picture is drawn onto `canvas`: the first frame
// of the window at this size.
bool drawOnto(view::Canvas& canvas, const RenderArguments& arguments,
              model::CollectingDialogs& dialogs) {
  HeadlessSession session(dialogs, canvas, arguments.programFolder, SessionUse::Picture,
                          arguments.width, arguments.height);
  // A picture is all the command makes: no check file of the open, no unit list of a view.
  session.bench().state().readOptions.writeFiles = false;
  if (!session.open(arguments.input)) return false;
  if (arguments.views.any())
    runSymmetryViews(session.bench(), arguments.views, dialogs.shown, true);
  if (arguments.map) {
    workbench::Workbench& bench = session.bench();
    workbench::DensityCommands& density = bench.density();
    const bool drawn = bench.run([&] {
      if (arguments.data) density.setReflectionFile(*arguments.data);
      density.setMapType(static_cast<int>(*arguments.map));
      density.setLevel(arguments.level);
      density.showMap(true);
    });
    if (!drawn) return false;
  }
  return true;
}

int drawWith(const RenderArguments& arguments, model::CollectingDialogs& dialogs) {
  if (endsWithSvg(arguments.output)) {
    QSvgGenerator generator;
    generator.setFileName(QString::fromStdString(arguments.output.string()));
    generator.setSize(QSize(arguments.width, arguments.height));
    generator.setViewBox(QRect(0, 0, arguments.width, arguments.height));
    generator.setTitle(QString::fromStdString(arguments.input.filename().string()));
    canvas::QPainterCanvas canvas(generator);
    return drawOnto(canvas, arguments, dialogs) ? 0 : 1;
  }
  canvas::QPainterCanvas canvas(arguments.width, arguments.height);
  if (!drawOnto(canvas, arguments, dialogs)) return 1;
  if (!canvas.save(arguments.output)) {
    std::cerr << arguments.output.string() << ": the picture cannot be written\n";
    return 1;
  }
  return 0;
}

/// Draws the picture; the messages of the load go to the console afterwards.
int draw(const RenderArguments& arguments) {
  ConsoleDialogs dialogs;
  const int status = drawWith(arguments, dialogs);
  for (const std::string& message : dialogs.shown)
    std::cerr << message << '\n';
  return status;
}

/// Qt's own notes (no XDG_RUNTIME_DIR under the offscreen platform, font database remarks) are
/// no output of the tool: only its critical and fatal messages reach the console.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

/// The GUI application that fonts need, unless one exists; without a display the offscreen
/// platform serves.
class GuiApplication {
 public:
  GuiApplication() {
    if (QGuiApplication::instance() != nullptr) return;
    qInstallMessageHandler(quietQtMessages);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr &&
        std::getenv("WAYLAND_DISPLAY") == nullptr) {
      setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    m_application.emplace(m_argc, m_argv);
  }

 private:
  int m_argc = 1;
  char m_name[9] = "tavo-cli";
  char* m_argv[2] = {m_name, nullptr};
  std::optional<QGuiApplication> m_application;
};

/// A picture held in memory and written as PNG.
class ImagePicture final : public PictureTarget {
 public:
  ImagePicture(int width, int height) : m_canvas(width, height) {}
  view::Canvas& canvas() override { return m_canvas; }
  bool save(const std::filesystem::path& file) override { return m_canvas.save(file); }

 private:
  GuiApplication m_application;  // before the canvas, which needs it
  canvas::QPainterCanvas m_canvas;
};

}  // namespace

std::unique_ptr<PictureTarget> makePictureTarget(int width, int height) {
  return std::make_unique<ImagePicture>(width, height);
}

int runRenderCommand(const std::vector<std::string>& args) {
  try {
    const std::optional<RenderArguments> arguments = parseArguments(args);
    if (!arguments) return 2;
    const GuiApplication application;
    return draw(*arguments);
  } catch (const UserError& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}

}  // namespace tavo::cli

#endif  // TAVO_WITH_PICTURES
