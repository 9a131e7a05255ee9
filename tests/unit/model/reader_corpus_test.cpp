// Every SHELXL file of the shared corpus loads, or is refused with a message; none crashes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "model/instruction_reader.h"
#include "reader_fixture.h"

namespace tavo::testing {
namespace {

// Files that are refused on purpose: their first line is not TITL (a REM or blank line stands
// before it), or a card the reader needs is missing.
const std::map<std::string, std::string> refusedFiles = {
    {"chmpy_acetic_acid_minimal.res",
     "chmpy_acetic_acid_minimal.res: there is no HKLF card after the atoms."},
    {"dsr_p21n_cf3_sump_partsof-erg.res", std::string(model::noTitlAtOpenMessage)},
    {"hikari_exp_353_free_H_crlf.res", std::string(model::noTitlAtOpenMessage)},
    {"logbooker_dom1_mC_tref_input.ins", "logbooker_dom1_mC_tref_input.ins: there is no atom."},
    {"shelxfile_p-31c_rem_before_titl.res", std::string(model::noTitlAtOpenMessage)},
    {"shelxfile_014EP-4_P-4_twin_resi.res", std::string(model::noTitlAtOpenMessage)},
    {"structurefinder_p21c_solution_no_fvar.res", std::string(model::noTitlAtOpenMessage)},
};

TEST(ReaderCorpus, EveryFileLoadsOrIsRefusedWithAMessage) {
  const std::filesystem::path corpus = corpusFolder();
  if (corpus.empty() || !std::filesystem::is_directory(corpus / "shelxl")) {
    GTEST_SKIP() << "no corpus";
  }
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(corpus / "shelxl"))
    files.push_back(entry.path());
  std::sort(files.begin(), files.end());
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
