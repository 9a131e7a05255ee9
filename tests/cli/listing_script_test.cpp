// The listing tools end to end: tavo-cli run scripts add an OMIT card from the disagreeable
// reflections and split an atom from the displacement table, on our ester and on real structures
// with their listings; the saved file differs from a plain save in exactly those lines and reads
// back with the halves in their PARTs and the new free variable.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/element_definitions.h"
#include "model/file_lines.h"
#include "model/file_replace.h"
#include "model/instruction_reader.h"
#include "model/structure_model.h"
#include "support/cli_run.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

struct Saved {
  std::vector<std::string> lines;
  std::string output;
};

/// `res` and a listing (a file, or `listingText` when given) copied to a folder of their own;
/// the script opens the copy, runs `edits` and saves. The saved lines without TITL (it carries
/// the time of the save).
Saved savedAfter(const fs::path& res, const std::optional<fs::path>& listing,
                 const std::string& listingText, const std::string& edits) {
  const TempFolder folder;
  const fs::path copy = folder.path() / res.filename();
  fs::copy_file(res, copy);
  fs::path lst = copy;
  lst.replace_extension(".lst");
  if (listing) fs::copy_file(*listing, lst);
  if (!listingText.empty()) folder.write(lst.filename().string(), listingText);
  const Outcome o =
      runScript(folder, "open " + copy.filename().string() + "\n" + edits + "\"Save *.ins\"\n");
  EXPECT_EQ(o.status, 0) << o.out << o.err;
  fs::path ins = copy;
  ins.replace_extension(".ins");
  Saved saved{model::loadFileLines(ins), o.out + o.err};
  if (!saved.lines.empty()) saved.lines.erase(saved.lines.begin());
  return saved;
}

model::StructureModel readBack(const std::vector<std::string>& lines) {
  const TempFolder again;
  const fs::path file = again.path() / "saved.ins";
  std::vector<std::string> withTitl = lines;
  withTitl.insert(withTitl.begin(), "TITL read back");
  model::replaceFileLines(file, withTitl);
  model::StructureModel s;
  FakeDialogs dialogs;
  EXPECT_TRUE(model::loadInstructionFile(s, file, model::ElementDefinitions::load(dataFolder()),
                                         dialogs, model::noTitlAtOpenMessage));
  return s;
}

const model::Atom* atomLabelled(const model::StructureModel& s, const std::string& label) {
  for (int i = 1; i <= s.nonHCount; ++i) {
    if (s.atoms[i].label == label) return &s.atoms[i];
  }
  return nullptr;
}

constexpr const char* splitButton =
    "window TForm8 press \"Add these atoms to the List of  Coordinates\"\n";

TEST(ListingScripts, OmitAndSplitOnOurEster) {
  const fs::path dir = fs::path(TAVO_SOURCE_DIR) / "tests/data/listing";
  const Saved plain = savedAfter(dir / "ester.res", dir / "ester.lst", "", "");
  const Saved edited = savedAfter(dir / "ester.res", dir / "ester.lst", "",
                                  "\"OMIT HKL using *.lst\"\n"
                                  "window TForm7 select 7\n"
                                  "window TForm7 press \"Add This for OMIT\"\n"
                                  "\"Split Atom using *.lst\"\n"
                                  "window TForm8 select 1\n"
                                  "window TForm8 print\n" +
                                      std::string(splitButton));
  EXPECT_NE(edited.output.find("Split C3 into C3A and C3B"), std::string::npos) << edited.output;
  EXPECT_NE(edited.output.find("DFIX 1.43 C3 O2"), std::string::npos) << edited.output;

  std::vector<std::string> expected = plain.lines;
  expected.insert(lineStarting(expected, "L.S."), "OMIT -2 0 4");
  *lineStarting(expected, "FVAR") = "FVAR       0.61234   0.50000";
  const auto c3 = lineStarting(expected, "C3 ");
  ASSERT_NE(c3, expected.end());
  const auto after = expected.erase(c3, c3 + 2);
  expected.insert(
      after,
      {"PART 1", "C3A   1    0.031100    0.710200    0.365500   21.000000   0.050000", "PART 2",
       "C3B   1   -0.006400    0.736700    0.357000  -21.000000   0.050000", "PART 0"});
  EXPECT_EQ(edited.lines, expected);

  const model::StructureModel s = readBack(edited.lines);
  ASSERT_EQ(s.fvarCount, 2);
  EXPECT_EQ(s.fvar[2], 0.5);
  const model::Atom* a = atomLabelled(s, "C3A");
  const model::Atom* b = atomLabelled(s, "C3B");
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->part, 1);
  EXPECT_EQ(b->part, 2);
  EXPECT_EQ(a->codes[model::Sof], 21);
  EXPECT_EQ(b->codes[model::Sof], -21);
  EXPECT_EQ(atomLabelled(s, "C3"), nullptr);
}

// Real structures with their listings, the older and the later layout of the table: the first
// disagreeable reflection becomes an OMIT card above L.S. and nothing else changes.
TEST(ListingScripts, OmitOnRealListings) {
  const fs::path corpus = corpusFolder();
  if (corpus.empty()) GTEST_SKIP() << "no corpus";
  struct Case {
    const char* stem;
    int firstReflectionRow;
    const char* card;
  };
  for (const Case c : {Case{"structurefinder_051a_p21c", 4, "OMIT 3 0 12"},
                       Case{"xharpy_L-Ala_iam", 6, "OMIT 0 2 1"}}) {
    SCOPED_TRACE(c.stem);
    const fs::path res = corpus / "shelxl" / (std::string(c.stem) + ".res");
    const fs::path lst = corpus / "lst" / (std::string(c.stem) + ".lst");
    const Saved plain = savedAfter(res, lst, "", "");
    const Saved edited = savedAfter(res, lst, "",
                                    "\"OMIT HKL using *.lst\"\n"
                                    "window TForm7 select " +
                                        std::to_string(c.firstReflectionRow) +
                                        "\n"
                                        "window TForm7 press \"Add This for OMIT\"\n");
    std::vector<std::string> expected = plain.lines;
    expected.insert(lineStarting(expected, "L.S."), c.card);
    EXPECT_EQ(edited.lines, expected);
  }
}

// A real structure with a listing of our own that suggests splitting C2: the halves replace it.
TEST(ListingScripts, SplitOnARealStructure) {
  const fs::path corpus = corpusFolder();
  if (corpus.empty()) GTEST_SKIP() << "no corpus";
  const fs::path res = corpus / "shelxl" / "xharpy_L-Ala_iam.res";
  const std::string listing =
      " Principal mean square atomic displacements U\n\n"
      "   0.0117   0.0088   0.0062   C1\n"
      "   0.0411   0.0095   0.0061   C2  may be split into   0.2650  0.0950  0.3080  and   "
      "0.2548  0.0865  0.2986\n\n";
  const Saved plain = savedAfter(res, std::nullopt, listing, "");
  const Saved edited = savedAfter(res, std::nullopt, listing,
                                  "\"Split Atom using *.lst\"\n"
                                  "window TForm8 select 0\n"
                                  "window TForm8 set NewLabel2 C2X\n" +
                                      std::string(splitButton));
  std::vector<std::string> expected = plain.lines;
  const auto fvar = lineStarting(expected, "FVAR");
  *fvar += "   0.50000";
  const auto c2 = lineStarting(expected, "C2 ");
  ASSERT_NE(c2, expected.end());
  const auto after = expected.erase(c2, c2 + 2);
  expected.insert(
      after,
      {"PART 1", "C2A   1    0.265000    0.095000    0.308000   21.000000   0.050000", "PART 2",
       "C2X   1    0.254800    0.086500    0.298600  -21.000000   0.050000", "PART 0"});
  EXPECT_EQ(edited.lines, expected) << edited.output;
  const model::StructureModel s = readBack(edited.lines);
  ASSERT_NE(atomLabelled(s, "C2X"), nullptr);
  EXPECT_EQ(atomLabelled(s, "C2X")->part, 2);
}

}  // namespace
}  // namespace tavo::testing
