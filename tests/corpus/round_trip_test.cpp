// Every SHELXL file of the shared corpus is read, saved and read again without loss: the model
// comes back the same, and every kept instruction line and atom-list card is written in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "model/array_limits.h"
#include "model/backups.h"
#include "model/element_definitions.h"
#include "model/instruction_reader.h"
#include "model/instruction_writer.h"
#include "model/structure_model.h"
#include "support/fake_dialogs.h"
#include "support/program_folder.h"
#include "support/structure_comparison.h"
#include "support/temp_folder.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;
using model::StructureModel;

/// A program folder with the shipped settings files.
std::vector<std::string> trimmed(const std::vector<std::string>& lines) {
  std::vector<std::string> result;
  for (const std::string& line : lines)
    result.push_back(text::trimLine(line));
  return result;
}

/// The first of `wanted` (in order) that is not found in `lines` as a subsequence; "" if all are.
std::string firstMissing(const std::vector<std::string>& wanted,
                         const std::vector<std::string>& lines) {
  auto at = lines.begin();
  for (const std::string& line : wanted) {
    at = std::find(at, lines.end(), line);
    if (at == lines.end()) return line.empty() ? "(blank line)" : line;
    ++at;
  }
  return {};
}

/// The rows of the instruction part of the raw file that must come back unchanged: everything
/// before the first FVAR except the title, the .res heading, WGHT (taken from SHELXL's
/// suggestion) and a bare HTAB card (replaced by the suggested HTAB lines). REM lines above the
/// title come back right below it; blank lines and an old-style heading above it do not.
std::vector<std::string> keptInstructionRows(const fs::path& file, const std::string& firstAtom) {
  std::vector<std::string> rows = trimmed(model::readLinesAsWritten(file));
  const int titl = model::titlRow(rows);
  std::vector<std::string> kept;
  for (int r = 0; r < titl; ++r) {
    if (text::startsWithUpper(rows[static_cast<std::size_t>(r)], "REM")) {
      kept.push_back(rows[static_cast<std::size_t>(r)]);
    }
  }
  std::size_t first = static_cast<std::size_t>(titl) + 1;
  if (rows.size() > first + 1 && text::endsWith(rows[first], ".res") &&
      rows[first + 1].rfind("created", 0) == 0) {
    first += 2;
  }
  for (std::size_t r = first; r < rows.size(); ++r) {
    // A solution file has no FVAR: its instruction part ends where its first atom stands.
    if (text::startsWithUpper(rows[r], "FVAR") || rows[r].rfind(firstAtom + " ", 0) == 0) break;
    if (text::startsWithUpper(rows[r], "WGHT") || text::upper(rows[r]) == "HTAB") continue;
    kept.push_back(rows[r]);
  }
  return kept;
}

TEST(CorpusRoundTrip, EveryFileSavesAndReadsBackWithoutLoss) {
  const auto files = corpusFiles("shelxl");
  if (files.empty()) GTEST_SKIP() << "no corpus";
  const ProgramFolder program;
  int saved = 0;
  for (const fs::path& source : files) {
    const std::string name = source.filename().string();
    SCOPED_TRACE(name);
    const TempFolder work;
    const fs::path copy = work.path() / name;
    fs::copy_file(source, copy);
    // The corpus is read-only, and a save refuses a read-only file: the copy is the user's own.
    fs::permissions(copy, fs::perms::owner_write, fs::perm_options::add);

    StructureModel s;
    FakeDialogs dialogs;
    if (!openWithSettings(s, copy, program.path(), dialogs)) {
      EXPECT_FALSE(dialogs.shown.empty()) << "refused without a message";
      continue;
    }
    const StructureModel& read = s;
    const std::vector<std::string> instructionLines = read.instructionLines;
    const std::vector<model::AtomListCard> cards = read.atomListCards;
    const std::vector<std::string> rawInstructionRows =
        keptInstructionRows(copy, read.atoms[1].label);

    FakeClock clock;
    fs::path written;
    try {
      written = model::saveInstructionFile(s, clock, dialogs);
    } catch (const UserError& e) {
      ADD_FAILURE() << "save failed: " << e.what();
      continue;
    }
    ++saved;
    const std::vector<std::string> output = trimmed(model::readLinesAsWritten(written));

    // Every kept line, in order: the raw instruction part, the model's instruction lines and
    // the cards of the atom list.
    EXPECT_EQ(firstMissing(rawInstructionRows, output), "");
    std::vector<std::string> wanted =
        trimmed(std::vector<std::string>(instructionLines.begin() + 1, instructionLines.end()));
    for (const auto& card : cards)
      for (const std::string& line : trimmed(card.lines))
        wanted.push_back(line);
    EXPECT_EQ(firstMissing(wanted, output), "");

    StructureModel again;
    FakeDialogs againDialogs;
    ASSERT_TRUE(openWithSettings(again, written, program.path(), againDialogs))
        << (againDialogs.shown.empty() ? "" : againDialogs.shown.back());
    EXPECT_EQ(
        std::vector<std::string>(again.instructionLines.begin() + 1, again.instructionLines.end()),
        std::vector<std::string>(instructionLines.begin() + 1, instructionLines.end()));
    // Tied values follow the free variables, which the FVAR card keeps to five decimals.
    expectSameAtomList(s, again, {.plain = 1e-6, .tied = 2e-4, .freeVariableRelative = 1.5e-5});
  }
  EXPECT_GT(saved, 0);
}

}  // namespace
}  // namespace tavo::testing
