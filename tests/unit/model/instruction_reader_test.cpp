// Reading whole instruction files: heading, markers, HTAB merge, weights, peaks, solution files.
#include <gtest/gtest.h>

#include "model/instruction_reader.h"
#include "reader_fixture.h"
#include "text/text.h"

namespace tavo::testing {
namespace {

const std::string resFile =
    "TITL test\n"
    "    test.res\n"
    "    created by SHELXL-2019/2 at 10:00:00 on 01-Jan-2025\n"
    "CELL 0.71073 10.0 11.0 12.0 90 100 90\n"
    "ZERR 4 0.001 0.002 0.003 0 0.01 0\n"
    "LATT 1\n"
    "SFAC C H N O\n"
    "UNIT 10 12 2 4\n"
    "L.S. 4\n"
    "HTAB\n"
    "FMAP 2\n"
    "PLAN 20\n"
    "REM SPCG            14    2\n"
    "SIMU 0.01 =\n"
    "  C1 N1\n"
    "WGHT 0.1\n"
    "FVAR 1.0\n"
    "N1    3    0.1 0.2 0.3 11.0 0.05\n"
    "AFIX 43\n"
    "H1    2    0.1 0.2 0.4 11.0 -1.2\n"
    "AFIX 0\n"
    "HKLF 4\n"
    "\n"
    "REM Instructions for potential hydrogen bonds\n"
    "EQIV $1 x, y+1, z\n"
    "HTAB N1 O1_$1\n"
    "\n"
    "REM Highest difference peak\n"
    "WGHT 0.0500 0.3000\n"
    "END\n"
    "\n"
    "Q1    1   0.1 0.2 0.3 11.0 0.05 1.23\n"
    "Q2    1   0.3 0.2 0.3 11.0 0.05 0.98\n"
    "\n"
    "REM trailing remark\n";

TEST(InstructionReader, ReadsAResFile) {
  const TempFolder folder;
  auto r = readIn(folder, resFile, "test.res");
  ASSERT_TRUE(r->loaded) << (r->dialogs.shown.empty() ? "" : r->dialogs.shown.back());
  auto& s = r->s();
  ASSERT_EQ(r->dialogs.shown.size(), 1u);
  EXPECT_EQ(r->dialogs.shown[0],
            "HTAB codes suggesed by Shelxl-2019/2 have been implemented in INS. Press cntrl E to "
            "check the details.");
  EXPECT_EQ(s.fileLines[1], "CELL 0.71073 10.0 11.0 12.0 90 100 90") << "heading removed";
  ASSERT_EQ(s.lineCount(), 15);
  EXPECT_EQ(s.instructionLines[7], "EQIV $1 x, y+1, z");
  EXPECT_EQ(s.instructionLines[8], "HTAB N1 O1_$1");
  EXPECT_EQ(s.instructionLines[12], "SIMU 0.01 =");
  EXPECT_EQ(s.instructionLines[13], "     C1 N1") << "continuation with five blanks";
  EXPECT_EQ(s.instructionLines[14], "WGHT 0.0500 0.3000") << "suggested weights taken";
  const model::LineMarkers expected{1, 2, 4, 5, 6, 9, 10, 0, 14, 11};
  EXPECT_EQ(s.markers, expected);
  EXPECT_EQ(s.symmetry.spaceGroupNumber, 14);
  EXPECT_EQ(s.symmetry.settingNumber, 2);
  EXPECT_DOUBLE_EQ(s.cell.b, 11.0);
  EXPECT_DOUBLE_EQ(s.cell.beta, 100);
  EXPECT_DOUBLE_EQ(s.cell.sc, 0.003);
  EXPECT_DOUBLE_EQ(s.cell.z, 4);
  EXPECT_NEAR(s.cell.cVector.x, 12 * std::cos(100 / model::degreesPerRadian), 1e-12);
  ASSERT_EQ(s.peakCount, 2);
  EXPECT_DOUBLE_EQ(s.peaks[2].height, 0.98);
  EXPECT_EQ(s.rows.fvarRow, 14);
  EXPECT_EQ(s.hklfLine, "HKLF 4");
  EXPECT_EQ(s.currentFile, (folder.path() / "test.res").string());
  EXPECT_EQ(s.workingFolder, folder.path().string());
  const std::string check = folder.read("htab_codes_checking.txt");
  EXPECT_NE(check.find("EQIV $1 x, y+1, z\r\nHTAB N1 O1_$1\r\n"), std::string::npos);
}

TEST(InstructionReader, TheHtabCheckFileIsWrittenOnlyAfterASuccessfulReadAndNeverByAQuery) {
  const std::string merged =
      "HTAB codes suggesed by Shelxl-2019/2 have been implemented in INS. Press cntrl E to "
      "check the details.";
  {
    SCOPED_TRACE("the read fails after the merge");
    std::string content = resFile;
    content.replace(content.find("0.1 0.2 0.3 11.0 0.05"), 3, "abc");
    const TempFolder folder;
    auto r = readIn(folder, content, "test.res");
    EXPECT_FALSE(r->loaded);
    EXPECT_EQ(
        r->dialogs.shown,
        std::vector<std::string>{"test.res, line 18: 'abc' is not a valid floating point value"});
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "htab_codes_checking.txt"));
  }
  {
    SCOPED_TRACE("a query");
    const TempFolder folder;
    const auto file = folder.write("test.res", resFile);
    model::StructureModel s;
    FakeDialogs dialogs;
    ASSERT_TRUE(model::loadInstructionFile(s, file, shippedDefinitions(), dialogs, "",
                                           {.writeFiles = false}));
    EXPECT_EQ(s.instructionLines[8], "HTAB N1 O1_$1");
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{merged});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
  }
}

TEST(InstructionReader, TheSameFileAsInsTakesWeightsAndPeaksButNoHtab) {
  auto r = readInsText(resFile, "test.ins");
  ASSERT_TRUE(r->loaded);
  auto& s = r->s();
  EXPECT_TRUE(r->dialogs.shown.empty());
  EXPECT_EQ(s.instructionLines[7], "HTAB");
  EXPECT_EQ(s.instructionLines[13], "WGHT 0.0500 0.3000");
  EXPECT_EQ(s.peakCount, 2);
}

TEST(InstructionReader, HtabMergeProblemsAreReportedAndAnEmptyListKeepsTheCardSilently) {
  struct Case {
    std::string from, to;
    bool cut;  // the file ends right after the replaced text
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {"REM Instructions for potential hydrogen bonds\n",
       "REM nothing here\n",
       false,
       {"Potential hydrogen bonds are not suggested by Shelxl-2019/2 in RES!"}},
      // Without an empty row after the block the search runs to the end of the file.
      {"HTAB N1 O1_$1\n\n",
       "HTAB N1 O1_$1\n",
       true,
       {"Instructions for HTAB have some problems!! test.res: the HTAB cards after \"REM "
        "Instructions for potential hydrogen bonds\" do not end with an empty line; the bare "
        "HTAB card is kept as it is."}},
      // SHELXL found nothing to suggest: a bare HTAB is a valid card and nothing is wrong.
      {"EQIV $1 x, y+1, z\nHTAB N1 O1_$1\n", "", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from);
    std::string content = resFile;
    const std::size_t at = content.find(c.from);
    content.replace(at, c.from.size(), c.to);
    if (c.cut) content = content.substr(0, at + c.to.size());
    const TempFolder folder;
    auto r = readIn(folder, content, "test.res");
    ASSERT_TRUE(r->loaded);
    EXPECT_EQ(r->dialogs.shown, c.shown);
    EXPECT_EQ(r->s().instructionLines[7], "HTAB");
  }
}

TEST(InstructionReader, NoLsLineIsReportedAndTheReadGoesOn) {
  auto r = readInsText(
      "TITL t\nCELL 0.7 10 10 10 90 90 90\nZERR 1 0 0 0 0 0 0\nSFAC C\nUNIT 1\n"
      "FVAR 1\nC1 1 0.1 0.2 0.3 11 0.05\nHKLF 4\nEND\n");
  ASSERT_TRUE(r->loaded);
  ASSERT_EQ(r->dialogs.shown.size(), 1u);
  EXPECT_EQ(r->dialogs.shown[0],
            "Please insert an L.S. or CGLS into your INS file.  Tavo uses the line as an insertion "
            "point for other commands!  Please insert it, once save the file, and re-open it!");
  EXPECT_EQ(r->s().markers.lsLine, 0);

  // Cards the editing inserts go below UNIT, in order, never above TITL.
  auto& s = r->s();
  s.insertInstructionLine("DFIX 1.5 C1 C2");
  s.insertInstructionLine("SADI C1 C2 C2 C3");
  EXPECT_EQ(s.instructionLines,
            (std::vector<std::string>{"TITL t", "CELL 0.7 10 10 10 90 90 90", "ZERR 1 0 0 0 0 0 0",
                                      "SFAC C", "UNIT 1", "DFIX 1.5 C1 C2", "SADI C1 C2 C2 C3"}));
  EXPECT_EQ(s.markers.unitLine, 4);
  EXPECT_EQ(s.markers.lsLine, 0);

  // With an L.S. line they go directly above it, and the markers below it move down.
  auto withLs = readInsText(head() + "C1 1 0.1 0.2 0.3 11 0.05\nHKLF 4\nEND\n");
  ASSERT_TRUE(withLs->loaded);
  auto& t = withLs->s();
  const int ls = t.markers.lsLine;
  const int plan = t.markers.planLine;
  t.insertInstructionLine("DFIX 1.5 C1 C2");
  EXPECT_EQ(t.instructionLines.at(static_cast<std::size_t>(ls)), "DFIX 1.5 C1 C2");
  EXPECT_EQ(t.markers.lsLine, ls + 1);
  EXPECT_EQ(t.markers.planLine, plan + 1);
  EXPECT_EQ(t.markers.unitLine, 6) << "above the insertion point: unchanged";
}

TEST(InstructionReader, SolutionFileAdoptsTheHighestPeakAsTheHeaviestAtom) {
  auto r = readInsText(
      "TITL sol\nCELL 0.7 10 10 10 90 90 90\nZERR 1 0 0 0 0 0 0\nLATT 1\nSFAC C N CU O\n"
      "UNIT 1 1 1 1\nL.S. 4\nPLAN 20\n"
      "Q1    1   0.1000  0.2000  0.3000  11.00000  0.05   9.50\n"
      "Q2    1   0.4000  0.2000  0.3000  11.00000  0.05   3.50\n"
      "HKLF 4\nEND\n");
  ASSERT_TRUE(r->loaded) << (r->dialogs.shown.empty() ? "" : r->dialogs.shown.back());
  auto& s = r->s();
  ASSERT_EQ(r->dialogs.shown.size(), 1u);
  EXPECT_EQ(r->dialogs.shown[0],
            "The first heighest peak has been tentatively adopted as one of the heaviest atoms in "
            "your model.  This is at preset the fastest way to start the edition on the results "
            "of TREF in Shelxs!");
  ASSERT_EQ(s.nonHCount, 1);
  EXPECT_EQ(s.atoms[1].label, "CU1");
  EXPECT_EQ(s.atoms[1].sfac, 3);
  EXPECT_DOUBLE_EQ(s.atoms[1].x, 0.1);
  EXPECT_DOUBLE_EQ(s.atoms[1].sof, 1.0);
  EXPECT_DOUBLE_EQ(s.atoms[1].codes[model::Sof], 10);
  EXPECT_DOUBLE_EQ(s.atoms[1].u11, 0.05);
  ASSERT_EQ(s.peakCount, 1);
  EXPECT_DOUBLE_EQ(s.peaks[1].x, 0.4);
  EXPECT_TRUE(s.noFvar);
}

TEST(InstructionReader, SolutionFileAtomsWithOrWithoutPeakHeights) {
  auto r = readInsText(
      "TITL sol\nCELL 0.7 10 10 10 90 90 90\nZERR 1 0 0 0 0 0 0\nLATT 1\nSFAC C I\n"
      "UNIT 1 1\nL.S. 4\nPLAN 20\n"
      "I001  2  0.88194  0.13155  0.24642 11.00000  0.04116  62.33\n"
      "C002  1  0.88194  0.13155  0.24642 11.00000  0.04116\n"
      "HKLF 4\nEND\n");
  ASSERT_TRUE(r->loaded);
  EXPECT_EQ(r->s().nonHCount, 2);
  EXPECT_EQ(r->s().atoms[1].label, "I001");
  EXPECT_TRUE(r->dialogs.shown.empty());
}

TEST(InstructionReader, RemLinesBlankLinesAndAnOldHeadingMayStandAboveTitl) {
  struct Case {
    std::string preamble;
    std::vector<std::string> remBelowTitl;
    const char* why;
  };
  const Case cases[] = {
      {"REM Solution 1  R1  0.081\nREM C19 N2 P4\n",
       {"REM Solution 1  R1  0.081", "REM C19 N2 P4"},
       "structure-solution output: the REM lines follow TITL"},
      {"\n    name.res created by SHELXL-2014/7\n\n", {}, "an older SHELXL heading is dropped"},
      {"REM =====\nREM oxal, 100 K\nREM =====\n",
       {"REM =====", "REM oxal, 100 K", "REM ====="},
       "a REM block ending in '=': a comment never takes CELL with it"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    const TempFolder folder;
    auto r = readIn(folder, c.preamble + resFile, "pre.res");
    ASSERT_TRUE(r->loaded) << (r->dialogs.shown.empty() ? "" : r->dialogs.shown.back());
    const auto& lines = r->s().instructionLines;
    EXPECT_TRUE(text::startsWithUpper(lines.at(0), "TITL"));
    for (size_t i = 0; i < c.remBelowTitl.size(); ++i)
      EXPECT_EQ(lines.at(i + 1), c.remBelowTitl[i]);
    EXPECT_EQ(lines.at(c.remBelowTitl.size() + 1), "CELL 0.71073 10.0 11.0 12.0 90 100 90");
    EXPECT_EQ(r->s().markers.cellLine, static_cast<int>(c.remBelowTitl.size()) + 1);
  }
}

TEST(InstructionReader, RefusedOrFailedFilesLeaveTheModelAsItWas) {
  const TempFolder folder;
  auto r = readIn(folder, resFile, "good.res");
  ASSERT_TRUE(r->loaded);
  const std::string goodFile = r->s().currentFile;
  const int atoms = r->s().nonHCount;
  struct Case {
    std::string content;
    std::string message;
  };
  const Case cases[] = {
      {"CELL 0.71073 5 6 7 90 90 90\n" + resFile,
       "The first line does not start with a TITL line!  Check the file content!"},
      {resFile.substr(0, resFile.find("HKLF")) + "C9 1 0.1 x 0.3 11 0.05\nHKLF 4\n",
       "bad.ins, line 22: 'x' is not a valid floating point value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    r->dialogs.shown.clear();
    const auto file = folder.write("bad.ins", c.content);
    EXPECT_FALSE(model::loadInstructionFile(r->s(), file, shippedDefinitions(), r->dialogs,
                                            model::noTitlAtOpenMessage));
    ASSERT_FALSE(r->dialogs.shown.empty());
    EXPECT_EQ(r->dialogs.shown.back(), c.message);
    EXPECT_EQ(r->s().currentFile, goodFile);
    EXPECT_EQ(r->s().nonHCount, atoms);
  }
  r->dialogs.shown.clear();
  const auto file = folder.write("quiet.ins", "REM x\n");
  EXPECT_FALSE(model::loadInstructionFile(r->s(), file, shippedDefinitions(), r->dialogs, ""));
  EXPECT_TRUE(r->dialogs.shown.empty()) << "the reopen commands stop silently";
}

TEST(InstructionReader, CellCardWithSevenNumbersAndFreeVariableDecoding) {
  auto r = readInsText(head("FVAR 1.2 0.7 0.2") +
                       "C1 1 0.1 0.2 0.3 21.0 0.05\n"
                       "C2 1 0.1 0.2 0.3 -21.0 0.05\n"
                       "C3 1 0.1 0.2 0.3 31.5 0.05\n"
                       "C4 1 0.1 0.2 0.3 10.5 0.05\n"
                       "C5 1 0.1 0.2 0.3 7.5 0.05\n"
                       "HKLF 4\nEND\n");
  ASSERT_TRUE(r->loaded);
  auto& s = r->s();
  ASSERT_EQ(s.fvarCount, 3);
  struct Case {
    int atom;
    double sof, code;
  };
  // 7.5 is 10 - 2.5: SHELXL reads it as fixed at -2.5, not as a refined 7.5.
  const Case cases[] = {{1, 0.7, 21}, {2, 0.3, -21}, {3, 0.3, 31.5}, {4, 0.5, 10}, {5, -2.5, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.atom);
    EXPECT_NEAR(s.atoms[c.atom].sof, c.sof, 1e-12);
    EXPECT_DOUBLE_EQ(s.atoms[c.atom].codes[model::Sof], c.code);
  }
}

TEST(InstructionReader, ShortOrHandEditedRemSpcgLinesDoNotRefuseTheFile) {
  struct Case {
    const char* line;
    int group, setting;
    const char* why;
  };
  const Case cases[] = {
      {"REM SPCG", 1, 1, "the bare mark"},
      {"REM SPCG P21/c", 1, 1, "a name only, shorter than 30 characters"},
      {"REM SPCG       P21/n  14", 14, 1, "no setting: setting 1"},
      {"REM SPCG       P21/n   14    3", 14, 3, "the full layout"},
      {"REM SPCG       P21/n   ab    x", 1, 1, "no numbers where they belong"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    auto r = readInsText(head("FVAR 1.0", std::string(c.line) + "\n") +
                         "C1 1 0.1 0.2 0.3 11 0.05\nHKLF 4\nEND\n");
    ASSERT_TRUE(r->loaded) << (r->dialogs.shown.empty() ? "" : r->dialogs.shown.back());
    EXPECT_EQ(r->s().symmetry.spaceGroupNumber, c.group);
    EXPECT_EQ(r->s().symmetry.settingNumber, c.setting);
    EXPECT_EQ(r->s().markers.spcgLine, 7) << "kept, to be rewritten in place";
  }
}

TEST(InstructionReader, CellAndZerrNumbersAreTakenByPosition) {
  std::string content = head() + "C1 1 0.1 0.2 0.3 11 0.05\nHKLF 4\nEND\n";
  content.replace(content.find("90 100 90\n"), 10, "90 100 91 5\n");
  content.replace(content.find("0 0.01 0\n"), 9, "0 0.01 0.02 0.9\n");
  auto r = readInsText(content);
  ASSERT_TRUE(r->loaded);
  EXPECT_DOUBLE_EQ(r->s().cell.gamma, 91);
  EXPECT_DOUBLE_EQ(r->s().cell.sgamma, 0.02);
  EXPECT_EQ(r->dialogs.shown,
            (std::vector<std::string>{
                "test.ins, line 2: the CELL card has 8 numbers; the first seven are used.",
                "test.ins, line 3: the ZERR card has 8 numbers; the first seven are used."}));
}

TEST(InstructionReader, TheTitleAndTextAfterAnExclamationMarkContinueNothing) {
  std::string content = head("FVAR 1.0", "SADI 0.02 C1 N1 =\nREM the second pair\n\n   N1 C2\n") +
                        "C1 1 0.1 0.2 0.3 11 0.05\nHKLF 4\nEND\n";
  content.replace(0, std::string("TITL test\n").size(), "TITL compound 7 = the blue one =\n");
  content.replace(content.find("FMAP 2\n"), 7, "FMAP 2 ! difference map =\n");
  content.replace(content.find("L.S. 4\n"), 7, "L.S. 4 =\n   0 2 ! cycles, then damping\n");
  auto r = readInsText(content);
  ASSERT_TRUE(r->loaded) << (r->dialogs.shown.empty() ? "" : r->dialogs.shown.back());
  const auto& s = r->s();
  EXPECT_EQ(s.instructionLines.at(1), "CELL 0.71073 10.0 11.0 12.0 90 100 90");
  EXPECT_EQ(s.markers.cellLine, 1) << "the title ends in '=' but takes no card with it";
  EXPECT_EQ(s.instructionLines.at(s.markers.lsLine + 1), "     0 2 ! cycles, then damping")
      << "a real continuation, its comment aside";
  EXPECT_EQ(s.instructionLines.at(s.markers.fmapLine), "FMAP 2 ! difference map =");
  EXPECT_EQ(s.instructionLines.at(s.markers.planLine), "PLAN 20")
      << "the '=' in the comment of FMAP takes no card with it";
  const std::vector<std::string> sadi(s.instructionLines.begin() + 7,
                                      s.instructionLines.begin() + 11);
  EXPECT_EQ(sadi, (std::vector<std::string>{"SADI 0.02 C1 N1 =", "REM the second pair", "",
                                            "     N1 C2"}))
      << "REM and blank rows inside a card are passed over: the indented row still continues it";
}

TEST(InstructionReader, SolutionFileWithManyRemLinesAboveTitlFindsItsFirstAtom) {
  const std::string rems =
      "REM Solution 1  R1  0.112,  Alpha = 0.0311  in P2(1)/n\n"
      "REM Flack x = 0.031 ( 0.027 ) from 812 Parsons' quotients\n"
      "REM <I/s> 0.514 for 96 systematic absences\n"
      "REM hkl file: gaan_a.hkl, 10234 reflections, 3117 unique\n"
      "REM formula as given: C8 H10 N2 O4\n";
  auto r = readInsText(rems +
                           "TITL gaan_a.res in P2(1)/n\n"
                           "CELL  0.71073  11.2345  8.7654  15.4321   90.000  97.654   90.000\n"
                           "ZERR    4.000   0.0011   0.0009   0.0016    0.000    0.002    0.000\n"
                           "LATT 1\nSFAC C H N O\nUNIT 32 40 8 16\nL.S. 10\n"
                           "O1    4  0.32345  0.24567  0.55678 11.00000  0.05010  12.10\n"
                           "N1    3  0.42345  0.14567  0.55678 11.00000  0.05010   9.65\n"
                           "Q1    1  0.62345  0.24567  0.65678 11.00000  0.05000   2.31\n"
                           "HKLF 4\nEND\n",
                       "gaan_a.res");
  ASSERT_TRUE(r->loaded) << (r->dialogs.shown.empty() ? "" : r->dialogs.shown.back());
  EXPECT_EQ(r->s().markers.cellLine, 6) << "the long CELL line below row six starts no atom list";
  EXPECT_EQ(r->s().nonHCount, 2);
  EXPECT_EQ(r->s().peakCount, 1);
}

TEST(InstructionReader, IndentedTextKeepsItsBlanksSoThatItStaysAComment) {
  std::string content = head() + "C1 1 0.1 0.2 0.3 11 0.05\nHKLF 4\nEND\n";
  content.replace(content.find("CELL"), 0, "    TEST.RES\n    created by SHELXL-2018/3\n");
  content.replace(content.find("FMAP 2\n"), 7, "   FMAP 2\n   from the old refinement\n");
  auto r = readInsText(content, "test.res");
  ASSERT_TRUE(r->loaded) << (r->dialogs.shown.empty() ? "" : r->dialogs.shown.back());
  const auto& lines = r->s().instructionLines;
  EXPECT_EQ(lines.at(1), "    TEST.RES") << "a heading the reader does not know as one";
  EXPECT_EQ(lines.at(2), "    created by SHELXL-2018/3");
  EXPECT_EQ(lines.at(3), "CELL 0.71073 10.0 11.0 12.0 90 100 90");
  EXPECT_EQ(lines.at(static_cast<std::size_t>(r->s().markers.fmapLine)), "FMAP 2")
      << "an indented card is still read as the card";
  EXPECT_EQ(lines.at(static_cast<std::size_t>(r->s().markers.fmapLine) + 1),
            "   from the old refinement");
}

}  // namespace
}  // namespace tavo::testing
