// The HKLF card, fixed-column .hkl rows, the files embedded in a SHELXL CIF and the files beside a
// structure file.
#include "density/reflection_file.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/file_lines.h"
#include "support/temp_folder.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::density {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

std::string errorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const UserError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(HklfCard, FillsTheNumbersInOrderWithDefaults) {
  const HklfCard defaults;
  EXPECT_EQ(parseHklfCard(""), defaults) << "an empty line is HKLF 4";
  EXPECT_EQ(parseHklfCard("HKLF 4"), defaults);

  const HklfCard scaled = parseHklfCard("hklf 4 0.5");
  EXPECT_EQ(scaled.type, 4);
  EXPECT_DOUBLE_EQ(scaled.scale, 0.5);
  EXPECT_EQ(scaled.matrix, defaults.matrix);

  const HklfCard full = parseHklfCard("  HKLF 4 2 0 1 0 1 0 0 0 0 -1 0.8 3  ");
  EXPECT_DOUBLE_EQ(full.scale, 2);
  EXPECT_EQ(full.matrix, (std::array<double, 9>{0, 1, 0, 1, 0, 0, 0, 0, -1}));
  EXPECT_DOUBLE_EQ(full.weight, 0.8);
  EXPECT_EQ(full.offset, 3);
  EXPECT_EQ(parseHklfCard("HKLF 5").type, 5) << "the card is read; the reader refuses twins";
}

TEST(HklfCard, RefusesWhatIsNotACard) {
  struct Case {
    const char* line;
    const char* message;
  };
  const Case cases[] = {
      {"HKLF x", "The HKLF card 'HKLF x': 'x' is not a whole number."},
      {"HKLF 4 1 1 0 a", "The HKLF card 'HKLF 4 1 1 0 a': 'a' is not a number."},
      {"FVAR 1", "'FVAR 1' is not an HKLF card."},
      {"HKLF 4 1 1 0 0 0 1 0 0 0 1 1 0 7",
       "The HKLF card 'HKLF 4 1 1 0 0 0 1 0 0 0 1 1 0 7': has more than thirteen numbers."},
      {"HKLF 4 1 1 0 0 0 1 0 0 0 0",
       "The HKLF card 'HKLF 4 1 1 0 0 0 1 0 0 0 0': the index matrix must have a positive "
       "determinant."},
      {"HKLF 4 1 -1 0 0 0 1 0 0 0 1",
       "The HKLF card 'HKLF 4 1 -1 0 0 0 1 0 0 0 1': the index matrix must have a positive "
       "determinant."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(errorOf([&] { parseHklfCard(c.line); }), c.message);
  }
}

TEST(HklText, ReadsFixedColumnsUpToTheTerminator) {
  const std::string text =
      "   1   2   3  100.00    2.50\r\n"      // CR LF, no batch column
      "  -1  -2  -3    12.5     1.0   7\r\n"  // batch 7
      "-100-110-1201234567.    0.01\r\n"      // every field filled to its width
      "  1  2  3       5.00    1.00\r\n"      // numbers off the four-column grid
      "   0   4   0    1234      56\r\n"      // FORTRAN's implied decimals of F8.2
      "           5    1.00    0.10\r\n"      // blank indices read as 0
      "   0   0   0    0.00    0.00   0\r\n"  // the end of the data
      "   9   9   9 not data any more\r\n";
  const std::vector<Reflection> expected{
      {{1, 2, 3}, 100.0, 2.5, 0},
      {{-1, -2, -3}, 12.5, 1.0, 7},
      {{-100, -110, -120}, 1234567.0, 0.01, 0},
      {{1, 2, 3}, 5.0, 1.0, 0},
      {{0, 4, 0}, 12.34, 0.56, 0},
      {{0, 0, 5}, 1.0, 0.1, 0},
  };
  EXPECT_EQ(parseHklText(text, HklfCard{}, "t.hkl"), expected);
}

TEST(HklText, EndsAtABlankLineOrTheEndOfTheText) {
  EXPECT_EQ(parseHklText("   1   0   0    4.00    1.00\n\n   2   0   0    1.00    1.00\n",
                         HklfCard{}, "t.hkl")
                .size(),
            1u)
      << "a blank line reads as 0 0 0";
  EXPECT_EQ(parseHklText("   1   0   0    4.00    1.00", HklfCard{}, "t.hkl").size(), 1u);
  EXPECT_TRUE(parseHklText("", HklfCard{}, "t.hkl").empty());
}

TEST(HklText, AppliesTheCardsScaleAndMatrix) {
  const HklfCard card = parseHklfCard("HKLF 4 2 0 1 0 1 0 0 0 0 -1");
  const std::vector<Reflection> read =
      parseHklText("   1   2   3   10.00    0.50   2\n", card, "t.hkl");
  EXPECT_EQ(read, (std::vector<Reflection>{{{2, 1, -3}, 20.0, 1.0, 2}}));

  const HklfCard halving = parseHklfCard("HKLF 4 1 0.5 0 0 0 1 0 0 0 2");
  EXPECT_EQ(parseHklText("   2   1   1    1.00    1.00\n", halving, "t.hkl").front().hkl,
            (Miller{1, 1, 2}));
  EXPECT_EQ(errorOf([&] {
              parseHklText("   2   1   1    1.00    1.00\n   1   2   3    1.00    1.00\n", halving,
                           "t.hkl");
            }),
            "t.hkl, line 2: the HKLF matrix turns 1 2 3 into 0.5 2 6, which are not whole "
            "numbers.");
}

TEST(HklText, MalformedRowsNameTheLineAndTheColumns) {
  struct Case {
    const char* row;
    const char* message;
  };
  const Case cases[] = {
      {"   1   2   3      ab    1.00",
       "t.hkl, line 2: 'ab' is not a number in columns 13-20 (Fo²)."},
      {"   1   x   3    1.00    1.00",
       "t.hkl, line 2: 'x' is not a whole number in columns 5-8 (k)."},
      {"-10-11-12   1.00    1.00",
       "t.hkl, line 2: '-10-' is not a whole number in columns 1-4 (h)."},
      {"   1   2   3    1.00", "t.hkl, line 2: columns 21-28 (σ) are blank."},
      {"   1   2   3", "t.hkl, line 2: columns 13-20 (Fo²) are blank."},
      {"   1   2   3    1.00    1.00   b",
       "t.hkl, line 2: 'b' is not a whole number in columns 29-32 (batch)."},
      {"   1   2   312345678.9    1.00",
       "t.hkl, line 2: '.9    1.' is not a number in columns 21-28 (σ)."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    const std::string text = "   1   1   1    1.00    1.00\n" + std::string(c.row) + "\n";
    EXPECT_EQ(errorOf([&] { parseHklText(text, HklfCard{}, "t.hkl"); }), c.message);
  }
}

TEST(HklFile, ReadsTheFileAndRefusesOtherFormats) {
  const TempFolder folder;
  const fs::path file = folder.write("data.hkl", "   1   2   3  100.00    2.50   1\n");
  EXPECT_EQ(readHklFile(file, HklfCard{}), (std::vector<Reflection>{{{1, 2, 3}, 100.0, 2.5, 1}}));

  EXPECT_EQ(errorOf([&] { readHklFile(file, parseHklfCard("HKLF 5")); }),
            "data.hkl: twinned data (HKLF 5) are not supported yet.");
  EXPECT_EQ(errorOf([&] { readHklFile(file, parseHklfCard("HKLF 6")); }),
            "data.hkl: twinned data (HKLF 6) are not supported yet.");
  EXPECT_EQ(errorOf([&] { readHklFile(file, parseHklfCard("HKLF 3")); }),
            "data.hkl: HKLF 3 data are not supported; only HKLF 4 files (h k l Fo² σ) are read.");
  EXPECT_THROW(readHklFile(folder.path() / "missing.hkl", HklfCard{}), FileError);
}

TEST(EmbeddedShelxFiles, TakesTheFirstBlockThatCarriesThem) {
  const TempFolder folder;
  const fs::path cif = folder.write("s.cif",
                                    "data_first\n_cell_length_a 5\n"
                                    "data_second\n_shelx_res_file\n;\nTITL s\nHKLF 4\nEND\n;\n"
                                    "_shelx_hkl_file\n;\n   1   0   0    4.00    1.00\n"
                                    "   0   0   0    0.00    0.00\n;\n"
                                    "data_third\n_shelx_res_file\n;\nTITL third\n;\n");
  const EmbeddedShelxFiles files = findEmbeddedShelxFiles(cif);
  EXPECT_EQ(files.blockName, "second");
  ASSERT_TRUE(files.res && files.hkl);
  EXPECT_TRUE(files.res->starts_with("TITL s\n"));
  EXPECT_EQ(parseHklText(*files.hkl, HklfCard{}, "s.cif"),
            (std::vector<Reflection>{{{1, 0, 0}, 4.0, 1.0, 0}}));

  const fs::path older =
      folder.write("old.cif", "data_old\n_iucr_refine_instructions_details\n;\nTITL old\n;\n");
  const EmbeddedShelxFiles old = findEmbeddedShelxFiles(older);
  EXPECT_EQ(old.blockName, "old");
  ASSERT_TRUE(old.res);
  EXPECT_FALSE(old.hkl);

  const EmbeddedShelxFiles none = findEmbeddedShelxFiles(folder.write("n.cif", "data_n\n_a 1\n"));
  EXPECT_EQ(none.blockName, "");
  EXPECT_FALSE(none.res || none.hkl);
}

TEST(FindBeside, SameStemAsGivenOrInUpperCase) {
  const TempFolder folder;
  const fs::path x = folder.write("x.res", "");
  folder.write("x.hkl", "");
  const fs::path y = folder.write("y.ins", "");
  folder.write("y.FCF", "");
  EXPECT_EQ(findBeside(x, ".hkl"), folder.path() / "x.hkl");
  EXPECT_EQ(findBeside(y, "fcf"), folder.path() / "y.FCF");
  EXPECT_EQ(findBeside(x, ".fcf"), std::nullopt);
  EXPECT_EQ(findBeside(folder.path() / "z.res", ".hkl"), std::nullopt);
}

// The HKLF card of an instruction text: its line that begins with HKLF.
HklfCard cardOf(const std::string& res) {
  for (std::string_view line : model::splitRawLines(res))
    if (text::startsWithUpper(text::trimLine(line), "HKLF")) return parseHklfCard(line);
  return {};
}

TEST(HklCorpus, ReadsEveryFileCompletely) {
  struct Case {
    const char* file;
    std::size_t rows;
    Reflection last;  // the row before 0 0 0
  };
  const Case cases[] = {
      {"hikari_NaCl_Fm-3m.hkl", 8578, {{-2, 2, 14}, 419.465, 39.383, 27}},
      {"logbooker_dom1_mC.hkl", 454, {{-18, 2, 8}, 32.88, 16.14, 0}},
  };
  if (testing::corpusFiles("hkl").empty()) GTEST_SKIP() << "no corpus";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::vector<Reflection> read =
        readHklFile(testing::corpusFolder() / "hkl" / c.file, HklfCard{});
    ASSERT_EQ(read.size(), c.rows);
    EXPECT_EQ(read.back().hkl, c.last.hkl);
    EXPECT_DOUBLE_EQ(read.back().fo2, c.last.fo2);
    EXPECT_DOUBLE_EQ(read.back().sigma, c.last.sigma);
    EXPECT_EQ(read.back().batch, c.last.batch);
  }
}

TEST(HklCorpus, EmbeddedReflectionsMatchTheFileBeside) {
  const fs::path cif = testing::corpusFolder() / "cif_shelxl" / "logbooker_dom1_mC.cif";
  const fs::path hkl = testing::corpusFolder() / "hkl" / "logbooker_dom1_mC.hkl";
  if (!fs::exists(cif) || !fs::exists(hkl)) GTEST_SKIP() << "no corpus";
  const EmbeddedShelxFiles files = findEmbeddedShelxFiles(cif);
  ASSERT_TRUE(files.res && files.hkl);
  EXPECT_TRUE(files.res->starts_with("TITL dom1_mc_a.res in C2/m"));
  const HklfCard card = cardOf(*files.res);
  EXPECT_EQ(card, HklfCard{});
  EXPECT_EQ(parseHklText(*files.hkl, card, cif.filename().string()), readHklFile(hkl, card));
}

TEST(HklCorpus, EveryEmbeddedHklFileReads) {
  struct Case {
    const char* file;
    std::size_t rows;  // 0: the CIF itself is refused
  };
  const Case cases[] = {
      {"cod_2240189_R-3c.cif", 782},
      {"gemmi_4003024_Pm-3m.cif", 759},
      {"logbooker_dom1_mC.cif", 454},
      {"xharpy_L-Ala_iam.cif", 2519},  // no 0 0 0 row; the text field ends the data
      {"finalcif_twin4_P-1.cif", 0},   // an unterminated quote on line 32
  };
  if (testing::corpusFiles("cif_shelxl").empty()) GTEST_SKIP() << "no corpus";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const fs::path file = testing::corpusFolder() / "cif_shelxl" / c.file;
    if (c.rows == 0) {
      EXPECT_THROW(findEmbeddedShelxFiles(file), UserError);
      continue;
    }
    const EmbeddedShelxFiles embedded = findEmbeddedShelxFiles(file);
    ASSERT_TRUE(embedded.res && embedded.hkl);
    EXPECT_EQ(parseHklText(*embedded.hkl, cardOf(*embedded.res), c.file).size(), c.rows);
  }
}

}  // namespace
}  // namespace tavo::density
