// The REM SPCG line: its column layout and what is read back from it.
#include "model/rem_spcg.h"

#include <gtest/gtest.h>

namespace tavo::model {
namespace {

TEST(RemSpcg, LayoutEndsTheNameInColumnTwenty) {
  EXPECT_EQ(remSpcgLine("P21/n", 14, 3), "REM SPCG       P21/n   14    3");
  EXPECT_EQ(remSpcgLine("P1", 1, 4), "REM SPCG          P1    1    4");
  EXPECT_EQ(remSpcgLine("Fd3-m:2", 227, 2), "REM SPCG     Fd3-m:2  227    2");
  EXPECT_EQ(remSpcgLine("NoInfo!", 300, 1).size(), 30u);
  EXPECT_EQ(remSpcgLine("ThirteenChars", 14, 12), "REM SPCGThirteenChars   14    12");
}

TEST(RemSpcg, NumbersAreTheWordsAfterTheName) {
  struct Case {
    const char* line;
    std::optional<RemSpcg> expected;
    const char* why;
  };
  const Case cases[] = {
      {"REM SPCG       P21/n   14    3", RemSpcg{"P21/n", 14, 3}, "the written layout"},
      {"REM SPCGThirteenChars   14    12", RemSpcg{"ThirteenChars", 14, 12},
       "a long name and a two-digit setting"},
      {"rem spcg  P21/c 14 1", RemSpcg{"P21/c", 14, 1}, "case and spacing free"},
      {"REM SPCG            14    2", RemSpcg{"", 14, 2}, "no name"},
      {"REM SPCG       P21/n  14", RemSpcg{"P21/n", 14, 1}, "no setting: setting 1"},
      {"REM SPCG", std::nullopt, "the bare mark"},
      {"REM SPCG P21/c", std::nullopt, "a name only"},
      {"REM SPCG       P21/n   ab    x", std::nullopt, "no numbers"},
      {"REM SPCG       P21/n   14    0", std::nullopt, "setting 0"},
      {"REM SPCG       Xx   301    1", std::nullopt, "a group above 300"},
      {"REM SPCG       Xx   0    1", std::nullopt, "group 0"},
      {"REM something else 14 1", std::nullopt, "not the mark"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(parseRemSpcgLine(c.line), c.expected);
  }
}

}  // namespace
}  // namespace tavo::model
