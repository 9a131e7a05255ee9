// The space group of the open structure as JSON.
#include "cli/space_group_json.h"

#include "geometry/symmetry_operators.h"

namespace tavo::cli {

void writeSpaceGroup(JsonWriter& json, const model::SymmetryOps& symmetry,
                     const workbench::SymmetryCommands& commands) {
  json.key("spaceGroup");
  json.beginObject();
  json.key("number");
  json.value(symmetry.spaceGroupNumber);
  json.key("setting");
  json.value(symmetry.settingNumber);
  json.key("name");
  json.value(commands.controls().name);
  json.key("source");
  json.value(workbench::sourceText(commands.source()));
  json.key("operators");
  json.beginArray();
  for (int k = 1; k <= symmetry.opCount; ++k)
    json.value(geometry::tripletText(geometry::seitzOf(symmetry, k)));
  json.endArray();
  json.endObject();
}

}  // namespace tavo::cli
