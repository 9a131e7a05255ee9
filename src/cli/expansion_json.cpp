// The symmetry views of tavo-cli info and render.
#include "cli/expansion_json.h"

#include <algorithm>

#include "text/errors.h"
#include "text/text.h"

namespace tavo::cli {

SymmetryViewRequest takeSymmetryViewArguments(std::vector<std::string>& args,
                                              bool expandTakesCount) {
  SymmetryViewRequest request;
  std::vector<std::string> kept;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--expand") {
      request.expand = true;
      if (expandTakesCount) {
        if (i + 1 >= args.size()) throw UserError("option --expand needs the number of units");
        request.expandUnits = text::parseInt(args[++i]);
      }
    } else if (args[i] == "--packing") {
      if (i + 6 >= args.size()) {
        throw UserError("option --packing needs six bounds: A0 A1 B0 B1 C0 C1");
      }
      std::array<std::string, 6> bounds;
      for (std::string& bound : bounds)
        bound = args[++i];
      request.packing = bounds;
    } else {
      kept.push_back(args[i]);
    }
  }
  args = std::move(kept);
  return request;
}

namespace {

// The messages shown since `from`, joined by line feeds and taken out of `shown`.
std::string takeMessages(std::vector<std::string>& shown, size_t from) {
  std::string joined;
  for (size_t k = from; k < shown.size(); ++k) {
    if (!joined.empty()) joined += '\n';
    joined += shown[k];
  }
  shown.resize(std::min(shown.size(), from));
  return joined;
}

}  // namespace

std::vector<SymmetryViewResult> runSymmetryViews(workbench::Workbench& bench,
                                                 const SymmetryViewRequest& request,
                                                 std::vector<std::string>& shown, bool keepShown) {
  std::vector<SymmetryViewResult> results;
  workbench::ExpansionCommands& expansion = bench.expansionCommands();
  if (request.expand) {
    const size_t from = shown.size();
    bench.run([&] {
      bench.viewCommands().setDisplayFlag(workbench::DisplayFlag::ExpandConnections, true);
    });
    if (request.expandUnits != 1 && !expansion.units().empty()) {
      bench.run([&] { expansion.showUnitsUpTo(request.expandUnits); });
    }
    std::string message = takeMessages(shown, from);
    // No connection shows no message box, only the text of the 'Symmetry Code' field.
    if (message.empty()) message = expansion.unitControls().codeText;
    results.push_back({"expansion", expansion.units(), message});
    if (!keepShown) bench.run([&] { expansion.removeCopies(); });
  }
  if (request.packing) {
    const size_t from = shown.size();
    bench.run([&] {
      for (int field = 1; field <= 6; ++field)
        expansion.setPackingBoundText(field, (*request.packing)[static_cast<size_t>(field - 1)]);
      bench.viewCommands().setDisplayFlag(workbench::DisplayFlag::Packing, true);
    });
    const bool packed = bench.display().packingView;
    results.push_back({"packing", packed ? expansion.units() : std::vector<model::ExpansionOp>{},
                       takeMessages(shown, from)});
    if (!keepShown) bench.run([&] { expansion.removeCopies(); });
  }
  return results;
}

void writeSymmetryViews(JsonWriter& json, const std::vector<SymmetryViewResult>& results) {
  for (const SymmetryViewResult& result : results) {
    json.key(result.name);
    json.beginObject();
    json.key("units");
    json.beginArray();
    for (const model::ExpansionOp& unit : result.units) {
      json.beginObject();
      json.key("operator");
      json.value(unit.op);
      json.key("translation");
      json.beginArray();
      json.value(unit.ta);
      json.value(unit.tb);
      json.value(unit.tc);
      json.endArray();
      json.key("code");
      json.value(unit.text);
      json.endObject();
    }
    json.endArray();
    json.key("message");
    json.value(result.message);
    json.endObject();
  }
}

}  // namespace tavo::cli
