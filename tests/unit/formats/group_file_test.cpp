// Group and fragment files: the fields of a line, what the fragment export writes read back,
// the refusals, and the groups shipped in data/.
#include <gtest/gtest.h>

#include <filesystem>

#include "formats/coordinate_export.h"
#include "formats/group_file.h"
#include "model/element_definitions.h"
#include "model/file_lines.h"
#include "support/temp_folder.h"
#include "text/errors.h"

namespace tavo::formats {
namespace {

TEST(GroupFile, FieldsAreWordsAndTheLastFieldIsTheRestOfTheLine) {
  EXPECT_EQ(groupFields("  3   1", 2), (std::vector<std::string>{"3", "1"}));
  EXPECT_EQ(groupFields("1  Cl   0.5   -1.25   2.0 ", 5),
            (std::vector<std::string>{"1", "Cl", "0.5", "-1.25", "2.0"}));
  EXPECT_EQ(groupFields("1 C 0 0 1 2", 5), (std::vector<std::string>{"1", "C", "0", "0", "1 2"}));
  EXPECT_EQ(groupFields("1 C", 5), (std::vector<std::string>{"1", "C", "", "", ""}));
}

TEST(GroupFile, WhatTheFragmentExportWritesReadsBack) {
  const std::vector<ExportAtom> atoms = {
      {"C1", "C", {1.2, 0, 0}}, {"CL1", "CL", {0, 0, 0}}, {"O1", "O", {-0.5, 1.25, -2.125}}};
  const std::vector<ExportAtom> h = {{"H1", "H", {0.1, 0.2, 0.3}}};
  const GroupFile group = readGroupLines(fragmentLines(atoms, h, 1), "f.frg");
  EXPECT_EQ(group.originSymbol, "CL");
  EXPECT_EQ(group.atoms,
            (std::vector<GroupAtom>{
                {"C", {1.2, 0, 0}}, {"O", {-0.5, 1.25, -2.125}}, {"H", {0.1, 0.2, 0.3}}}));
}

TEST(GroupFile, WithoutAnOriginLineLongSymbolsAreCutAndLaterLinesAreNotRead) {
  const GroupFile group = readGroupLines(
      {"2 0", "1 Cl1 0 0 1.5", "2 Hx 1 2 3", "a line that describes the group"}, "g.grp");
  EXPECT_FALSE(group.originSymbol);
  EXPECT_EQ(group.atoms, (std::vector<GroupAtom>{{"Cl", {0, 0, 1.5}}, {"Hx", {1, 2, 3}}}));
}

TEST(GroupFile, RefusesWhatItCannotRead) {
  struct Case {
    std::vector<std::string> lines;
    const char* message;
  };
  const Case cases[] = {
      {{"x 1"}, "'x' is not a valid integer value"},
      {{"1 1", "0 C 0 0 0", "1 C 0 abc 0"}, "'abc' is not a valid floating point value"},
      {{"1 1", "0 C 0 0 0", "1 C 0 0"}, "'' is not a valid floating point value"},
      {{"3 1", "0 C 0 0 0", "1 H 1 0 0"}, "g.grp: line 1 announces 3 atom lines, but 1 follow."},
      {{"-1 0"}, "g.grp, line 1: the number of atoms -1 is negative."},
      {{}, "g.grp is empty: line 1 should give the number of atoms."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    try {
      readGroupLines(c.lines, "g.grp");
      ADD_FAILURE() << "accepted";
    } catch (const UserError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

TEST(GroupFile, ShippedGroupsReadWithKnownElementsAndNoAtomsOnTopOfEachOther) {
  const auto definitions = model::ElementDefinitions::load(testing::dataFolder());
  int files = 0;
  for (const char* folder : {"groups", "fragments"}) {
    for (const auto& entry : std::filesystem::directory_iterator(testing::dataFolder() / folder)) {
      SCOPED_TRACE(entry.path().string());
      ++files;
      const GroupFile group =
          readGroupLines(model::loadFileLines(entry.path()), entry.path().filename().string());
      ASSERT_TRUE(group.originSymbol);
      std::vector<GroupAtom> atoms = {{*group.originSymbol, {}}};
      atoms.insert(atoms.end(), group.atoms.begin(), group.atoms.end());
      for (std::size_t i = 0; i < atoms.size(); ++i) {
        EXPECT_TRUE(definitions.findRow(atoms[i].symbol)) << atoms[i].symbol;
        for (std::size_t j = 0; j < i; ++j)
          EXPECT_GT(model::length(atoms[i].offset - atoms[j].offset), 0.8) << i << " " << j;
      }
    }
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace tavo::formats
