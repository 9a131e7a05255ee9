// tavo-cli planes: the plane window's calculation from the command line.
#include "cli/planes_command.h"

#include <iostream>
#include <optional>

#include "cli/arguments.h"
#include "cli/expansion_json.h"
#include "cli/headless_session.h"
#include "cli/json_writer.h"
#include "model/atom_lookup.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::cli {

namespace {

constexpr const char* planesUsage =
    "usage: tavo-cli planes FILE LABEL... [/ LABEL...]... [--json] [--expand] "
    "[--packing A0 A1 B0 B1 C0 C1] [--program-folder DIR]\n";

void printPlane(int number, const workbench::CalculatedPlane& plane) {
  const geometry::PlaneFit& fit = plane.fit;
  std::cout << "Plane " << number << ":";
  for (const std::string& label : plane.labels)
    std::cout << ' ' << label;
  std::cout << "\n  a*X + b*Y + c*Z = d  (X, Y, Z Cartesian in angstrom, X along a, Y in the "
               "ab plane; (a, b, c) the unit normal)\n";
  const std::optional<model::Vec3> esd = geometry::normalEsds(fit);
  const auto component = [&](const char* name, double value, double model::Vec3::*axis) {
    std::cout << "  " << name << " = "
              << geometry::valueWithEsd({value, esd ? std::optional(*esd.*axis) : std::nullopt}, 6)
              << '\n';
  };
  component("a", fit.normal.x, &model::Vec3::x);
  component("b", fit.normal.y, &model::Vec3::y);
  component("c", fit.normal.z, &model::Vec3::z);
  std::cout << "  d = " << geometry::valueWithEsd({fit.d, geometry::offsetEsd(fit)}, 4) << '\n';
  std::cout << "  rms deviation = " << text::formatFixed(fit.rms, 4) << " A over " << fit.count
            << " atoms\n";
  std::cout << "  deviations (A):\n";
  for (std::size_t i = 0; i < plane.labels.size(); ++i)
    std::cout << "    " << text::padRight(plane.labels[i], 8) << ' '
              << geometry::valueWithEsd(fit.deviations[i], 4) << '\n';
}

/// A value and, when it has one, its esd as members "NAME" and "NAME_esd".
void writeValue(JsonWriter& json, std::string_view name, const geometry::ValueEsd& value) {
  json.key(name);
  json.value(value.value);
  if (!value.esd) return;
  json.key(std::string(name) + "_esd");
  json.value(*value.esd);
}

void writeJson(const workbench::GeometryCommands& planes, int count) {
  JsonWriter json;
  json.beginObject();
  json.key("planes");
  json.beginArray();
  for (int k = 1; k <= count; ++k) {
    const workbench::CalculatedPlane& plane = *planes.plane(k);
    const geometry::PlaneFit& fit = plane.fit;
    json.beginObject();
    json.key("atoms");
    json.beginArray();
    for (const std::string& label : plane.labels)
      json.value(label);
    json.endArray();
    json.key("normal");
    json.numbers({fit.normal.x, fit.normal.y, fit.normal.z});
    if (const std::optional<model::Vec3> esd = geometry::normalEsds(fit)) {
      json.key("normal_esd");
      json.numbers({esd->x, esd->y, esd->z});
    }
    writeValue(json, "d", {fit.d, geometry::offsetEsd(fit)});
    json.key("rms");
    json.value(fit.rms);
    json.key("deviations");
    json.beginArray();
    for (std::size_t i = 0; i < plane.labels.size(); ++i) {
      json.beginObject();
      json.key("label");
      json.value(plane.labels[i]);
      writeValue(json, "distance", fit.deviations[i]);
      json.endObject();
    }
    json.endArray();
    json.endObject();
  }
  json.endArray();
  json.key("dihedral_angles");
  json.beginArray();
  for (int k = 2; k <= count; ++k) {
    for (int j = 1; j < k; ++j) {
      json.beginObject();
      json.key("planes");
      json.numbers({static_cast<double>(j), static_cast<double>(k)});
      writeValue(json, "angle",
                 geometry::dihedralAngle(planes.plane(j)->fit, planes.plane(k)->fit));
      json.endObject();
    }
  }
  json.endArray();
  json.endObject();
  std::cout << json.text() << '\n';
}

}  // namespace

int runPlanesCommand(const std::vector<std::string>& args) {
  std::vector<std::string> rest = args;
  const SymmetryViewRequest views = takeSymmetryViewArguments(rest, false);
  const Arguments arguments = parseArguments(rest, {"--json"}, {"--program-folder"});
  if (arguments.positional.size() < 2) {
    std::cerr << planesUsage;
    return 2;
  }
  std::vector<std::vector<std::string>> groups(1);
  for (std::size_t i = 1; i < arguments.positional.size(); ++i) {
    if (arguments.positional[i] == "/") {
      groups.emplace_back();
    } else {
      groups.back().push_back(arguments.positional[i]);
    }
  }
  ConsoleDialogs dialogs;
  NullCanvas canvas;
  // A query: nothing is written beside the file.
  HeadlessSession session(dialogs, canvas, programFolderFrom(arguments.option("--program-folder")),
                          SessionUse::Query);
  workbench::Workbench& bench = session.bench();
  const auto flushMessages = [&] {
    for (const std::string& m : dialogs.shown)
      std::cerr << m << '\n';
    dialogs.shown.clear();
  };
  if (!session.open(arguments.positional[0])) {
    flushMessages();
    return 1;
  }
  runSymmetryViews(bench, views, dialogs.shown, true);
  flushMessages();
  workbench::GeometryCommands& planes = bench.geometry();
  for (std::size_t g = 0; g < groups.size(); ++g) {
    if (g > 0) bench.run([&] { planes.addPlane(); });
    const bool fitted = bench.run([&] {
      workbench::WorkbenchState& state = bench.state();
      state.selection.clear(state.structure);
      for (const std::string& label : groups[g])
        state.selection.append(state.structure, model::atomByLabel(state.structure, label,
                                                                   model::LabelScope::WithCopies));
      planes.definePlane();
    });
    if (!fitted) {
      std::cerr << "plane " << g + 1 << ": ";
      flushMessages();
      return 1;
    }
    flushMessages();
  }
  if (arguments.flags.count("--json") > 0) {
    writeJson(planes, static_cast<int>(groups.size()));
    return 0;
  }
  for (int k = 1; k <= static_cast<int>(groups.size()); ++k)
    printPlane(k, *planes.plane(k));
  if (groups.size() > 1) {
    std::cout << "Dihedral angles (degrees):\n";
    for (int k = 2; k <= static_cast<int>(groups.size()); ++k) {
      for (int j = 1; j < k; ++j) {
        std::cout << "  Plane " << j << " / Plane " << k << "  "
                  << geometry::valueWithEsd(
                         geometry::dihedralAngle(planes.plane(j)->fit, planes.plane(k)->fit), 2)
                  << '\n';
      }
    }
  }
  return 0;
}

}  // namespace tavo::cli
