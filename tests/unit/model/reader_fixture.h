// Reads small instruction files written into a temporary folder, for the reader's tests.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "model/element_definitions.h"
#include "model/instruction_reader.h"
#include "model/structure_model.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"

namespace tavo::testing {

/// The outcome of one read: the model, what was shown, and whether the read succeeded.
struct ReadResult {
  std::unique_ptr<model::StructureModel> structure = std::make_unique<model::StructureModel>();
  FakeDialogs dialogs;
  bool loaded = false;
  model::StructureModel& s() { return *structure; }
};

inline const model::ElementDefinitions& shippedDefinitions() {
  static const model::ElementDefinitions definitions =
      model::ElementDefinitions::load(dataFolder());
  return definitions;
}

/// Writes `content` as `name` into `folder` and opens it as the open dialog would.
inline std::unique_ptr<ReadResult> readIn(const TempFolder& folder, std::string_view content,
                                          std::string_view name = "test.ins") {
  auto result = std::make_unique<ReadResult>();
  const auto file = folder.write(name, content);
  result->loaded = model::loadInstructionFile(result->s(), file, shippedDefinitions(),
                                              result->dialogs, model::noTitlAtOpenMessage);
  return result;
}

/// The same in a folder of its own.
inline std::unique_ptr<ReadResult> readInsText(std::string_view content,
                                               std::string_view name = "test.ins") {
  const TempFolder folder;
  return readIn(folder, content, name);
}

/// A minimal instruction part (TITL .. FVAR) with the elements C H N O.
inline std::string head(std::string_view fvar = "FVAR 1.0", std::string_view extra = "") {
  return "TITL test\nCELL 0.71073 10.0 11.0 12.0 90 100 90\nZERR 4 0.001 0.001 0.001 0 0.01 0\n"
         "LATT 1\nSYMM -X, 1/2+Y, 1/2-Z\nSFAC C H N O\nUNIT 10 12 2 4\n" +
         std::string(extra) + "L.S. 4\nFMAP 2\nPLAN 20\nWGHT 0.1\n" + std::string(fvar) + "\n";
}

}  // namespace tavo::testing
