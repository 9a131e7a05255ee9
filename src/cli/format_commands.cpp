// tavo-cli export and import over the Import menu and the exports of the File menu.
#include "cli/format_commands.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <optional>

#include "cli/arguments.h"
#include "cli/headless_session.h"
#include "formats/cif_import.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/import_export_commands.h"

namespace tavo::cli {

namespace {

namespace fs = std::filesystem;
using workbench::ImportFormat;

constexpr const char* exportUsage =
    "usage: tavo-cli export FILE --to cartesian|pdb|xyz|gaussian|cif|texsan -o OUT\n"
    "                [--from cif|fdat|xyz|cartesian|pdb] [--block NAME] [--charge N]\n"
    "                [--multiplicity M] [--title TEXT] [--job N] [--program-folder DIR]\n";
constexpr const char* importUsage =
    "usage: tavo-cli import FILE -o OUT.ins [--from cif|fdat|xyz|cartesian|pdb] [--block NAME]\n"
    "                [--program-folder DIR]\n";

/// The dialogs of a batch export or import: every save dialog is answered with the file given
/// on the command line, the CIF block question by the block given (or the first block).
class BatchDialogs final : public model::Dialogs {
 public:
  std::vector<std::string> shown;
  std::optional<fs::path> saveAs;
  std::optional<std::string> block;

  void message(std::string_view text) override { shown.emplace_back(text); }
  bool confirm(std::string_view question) override {
    shown.emplace_back(question);
    return !block || question == formats::chooseBlockQuestion(*block);
  }
  std::optional<fs::path> chooseFileToOpen(const fs::path&, std::string_view) override {
    return std::nullopt;
  }
  std::optional<fs::path> chooseFileToSave(const fs::path&, std::string_view,
                                           std::string_view) override {
    return saveAs;
  }
};

std::optional<ImportFormat> formatNamed(const std::string& name) {
  static const std::map<std::string, ImportFormat> names = {
      {"CIF", ImportFormat::Cif},       {"FDAT", ImportFormat::Fdat},
      {"XYZ", ImportFormat::Xyz},       {"CARTESIAN", ImportFormat::Cartesian},
      {"ABC", ImportFormat::Cartesian}, {"PDB", ImportFormat::Pdb},
      {"ENT", ImportFormat::Pdb},
  };
  const auto found = names.find(text::upper(name));
  if (found == names.end()) return std::nullopt;
  return found->second;
}

/// The format of --from, else of the file's extension; nothing for an instruction file.
std::optional<ImportFormat> importFormatOf(const Arguments& arguments, const fs::path& file) {
  if (const auto from = arguments.option("--from")) {
    const std::optional<ImportFormat> format = formatNamed(*from);
    if (!format) throw UserError("--from takes cif, fdat, xyz, cartesian or pdb, not " + *from);
    return format;
  }
  std::string extension = file.extension().string();
  if (!extension.empty()) extension.erase(0, 1);
  // An XMOL .xyz file is told from its first line by the import itself, as in the window.
  return formatNamed(extension);
}

/// A headless workbench with `file` loaded: opened as an instruction file or imported.
struct LoadedSession {
  BatchDialogs dialogs;
  NullCanvas canvas;
  HeadlessSession session;
  explicit LoadedSession(const Arguments& arguments)
      : session(dialogs, canvas, programFolderFrom(arguments.option("--program-folder")),
                SessionUse::Edit) {
    dialogs.block = arguments.option("--block");
    // Only the file asked for is written: nothing beside the file read (which may be read-only).
    session.bench().state().readOptions.writeFiles = false;
  }
  bool load(const fs::path& file, std::optional<ImportFormat> format) {
    workbench::Workbench& bench = session.bench();
    if (!format) return session.open(file);
    return bench.run([&] { bench.importExport().importFile(file, *format); });
  }
  void printMessages() const {
    for (const std::string& m : dialogs.shown)
      std::cerr << m << '\n';
  }
};

/// Runs the export `to` on the loaded structure; false when it failed or wrote nothing.
bool runExport(workbench::Workbench& bench, const std::string& to, const Arguments& arguments) {
  workbench::ImportExportCommands& exports = bench.importExport();
  const std::map<std::string, std::function<void()>> plain = {
      {"cartesian", [&] { exports.saveCartesian(); }},
      {"pdb", [&] { exports.savePdb(); }},
      {"xyz", [&] { exports.saveXyz(); }},
      {"cif", [&] { exports.saveModelCif(); }},
  };
  if (const auto found = plain.find(to); found != plain.end()) return bench.run(found->second);
  if (to == "gaussian") {
    if (!bench.run([&] { exports.openGaussianWindow(); })) return false;
    const std::pair<const char*, const char*> controls[] = {{"--job", "SpinEdit3"},
                                                            {"--charge", "SpinEdit1"},
                                                            {"--multiplicity", "SpinEdit2"},
                                                            {"--title", "TitleEdit"}};
    for (const auto& [option, control] : controls) {
      if (const auto value = arguments.option(option)) {
        if (!bench.operateWindow("TForm25", {control, *value})) return false;
      }
    }
    return bench.operateWindow("TForm25", {"Save"});
  }
  throw UserError("--to takes cartesian, pdb, xyz, gaussian, cif or texsan, not " + to);
}

}  // namespace

int runExportCommand(const std::vector<std::string>& args) {
  const Arguments arguments =
      parseArguments(args, {},
                     {"--to", "-o", "--from", "--block", "--charge", "--multiplicity", "--title",
                      "--job", "--program-folder"});
  const std::optional<std::string> to = arguments.option("--to");
  const std::optional<std::string> out = arguments.option("-o");
  if (arguments.positional.size() != 1 || !to || !out) {
    std::cerr << exportUsage;
    return 2;
  }
  // Names on the command line are taken from the current directory, before a load changes it.
  const fs::path file = fs::absolute(arguments.positional[0]);
  const fs::path target = fs::absolute(*out);
  LoadedSession loaded(arguments);
  if (!loaded.load(file, importFormatOf(arguments, file))) {
    loaded.printMessages();
    return 1;
  }
  workbench::Workbench& bench = loaded.session.bench();
  std::string format = *to;
  std::transform(format.begin(), format.end(), format.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  bool written = false;
  if (format == "texsan") {
    std::error_code ec;
    if (!fs::is_directory(target, ec)) {
      loaded.printMessages();
      std::cerr << "texsan writes texsan.ins, atoms.dat and atoms.pks: -o names their folder, "
                << target.string() << " is none\n";
      return 1;
    }
    written = bench.run([&] { bench.importExport().saveTexsanInto(target); });
  } else {
    loaded.dialogs.saveAs = target;
    written = runExport(bench, format, arguments);
  }
  loaded.printMessages();
  std::error_code ec;
  if (!written || !fs::exists(target, ec)) return 1;
  std::cout << target.string() << '\n';
  return 0;
}

int runImportCommand(const std::vector<std::string>& args) {
  const Arguments arguments =
      parseArguments(args, {}, {"-o", "--from", "--block", "--program-folder"});
  const std::optional<std::string> out = arguments.option("-o");
  if (arguments.positional.size() != 1 || !out) {
    std::cerr << importUsage;
    return 2;
  }
  const fs::path file = fs::absolute(arguments.positional[0]);
  const fs::path target = fs::absolute(*out);
  const std::optional<ImportFormat> format = importFormatOf(arguments, file);
  if (!format) {
    std::cerr << "the format of " << file.filename().string()
              << " is not known by its extension: give --from cif|fdat|xyz|cartesian|pdb\n";
    return 2;
  }
  LoadedSession loaded(arguments);
  loaded.dialogs.saveAs = target;
  workbench::Workbench& bench = loaded.session.bench();
  const bool saved = loaded.load(file, format) && bench.run([&] { bench.fileCommands().save(); });
  loaded.printMessages();
  if (!saved || bench.state().importNotSaved) return 1;
  std::cout << bench.structure().currentFile << '\n';
  return 0;
}

}  // namespace tavo::cli
