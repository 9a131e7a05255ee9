// tavo-cli run: the script runner over a headless Workbench.
#include "cli/run_command.h"

#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/arguments.h"
#include "cli/headless_session.h"
#include "cli/info_command.h"
#include "cli/script_dialogs.h"
#include "cli/script_windows.h"
#include "editing/pick.h"
#include "model/atom_lookup.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/command_table.h"
#include "workbench/control_table.h"
#ifdef TAVO_WITH_PICTURES
#include "cli/render_command.h"
#endif

namespace tavo::cli {

namespace {

namespace fs = std::filesystem;
using workbench::CommandId;
using workbench::Workbench;

constexpr std::string_view usage = "usage: tavo-cli run SCRIPT [--program-folder DIR]\n";
constexpr int paneWidth = 1000;
constexpr int paneHeight = 800;

/// A line split into words; a word in double quotes may hold blanks.
struct ScriptLine {
  std::vector<std::string> words;
  bool firstQuoted = false;
};

ScriptLine splitLine(std::string_view line) {
  ScriptLine result;
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    if (line[i] == '"') {
      const size_t end = line.find('"', i + 1);
      if (end == std::string_view::npos) throw UserError("a quote is not closed");
      if (result.words.empty()) result.firstQuoted = true;
      result.words.emplace_back(line.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    size_t end = i;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t')
      ++end;
    result.words.emplace_back(line.substr(i, end - i));
    i = end;
  }
  return result;
}

/// The words after the first joined by single blanks (a caption or text given without quotes).
std::string rest(const ScriptLine& line) {
  std::string joined;
  for (size_t w = 1; w < line.words.size(); ++w) {
    if (w > 1) joined += ' ';
    joined += line.words[w];
  }
  return joined;
}

class ScriptRunner {
 public:
  ScriptRunner(const fs::path& programFolder, fs::path baseFolder)
      : m_baseFolder(std::move(baseFolder)), m_dialogs(std::cout, m_baseFolder) {
#ifdef TAVO_WITH_PICTURES
    m_picture = makePictureTarget(paneWidth, paneHeight);
    view::Canvas& canvas = m_picture->canvas();
#else
    view::Canvas& canvas = m_nullCanvas;
#endif
    m_session = std::make_unique<HeadlessSession>(m_dialogs, canvas, programFolder,
                                                  SessionUse::Picture, paneWidth, paneHeight);
  }

  /// Runs one line; UserError says why it failed (its messages are printed already).
  void runLine(std::string_view text) {
    const ScriptLine line = splitLine(text);
    if (line.words.empty()) return;
    const std::string& word = line.words[0];
    if (line.firstQuoted) return menuItem(word, line.words.size() == 1);
    if (word == "open") return open(line);
    if (word == "set") return set(line);
    if (word == "mode") return mode(rest(line));
    if (word == "pick") return pick(line);
    if (word == "apply") return check(bench().run([this] { bench().modeCommands().apply(); }));
    if (word == "answer") return m_dialogs.queueAnswer(rest(line));
    if (word == "render") return render(line);
    if (word == "info") return info(line);
    if (word == "window") return runWindowCommand(bench(), line.words, std::cout);
    // A caption written without quotes.
    if (workbench::findCommandByCaption(text::trimLine(text))) {
      return menuItem(text::trimLine(text), true);
    }
    throw UserError("unknown command '" + word + "'");
  }

 private:
  Workbench& bench() {
    return m_session->bench();
  }

  static void check(bool completed) {
    if (!completed) throw UserError("the command failed");
  }

  fs::path fileName(const std::string& name) const {
    return m_baseFolder / name;
  }

  void open(const ScriptLine& line) {
    if (line.words.size() != 2) throw UserError("open takes one file name");
    m_dialogs.clearShown();
    check(m_session->open(fileName(line.words[1])));
  }

  void menuItem(const std::string& caption, bool alone) {
    if (!alone) throw UserError("a menu item stands alone on its line");
    const std::optional<CommandId> id = workbench::findCommandByCaption(caption);
    if (!id) throw UserError("there is no menu item \"" + caption + "\"");
    const workbench::CommandEntry& entry = workbench::commandEntry(*id);
    if (!Workbench::hasCoreHandler(*id)) {
      if (entry.windowOnly) {
        throw UserError("\"" + caption +
                        "\" opens a window of the Qt program; tavo-cli cannot run it");
      }
      throw UserError("\"" + caption + "\" is not built yet");
    }
    if (!bench().enabled(*id)) throw UserError("\"" + caption + "\" is disabled now");
    check(bench().run(*id));
  }

  void set(const ScriptLine& line) {
    if (line.words.size() != 3) throw UserError("set takes a control name and one value");
    check(bench().run([&] { workbench::setControl(bench(), line.words[1], line.words[2]); }));
  }

  void mode(const std::string& caption) {
    if (caption == editing::rotateMenuCaption) {
      check(bench().run([this] {
        if (!bench().modes().rotate) bench().modeCommands().chooseRotate();
      }));
      return;
    }
    for (const editing::MouseMode m : editing::allMouseModes) {
      if (editing::menuCaption(m) == caption) {
        check(bench().run([this, m] { bench().modeCommands().chooseMode(m); }));
        return;
      }
    }
    throw UserError("there is no mouse mode \"" + caption + "\"");
  }

  /// The entry labelled `label`, checked to be drawn where a click can reach it (it may lie
  /// under another entry: a click on it with that entry preferred still picks it); UserError
  /// when it is not.
  model::AtomRef pickable(const std::string& label) {
    Workbench& b = bench();
    const model::AtomRef ref =
        model::atomByLabel(b.structure(), label, model::LabelScope::WithCopies);
    const bool hidden = (ref.kind == model::AtomKind::Hydrogen && !b.display().showHydrogens) ||
                        (ref.kind == model::AtomKind::Peak &&
                         (!b.display().showPeaks || editing::peakHeight(b.structure(), ref.index) <=
                                                        b.controls().peakThreshold()));
    const model::Vec3& p = b.structure().viewOf(ref);
    const editing::ScreenPoint at{b.viewState().toScreenX(p.x), b.viewState().toScreenY(p.y)};
    const bool inPane =
        at.x >= 0 && at.y >= 0 && at.x < b.viewState().paneWidth && at.y < b.viewState().paneHeight;
    if (hidden || !inPane) throw UserError(label + " is not shown in the picture");
    editing::PickOptions options;
    options.peakThreshold = b.controls().peakThreshold();
    const editing::PickResult reached =
        editing::findNearestPreferring(b.structure(), b.pickGeometry(), at, options, ref);
    if (reached.ref != ref || !reached.hit()) {
      throw UserError(label + " is not shown where a click reaches it");
    }
    return ref;
  }

  /// Clicks each labelled entry as a user clicks it where it is drawn.
  void pick(const ScriptLine& line) {
    if (line.words.size() < 2) throw UserError("pick takes one or more labels");
    if (!bench().hasStructure()) throw UserError("there is no picture to pick from");
    for (size_t w = 1; w < line.words.size(); ++w) {
      const model::AtomRef ref = pickable(line.words[w]);
      check(bench().run([&] { bench().modeCommands().clickOn(ref); }));
    }
  }

  void render(const ScriptLine& line) {
    if (line.words.size() != 2) throw UserError("render takes one file name");
#ifdef TAVO_WITH_PICTURES
    if (!bench().hasStructure()) throw UserError("there is no picture to render");
    const fs::path file = fileName(line.words[1]);
    check(bench().run([&] { writeWindowPicture(bench(), file, paneWidth, paneHeight); }));
#else
    throw UserError("this tavo-cli was built without pictures");
#endif
  }

  void info(const ScriptLine& line) {
    const bool json = line.words.size() == 2 && line.words[1] == "--json";
    if (line.words.size() > 2 || (line.words.size() == 2 && !json)) {
      throw UserError("info takes only --json");
    }
    if (!bench().hasStructure()) throw UserError("no structure is open");
    printInfo(bench(), m_dialogs.shown(), json);
  }

  fs::path m_baseFolder;
  ScriptDialogs m_dialogs;
#ifdef TAVO_WITH_PICTURES
  std::unique_ptr<PictureTarget> m_picture;
#else
  NullCanvas m_nullCanvas;
#endif
  std::unique_ptr<HeadlessSession> m_session;
};

}  // namespace

int runScript(std::istream& script, const fs::path& programFolder, const fs::path& baseFolder) {
  ScriptRunner runner(programFolder, baseFolder);
  std::string text;
  int number = 0;
  while (std::getline(script, text)) {
    ++number;
    const std::string line = text::trimLine(text);
    if (line.empty() || line[0] == '#') continue;
    try {
      runner.runLine(line);
    } catch (const UserError& e) {
      std::cout.flush();
      std::cerr << "line " << number << ": " << line << ": " << e.what() << '\n';
      return 1;
    }
  }
  return 0;
}

int runScriptCommand(const std::vector<std::string>& args) {
  const Arguments arguments = parseArguments(args, {}, {"--program-folder"});
  if (arguments.positional.size() != 1) {
    std::cerr << usage;
    return 2;
  }
  const fs::path scriptFile = fs::absolute(arguments.positional[0]);
  std::ifstream script(scriptFile, std::ios::binary);
  if (!script) {
    std::cerr << scriptFile.string() << ": cannot be read\n";
    return 1;
  }
  // Relative names in the script are taken from the directory tavo-cli was started in: the
  // Workbench makes the folder of each opened file the current one.
  return runScript(script, programFolderFrom(arguments.option("--program-folder")),
                   fs::current_path());
}

}  // namespace tavo::cli
