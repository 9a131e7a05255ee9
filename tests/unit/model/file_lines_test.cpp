// Splitting a file into lines: line ends of every system, a byte-order mark, the last line.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "model/file_lines.h"
#include "model/instruction_reader.h"
#include "reader_fixture.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(FileLines, EveryLineEndAByteOrderMarkAndAMissingLastLineEnd) {
  struct Case {
    std::string bytes;
    Lines raw;
    const char* why;
  };
  const Case cases[] = {
      {"TITL a\n  C1 1\nEND\n", {"TITL a", "  C1 1", "END"}, "line feeds; leading blanks kept"},
      {"TITL a\r\nEND\r\n", {"TITL a", "END"}, "CR LF"},
      {"TITL a\nEND", {"TITL a", "END"}, "no line end after the last line"},
      {"TITL a\r  C1 1\rEND\r", {"TITL a", "  C1 1", "END"}, "carriage returns alone"},
      {"\xEF\xBB\xBFTITL a\nEND\n", {"TITL a", "END"}, "a byte-order mark is no part of TITL"},
      {"TITL a \xEF\xBB\xBF\nEND\n", {"TITL a \xEF\xBB\xBF", "END"}, "only a leading mark goes"},
      {"TITL a\n\nEND \t\n", {"TITL a", "", "END"}, "blank line kept, trailing blanks go"},
  };
  const TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const auto file = folder.write("test.ins", c.bytes);
    EXPECT_EQ(model::loadRawFileLines(file), c.raw);
    EXPECT_TRUE(model::startsWithTitl(model::loadFileLines(file)));
  }
}

TEST(FileLines, FilesOfCarriageReturnsOrWithAByteOrderMarkOpen) {
  const std::string lf =
      "REM from an old editor\n" + head() + "C1 1 0.1 0.2 0.3 11 0.05\nHKLF 4\nEND\n";
  std::string cr = lf;
  std::replace(cr.begin(), cr.end(), '\n', '\r');
  for (const std::string& content : {cr, "\xEF\xBB\xBF" + lf, "\xEF\xBB\xBF" + cr}) {
    SCOPED_TRACE(content.substr(0, 30));
    auto r = readInsText(content);
    ASSERT_TRUE(r->loaded) << (r->dialogs.shown.empty() ? "" : r->dialogs.shown.back());
    EXPECT_EQ(r->s().nonHCount, 1);
    EXPECT_EQ(r->s().instructionLines.at(0), "TITL test");
    EXPECT_EQ(r->s().instructionLines.at(1), "REM from an old editor");
  }
}

}  // namespace
}  // namespace tavo::testing
