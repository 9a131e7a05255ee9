// Number conversion, formatting and word splitting.
#include "text/text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>
#include <string>

#include "support/scoped_locale.h"
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

  // Into a reused buffer: emptied first; atom lines let tabs separate words too.
  std::vector<std::string_view> reused{"left", "over"};
  splitWords("\tC1\t1 0.5\t", reused, true);
  EXPECT_EQ(reused, (std::vector<std::string_view>{"C1", "1", "0.5"}));
  splitWords("  SFAC C\tH  N ", reused, false);
  EXPECT_EQ(reused, words);
  splitWords("", reused, true);
  EXPECT_TRUE(reused.empty());
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

// Plain decimals take a fast path; it must give the very double std::from_chars gives.
TEST(Conversion, DecimalsReadExactlyAsFromChars) {
  const auto fromChars = [](std::string_view s) {
    double value = 0;
    std::from_chars(s.data(), s.data() + s.size(), value);
    return value;
  };
  const auto same = [](double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;  // -0 and 0 differ
  };
  const char* const edges[] = {
      "0.1",
      "-0",
      "-0.000",
      "5.",
      ".5",
      "11.00000",
      "-21.00000",
      "0.1234567890123",
      "1e-3",
      "2.5E2",
      "9007199254740992",
      "9007199254740993",
      "1234567890123456789",
      "12345678901234567890",
      "0.00000000000000000000001",
      "-.000000000000000000000123",
      "1.7976931348623157",
      "4.9406564584124654",
      "0.3000000000000000444",
  };
  for (const char* edge : edges) {
    SCOPED_TRACE(edge);
    const auto value = findDouble(edge);
    ASSERT_TRUE(value.has_value());
    EXPECT_TRUE(same(*value, fromChars(edge))) << *value;
  }
  std::mt19937_64 random(7);
  for (int round = 0; round < 200000; ++round) {
    std::string text = random() % 2 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 20);
    const int point = static_cast<int>(random() % static_cast<unsigned>(digits + 1));
    for (int d = 0; d < digits; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    const auto value = findDouble(text);
    ASSERT_TRUE(value.has_value()) << text;
    ASSERT_TRUE(same(*value, fromChars(text))) << text;
  }
}

// Text that only starts like a plain decimal is not a number at all.
TEST(Conversion, MalformedDecimalsAreRefused) {
  const char* const malformed[] = {
      ".",   "-",    "-.",  "1.2.3", "1..2", "--1",  "1-",
      "1 2", "1.5x", "++1", "+-1",   "1e",   "0x10", "123456789012345678901x"};
  for (const char* text : malformed) {
    SCOPED_TRACE(text);
    EXPECT_EQ(findDouble(text), std::nullopt);
  }
  EXPECT_EQ(findInt("+-1"), std::nullopt);
  EXPECT_EQ(findInt("+12"), 12);
}

TEST(Formatting, GeneralFixedAndRounding) {
  struct Case {
    double value;
    const char* general;
  };
  const Case cases[] = {{0.56789123, "0.56789123"},
                        {12, "12"},
                        {-0.25, "-0.25"},
                        {0.0001, "0.0001"},
                        {0.000001, "1E-6"},
                        {1.0 / 3, "0.333333333333333"},
                        {0.0000123456, "0.0000123456"},
                        {0.00000123456, "1.23456E-6"},
                        {-2.5e-7, "-2.5E-7"},
                        {1e15, "1E15"},
                        {123456789012345678.0, "1.23456789012346E17"},
                        {999999.99999999999, "1000000"}};
  for (const Case& c : cases)
    EXPECT_EQ(formatGeneral(c.value), c.general) << c.value;
  EXPECT_EQ(formatGeneral(0.56789, 3), "0.568");
  EXPECT_EQ(formatGeneral(12345, 3), "1.23E4") << "rounded to three digits";
  EXPECT_EQ(formatGeneral(99999, 3), "1E5") << "rounding carries into the exponent";
  EXPECT_EQ(formatFixed(0.1234565, 6), "0.123456");  // the double lies just below the half
  EXPECT_EQ(formatFixed(-0.0000001, 6), "0.000000");
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
}

TEST(Formatting, NoNumberTextDependsOnTheProcessLocale) {
  const double values[] = {0.56789123, -0.25, 1e-6, -2.5e-7, 1.23456e17, 12, 0.1234565, 1.0 / 3};
  const auto texts = [&values] {
    std::vector<std::string> result;
    for (const double v : values) {
      result.push_back(formatGeneral(v));
      result.push_back(formatGeneral(v, 5));
      result.push_back(formatFixed(v, 6));
      result.push_back(formatShortest(v));
      result.push_back(formatShortest(parseDouble(formatShortest(v))));
    }
    return result;
  };
  const std::vector<std::string> inC = texts();
  const testing::ScopedLocale comma(testing::commaDecimalLocale);
  if (!comma.available()) GTEST_SKIP() << testing::commaDecimalLocale << " is not installed";
  EXPECT_EQ(texts(), inC);
  EXPECT_DOUBLE_EQ(parseDouble("0.5"), 0.5);
  EXPECT_EQ(findDouble("0,5"), std::nullopt);
}

}  // namespace
}  // namespace tavo::text
