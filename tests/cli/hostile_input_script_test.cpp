// tavo-cli on input that once lost atoms, hung or wrote files it was not asked for: every atom of
// an import reads back, a refusal names the file, the line and the field, and a query writes
// nothing but what it was asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/temp_folder.h"
#include "text/text.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

/// The names in `folder`, sorted.
std::vector<std::string> namesIn(const TempFolder& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder.path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

/// The atom lines of an instruction file's JSON from `info --json`: how many "label" keys.
std::size_t atomCount(const std::string& json) {
  std::size_t count = 0;
  for (std::size_t at = json.find("\"label\""); at != std::string::npos;
       at = json.find("\"label\"", at + 1))
    ++count;
  return count;
}

TEST(HostileInput, AnImportOfWideCoordinatesOrManyRenamedAtomsReadsBackWhole) {
  TempFolder folder;
  // x of -10 and beyond, or of 100 and beyond, once ran into the SFAC number of its line.
  folder.write("wide.xyz", "10 10 10 90 90 90\nC1 -10.5 0.1 0.1\nC2 123.25 0.2 0.2\n");
  // 101 Cl atoms whose labels must all be made anew, beyond Cl99.
  std::string many = "20 20 20 90 90 90\n";
  for (int i = 0; i < 101; ++i)
    many += "Cl_" + std::to_string(i) + " 0." + std::to_string(100 + i) + " 0.5 0.5\n";
  folder.write("many.xyz", many);
  struct Case {
    const char* file;
    std::size_t atoms;
  };
  for (const Case c : {Case{"wide.xyz", 2}, Case{"many.xyz", 101}}) {
    SCOPED_TRACE(c.file);
    const Outcome imported = runCli(folder, std::string("import ") + c.file + " -o out.ins");
    ASSERT_EQ(imported.status, 0) << imported.err;
    const Outcome info = runCli(folder, "info out.ins --json");
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(atomCount(info.out), c.atoms) << info.out;
    fs::remove(folder.path() / "out.ins");
  }
}

TEST(HostileInput, ANumberThatDoesNotReadIsRefusedNamingTheFileTheLineAndTheField) {
  const std::string pdbAtom = "ATOM      1  C1  UNK     1       1.000   1.2.3   3.000  1.00  0.00";
  struct Case {
    const char* file;
    std::string content;
    const char* message;
  };
  const Case cases[] = {
      {"bad.xyz", "10 10 10 90 90 90\nC1 0.1 0.2 0.3\nC2 0.1 x 0.3\n",
       "bad.xyz, line 3, y: 'x' is not a valid floating point value"},
      {"bad.abc", "C1 1.0 2.0 -\n", "bad.abc, line 1, z: '-' is not a valid floating point value"},
      {"bad.pdb", "REMARK 1\n" + pdbAtom + "\n",
       "bad.pdb, line 2, y (columns 39-46): '1.2.3' is not a valid floating point value"},
      {"sol.res",
       "TITL sol\nCELL 0.71073 10 10 10 90 90 90\nSFAC C\nUNIT 1\nL.S. 4\n"
       "C1 1 0.1 0.1 0.1 11 0.05\nQ1 1 0.2 abc 0.2 11 0.05 1.5\nHKLF 4\nEND\n",
       "sol.res, line 7: peak Q1, y: 'abc' is not a valid floating point value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    TempFolder folder;
    folder.write(c.file, c.content);
    const std::string command = text::endsWith(c.file, ".res")
                                    ? std::string("info ") + c.file
                                    : std::string("import ") + c.file + " -o out.ins";
    const Outcome o = runCli(folder, command);
    EXPECT_NE(o.status, 0);
    EXPECT_NE((o.out + o.err).find(c.message), std::string::npos) << o.out << o.err;
    EXPECT_FALSE(fs::exists(folder.path() / "out.ins"));
  }
}

TEST(HostileInput, QueriesAndImportsWriteOnlyWhatTheyWereAskedFor) {
  // HTAB suggestions that an open merges: the window writes htab_codes_checking.txt beside them.
  const std::string res =
      "TITL small\nCELL 0.71073 10 10 10 90 90 90\nZERR 4 0.001 0.001 0.001 0 0 0\nLATT 1\n"
      "SFAC C O\nUNIT 4 2\nHTAB\nL.S. 4\nFVAR 1.0\n"
      "C1    1    0.100000    0.200000    0.300000    11.00000    0.02000\n"
      "O1    2    0.243000    0.200000    0.300000    11.00000    0.05000\nHKLF 4\n"
      "REM Instructions for potential hydrogen bonds\nHTAB C1 O1\n\nEND\n";
  TempFolder folder;
  folder.write("small.res", res);
  folder.write("water.xyz", "10 10 10 90 90 90\nO1 0.5 0.5 0.5\n");
  EXPECT_EQ(runCli(folder, "cif small.res").status, 1) << "no SHELXL CIF beside it";
  EXPECT_EQ(runCli(folder, "import water.xyz -o water.ins").status, 0);
  std::vector<std::string> expected{"err.txt", "out.txt", "small.res", "water.ins", "water.xyz"};
#ifdef TAVO_WITH_PICTURES
  const Outcome picture = runCli(folder, "render small.res -o small.png");
  EXPECT_EQ(picture.status, 0) << picture.err;
  EXPECT_EQ(picture.err.find("XDG_RUNTIME_DIR"), std::string::npos) << picture.err;
  expected.push_back("small.png");
  std::sort(expected.begin(), expected.end());
#endif
  EXPECT_EQ(namesIn(folder), expected);
}

}  // namespace
}  // namespace tavo::testing
