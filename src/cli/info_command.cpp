// tavo-cli info: a summary of an instruction file as the workbench reads it.
#include "cli/info_command.h"

#include <cmath>
#include <iostream>
#include <optional>

#include "cli/arguments.h"
#include "cli/headless_session.h"
#include "cli/json_writer.h"
#include "cli/space_group_json.h"
#include "text/errors.h"
#include "text/text.h"
#include "view/ellipsoids.h"

namespace tavo::cli {

namespace {

using model::StructureModel;

std::vector<double> uValues(const model::Atom& atom) {
  if (atom.aniso == 1) return {atom.u11, atom.u22, atom.u33, atom.u23, atom.u13, atom.u12};
  return {atom.u11};
}

std::vector<double> codeValues(const model::ParameterCodes& codes, int count) {
  return std::vector<double>(codes.begin() + 1, codes.begin() + 1 + count);
}

std::vector<double> cartesian(const StructureModel& s, double x, double y, double z) {
  const model::Vec3 p = model::toCartesian(s.cell, x, y, z);
  return {p.x, p.y, p.z};
}

void writeAtom(JsonWriter& json, const StructureModel& s, int kind, const std::string& label,
               int sfac, int part, int afixGroup, bool aniso, double x, double y, double z,
               double sof, const std::vector<double>& u, const std::vector<double>& codes) {
  json.beginObject();
  json.key("kind");
  json.value(kind);
  json.key("label");
  json.value(label);
  json.key("sfac");
  json.value(sfac);
  json.key("part");
  json.value(part);
  json.key("afixGroup");
  json.value(afixGroup);
  json.key("aniso");
  json.value(aniso);
  json.key("frac");
  json.numbers({x, y, z});
  json.key("cart");
  json.numbers(cartesian(s, x, y, z));
  json.key("sof");
  json.value(sof);
  json.key("u");
  json.numbers(u);
  json.key("codes");
  json.numbers(codes);
  json.endObject();
}

std::vector<double> components(const model::Vec3& v) {
  return {v.x, v.y, v.z};
}

// Axes ascending by radius; a U that is not positive definite has "npd" true and null radii.
void writeEllipsoids(JsonWriter& json, const StructureModel& s, double probability) {
  json.key("probability");
  json.value(probability);
  json.key("ellipsoids");
  json.beginArray();
  for (const view::AtomEllipsoid& atom : view::atomEllipsoids(s, probability)) {
    const view::Ellipsoid& e = atom.ellipsoid;
    json.beginObject();
    json.key("label");
    json.value(atom.label);
    json.key("center");
    json.numbers(components(atom.centre));
    json.key("axes");
    json.beginArray();
    for (const model::Vec3& axis : e.axes)
      json.numbers(components(axis));
    json.endArray();
    json.key("radii");
    if (e.npd) {
      json.value(std::nan(""));
    } else {
      json.numbers({e.radii[0], e.radii[1], e.radii[2]});
    }
    json.key("eigenvalues");
    json.numbers({e.eigenvalues[0], e.eigenvalues[1], e.eigenvalues[2]});
    json.key("npd");
    json.value(e.npd);
    json.endObject();
  }
  json.endArray();
}

void writeJson(const workbench::Workbench& bench, const std::vector<std::string>& messages,
               const BondRows& bonds, const std::vector<SymmetryViewResult>& views,
               std::optional<double> ellipsoidProbability) {
  const StructureModel& s = bench.structure();
  JsonWriter json;
  json.beginObject();
  json.key("title");
  json.value(s.lineCount() > 0 ? s.instructionLines[0] : std::string());
  json.key("cell");
  json.beginObject();
  const std::pair<const char*, double> cellFields[] = {{"wavelength", s.cell.wavelength},
                                                       {"a", s.cell.a},
                                                       {"b", s.cell.b},
                                                       {"c", s.cell.c},
                                                       {"alpha", s.cell.alpha},
                                                       {"beta", s.cell.beta},
                                                       {"gamma", s.cell.gamma},
                                                       {"z", s.cell.z}};
  for (const auto& [name, value] : cellFields) {
    json.key(name);
    json.value(value);
  }
  json.endObject();
  json.key("fvar");
  json.beginArray();
  for (int i = 1; i <= s.fvarCount; ++i)
    json.value(s.fvar[i]);
  json.endArray();
  json.key("elements");
  json.beginArray();
  for (int i = 1; i <= s.elementCount; ++i) {
    const model::Element& e = s.elements[i];
    json.beginObject();
    json.key("symbol");
    json.value(e.symbol);
    json.key("unit");
    json.value(e.unitCount);
    json.key("weight");
    json.value(e.atomicWeight);
    json.key("radius");
    json.value(e.radius);
    json.key("color");
    json.value(e.colorCode);
    json.endObject();
  }
  json.endArray();
  json.key("atoms");
  json.beginArray();
  for (int i = 1; i <= s.nonHCount; ++i) {
    const model::Atom& a = s.atoms[i];
    writeAtom(json, s, 1, a.label, a.sfac, a.part, a.afixGroup, a.aniso == 1, a.x, a.y, a.z, a.sof,
              uValues(a), codeValues(a.codes, 10));
  }
  for (int i = 1; i <= s.hCount; ++i) {
    const model::Hydrogen& h = s.hydrogens[i];
    writeAtom(json, s, 2, h.label, h.sfac, h.part, h.afixGroup, false, h.x, h.y, h.z, h.sof,
              {h.uiso}, codeValues(h.codes, 5));
  }
  json.endArray();
  json.key("peaks");
  json.beginArray();
  for (int i = 1; i <= s.peakCount; ++i) {
    const model::Peak& p = s.peaks[i];
    json.beginObject();
    json.key("frac");
    json.numbers({p.x, p.y, p.z});
    json.key("cart");
    json.numbers(cartesian(s, p.x, p.y, p.z));
    json.key("height");
    json.value(p.height);
    json.endObject();
  }
  json.endArray();
  if (bonds.available) {
    json.key("bonds");
    json.beginArray();
    for (const BondRow& bond : bonds.rows) {
      json.beginArray();
      json.value(bond.first);
      json.value(bond.second);
      json.value(bond.distance);
      json.endArray();
    }
    json.endArray();
  }
  if (ellipsoidProbability) writeEllipsoids(json, s, *ellipsoidProbability);
  writeSpaceGroup(json, s.symmetry, bench.symmetryCommands());
  writeSymmetryViews(json, views);
  json.key("messages");
  json.beginArray();
  for (const std::string& m : messages)
    json.value(m);
  json.endArray();
  json.endObject();
  std::cout << json.text() << '\n';
}

std::string number(double v) {
  return text::formatGeneral(v, 10);
}

void writeSummary(const StructureModel& s, const std::vector<std::string>& messages,
                  const BondRows& bonds, const std::vector<SymmetryViewResult>& views) {
  std::cout << "Title:    " << (s.lineCount() > 0 ? s.instructionLines[0] : "") << '\n';
  std::cout << "Cell:     a " << number(s.cell.a) << "  b " << number(s.cell.b) << "  c "
            << number(s.cell.c) << "  alpha " << number(s.cell.alpha) << "  beta "
            << number(s.cell.beta) << "  gamma " << number(s.cell.gamma) << "  wavelength "
            << number(s.cell.wavelength) << "  Z " << number(s.cell.z) << '\n';
  std::cout << "Elements:";
  for (int i = 1; i <= s.elementCount; ++i) {
    std::cout << ' ' << s.elements[i].symbol << ' ' << number(s.elements[i].unitCount);
    if (i < s.elementCount) std::cout << ',';
  }
  std::cout << "\nFVAR:    ";
  for (int i = 1; i <= s.fvarCount; ++i)
    std::cout << ' ' << number(s.fvar[i]);
  std::cout << "\nAtoms:    " << s.nonHCount << " non-H (" << s.anisoCount << " anisotropic), "
            << s.hCount << " H, " << s.peakCount << " peaks, " << s.ridingGroupCount
            << " riding groups\n";
  if (bonds.available) std::cout << "Bonds:    " << bonds.rows.size() << '\n';
  for (const SymmetryViewResult& view : views) {
    std::cout << (view.name == "expansion" ? "Expansion:" : "Packing:  ") << ' '
              << view.units.size() << " units\n";
    for (const model::ExpansionOp& unit : view.units)
      std::cout << "          " << unit.op << ' ' << unit.ta << ' ' << unit.tb << ' ' << unit.tc
                << ' ' << unit.text << '\n';
  }
  for (const std::string& m : messages)
    std::cout << "Message:  " << m << '\n';
}

}  // namespace

void printInfo(const workbench::Workbench& bench, const std::vector<std::string>& messages,
               bool json, const std::vector<SymmetryViewResult>& views,
               std::optional<double> ellipsoidProbability) {
  const BondRows bonds = bondRowsOf(bench.structure());
  if (json) {
    writeJson(bench, messages, bonds, views, ellipsoidProbability);
  } else {
    writeSummary(bench.structure(), messages, bonds, views);
  }
}

int runInfoCommand(const std::vector<std::string>& args) {
  std::vector<std::string> rest = args;
  const SymmetryViewRequest views = takeSymmetryViewArguments(rest, false);
  const Arguments arguments =
      parseArguments(rest, {"--json"}, {"--program-folder", "--ellipsoids"});
  if (arguments.positional.size() != 1) {
    std::cerr << "usage: tavo-cli info FILE [--json [--ellipsoids P]] [--expand] "
                 "[--packing A0 A1 B0 B1 C0 C1] [--program-folder DIR]\n";
    return 2;
  }
  std::optional<double> ellipsoidProbability;
  if (const auto given = arguments.option("--ellipsoids")) {
    try {
      ellipsoidProbability = view::probabilityFraction(text::parseDouble(*given));
    } catch (const UserError& e) {
      std::cerr << e.what() << '\n';
      return 2;
    }
  }
  ConsoleDialogs dialogs;
  NullCanvas canvas;
  // A query: the open writes no file (no htab_codes_checking.txt, no array_max.inf).
  HeadlessSession session(dialogs, canvas, programFolderFrom(arguments.option("--program-folder")),
                          SessionUse::Query);
  if (!session.open(arguments.positional[0])) {
    for (const std::string& m : dialogs.shown)
      std::cerr << m << '\n';
    return 1;
  }
  const std::vector<SymmetryViewResult> results =
      runSymmetryViews(session.bench(), views, dialogs.shown, false);
  printInfo(session.bench(), dialogs.shown, arguments.flags.count("--json") > 0, results,
            ellipsoidProbability);
  return 0;
}

}  // namespace tavo::cli
