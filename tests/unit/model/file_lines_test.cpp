// Splitting a file into lines: line ends of every system, a byte-order mark, the last line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/file_lines.h"
#include "model/instruction_reader.h"
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

}  // namespace
}  // namespace tavo::testing
