// The listing tools: OMIT cards from the Most Disagreeable Reflections and split atoms from the
// displacement table, on our small ester and on the real listings beside their structures.
#include <algorithm>
#include <fstream>

#include "model/instruction_writer.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using workbench::CommandId;

class ListingScenario : public WorkbenchScenario {
 protected:
  workbench::ListingCommands& listing() { return bench->listing(); }
  const workbench::OmitWindow& omit() { return bench->listing().omitWindow(); }
  const workbench::SplitWindow& split() { return bench->listing().splitWindow(); }
  bool openEster() {
    repositoryFile("tests/data/listing/ester.lst");
    const bool opened =
        openAs(repositoryFile("tests/data/listing/ester.res"), workbench::OpenedFrom::Dialog);
    dialogs.shown.clear();
    return opened;
  }
  std::vector<std::string> written() { return model::instructionFileLines(bench->structure()); }
  int rowOf(const std::string& text) const {
    const auto& rows = bench->listing().omitWindow().rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].text.find(text) != std::string::npos) return static_cast<int>(i);
    }
    return -1;
  }
};

/// `after` equals `before` with `inserted` put in at `at`.
void expectInserted(const std::vector<std::string>& before, const std::vector<std::string>& after,
                    std::size_t at, const std::vector<std::string>& inserted) {
  std::vector<std::string> expected = before;
  expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(at), inserted.begin(),
                  inserted.end());
  EXPECT_EQ(after, expected);
}

TEST_F(ListingScenario, OmitCardGoesAboveTheLsLineOnceAsOneUndoableStep) {
  ASSERT_TRUE(openEster());
  ASSERT_TRUE(bench->run(CommandId::OmitHkl));
  ASSERT_TRUE(omit().visible);
  // Heading, two explanation lines, blank, column headings, blank, five reflections.
  ASSERT_EQ(omit().rows.size(), 11U);
  EXPECT_FALSE(omit().rows[4].reflection);
  // The file's own OMIT 0 0 2 is marked from the start.
  const int held = rowOf("     0   0   2");
  ASSERT_GE(held, 0);
  EXPECT_TRUE(omit().used[static_cast<std::size_t>(held)]);

  const std::vector<std::string> before = written();
  // The column headings are no reflection: nothing happens.
  listing().selectOmitRow(4);
  ASSERT_TRUE(bench->run([&] { listing().addOmit(); }));
  EXPECT_EQ(written(), before);

  const int row = rowOf("    -2   0   4 *");
  listing().selectOmitRow(row);
  EXPECT_EQ(omit().h + " " + omit().k + " " + omit().l, "-2 0 4");
  EXPECT_EQ(omit().resolution, "1.83");
  ASSERT_TRUE(bench->run([&] { listing().addOmit(); }));
  const auto ls = std::find(before.begin(), before.end(), "L.S. 10") - before.begin();
  expectInserted(before, written(), static_cast<std::size_t>(ls), {"OMIT -2 0 4"});
  EXPECT_TRUE(omit().used[static_cast<std::size_t>(row)]);
  // Pressed again: the row is used, nothing more.
  ASSERT_TRUE(bench->run([&] { listing().addOmit(); }));
  const std::vector<std::string> once = written();
  EXPECT_EQ(std::count(once.begin(), once.end(), "OMIT -2 0 4"), 1);
  EXPECT_TRUE(dialogs.shown.empty()) << ::testing::PrintToString(dialogs.shown);

  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(written(), before);
}

TEST_F(ListingScenario, OmitNeedsAnLsLine) {
  repositoryFile("tests/data/listing/ester.lst", "nols.lst");
  std::string text;
  std::ifstream in(std::filesystem::path(TAVO_SOURCE_DIR) / "tests/data/listing/ester.res");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("L.S.", 0) != 0) text += line + "\n";
  }
  ASSERT_TRUE(openAs(work.write("nols.res", text), workbench::OpenedFrom::Dialog));
  dialogs.shown.clear();
  ASSERT_TRUE(bench->run(CommandId::OmitHkl));
  const std::vector<std::string> before = written();
  listing().selectOmitRow(rowOf("     1   1   0"));
  EXPECT_FALSE(bench->run([&] { listing().addOmit(); }));
  EXPECT_EQ(written(), before);
  ASSERT_EQ(dialogs.shown.size(), 1U);
  EXPECT_NE(dialogs.shown[0].find("L.S."), std::string::npos);
}

TEST_F(ListingScenario, SplitReplacesTheAtomByTwoTiedHalves) {
  ASSERT_TRUE(openEster());
  ASSERT_TRUE(bench->run(CommandId::SplitAtom));
  // Two suggestions; the non-positive-definite O2 is none.
  ASSERT_EQ(split().rows.size(), 2U);
  EXPECT_EQ(split().rows[1].label, "C3");
  listing().selectSplitRow(1);
  EXPECT_EQ(split().firstLabel, "C3A");
  EXPECT_EQ(split().secondLabel, "C3B");

  const std::vector<std::string> before = written();
  ASSERT_TRUE(bench->run([&] { listing().addSplit(); }));
  std::vector<std::string> expected = before;
  const auto fvar = std::find(expected.begin(), expected.end(), before[15]);
  ASSERT_EQ(*fvar, "FVAR       0.61234");
  *fvar = "FVAR       0.61234   0.50000";
  const auto c3 = std::find_if(expected.begin(), expected.end(),
                               [](const std::string& l) { return l.rfind("C3 ", 0) == 0; });
  expected.erase(c3, c3 + 2);  // the anisotropic C3 and its continuation
  const std::vector<std::string> halves = {
      "PART 1", "C3A   1    0.031100    0.710200    0.365500   21.000000   0.050000", "PART 2",
      "C3B   1   -0.006400    0.736700    0.357000  -21.000000   0.050000", "PART 0"};
  expected.insert(c3, halves.begin(), halves.end());
  EXPECT_EQ(written(), expected);
  // DFIX still names C3: the user is told.
  ASSERT_EQ(dialogs.shown.size(), 1U);
  EXPECT_NE(dialogs.shown[0].find("DFIX 1.43 C3 O2"), std::string::npos);
  EXPECT_TRUE(split().added[1]);
  EXPECT_FALSE(split().visible);

  // The same row again adds nothing; one undo brings the file back.
  ASSERT_TRUE(bench->run([&] { listing().addSplit(); }));
  EXPECT_EQ(written(), expected);
  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(written(), before);
}

TEST_F(ListingScenario, SplitTakesTheRidingHydrogensAlong) {
  ASSERT_TRUE(openEster());
  ASSERT_TRUE(bench->run(CommandId::SplitAtom));
  listing().selectSplitRow(0);
  ASSERT_TRUE(bench->run([&] { listing().addSplit(); }));
  const std::vector<std::string> lines = written();
  for (const char* gone : {"H2A", "H2B", "AFIX  23", "C2 "}) {
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [&](const std::string& l) {
      return l.rfind(gone, 0) == 0;
    })) << gone;
  }
  ASSERT_EQ(dialogs.shown.size(), 1U);
  EXPECT_NE(dialogs.shown[0].find("H2A H2B"), std::string::npos);
  EXPECT_EQ(bench->structure().hCount, 0);
  EXPECT_EQ(bench->structure().nonHCount, 6);
}

TEST_F(ListingScenario, RefusedLabelsChangeNothing) {
  ASSERT_TRUE(openEster());
  ASSERT_TRUE(bench->run(CommandId::SplitAtom));
  const std::vector<std::string> before = written();
  struct Case {
    const char* first;
    const char* second;
  };
  for (const Case c : {Case{"C3AB1", "C3B"}, Case{"O1", "C3B"}, Case{"C3X", "c3x"}}) {
    listing().selectSplitRow(1);
    listing().setNewLabel(true, c.first);
    listing().setNewLabel(false, c.second);
    dialogs.shown.clear();
    EXPECT_FALSE(bench->run([&] { listing().addSplit(); })) << c.first;
    EXPECT_EQ(dialogs.shown.size(), 1U) << c.first;
    EXPECT_EQ(written(), before) << c.first;
    EXPECT_FALSE(split().added[1]);
    EXPECT_TRUE(split().visible);  // open for another label
  }
  EXPECT_FALSE(bench->state().undo.canUndo());
}

TEST_F(ListingScenario, NoListingNoWindowButAMessageNamingTheFileLookedFor) {
  ASSERT_TRUE(
      openAs(repositoryFile("tests/data/listing/ester.res"), workbench::OpenedFrom::Dialog));
  const std::string expected =
      "No listing file was found: " + (work.path() / "ester.lst").string() +
      " (SHELXL writes it beside the .ins file it refines).";
  for (const CommandId tool : {CommandId::OmitHkl, CommandId::SplitAtom}) {
    dialogs.shown.clear();
    EXPECT_FALSE(bench->run(tool));
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{expected});
  }
  EXPECT_FALSE(omit().visible);
  EXPECT_FALSE(split().visible);
}

}  // namespace
}  // namespace tavo::testing
