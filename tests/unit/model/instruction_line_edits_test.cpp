// Line edits of the instruction lines: the markers found again, TITL kept first, cards moved and
// deleted whole with their continuation lines.
#include "model/instruction_line_edits.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/instruction_reader.h"
#include "reader_fixture.h"
#include "text/errors.h"

namespace tavo::testing {
namespace {

using model::LineMarkers;

model::StructureModel linesOnly(std::vector<std::string> lines) {
  model::StructureModel s;
  s.instructionLines = std::move(lines);
  model::updateLineMarkers(s);
  return s;
}

// The rule after an edit is the reader's rule: every file we hold gives the reader's markers.
TEST(LineMarkers, FoundAgainAsTheReaderFindsThem) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(
           std::filesystem::path(TAVO_SOURCE_DIR) / "tests" / "data" / "shelxl")) {
    files.push_back(entry.path());
  }
  files.push_back(std::filesystem::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res");
  if (const auto corpus = corpusFolder(); !corpus.empty()) {
    for (const auto& entry : std::filesystem::directory_iterator(corpus / "shelxl")) {
      files.push_back(entry.path());
    }
  }
  const TempFolder folder;  // a read writes htab_codes_checking.txt beside the file
  int compared = 0;
  for (const auto& source : files) {
    SCOPED_TRACE(source.string());
    if (source.filename() == "htab_codes_checking.txt") continue;
    const std::filesystem::path file = folder.path() / source.filename();
    std::filesystem::copy_file(source, file, std::filesystem::copy_options::overwrite_existing);
    model::StructureModel s;
    FakeDialogs dialogs;
    if (!model::loadInstructionFile(s, file, shippedDefinitions(), dialogs, "")) continue;
    EXPECT_EQ(model::findLineMarkers(s.instructionLines), s.markers);
    ++compared;
  }
  EXPECT_GE(compared, 10);  // the files in the repository read
}

TEST(LineMarkers, ContinuationAndIndentedLinesNeverCount) {
  const auto s = linesOnly({"TITL t", "SADI C1 C2 =", "     CELL", "  UNIT 4", "CELL 1 2 3",
                            "L.S. 4", "REM SPCG P1 1 1", "WGHT 0.1", "wght 0.2 0.3"});
  LineMarkers expected;
  expected.cellLine = 4;
  expected.lsLine = 5;
  expected.spcgLine = 6;
  expected.wghtLine = 8;  // the last one wins, case ignored
  EXPECT_EQ(s.markers, expected);
}

// Deleting UNIT must not leave unitLine on the card that moved into its place: the formula's
// Update would write over it.
TEST(InstructionLineEdits, DeleteFindsTheMarkersAgain) {
  auto s =
      linesOnly({"TITL t", "CELL 1 2 3", "SFAC C H", "UNIT 4 8", "REM x", "L.S. 4", "WGHT 0.1"});
  EXPECT_EQ(model::deleteInstructionCard(s, 3), 1);
  EXPECT_EQ(s.markers.unitLine, 0);
  EXPECT_EQ(s.markers.lsLine, 4);
  EXPECT_EQ(s.markers.wghtLine, 5);
  // The L.S. line itself: the insertion point is gone, not moved onto the next card.
  model::deleteInstructionCard(s, 4);
  EXPECT_EQ(s.markers.lsLine, 0);
  EXPECT_EQ(s.markers.wghtLine, 4);
}

TEST(InstructionLineEdits, TitlCanBeNeitherMovedNorDeleted) {
  auto s = linesOnly({"TITL t", "CELL 1 2 3", "L.S. 4"});
  const auto refused = [&](auto edit) {
    try {
      edit();
    } catch (const UserError& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  const std::string titl =
      "The TITL line is the first line of the file: it can be neither moved nor deleted.";
  EXPECT_EQ(refused([&] { model::deleteInstructionCard(s, 0); }), titl);
  EXPECT_EQ(refused([&] { model::moveInstructionCard(s, 0, false); }), titl);
  EXPECT_EQ(refused([&] { model::replaceInstructionLine(s, 0, "CELL 1 2 3"); }),
            "The first line must stay a TITL line: its text must begin with TITL.");
  // Line 1 does not go above TITL.
  EXPECT_EQ(model::moveInstructionCard(s, 1, true), 1);
  model::replaceInstructionLine(s, 0, "  TITL new title  ");
  EXPECT_EQ(s.instructionLines,
            (std::vector<std::string>{"TITL new title", "CELL 1 2 3", "L.S. 4"}));
}

TEST(InstructionLineEdits, CardsMoveWithTheirContinuationLinesAndMarkersFollow) {
  auto s = linesOnly({"TITL t", "UNIT 4", "SADI C1 C2 =", "     C3 C4", "WGHT 0.1", "L.S. 4"});
  // WGHT up past the two-line SADI card.
  EXPECT_EQ(model::moveInstructionCard(s, 4, true), 2);
  EXPECT_EQ(s.instructionLines, (std::vector<std::string>{"TITL t", "UNIT 4", "WGHT 0.1",
                                                          "SADI C1 C2 =", "     C3 C4", "L.S. 4"}));
  EXPECT_EQ(s.markers.wghtLine, 2);
  // The continuation line selected moves its card down past L.S.
  EXPECT_EQ(model::moveInstructionCard(s, 4, false), 5);
  EXPECT_EQ(s.instructionLines, (std::vector<std::string>{"TITL t", "UNIT 4", "WGHT 0.1", "L.S. 4",
                                                          "SADI C1 C2 =", "     C3 C4"}));
  EXPECT_EQ(s.markers.lsLine, 3);
  EXPECT_EQ(model::moveInstructionCard(s, 5, false), 5);  // the last card stays
  // Deleting a continuation line deletes its card: no "=" is left over the next card.
  EXPECT_EQ(model::deleteInstructionCard(s, 5), 2);
  EXPECT_EQ(s.instructionLines,
            (std::vector<std::string>{"TITL t", "UNIT 4", "WGHT 0.1", "L.S. 4"}));
}

TEST(InstructionLineEdits, EditedTextKeepsContinuationAndIndent) {
  auto s = linesOnly({"TITL t", "    heading of a .res", "SADI C1 C2 =", "     C3 C4", "L.S. 4"});
  struct Case {
    int row;
    const char* typed;
    const char* stored;
    const char* why;
  };
  const Case cases[] = {
      {3, "C3 C5", "     C3 C5", "a continuation line keeps its leading blanks"},
      {1, "other heading", "    other heading", "an indented comment stays indented"},
      {4, "  CGLS 8  ", "CGLS 8", "a card is trimmed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    model::replaceInstructionLine(s, c.row, c.typed);
    EXPECT_EQ(s.instructionLines[static_cast<std::size_t>(c.row)], c.stored);
  }
  EXPECT_EQ(s.markers.lsLine, 4);
  // A line that becomes part of the card above (its "=" typed on the line above) is indented.
  s.instructionLines.insert(s.instructionLines.begin() + 4, "DFIX 1.5 C1 C2");
  model::replaceInstructionLine(s, 3, "C3 C5 =");
  EXPECT_EQ(model::editedLineText(s, 4, "C7 C8"), "     C7 C8");
}

}  // namespace
}  // namespace tavo::testing
