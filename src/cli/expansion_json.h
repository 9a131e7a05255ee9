// The symmetry views of tavo-cli: `info --expand` and `info --packing A0 A1 B0 B1 C0 C1` list
// the units in the JSON, `render --expand N` and `render --packing ...` draw those views.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "cli/json_writer.h"
#include "model/structure_model.h"
#include "workbench/workbench.h"

namespace tavo::cli {

/// The views asked for on the command line.
struct SymmetryViewRequest {
  bool expand = false;
  int expandUnits = 1;                                // render --expand N: units 1..N shown
  std::optional<std::array<std::string, 6>> packing;  // amin amax bmin bmax cmin cmax as typed
  bool any() const { return expand || packing.has_value(); }
};

/// Takes "--expand" (followed by N when `expandTakesCount`) and "--packing" with its six bounds
/// out of `args`. Throws UserError when a value is missing or N is not a whole number.
SymmetryViewRequest takeSymmetryViewArguments(std::vector<std::string>& args,
                                              bool expandTakesCount);

/// One view run: "expansion" or "packing", its units and the messages it showed ("No Connection
/// Detected!" for an expansion without units).
struct SymmetryViewResult {
  std::string name;
  std::vector<model::ExpansionOp> units;
  std::string message;
};

/// Runs the views through the workbench as the check boxes do (Expand first, then Packing; the
/// packing bounds typed into the 'Packing View Range' fields). The messages the views show are
/// taken out of `shown` into their results. Unless `keepShown`, each view is turned off again
/// (the structure and its bonds are then those of the file).
std::vector<SymmetryViewResult> runSymmetryViews(workbench::Workbench& bench,
                                                 const SymmetryViewRequest& request,
                                                 std::vector<std::string>& shown, bool keepShown);

/// Writes each result as a member of the open JSON object: "expansion": {"units": [{"operator":
/// k, "translation": [ta, tb, tc], "code": text}, ...], "message": text}.
void writeSymmetryViews(JsonWriter& json, const std::vector<SymmetryViewResult>& results);

}  // namespace tavo::cli
