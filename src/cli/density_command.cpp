#include "cli/density_command.h"

#include <iostream>

#include "cli/arguments.h"
#include "cli/headless_session.h"
#include "cli/json_writer.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::cli {

namespace {

constexpr const char* fcalcUsage =
    "usage: tavo-cli fcalc FILE [--hkl F] [--json] [--fcf-out OUT.fcf] [--program-folder DIR]\n";
constexpr const char* mapUsage =
    "usage: tavo-cli map FILE [--fcf F | --hkl F] [--type fo-fc|2fo-fc|fo] [--peaks N] [--json]\n"
    "                [--program-folder DIR]\n";

/// The session of one density command: FILE opened, the data file of the options chosen.
class DensitySession {
 public:
  explicit DensitySession(const Arguments& arguments)
      : m_session(m_dialogs, m_canvas, programFolderFrom(arguments.option("--program-folder")),
                  SessionUse::Query) {}
  workbench::Workbench& bench() { return m_session.bench(); }
  bool open(const std::string& file, const Arguments& arguments) {
    if (!m_session.open(file)) return flushed(false);
    for (const char* option : {"--hkl", "--fcf"})
      if (const auto data = arguments.option(option)) {
        if (!bench().run([&] { bench().density().setReflectionFile(*data); }))
          return flushed(false);
      }
    return flushed(true);
  }
  /// Runs `command` through the dispatcher; its messages go to stderr.
  bool run(const std::function<void()>& command) { return flushed(bench().run(command)); }

 private:
  bool flushed(bool result) {
    for (const std::string& m : m_dialogs.shown)
      std::cerr << m << '\n';
    m_dialogs.shown.clear();
    return result;
  }
  ConsoleDialogs m_dialogs;
  NullCanvas m_canvas;
  HeadlessSession m_session;
};

std::string fixed(double value, int decimals) {
  return text::formatFixed(value, decimals);
}

void printAgreement(const density::Agreement& a) {
  std::cout << "R1 = " << fixed(a.r1Gt, 4) << " for " << a.reflectionsGt << " Fo > 4sig(Fo) and "
            << fixed(a.r1All, 4) << " for all " << a.reflections << " data\n"
            << "wR2 = " << fixed(a.wR2, 4) << ", GooF = S = " << fixed(a.goof, 3) << " ("
            << a.parameters << " parameters)\n"
            << a.merge.read << " reflections read, " << a.merge.rejected << " rejected, "
            << a.merge.absent << " systematically absent, " << a.merge.unique
            << " unique; R(int) = " << fixed(a.merge.rint, 4) << "\n";
}

void writeAgreementJson(const density::Agreement& a) {
  JsonWriter json;
  json.beginObject();
  const std::pair<const char*, double> values[] = {
      {"R1_gt", a.r1Gt}, {"R1_all", a.r1All}, {"wR2", a.wR2}, {"goof", a.goof}};
  for (const auto& [name, value] : values) {
    json.key(name);
    json.value(value);
  }
  const std::pair<const char*, int> counts[] = {
      {"reflections", a.reflections}, {"reflections_gt", a.reflectionsGt},
      {"parameters", a.parameters},   {"reflections_read", a.merge.read},
      {"rejected", a.merge.rejected}, {"absent", a.merge.absent}};
  for (const auto& [name, value] : counts) {
    json.key(name);
    json.value(value);
  }
  json.endObject();
  std::cout << json.text() << '\n';
}

void writePeak(JsonWriter& json, const density::MapPeak& peak) {
  json.beginObject();
  json.key("frac");
  json.numbers({peak.position.x, peak.position.y, peak.position.z});
  json.key("height");
  json.value(peak.height);
  json.key("nearest");
  json.value(peak.nearest);
  json.key("distance");
  json.value(peak.distance);
  json.endObject();
}

void writeMapJson(const workbench::DensityCommands& density) {
  const density::DensityMap& map = *density.map();
  JsonWriter json;
  json.beginObject();
  json.key("map");
  json.beginObject();
  json.key("type");
  json.value(density::mapTypeName(map.type));
  json.key("grid");
  json.numbers(
      {static_cast<double>(map.nu), static_cast<double>(map.nv), static_cast<double>(map.nw)});
  const std::pair<const char*, double> values[] = {
      {"rms", map.rms}, {"min", map.min}, {"max", map.max}};
  for (const auto& [name, value] : values) {
    json.key(name);
    json.value(value);
  }
  json.key("source");
  json.value(density.dataFile().filename().string());
  json.endObject();
  for (const auto& [name, list] :
       {std::pair{"peaks", &density.mapPeaks()}, std::pair{"holes", &density.mapHoles()}}) {
    json.key(name);
    json.beginArray();
    for (const density::MapPeak& peak : *list)
      writePeak(json, peak);
    json.endArray();
  }
  json.endObject();
  std::cout << json.text() << '\n';
}

void printMap(const workbench::DensityCommands& density) {
  const density::DensityMap& map = *density.map();
  std::cout << density::mapTypeName(map.type) << " map from "
            << density.dataFile().filename().string() << ", grid " << map.nu << " x " << map.nv
            << " x " << map.nw << "\n"
            << "sigma = " << fixed(map.rms, 3) << " e/A^3, min = " << fixed(map.min, 2)
            << ", max = " << fixed(map.max, 2) << "\n";
  int n = 1;
  for (const density::MapPeak& peak : density.mapPeaks())
    std::cout << text::padRight("Q" + std::to_string(n++), 6) << fixed(peak.position.x, 4) << ' '
              << fixed(peak.position.y, 4) << ' ' << fixed(peak.position.z, 4) << ' '
              << text::padLeft(fixed(peak.height, 2), 7) << "  " << fixed(peak.distance, 2)
              << " A from " << peak.nearest << '\n';
  if (!density.mapHoles().empty()) {
    const density::MapPeak& hole = density.mapHoles().front();
    std::cout << "Deepest hole " << fixed(hole.height, 2) << " at " << fixed(hole.position.x, 4)
              << ' ' << fixed(hole.position.y, 4) << ' ' << fixed(hole.position.z, 4) << "  "
              << fixed(hole.distance, 2) << " A from " << hole.nearest << '\n';
  }
}

}  // namespace

int runFcalcCommand(const std::vector<std::string>& args) {
  const Arguments arguments =
      parseArguments(args, {"--json"}, {"--hkl", "--fcf-out", "--program-folder"});
  if (arguments.positional.size() != 1) {
    std::cerr << fcalcUsage;
    return 2;
  }
  DensitySession session(arguments);
  if (!session.open(arguments.positional[0], arguments)) return 1;
  workbench::DensityCommands& density = session.bench().density();
  if (!session.run([&] { density.computeAgreement(); })) return 1;
  if (const auto out = arguments.option("--fcf-out"))
    if (!session.run([&] { density.writeFcf(*out); })) return 1;
  if (arguments.flags.contains("--json"))
    writeAgreementJson(*density.agreement());
  else
    printAgreement(*density.agreement());
  return 0;
}

int runMapCommand(const std::vector<std::string>& args) {
  const Arguments arguments =
      parseArguments(args, {"--json"}, {"--hkl", "--fcf", "--type", "--peaks", "--program-folder"});
  if (arguments.positional.size() != 1 ||
      (arguments.option("--hkl") && arguments.option("--fcf"))) {
    std::cerr << mapUsage;
    return 2;
  }
  const std::optional<density::MapType> type =
      density::findMapType(arguments.option("--type").value_or("fo-fc"));
  if (!type) {
    std::cerr << "The map type must be fo-fc, 2fo-fc or fo.\n";
    return 2;
  }
  DensitySession session(arguments);
  if (!session.open(arguments.positional[0], arguments)) return 1;
  workbench::DensityCommands& density = session.bench().density();
  if (const auto peaks = arguments.option("--peaks"))
    density.setPeakCount(static_cast<std::size_t>(std::max(0, text::parseInt(*peaks))));
  if (!session.run([&] { density.computeMap(*type); })) return 1;
  if (arguments.flags.contains("--json"))
    writeMapJson(density);
  else
    printMap(density);
  return 0;
}

}  // namespace tavo::cli
