// The two tables of SHELXL listings: our small listing, the older and later layouts of the
// disagreeable reflections, and every real listing of the corpus.
#include "model/listing_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/file_lines.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

using model::ReflectionRow;

std::vector<std::string> lines(std::initializer_list<const char*> texts) {
  return {texts.begin(), texts.end()};
}

std::size_t reflectionCount(const std::vector<ReflectionRow>& rows) {
  return static_cast<std::size_t>(
      std::count_if(rows.begin(), rows.end(), [](const ReflectionRow& r) { return r.reflection; }));
}

TEST(ListingFile, ReflectionBlocksOfBothLayouts) {
  // The older layout: blank, column headings, blank; a later one has two explanation lines too.
  const auto older =
      lines({" Most Disagreeable Reflections (* if suppressed or used for Rfree)", "",
             "     h   k   l        Fo^2         Fc^2   Delta(F^2)/esd  Fc/Fc(max)  "
             "Resolution(A)",
             "",
             "     3   0  12         27.27          0.11       6.34       0.002       "
             "1.40",
             "    -2   3   9 *      314.50        206.78       5.13       0.068       "
             "1.85",
             "", "     1   1   1  not a row of the table"});
  std::vector<ReflectionRow> rows = model::disagreeableReflections(older);
  ASSERT_EQ(rows.size(), 6U);
  EXPECT_FALSE(rows[3].reflection);
  EXPECT_EQ(rows[5].hkl, (std::array<int, 3>{-2, 3, 9}));
  EXPECT_EQ(rows[5].resolution, "1.85");

  const std::vector<std::string> later = model::loadRawFileLines(
      std::filesystem::path(TAVO_SOURCE_DIR) / "tests/data/listing/ester.lst");
  rows = model::disagreeableReflections(later);
  ASSERT_EQ(rows.size(), 11U);
  EXPECT_EQ(reflectionCount(rows), 5U);
  EXPECT_EQ(rows[6].hkl, (std::array<int, 3>{1, 1, 0}));
  EXPECT_EQ(rows[10].hkl, (std::array<int, 3>{0, 4, 1}));

  // A heading without column headings below it gives no rows.
  EXPECT_TRUE(model::disagreeableReflections(lines({" Most Disagreeable Reflections", "", "x", "",
                                                    "", "", "", "", "     1   1   1  2"}))
                  .empty());
}

TEST(ListingFile, OnlyRowsWithTheSplitRemarkAreSuggestions) {
  const std::vector<std::string> listing = model::loadRawFileLines(
      std::filesystem::path(TAVO_SOURCE_DIR) / "tests/data/listing/ester.lst");
  const std::vector<model::SplitSuggestion> found = model::splitSuggestions(listing);
  ASSERT_EQ(found.size(), 2U);
  EXPECT_EQ(found[1].label, "C3");
  EXPECT_EQ(found[1].first, (std::array<double, 3>{0.0311, 0.7102, 0.3655}));
  EXPECT_EQ(found[1].second, (std::array<double, 3>{-0.0064, 0.7367, 0.3570}));
  EXPECT_EQ(found[1].text.substr(0, 21), "C3  may be split into");
  // A row of the wrong shape is no suggestion.
  EXPECT_TRUE(model::splitSuggestions(
                  lines({" Principal mean square atomic displacements U", "",
                         "   0.1   0.1   0.1   C9  may be split into  0.1 0.2 and 0.3 0.4 0.5"}))
                  .empty());
}

TEST(ListingFile, RealListings) {
  const auto files = corpusFiles("lst");
  if (files.empty()) GTEST_SKIP() << "no corpus";
  for (const auto& file : files) {
    SCOPED_TRACE(file.filename().string());
    const std::vector<std::string> listing = model::loadRawFileLines(file);
    const std::vector<ReflectionRow> rows = model::disagreeableReflections(listing);
    // Every listing of the corpus ends its refinement with fifty disagreeable reflections.
    EXPECT_EQ(reflectionCount(rows), 50U);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0].text.rfind(" Most Disagreeable Reflections", 0), 0U);
    // None suggests a split; the Xylitol listing's non-positive-definite rows are none either.
    EXPECT_TRUE(model::splitSuggestions(listing).empty());
  }
}

}  // namespace
}  // namespace tavo::testing
