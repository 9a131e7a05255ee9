// tavo-cli render: opens a file, fits the view, detects bonds and draws the standard picture.
#ifdef TAVO_WITH_PICTURES

#include "cli/render_command.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

// The core headers come before Qt's: ViewFrame has a member named like Qt's "slots" macro.
#include "cli/console_ports.h"
#include "geometry/bonds.h"
#include "geometry/view_frame.h"
#include "model/array_limits.h"
#include "model/dialogs.h"
#include "model/element_definitions.h"
#include "model/instruction_reader.h"
#include "model/structure_model.h"
#include "text/errors.h"
#include "text/text.h"
#include "view/graphics_settings.h"
#include "view/renderer.h"
#include "view/view_state.h"

#include <QGuiApplication>
#include <QSvgGenerator>

#include "app/canvas/qpainter_canvas.h"

namespace tavo::cli {

namespace {

constexpr std::string_view usage =
    "usage: tavo-cli render FILE -o PICTURE [--width W] [--height H] [--program-folder DIR]\n";

struct RenderArguments {
  std::filesystem::path input;
  std::filesystem::path output;
  int width = 1000;
  int height = 800;
  std::filesystem::path programFolder = std::filesystem::current_path();
};

// Nullopt (after printing why) when the arguments do not form a command.
std::optional<RenderArguments> parseArguments(const std::vector<std::string>& args) {
  RenderArguments result;
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

// Loads the file and prepares the view; false when the file was refused.
bool prepare(const RenderArguments& arguments, model::StructureModel& structure,
             geometry::ViewFrame& frame, view::ViewState& view, view::GraphicsSettings& settings,
             const view::RenderOptions& options, model::Dialogs& dialogs) {
  view::loadGraphicsSettings(arguments.programFolder, view::defaultGraphicsSettingsName, settings);
  model::readArrayLimits(arguments.programFolder, structure.limits, dialogs);
  structure.allocate();
  structure.programFolder = arguments.programFolder.string();
  const auto definitions = model::ElementDefinitions::load(arguments.programFolder);
  if (!model::loadInstructionFile(structure, arguments.input, definitions, dialogs,
                                  model::noTitlAtOpenMessage)) {
    return false;
  }
  geometry::UnitCellClick(structure, frame);
  view.InitGraphics(arguments.width, arguments.height);
  view.DetectMaxMin(structure, frame, options.showHs, options.showPeaks, false);
  geometry::BondThresholds thresholds;
  thresholds.showHydrogens = options.showHs;
  thresholds.showPeaks = options.showPeaks;
  geometry::DetectConnection(structure, thresholds, dialogs);
  return true;
}

bool endsWithSvg(const std::filesystem::path& file) {
  return text::upper(file.extension().string()) == ".SVG";
}

int drawWith(const RenderArguments& arguments, model::Dialogs& dialogs) {
  model::StructureModel structure;
  geometry::ViewFrame frame;
  view::ViewState view;
  view::GraphicsSettings settings;
  const view::RenderOptions options;  // the start-up defaults of the display toggles
  if (!prepare(arguments, structure, frame, view, settings, options, dialogs)) return 1;
  view::Renderer renderer;
  if (endsWithSvg(arguments.output)) {
    QSvgGenerator generator;
    generator.setFileName(QString::fromStdString(arguments.output.string()));
    generator.setSize(QSize(arguments.width, arguments.height));
    generator.setViewBox(QRect(0, 0, arguments.width, arguments.height));
    generator.setTitle(QString::fromStdString(arguments.input.filename().string()));
    app::QPainterCanvas canvas(generator);
    renderer.DrawMolecule(structure, frame, view, options, settings, {&canvas});
    return 0;
  }
  app::QPainterCanvas canvas(arguments.width, arguments.height);
  renderer.DrawMolecule(structure, frame, view, options, settings, {&canvas});
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

}  // namespace

int runRenderCommand(const std::vector<std::string>& args) {
  try {
    const std::optional<RenderArguments> arguments = parseArguments(args);
    if (!arguments) return 2;
    // Fonts need a GUI application; without a display the offscreen platform serves.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr &&
        std::getenv("WAYLAND_DISPLAY") == nullptr) {
      setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    int argc = 1;
    char name[] = "tavo-cli";
    char* argv[] = {name, nullptr};
    std::optional<QGuiApplication> application;
    if (QGuiApplication::instance() == nullptr) application.emplace(argc, argv);
    return draw(*arguments);
  } catch (const UserError& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}

}  // namespace tavo::cli

#endif  // TAVO_WITH_PICTURES
