// Every SHELXL file of the shared corpus loads, or is refused with a message; none crashes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "model/instruction_reader.h"
#include "reader_fixture.h"

namespace tavo::testing {
namespace {

// Files that are refused on purpose: there is nothing to show. (Files with REM lines, blank
// lines or an old .res heading above TITL load, and so does a file of another program without
// HKLF.)
const std::map<std::string, std::string> refusedFiles = {
    {"logbooker_dom1_mC_tref_input.ins", "logbooker_dom1_mC_tref_input.ins: there is no atom."},
};

TEST(ReaderCorpus, EveryFileLoadsOrIsRefusedWithAMessage) {
  const auto files = corpusFiles("shelxl");
  if (files.empty()) GTEST_SKIP() << "no corpus";
  for (const auto& file : files) {
    const std::string name = file.filename().string();
    SCOPED_TRACE(name);
    // A copy in a folder of its own: the HTAB merge writes its check file beside the file.
    const TempFolder folder;
    const auto copy = folder.path() / name;
    std::filesystem::copy_file(file, copy);
    model::StructureModel structure;
    FakeDialogs dialogs;
    const bool loaded = model::loadInstructionFile(structure, copy, shippedDefinitions(), dialogs,
                                                   model::noTitlAtOpenMessage);
    const auto refused = refusedFiles.find(name);
    if (refused != refusedFiles.end()) {
      EXPECT_FALSE(loaded);
      ASSERT_FALSE(dialogs.shown.empty());
      EXPECT_EQ(dialogs.shown.back(), refused->second);
      continue;
    }
    EXPECT_TRUE(loaded) << (dialogs.shown.empty() ? "" : dialogs.shown.back());
    if (!loaded) continue;
    EXPECT_GT(structure.nonHCount, 0);
    EXPECT_GT(structure.elementCount, 0);
    EXPECT_GT(structure.cell.a, 0);
    for (const auto& card : structure.atomListCards)
      ASSERT_FALSE(card.lines.empty());
  }
}

}  // namespace
}  // namespace tavo::testing
