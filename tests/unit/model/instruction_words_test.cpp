// The word table of the instruction lines.
#include <gtest/gtest.h>

#include "model/instruction_words.h"

namespace tavo::model {
namespace {

TEST(InstructionWords, OneRowPerLineWithTheWordsFromColumnOne) {
  const std::vector<std::string> lines = {"TITL test in P-1", "DFIX  1.50 0.02\tC1 C2", "",
                                          "L.S. 4"};
  const text::TextGrid table = instructionWordTable(lines);
  ASSERT_EQ(table.rowCount(), 4);
  EXPECT_EQ(table.columnCount(), 5) << "column 0 and the four words of the longest line";
  EXPECT_EQ(table.row(0), (std::vector<std::string>{"", "TITL", "test", "in", "P-1"}));
  EXPECT_EQ(table.row(1), (std::vector<std::string>{"", "DFIX", "1.50", "0.02\tC1", "C2"}))
      << "runs of blanks separate words; a tab belongs to its word";
  EXPECT_EQ(table.row(2), (std::vector<std::string>(5)));
  EXPECT_EQ(table.cell(3, 2), "4");
  EXPECT_EQ(instructionWordTable({}).rowCount(), 0);
}

}  // namespace
}  // namespace tavo::model
