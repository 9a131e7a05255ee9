// Files read, saved and read again: the writer's output reads back to the same model.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "model/instruction_writer.h"
#include "support/fake_dialogs.h"
#include "support/scoped_locale.h"
#include "support/test_helpers.h"
#include "text/errors.h"
#include "unit/model/reader_fixture.h"

namespace tavo::model {
namespace {

using testing::withoutTitle;

using testing::readIn;
using testing::TempFolder;

/// A .res with a disordered methyl whose six H atoms carry 21/-21, a free H in PART 2, cards
/// and a rigid group inside the atom list, an atom comment, MOLE and a long HKLF line.
const char* const disorderedRes =
    "TITL rt in P2(1)/c\n"
    "    rt.res\n"
    "    created by SHELXL-2018/3 at 10:00:00 on 10-Dec-2026\n"
    "CELL 0.71073 10.0 11.0 12.0 90 100 90\n"
    "ZERR 4 0.001 0.001 0.001 0 0.01 0\n"
    "LATT 1\n"
    "SYMM -X, 1/2+Y, 1/2-Z\n"
    "SFAC C H N O\n"
    "UNIT 10 12 2 4\n"
    "MOLE 1\n"
    "L.S. 4\n"
    "FMAP 2\n"
    "PLAN 20\n"
    "WGHT 0.1\n"
    "FVAR 1.23456 0.63\n"
    "O1    4    0.100000    0.200000    0.300000    11.00000    0.03000    0.04000 =\n"
    "         0.05000   -0.00100    0.00200    0.00300 ! hydroxyl O\n"
    "AFIX 147\n"
    "H1    2    0.110000    0.210000    0.310000    11.00000   -1.50000\n"
    "AFIX   0\n"
    "DFIX 1.45 0.02 O1 C1\n"
    "C1    1    0.200000    0.300000    0.400000    11.00000    0.04000\n"
    "AFIX 137\n"
    "PART 1 21\n"
    "H1A   2    0.210000    0.310000    0.410000    21.00000   -1.50000\n"
    "H1B   2    0.220000    0.320000    0.420000    21.00000   -1.50000\n"
    "H1C   2    0.230000    0.330000    0.430000    21.00000   -1.50000\n"
    "PART 2 -21\n"
    "H1D   2    0.240000    0.340000    0.440000   -21.00000   -1.50000\n"
    "H1E   2    0.250000    0.350000    0.450000   -21.00000   -1.50000\n"
    "H1F   2    0.260000    0.360000    0.460000   -21.00000   -1.50000\n"
    "AFIX   0\n"
    "PART 0\n"
    "N1    3    0.300000    0.400000    0.500000    10.50000    0.04000\n"
    "PART 2 -21\n"
    "H9    2    0.310000    0.410000    0.510000   -21.00000    0.05000\n"
    "PART 0\n"
    "REM the ring below is rigid\n"
    "AFIX 66\n"
    "C2    1    0.400000    0.500000    0.600000    11.00000    0.04000\n"
    "C3    1    0.410000    0.510000    0.610000    11.00000    0.04000\n"
    "AFIX 0\n"
    "C4    1    0.500000    0.600000    0.700000    11.00000    0.04000\n"
    "SADI C1 C2 C3 C4\n"
    "HKLF 4 1 0 1 0 -1 0 0 0 1\n"
    "END\n";

TEST(WriterRoundTrip, SavedFileReadsBackToTheSameModelAndWritesTheSameLines) {
  const TempFolder folder;
  auto first = readIn(folder, disorderedRes, "rt.res");
  ASSERT_TRUE(first->loaded) << (first->dialogs.shown.empty() ? "" : first->dialogs.shown.back());
  StructureModel& s = first->s();
  const std::vector<std::string> written = instructionFileLines(s);

  testing::FakeClock clock;
  testing::FakeDialogs dialogs;
  const auto saved = saveInstructionFile(s, clock, dialogs);
  EXPECT_EQ(saved, folder.path() / "rt.ins");
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "rt.000"));

  StructureModel again;
  testing::FakeDialogs againDialogs;
  ASSERT_TRUE(loadInstructionFile(again, saved, testing::shippedDefinitions(), againDialogs,
                                  noTitlAtOpenMessage));
  EXPECT_EQ(withoutTitle(instructionFileLines(again)), withoutTitle(written));

  ASSERT_EQ(again.nonHCount, s.nonHCount);
  ASSERT_EQ(again.hCount, s.hCount);
  for (int i = 1; i <= s.nonHCount; ++i) {
    SCOPED_TRACE(s.atoms[i].label);
    const Atom& a = s.atoms[i];
    const Atom& b = again.atoms[i];
    EXPECT_EQ(b.label, a.label);
    EXPECT_EQ(b.codes, a.codes);
    EXPECT_NEAR(b.x, a.x, 1e-6);
    EXPECT_NEAR(b.sof, a.sof, 1e-6);
    EXPECT_EQ(b.part, a.part);
    EXPECT_EQ(b.partSof, a.partSof);
    EXPECT_EQ(b.comment, a.comment);
  }
  for (int k = 1; k <= s.hCount; ++k) {
    SCOPED_TRACE(s.hydrogens[k].label);
    EXPECT_EQ(again.hydrogens[k].label, s.hydrogens[k].label);
    EXPECT_EQ(again.hydrogens[k].codes, s.hydrogens[k].codes);
    EXPECT_EQ(again.hydrogens[k].part, s.hydrogens[k].part);
    EXPECT_EQ(again.hydrogens[k].afixGroup, s.hydrogens[k].afixGroup);
    EXPECT_EQ(again.hydrogens[k].afterAtom, s.hydrogens[k].afterAtom);
  }
  EXPECT_EQ(again.atomListCards, s.atomListCards);
}

TEST(WriterRoundTrip, RidingHydrogensWithoutAParentRefuseTheSaveAndTouchNoFile) {
  const TempFolder folder;
  auto read = readIn(folder, disorderedRes, "rt.res");
  ASSERT_TRUE(read->loaded);
  StructureModel& s = read->s();
  EXPECT_TRUE(ridingHydrogensWithoutParent(s).empty());
  // C1 no longer carries the methyl group of H1A..H1F (a purge of one of them, a deleted parent).
  for (int i = 1; i <= s.nonHCount; ++i) {
    if (s.atoms[i].label == "C1") s.atoms[i].afixGroup = 0;
  }
  const std::vector<std::string> titleBefore = {s.instructionLines[0]};
  testing::FakeClock clock;
  try {
    saveInstructionFile(s, clock, read->dialogs);
    ADD_FAILURE() << "the save went through";
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()),
              "The file was not saved: these riding H atoms have no parent atom carrying their "
              "AFIX group, and SHELXL could not read them: H1A, H1B, H1C, H1D, H1E, H1F. Delete "
              "them, or undo the edit that removed their parent, and save again.");
  }
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"rt.res"});
  EXPECT_EQ(folder.read("rt.res"), disorderedRes);
  EXPECT_EQ(std::vector<std::string>{s.instructionLines[0]}, titleBefore);
  EXPECT_EQ(s.currentFile, (folder.path() / "rt.res").string());
}

TEST(WriterRoundTrip, DisorderedMethylKeepsItsOwnSofCodesAndFreeHItsPart) {
  const TempFolder folder;
  auto read = readIn(folder, disorderedRes, "rt.res");
  ASSERT_TRUE(read->loaded);
  const std::vector<std::string> lines = instructionFileLines(read->s());
  const auto at = [&](std::string_view start) {
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (lines[i].rfind(start, 0) == 0) return static_cast<int>(i);
    return -1;
  };
  ASSERT_GE(at("H1D "), 0);
  EXPECT_NE(lines[static_cast<std::size_t>(at("H1D "))].find("-21.000000"), std::string::npos);
  EXPECT_NE(lines[static_cast<std::size_t>(at("H1A "))].find(" 21.000000"), std::string::npos);
  // The free H stays after N1, under PART 2, before the rigid group's cards.
  EXPECT_LT(at("N1 "), at("H9 "));
  EXPECT_EQ(lines[static_cast<std::size_t>(at("H9 ") - 1)], "PART 2 -21");
  EXPECT_LT(at("H9 "), at("REM the ring below is rigid"));
  EXPECT_LT(at("AFIX 66"), at("C2 "));
  EXPECT_EQ(lines[static_cast<std::size_t>(at("C4 ") - 1)], "AFIX 0");  // closes the rigid group
  EXPECT_GE(at("MOLE 1"), 0);
  EXPECT_EQ(lines[lines.size() - 2], "HKLF 4 1 0 1 0 -1 0 0 0 1");
}

TEST(WriterRoundTrip, CommentsOfFvarPartAndAfixLinesAndTheRowsUpToEndAreWrittenBack) {
  const TempFolder folder;
  auto read = readIn(folder,
                     testing::head("FVAR 1.0 0.6 ! scale, occupancy") +
                         "PART 1 21 ! major\n"
                         "C1    1    0.1 0.2 0.3 21.0 0.04\n"
                         "AFIX 137 ! methyl\n"
                         "H1A   2    0.2 0.2 0.3 21.0 -1.5\n"
                         "H1B   2    0.3 0.2 0.3 21.0 -1.5\n"
                         "H1C   2    0.4 0.2 0.3 21.0 -1.5\n"
                         "afix 0 ! methyl done\n"
                         "PART 0 ! both parts done\n"
                         "N1    3    0.1 0.3 0.3 11.0 0.04\n"
                         "HKLF 4 1 1 0 0 0 1 0 =\n"
                         "   0 0 1\n"
                         "\n"
                         "REM <olex2.extras>\n"
                         "WGHT 0.05 0.3\n"
                         "REM </olex2.extras>\n"
                         "END\n"
                         "Q1    1   0.1 0.2 0.3 11.0 0.05 1.23\n",
                     "c.ins");
  ASSERT_TRUE(read->loaded);
  const std::vector<std::string> lines = instructionFileLines(read->s());
  const std::vector<std::string> wanted = {"FVAR       1.00000   0.60000 ! scale, occupancy",
                                           "PART 1 21 ! major",
                                           "AFIX 137 ! methyl",
                                           "afix 0 ! methyl done",
                                           "PART 0 ! both parts done",
                                           "HKLF 4 1 1 0 0 0 1 0 =",
                                           "   0 0 1",
                                           "",
                                           "REM <olex2.extras>",
                                           "REM </olex2.extras>",
                                           "END"};
  auto at = lines.begin();
  for (const std::string& line : wanted) {
    at = std::find(at, lines.end(), line);
    ASSERT_NE(at, lines.end()) << "missing or out of order: '" << line << "'";
  }
  EXPECT_EQ(lines.back(), "END") << "the peak after END is not written";
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "WGHT 0.05 0.3"), 1)
      << "the suggested weights become the WGHT card and are not kept after HKLF as well";
}

TEST(WriterRoundTrip, ExampleStructureOpensSavesAndReadsBack) {
  const TempFolder folder;
  const auto example =
      testing::readFileBytes(std::filesystem::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res");
  ASSERT_FALSE(example.empty());
  auto read = readIn(folder, example, "paraben.res");
  ASSERT_TRUE(read->loaded);
  StructureModel& s = read->s();
  EXPECT_EQ(s.nonHCount, 14);
  EXPECT_EQ(s.hCount, 15);
  EXPECT_EQ(s.ridingGroupCount, 9);
  EXPECT_EQ(s.peakCount, 10);
  EXPECT_EQ(s.instructionLines[static_cast<std::size_t>(s.markers.wghtLine)],
            "WGHT      0.0448      0.2395");  // SHELXL's suggestion
  EXPECT_NE(std::find(s.instructionLines.begin(), s.instructionLines.end(), "HTAB O1 O2_$1"),
            s.instructionLines.end());
  const std::vector<std::string> written = instructionFileLines(s);
  testing::FakeClock clock;
  const auto saved = saveInstructionFile(s, clock, read->dialogs);
  StructureModel again;
  testing::FakeDialogs dialogs;
  ASSERT_TRUE(loadInstructionFile(again, saved, testing::shippedDefinitions(), dialogs,
                                  noTitlAtOpenMessage));
  EXPECT_EQ(withoutTitle(instructionFileLines(again)), withoutTitle(written));
}

TEST(WriterRoundTrip, ASaveUnderACommaDecimalLocaleIsByteIdenticalToOneUnderC) {
  // Exponent forms in the file and free variables whose general format needs an exponent.
  std::string content = disorderedRes;
  content.replace(content.find("FVAR 1.23456 0.63"), 17, "FVAR 1.23456 0.63 2.5E-7 1.5e-6");
  content.replace(content.find("0.100000    0.200000"), 20, "1.0E-1    2.0e-01");
  content.replace(content.find("N1    3    0.300000    0.400000    0.500000    10.50000"), 55,
                  "N1    3    0.300000    0.400000    0.500000    41.00000");
  content.replace(content.find("C4    1    0.500000    0.600000    0.700000    11.00000"), 55,
                  "C4    1    0.500000    0.600000    0.700000    31.00000");
  const auto saveIn = [&](const TempFolder& folder) {
    auto read = readIn(folder, content, "rt.res");
    EXPECT_TRUE(read->loaded) << (read->dialogs.shown.empty() ? "" : read->dialogs.shown.back());
    testing::FakeClock clock;
    saveInstructionFile(read->s(), clock, read->dialogs);
    return folder.read("rt.ins");
  };
  const TempFolder inC;
  const std::string saved = saveIn(inC);
  ASSERT_NE(saved.find("   0.00000025   0.0000015"), std::string::npos) << saved;
  ASSERT_NE(saved.find("   0.100000    0.200000"), std::string::npos) << saved;
  const testing::ScopedLocale comma(testing::commaDecimalLocale);
  if (!comma.available()) GTEST_SKIP() << testing::commaDecimalLocale << " is not installed";
  const TempFolder inComma;
  EXPECT_EQ(saveIn(inComma), saved);
}

}  // namespace
}  // namespace tavo::model
