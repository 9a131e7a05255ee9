// Deleting a parent atom on every real SHELXL file of the shared corpus: its riding H atoms go
// with it, every card survives the save in order, and the file reads back with every H atom
// under its parent.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "editing/atom_purge.h"
#include "model/backups.h"
#include "model/instruction_writer.h"
#include "model/structure_model.h"
#include "support/fake_dialogs.h"
#include "support/program_folder.h"
#include "support/temp_folder.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;
using model::AtomKind;

std::vector<std::string> trimmed(const std::vector<std::string>& lines) {
  std::vector<std::string> result;
  for (const std::string& line : lines)
    result.push_back(text::trimLine(line));
  return result;
}

/// True when `wanted` appears in `lines` in order (other lines may stand between).
bool inOrder(const std::vector<std::string>& wanted, const std::vector<std::string>& lines,
             std::string& missing) {
  auto at = lines.begin();
  for (const std::string& line : wanted) {
    at = std::find(at, lines.end(), line);
    if (at == lines.end()) {
      missing = line;
      return false;
    }
    ++at;
  }
  return true;
}

TEST(CorpusAtomEdits, DeletingAParentKeepsEveryCardAndNoHAtomWithoutParent) {
  const auto files = corpusFiles("shelxl");
  if (files.empty()) GTEST_SKIP() << "no corpus";
  const ProgramFolder program;
  int edited = 0;
  for (const fs::path& source : files) {
    SCOPED_TRACE(source.filename().string());
    const TempFolder work;
    const fs::path copy = work.path() / source.filename();
    fs::copy_file(source, copy);
    // The corpus is read-only, and a save refuses a read-only file: the copy is the user's own.
    fs::permissions(copy, fs::perms::owner_write, fs::perm_options::add);
    model::StructureModel s;
    FakeDialogs dialogs;
    if (!openWithSettings(s, copy, program.path(), dialogs)) continue;
    int parent = 0;
    for (int j = 1; j <= s.nonHCount && parent == 0; ++j) {
      if (s.atoms[j].afixGroup >= 1) parent = j;
    }
    if (parent == 0) continue;

    std::vector<std::string> cards =
        trimmed({s.instructionLines.begin() + 1, s.instructionLines.end()});
    for (const model::AtomListCard& card : s.atomListCards)
      for (const std::string& line : trimmed(card.lines))
        cards.push_back(line);
    const int atoms = s.nonHCount, hydrogens = s.hCount;
    const editing::DeletionPlan plan = editing::planDeletion(s, {{AtomKind::Atom, parent}});
    ASSERT_FALSE(plan.ridingHydrogens.empty()) << "a parent carries its H atoms";
    for (const model::AtomRef& ref : plan.entries)
      (ref.kind == AtomKind::Atom ? s.atoms[ref.index].mark : s.hydrogens[ref.index].mark) = 1;
    editing::purgeMarked(s);
    EXPECT_EQ(s.nonHCount, atoms - 1);
    EXPECT_EQ(s.hCount, hydrogens - static_cast<int>(plan.ridingHydrogens.size()));

    FakeClock clock;
    fs::path written;
    try {
      written = model::saveInstructionFile(s, clock, dialogs);
    } catch (const UserError& e) {
      ADD_FAILURE() << "save failed: " << e.what();
      continue;
    }
    ++edited;
    std::string missing;
    EXPECT_TRUE(inOrder(cards, trimmed(model::readLinesAsWritten(written)), missing)) << missing;
    model::StructureModel again;
    FakeDialogs againDialogs;
    ASSERT_TRUE(openWithSettings(again, written, program.path(), againDialogs));
    EXPECT_EQ(again.nonHCount, s.nonHCount);
    EXPECT_EQ(again.hCount, s.hCount);
    EXPECT_TRUE(model::ridingHydrogensWithoutParent(again).empty());
  }
  EXPECT_GT(edited, 0);
}

}  // namespace
}  // namespace tavo::testing
