// The "spaceGroup" member of tavo-cli info --json.
#pragma once

#include "cli/json_writer.h"
#include "model/structure_model.h"
#include "workbench/symmetry_commands.h"

namespace tavo::cli {

/// Writes "spaceGroup": {"number", "setting", "name", "source", "operators"} (the operators as
/// triplets "-x,y+1/2,-z+1/2", 1..opCount in order) as the next member of the open object.
void writeSpaceGroup(JsonWriter& json, const model::SymmetryOps& symmetry,
                     const workbench::SymmetryCommands& commands);

}  // namespace tavo::cli
