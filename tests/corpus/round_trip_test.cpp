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
#include "support/temp_folder.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;
using model::StructureModel;

/// A program folder with the shipped settings files.
struct ProgramFolder {
  ProgramFolder() {
    for (const char* name : {"elems.inf", "array_max.inf"})
      fs::copy_file(dataFolder() / name, folder.path() / name);
  }
  TempFolder folder;
};

bool load(StructureModel& structure, const fs::path& file, const fs::path& programFolder,
          FakeDialogs& dialogs) {
  structure.programFolder = programFolder.string();
  model::readArrayLimits(programFolder, structure.limits, dialogs);
  structure.allocate();
  const auto definitions = model::ElementDefinitions::load(programFolder);
  return model::loadInstructionFile(structure, file, definitions, dialogs,
                                    model::noTitlAtOpenMessage);
}

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

/// Decoded values come back to the written precision; tied values follow the free variables,
/// which the FVAR field keeps to five significant decimals.
void expectSameValue(double read, double again, double code, const char* what) {
  const double tolerance = std::abs(code) >= 20 ? 2e-4 : 1e-6;
  EXPECT_NEAR(again, read, tolerance) << what;
}

void compareAtoms(const StructureModel& s, const StructureModel& again) {
  ASSERT_EQ(again.nonHCount, s.nonHCount);
  ASSERT_EQ(again.hCount, s.hCount);
  for (int i = 1; i <= s.nonHCount; ++i) {
    const model::Atom& a = s.atoms[i];
    const model::Atom& b = again.atoms[i];
    SCOPED_TRACE("atom " + a.label);
    EXPECT_EQ(b.label, a.label);
    EXPECT_EQ(b.sfac, a.sfac);
    EXPECT_EQ(b.aniso, a.aniso);
    EXPECT_EQ(b.codes, a.codes);
    EXPECT_EQ(b.part, a.part);
    EXPECT_EQ(b.partSof, a.partSof);
    EXPECT_EQ(b.comment, a.comment);
    EXPECT_EQ(b.afixGroup, a.afixGroup);
    const double values[][2] = {{a.x, b.x},     {a.y, b.y},     {a.z, b.z},     {a.sof, b.sof},
                                {a.u11, b.u11}, {a.u22, b.u22}, {a.u33, b.u33}, {a.u23, b.u23},
                                {a.u13, b.u13}, {a.u12, b.u12}};
    for (int p = 0; p < 10; ++p)
      expectSameValue(values[p][0], values[p][1], a.codes[static_cast<std::size_t>(p + 1)],
                      "parameter");
  }
  for (int k = 1; k <= s.hCount; ++k) {
    const model::Hydrogen& a = s.hydrogens[k];
    const model::Hydrogen& b = again.hydrogens[k];
    SCOPED_TRACE("hydrogen " + a.label);
    EXPECT_EQ(b.label, a.label);
    EXPECT_EQ(b.codes, a.codes);
    EXPECT_EQ(b.part, a.part);
    EXPECT_EQ(b.partSof, a.partSof);
    EXPECT_EQ(b.afixGroup, a.afixGroup);
    if (a.afixGroup == 0) {
      EXPECT_EQ(b.afterAtom, a.afterAtom);
    }
    const double values[][2] = {
        {a.x, b.x}, {a.y, b.y}, {a.z, b.z}, {a.sof, b.sof}, {a.uiso, b.uiso}};
    for (int p = 0; p < 5; ++p)
      expectSameValue(values[p][0], values[p][1], a.codes[static_cast<std::size_t>(p + 1)],
                      "parameter");
  }
  ASSERT_EQ(again.ridingGroupCount, s.ridingGroupCount);
  for (int g = 1; g <= s.ridingGroupCount; ++g) {
    EXPECT_EQ(again.ridingGroups[g].afixText, s.ridingGroups[g].afixText);
    EXPECT_EQ(again.ridingGroups[g].closingLine.empty(), s.ridingGroups[g].closingLine.empty());
  }
  ASSERT_EQ(again.fvarCount, s.fvarCount);
  for (int i = 1; i <= s.fvarCount; ++i)
    EXPECT_NEAR(again.fvar[i], s.fvar[i], 1.5e-5 * std::max(1.0, std::abs(s.fvar[i])));
}

void compareCards(const std::vector<model::AtomListCard>& read,
                  const std::vector<model::AtomListCard>& again) {
  ASSERT_EQ(again.size(), read.size());
  for (std::size_t c = 0; c < read.size(); ++c) {
    SCOPED_TRACE(read[c].lines.front());
    EXPECT_EQ(again[c].lines, read[c].lines);
    EXPECT_EQ(kindNumber(again[c].before.kind), kindNumber(read[c].before.kind));
    EXPECT_EQ(again[c].before.index, read[c].before.index);
  }
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
  const fs::path corpus = corpusFolder();
  if (corpus.empty() || !fs::is_directory(corpus / "shelxl")) GTEST_SKIP() << "no corpus";
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(corpus / "shelxl"))
    files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  const ProgramFolder program;
  int saved = 0;
  for (const fs::path& source : files) {
    const std::string name = source.filename().string();
    SCOPED_TRACE(name);
    const TempFolder work;
    const fs::path copy = work.path() / name;
    fs::copy_file(source, copy);

    StructureModel s;
    FakeDialogs dialogs;
    if (!load(s, copy, program.folder.path(), dialogs)) {
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
    ASSERT_TRUE(load(again, written, program.folder.path(), againDialogs))
        << (againDialogs.shown.empty() ? "" : againDialogs.shown.back());
    EXPECT_EQ(
        std::vector<std::string>(again.instructionLines.begin() + 1, again.instructionLines.end()),
        std::vector<std::string>(instructionLines.begin() + 1, instructionLines.end()));
    compareCards(cards, again.atomListCards);
    compareAtoms(s, again);
  }
  EXPECT_GT(saved, 0);
}

}  // namespace
}  // namespace tavo::testing
