// Number conversion, formatting and word splitting.
#include "text/text.h"

#include <gtest/gtest.h>

#include "text/errors.h"

namespace tavo::text {
namespace {

TEST(TrimLine, RemovesBlanksTabsAndCarriageReturns) {
  EXPECT_EQ(trimLine(" \tC1  1 0.5\r"), "C1  1 0.5");
  EXPECT_EQ(trimLine("\r\n"), "");
}

TEST(SplitWords, OnlyBlanksSeparateAndTabsBelongToWords) {
  const auto words = splitWords("  SFAC C\tH  N ");
  ASSERT_EQ(words.size(), 3u);
  EXPECT_EQ(words[1], "C\tH");
}

TEST(Conversion, MessagesNameTheText) {
  try {
    parseDouble("abc");
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
  }
  try {
    parseInt("1.5");
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'1.5' is not a valid integer value");
  }
  EXPECT_DOUBLE_EQ(parseDouble(" -.25 "), -0.25);
  EXPECT_DOUBLE_EQ(parseDouble("+11."), 11.0);
  EXPECT_EQ(parseInt(" 21 "), 21);
}

TEST(Formatting, GeneralFixedAndRounding) {
  struct Case {
    double value;
    const char* general;
  };
  const Case cases[] = {{0.56789123, "0.56789123"}, {12, "12"},
                        {-0.25, "-0.25"},           {0.0001, "0.0001"},
                        {0.000001, "1E-6"},         {1.0 / 3, "0.333333333333333"}};
  for (const Case& c : cases)
    EXPECT_EQ(formatGeneral(c.value), c.general) << c.value;
  EXPECT_EQ(formatFixed(0.1234565, 6), "0.123456");  // the double lies just below the half
  EXPECT_EQ(formatFixed(-0.0000001, 6), "0.000000");
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
}

}  // namespace
}  // namespace tavo::text
