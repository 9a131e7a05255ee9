// The fixing and free-variable window end to end through the built tavo-cli: a run script on our
// example adds and changes free variables and codes, saves, and the saved file differs from a
// plain save in exactly the intended lines; a refused code stops the script with its message.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/file_lines.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

/// A plain save of `res` (copied into `folder` as work.res), the lines of work.ins it writes.
std::vector<std::string> plainSave(const TempFolder& folder, const fs::path& res) {
  fs::copy_file(res, folder.path() / "work.res", fs::copy_options::overwrite_existing);
  folder.write("plain.tavo", "open work.res\n\"Save *.ins\"\n");
  const Outcome o = runCli(folder, "run plain.tavo");
  EXPECT_EQ(o.status, 0) << o.err << o.out;
  std::vector<std::string> lines = model::loadFileLines(folder.path() / "work.ins");
  fs::remove(folder.path() / "work.ins");
  return lines;
}

/// The pairs (before, after) of the lines that differ; the files must have as many lines. The
/// TITL line, which carries the time and the save counter, is left out.
std::vector<std::pair<std::string, std::string>> differences(const std::vector<std::string>& a,
                                                             const std::vector<std::string>& b) {
  EXPECT_EQ(a.size(), b.size());
  std::vector<std::pair<std::string, std::string>> changed;
  for (size_t i = 1; i < std::min(a.size(), b.size()); ++i) {
    if (a[i] != b[i]) changed.emplace_back(a[i], b[i]);
  }
  return changed;
}

TEST(FreeVariableScript, ChangesFreeVariablesAndCodesAndSavesOnlyThose) {
  TempFolder folder;
  const std::vector<std::string> plain =
      plainSave(folder, fs::path(TAVO_SOURCE_DIR) / "examples/paraben.res");
  // Opening a .res moves it to a numbered backup: the edited run starts from a fresh copy.
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples/paraben.res", folder.path() / "work.res",
                fs::copy_options::overwrite_existing);
  folder.write("script.tavo",
               "open work.res\n"
               "\"Fixing/FVAR\"\n"
               "window TForm23 FvarEdit 0.4\n"
               "window TForm23 \"Add This as a New FVAR\"\n"
               "# C1's sof on the new free variable, its x fixed\n"
               "window TForm23 CodeGrid 4 4\n"
               "window TForm23 CodeEdit 31\n"
               "window TForm23 \"Apply This Value to the Selected Cell\"\n"
               "window TForm23 CodeGrid 4 1\n"
               "window TForm23 CodeEdit 10\n"
               "window TForm23 \"Apply This Value to the Selected Cell\"\n"
               "window TForm23 FvarGrid 2\n"
               "window TForm23 FvarEdit 0.6\n"
               "window TForm23 \"Apply This to the Selected\"\n"
               "# O1 and O2 tied to 1 - FV(2) by a double-click block\n"
               "window TForm23 DoubleClickBox 1\n"
               "window TForm23 ValueBox -21\n"
               "window TForm23 CodeGrid 1 4 2 4\n"
               "window TForm23 \"Multi-Apply (Right Cells with ValueBox)\"\n"
               "\"Save *.ins\"\n");
  const Outcome o = runCli(folder, "run script.tavo");
  ASSERT_EQ(o.status, 0) << o.err << o.out;
  const std::vector<std::string> saved = model::loadFileLines(folder.path() / "work.ins");
  using Change = std::pair<std::string, std::string>;
  EXPECT_EQ(differences(plain, saved),
            (std::vector<Change>{
                {"FVAR       1.23456   0.63412", "FVAR       1.23456   0.60000   0.40000"},
                {"O1    3    0.677422    0.494081    0.987920   11.000000   0.047860   0.069960 =",
                 "O1    3    0.677422    0.494081    0.987920  -21.000000   0.047860   0.069960 ="},
                {"O2    3    0.807658   -0.085816    0.665433   11.000000   0.075230   0.057370 =",
                 "O2    3    0.807658   -0.085816    0.665433  -21.000000   0.075230   0.057370 ="},
                {"C1    1    0.823766    0.136967    0.801344   11.000000   0.054700   0.034590 =",
                 "C1    1   10.823766    0.136967    0.801344   31.000000   0.054700   0.034590 ="},
            }));

  // The saved file reads back, and a plain save of it writes it again unchanged.
  fs::rename(folder.path() / "work.ins", folder.path() / "saved.res");
  const std::vector<std::string> again = plainSave(folder, folder.path() / "saved.res");
  EXPECT_TRUE(differences(saved, again).empty());
}

TEST(FreeVariableScript, ARefusedCodeStopsTheScriptAndChangesNothing) {
  TempFolder folder;
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples/paraben.res", folder.path() / "work.res");
  folder.write("script.tavo",
               "open work.res\n"
               "\"Fixing/FVAR\"\n"
               "window TForm23 CodeGrid 4 4\n"
               "window TForm23 CodeEdit 41\n"
               "window TForm23 \"Apply This Value to the Selected Cell\"\n"
               "\"Save *.ins\"\n");
  const Outcome o = runCli(folder, "run script.tavo");
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.out.find("New FVAR should be added before assigning it!!"), std::string::npos)
      << o.out;
  EXPECT_NE(o.err.find("line 5:"), std::string::npos) << o.err;
  EXPECT_FALSE(fs::exists(folder.path() / "work.ins"));
}

TEST(FreeVariableScript, ACorpusStructureKeepsItsCardsWhenAFreeVariableChanges) {
  const fs::path corpus = corpusFolder();
  const fs::path source = corpus / "shelxl/shelxfile_p21c_cf3_disorder.res";
  if (corpus.empty() || !fs::exists(source)) GTEST_SKIP() << "no corpus folder";
  TempFolder folder;
  const std::vector<std::string> plain = plainSave(folder, source);
  fs::copy_file(source, folder.path() / "work.res", fs::copy_options::overwrite_existing);
  // FVAR 0.08684 0.48096 0.55764; O1 (row 1) in PART 2 -31 of residue CCF3.
  folder.write("script.tavo",
               "open work.res\n"
               "\"Fixing/FVAR\"\n"
               "window TForm23 FvarGrid 3\n"
               "window TForm23 FvarEdit 0.6\n"
               "window TForm23 \"Apply This to the Selected\"\n"
               "window TForm23 CodeGrid 1 4\n"
               "window TForm23 CodeEdit -21\n"
               "window TForm23 \"Apply This Value to the Selected Cell\"\n"
               "window TForm23 Print\n"
               "\"Save *.ins\"\n");
  const Outcome o = runCli(folder, "run script.tavo");
  ASSERT_EQ(o.status, 0) << o.err << o.out;
  EXPECT_NE(o.out.find("Recommended: A4,Landscape,Courier,8\n List of Free Variables\n"),
            std::string::npos)
      << o.out;
  EXPECT_NE(o.out.find("\n3         0.6       \n"), std::string::npos) << o.out;
  const auto changed = differences(plain, model::loadFileLines(folder.path() / "work.ins"));
  ASSERT_EQ(changed.size(), 2u);
  EXPECT_EQ(changed[0].second.rfind("FVAR", 0), 0u);
  EXPECT_NE(changed[0].second.find("0.48096   0.60000"), std::string::npos) << changed[0].second;
  EXPECT_EQ(changed[1].first.rfind("O1 ", 0), 0u);
  EXPECT_EQ(changed[1].second,
            changed[1].first.substr(0, changed[1].first.find("-31.0")) +
                changed[1].first.substr(changed[1].first.find("-31.0")).replace(0, 3, "-21"));
}

TEST(FreeVariableScript, FreeVariablesThatIncludeFilesUseSurviveASave) {
  // FV(2) and FV(3) serve only the include file; FV(4) serves C2. Without the include file's codes
  // the save would drop FV(2) and FV(3) and renumber C2 to 21.
  struct Case {
    const char* includeLine;
    const char* includeFile;  // restraints.inc; nullptr when there is none
    const char* fvar;         // the saved FVAR card
    const char* c2Sof;        // the saved occupancy of C2
  };
  const Case cases[] = {
      {"+restraints.inc", "DFIX 21.0 C1 C2\nDANG 31.0 C1 C3\n",
       "FVAR       1.00000   0.50000   0.60000   0.70000", "41.00000"},
      {"++restraints.inc", "DFIX 21.0 C1 C2 !only FV(2)\n",
       "FVAR       1.00000   0.50000   0.70000", "31.00000"},
      {"+restraints.inc", "REM atoms of an include file count too\nC9 1 0.1 0.1 0.1 31.0 0.05\n",
       "FVAR       1.00000   0.50000   0.60000   0.70000", "41.00000"},
      {"+missing.inc", nullptr, "FVAR       1.00000   0.50000   0.60000   0.70000", "41.00000"},
      {"REM no include file", nullptr, "FVAR       1.00000   0.70000", "21.00000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.includeLine);
    TempFolder folder;
    folder.write("work.res",
                 "TITL inc\nCELL 0.71073 10 10 10 90 90 90\nZERR 1 0 0 0 0 0 0\n"
                 "LATT -1\nSFAC C\nUNIT 3\n" +
                     std::string(c.includeLine) +
                     "\nL.S. 4\nFVAR 1.0 0.5 0.6 0.7\n"
                     "C1 1 0.1 0.2 0.3 11.0 0.05\nC2 1 0.2 0.2 0.3 41.0 0.05\n"
                     "C3 1 0.3 0.2 0.3 11.0 0.05\nHKLF 4\nEND\n");
    if (c.includeFile != nullptr) folder.write("restraints.inc", c.includeFile);
    const Outcome o = runScript(folder, "open work.res\n\"Save *.ins\"\n");
    ASSERT_EQ(o.status, 0) << o.out << o.err;
    std::vector<std::string> saved = model::loadFileLines(folder.path() / "work.ins");
    const auto fvar = lineStarting(saved, "FVAR");
    ASSERT_NE(fvar, saved.end());
    EXPECT_EQ(*fvar, c.fvar);
    const auto c2 = lineStarting(saved, "C2 ");
    ASSERT_NE(c2, saved.end());
    EXPECT_NE(c2->find(c.c2Sof), std::string::npos) << *c2;
    EXPECT_NE(lineStarting(saved, c.includeLine), saved.end()) << "the include line is kept";
  }
}

}  // namespace
}  // namespace tavo::testing
