// The Chemical Formula window end to end through the built tavo-cli: figures of real files
// against the CIF that SHELXL wrote for them, and Update and Add Elem saved and read back with
// nothing but the SFAC and UNIT cards changed.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/file_lines.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"
#include "text/text.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

/// The value printed after `name` ("d= ") by `window TForm3 print`.
std::optional<double> printed(const std::string& out, const std::string& name) {
  const std::size_t at = out.find("\n" + name);
  if (at == std::string::npos) return std::nullopt;
  const std::size_t begin = at + 1 + name.size();
  return text::findDouble(text::trimLine(out.substr(begin, out.find('\n', begin) - begin)));
}

/// The value of a CIF item such as "_exptl_crystal_density_diffrn", its esd cut off, in the
/// last data block that has it (the NaCl CIF holds a block for Z = 4 before the one of its .res).
std::optional<double> cifValue(const fs::path& cif, const std::string& item) {
  std::optional<double> found;
  for (const std::string& line : model::loadFileLines(cif)) {
    const std::vector<std::string_view> words = text::splitWords(line);
    if (words.size() == 2 && words[0] == item) {
      found = text::findDouble(words[1].substr(0, words[1].find('(')));
    }
  }
  return found;
}

/// Saves paraben with `edit` done in the window, and without it, and returns both saved files.
std::pair<std::vector<std::string>, std::vector<std::string>> savedWithAndWithout(
    const std::string& edit) {
  std::pair<std::vector<std::string>, std::vector<std::string>> saved;
  for (const bool edited : {false, true}) {
    TempFolder folder;
    fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples/paraben.res",
                  folder.path() / "paraben.res");
    const Outcome o = runScript(
        folder, "open paraben.res\n\"Formula/Cell\"\n" + (edited ? edit : "") + "\"Save *.ins\"\n");
    EXPECT_EQ(o.status, 0) << o.out << o.err;
    std::vector<std::string> lines = model::loadFileLines(folder.path() / "paraben.ins");
    if (!lines.empty()) lines.erase(lines.begin());  // TITL carries the time of the save
    (edited ? saved.second : saved.first) = lines;
  }
  return saved;
}

/// `after` is `before` with the lines `from` replaced by `to` and nothing else changed.
void expectOnlyChanged(const std::vector<std::string>& before,
                       const std::vector<std::string>& after, const std::string& from,
                       const std::string& to) {
  ASSERT_EQ(before.size(), after.size());
  int changed = 0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] == from) {
      EXPECT_EQ(after[i], to);
      ++changed;
    } else {
      EXPECT_EQ(after[i], before[i]) << "line " << i + 2;
    }
  }
  EXPECT_EQ(changed, 1);
}

TEST(FormulaScript, UpdateWritesTheTypedUnitNumbersAndNothingElse) {
  const auto [before, after] = savedWithAndWithout(
      "window TForm3 cell 2 1 41\nwindow TForm3 cell 1 1 36.5\n"
      "window TForm3 press Calculate\nwindow TForm3 press Update\n");
  expectOnlyChanged(before, after, "UNIT 36 40 12", "UNIT 36.500 41 12");

  // Read back, the file gives the new numbers and the figures that go with them.
  TempFolder folder;
  std::string text;
  for (const std::string& line : after)
    text += line + "\n";
  folder.write("paraben.ins", "TITL paraben\n" + text);
  const Outcome o = runScript(folder, "open paraben.ins\n\"Formula/Cell\"\nwindow TForm3 print\n");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  EXPECT_NE(o.out.find("row 1: C | 36.500 | "), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("row 2: H | 41.000 | "), std::string::npos) << o.out;
  const double mass = 36.5 * 12.011 + 41 * 1.008 + 12 * 15.999;
  EXPECT_NEAR(printed(o.out, "fw ").value_or(0), mass / 4, 1e-3);
}

TEST(FormulaScript, AddElemAppendsToSfacAndUnit) {
  const auto [before, after] =
      savedWithAndWithout("window TForm3 set NewElem n\nwindow TForm3 press \"Add Elem\"\n");
  ASSERT_EQ(before.size(), after.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] == "SFAC C H O") {
      EXPECT_EQ(after[i], "SFAC C H O N");
    } else if (before[i] == "UNIT 36 40 12") {
      EXPECT_EQ(after[i], "UNIT 36 40 12 1");
    } else {
      EXPECT_EQ(after[i], before[i]) << "line " << i + 2;
    }
  }
}

TEST(FormulaScript, ScriptErrorsNameTheWindowAndButton) {
  TempFolder folder;
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples/paraben.res", folder.path() / "paraben.res");
  struct Case {
    const char* script;
    const char* error;
  };
  const Case cases[] = {
      {"window TForm3 print\n", "\"Chemical Formula\" is not shown (\"Formula/Cell\" shows it)"},
      {"\"Formula/Cell\"\nwindow TForm3 press Apply\n",
       "\"Chemical Formula\" has no control \"Apply\""},
      {"\"Formula/Cell\"\nwindow TForm99 print\n", "there is no window \"TForm99\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    const Outcome o = runScript(folder, std::string("open paraben.res\n") + c.script);
    EXPECT_EQ(o.status, 1);
    EXPECT_NE((o.err + o.out).find(c.error), std::string::npos) << o.err << o.out;
  }
}

// The figures of real structures against the CIF that SHELXL wrote from the same cards.
TEST(FormulaScript, FiguresOfRealFilesAgreeWithShelxlsCif) {
  const fs::path corpus = corpusFolder();
  if (corpus.empty()) GTEST_SKIP() << "no corpus";
  struct Pair {
    const char* res;
    const char* cif;
  };
  const Pair pairs[] = {
      {"structurefinder_051a_p21c.res", "structurefinder_051a_p21c_DK_NTD51a-final.cif"},
      {"logbooker_dom1_mC.res", "logbooker_dom1_mC.cif"},
      {"shelxfile_2240189_R-3c_htab.res", "cod_2240189_R-3c.cif"},
      {"hikari_NaCl_Fm-3m.res", "hikari_NaCl_Fm-3m.cif"},
  };
  for (const Pair& pair : pairs) {
    SCOPED_TRACE(pair.res);
    TempFolder folder;
    fs::copy_file(corpus / "shelxl" / pair.res, folder.path() / pair.res);
    const Outcome o = runScript(
        folder, std::string("open ") + pair.res + "\n\"Formula/Cell\"\nwindow TForm3 print\n");
    ASSERT_EQ(o.status, 0) << o.out << o.err;
    const fs::path cif = corpus / "cif_shelxl" / pair.cif;
    // SHELXL's atomic weights differ from those of elems.inf in the last digits.
    EXPECT_NEAR(printed(o.out, "d= ").value_or(0),
                cifValue(cif, "_exptl_crystal_density_diffrn").value_or(-1), 0.0006);
    EXPECT_NEAR(printed(o.out, "fw ").value_or(0),
                cifValue(cif, "_chemical_formula_weight").value_or(-1), 0.05);
    EXPECT_NEAR(printed(o.out, "V= ").value_or(0), cifValue(cif, "_cell_volume").value_or(-1), 0.1);
    EXPECT_EQ(printed(o.out, "Z= "), cifValue(cif, "_cell_formula_units_Z"));
  }
}

}  // namespace
}  // namespace tavo::testing
