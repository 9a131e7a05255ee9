// tavo-cli run end to end: the built program runs scripts in a temporary folder on a copy of our
// example, and the files it leaves are read line by line.
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

/// The cards of an instruction file from TITL to HKLF: continuation lines joined, split into
/// words.
std::vector<std::vector<std::string>> cardsOf(const fs::path& file) {
  std::vector<std::vector<std::string>> cards;
  bool continues = false;
  for (const std::string& line : model::loadFileLines(file)) {
    if (line.empty()) continue;
    if (!continues) cards.emplace_back();
    std::vector<std::string>& words = cards.back();
    for (std::string_view word : text::splitWords(line))
      words.emplace_back(word);
    continues = !words.empty() && words.back() == "=";
    if (continues) words.pop_back();
    if (text::upper(words.front()) == "HKLF") break;
  }
  return cards;
}

bool sameWord(const std::string& a, const std::string& b) {
  if (a == b) return true;
  const std::optional<double> x = text::findDouble(a), y = text::findDouble(b);
  return x && y && *x == *y;
}

TEST(RunScript, OpensPicksAppliesAndSaves) {
  TempFolder folder;
  const fs::path original = copyExample(folder);
  const std::string before = readFileBytes(original);
  std::string render;
#ifdef TAVO_WITH_PICTURES
  render = "render picture.png\n";
#endif
  const Outcome o = runScript(folder,
                              "# our example: remember three atoms, then save\n"
                              "open paraben.res\n"
                              "\n"
                              "mode Remember Selected\n"
                              "pick O1 C1 H1\n"
                              "apply\n"
                              "# an edit taken back, done again and taken back once more\n"
                              "mode PART\n"
                              "set SpinEdit24 2\n"
                              "pick C1\n"
                              "apply\n"
                              "\"Undo Last Edit\"\n"
                              "\"Redo Last Edit\"\n"
                              "\"Undo Last Edit\"\n"
                              "\"Save *.ins\"\n"
                              "answer NewOne.ins\n"
                              "\"Save All Expanded Atoms As a New *.ins\"\n"
                              "info --json\n" +
                                  render);
  ASSERT_EQ(o.status, 0) << o.err << o.out;
  EXPECT_EQ(o.err.find("line "), std::string::npos) << o.err;
  // Every message shown is printed: the open merged the .res's HTAB suggestions.
  EXPECT_NE(o.out.find("HTAB codes suggesed by Shelxl-2019/2 have been implemented in INS. "
                       "Press cntrl E to check the details.\n"),
            std::string::npos)
      << o.out;
  EXPECT_NE(o.out.find(R"("label":"C1","sfac":1)"), std::string::npos) << "info --json";
  if (!render.empty()) {
    EXPECT_EQ(folder.read("picture.png").substr(0, 4), "\x89PNG");
  }

  // Apply of "Remember Selected": the three picks in order (O1 atom 1, C1 atom 4, H1 H atom 1).
  EXPECT_EQ(folder.read("selection_mem.txt"), "3\n1\t1\n1\t4\n2\t1\n");

  // Save: the .res is kept as backup 000, the new .ins holds every card of the model.
  EXPECT_EQ(readFileBytes(folder.path() / "paraben.000"), before);
  const auto saved = cardsOf(folder.path() / "paraben.ins");
  auto expected = cardsOf(folder.path() / "paraben.000");
  // The .res writes its file name and the SHELXL version under TITL; the save stamps TITL.
  expected.erase(expected.begin() + 1, expected.begin() + 3);
  ASSERT_GE(saved.size(), 1u);
  ASSERT_GE(saved[0].size(), 3u);
  EXPECT_EQ(saved[0].back(), "TAVO");
  EXPECT_EQ(saved[0][1], "paraben");
  // The suggested HTAB of the .res replaces the bare HTAB; its weights replace WGHT.
  std::vector<std::vector<std::string>> merged;
  for (const auto& card : expected) {
    if (card == std::vector<std::string>{"HTAB"}) {
      merged.push_back({"EQIV", "$1", "x,", "-y+1/2,", "z+1/2"});
      merged.push_back({"HTAB", "O1", "O2_$1"});
    } else if (card.front() == "WGHT") {
      merged.push_back({"WGHT", "0.0448", "0.2395"});
    } else {
      merged.push_back(card);
    }
  }
  ASSERT_EQ(saved.size(), merged.size());
  for (size_t c = 1; c < saved.size(); ++c) {
    SCOPED_TRACE("card " + std::to_string(c) + ": " + merged[c].front());
    ASSERT_EQ(saved[c].size(), merged[c].size());
    for (size_t w = 0; w < saved[c].size(); ++w)
      EXPECT_TRUE(sameWord(saved[c][w], merged[c][w])) << saved[c][w] << " vs " << merged[c][w];
  }

  // Save All Expanded Atoms: the answered name, the 14 atoms and 15 H atoms with their SFAC.
  const std::vector<std::string> expanded = model::loadFileLines(folder.path() / "NewOne.ins");
  int atoms = 0, hydrogens = 0;
  for (const std::string& line : expanded) {
    const auto words = text::splitWords(line);
    if (words.size() == 7 && words[1] == "2") ++hydrogens;
    // An anisotropic atom's first line ends in "=" after U11 and U22.
    const bool atomLine = words.size() == 7 || (words.size() == 9 && words[8] == "=");
    if (atomLine && (words[1] == "1" || words[1] == "3")) ++atoms;
  }
  EXPECT_EQ(atoms, 14);
  EXPECT_EQ(hydrogens, 15);
}

TEST(RunScript, InitBndsDispBondAndSelMemClearAreMainWindowControls) {
  TempFolder folder;
  copyExample(folder);
  const Outcome o = runScript(folder,
                              "open paraben.res\n"
                              "set InitBnds 1\n"
                              "set DispBond 1\n"
                              "mode Distance\n"
                              "pick C1 C2\n"
                              "set DispBond 1\n"
                              "set SelMemClear 1\n");
  ASSERT_EQ(o.status, 0) << o.err << o.out;
  const std::string refusal = "You should select the two atoms using \"Distance\"!";
  const std::size_t first = o.out.find(refusal);
  ASSERT_NE(first, std::string::npos) << o.out;
  EXPECT_EQ(o.out.find(refusal, first + 1), std::string::npos) << "refused only before the picks";
}

TEST(RunScript, AFailingLineStopsTheScriptWithItsNumber) {
  struct Case {
    std::string script;
    std::string where;   // on stderr
    std::string reason;  // on stderr or among the messages
    const char* why;
  };
  const Case cases[] = {
      {"open paraben.res\npick ZZ9\n\"Save *.ins\"\n", "line 2: pick ZZ9",
       "no atom, H atom or peak is labelled ZZ9", "an unknown label; the save never runs"},
      {"open paraben.res\nset CheckBox2 0\npick H1\n", "line 3", "H1 is not shown in the picture",
       "H atoms hidden"},
      {"open paraben.res\nset SpinEdit6 1\npick Q1\n", "line 3", "Q1 is not shown in the picture",
       "a peak below the threshold"},
      {"open paraben.res\nwindow TForm2 SortLabels\n", "line 2",
       "\"Atomic Coordinates & Parameters\" is not shown (\"XYZUij + Others\" shows it)",
       "a window not shown"},
      {"\n# only a window\n\"About Tavo\"\n", "line 3",
       "\"About Tavo\" opens a window of the Qt program", "a window of the Qt program"},
      {"open paraben.res\n\"Save All Expanded Atoms As a New *.ins\"\n", "line 2",
       "no answer was given for the save dialog", "a dialog without an answer"},
      {"open missing.res\n", "line 1: open missing.res", "missing.res: does not exist",
       "a file that is not there"},
      {"open paraben.res\nmode Spin\n", "line 2", "there is no mouse mode \"Spin\"",
       "an unknown mode"},
      {"frobnicate\n", "line 1", "unknown command 'frobnicate'", "an unknown command"},
      {"open paraben.res\n\"Undo Last Edit\"\n", "line 2", "\"Undo Last Edit\" is disabled now",
       "nothing to undo after an open"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    TempFolder folder;
    copyExample(folder);
    const Outcome o = runScript(folder, c.script);
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find(c.where), std::string::npos) << o.err;
    EXPECT_NE((o.err + o.out).find(c.reason), std::string::npos) << o.err << o.out;
    EXPECT_FALSE(fs::exists(folder.path() / "paraben.ins")) << "nothing after the line ran";
  }
}

}  // namespace
}  // namespace tavo::testing
