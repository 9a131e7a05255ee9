// The "Chemical Formula" window: the figures of the cell contents, Calculate, Update, Add Elem
// and Del Elem, and the SFAC and UNIT cards it refuses to rewrite.
#include <cmath>
#include <numbers>

#include "model/cell_contents.h"
#include "model/instruction_writer.h"
#include "text/text.h"
#include "workbench/command_table.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using workbench::CommandId;
using workbench::FormulaWindow;

/// The cell volume from the six parameters (not from the orthogonalisation), Å³.
double volumeOf(double a, double b, double c, double alpha, double beta, double gamma) {
  const auto cosine = [](double degrees) { return std::cos(degrees * std::numbers::pi / 180); };
  const double ca = cosine(alpha), cb = cosine(beta), cg = cosine(gamma);
  return a * b * c * std::sqrt(1 - ca * ca - cb * cb - cg * cg + 2 * ca * cb * cg);
}

class FormulaScenario : public WorkbenchScenario {
 protected:
  workbench::FormulaCommands& formula() { return bench->formulaCommands(); }
  const FormulaWindow& window() { return bench->formulaCommands().window(); }
  std::string unitLine() {
    return bench->structure()
        .instructionLines[static_cast<std::size_t>(bench->structure().markers.unitLine)];
  }
  std::string sfacLine() {
    return bench->structure()
        .instructionLines[static_cast<std::size_t>(bench->structure().markers.sfacLine)];
  }
  bool press(void (workbench::FormulaCommands::*button)()) {
    return bench->run([&] { (formula().*button)(); });
  }
  bool openText(const std::string& content) {
    return openAs(work.write("formula.ins", content), workbench::OpenedFrom::Dialog);
  }
};

/// A small structure: SFAC C H N O D, the D atom the second of the H atoms.
std::string withDeuterium(std::string_view sfac = "SFAC C H N O D", std::string_view extra = "") {
  return "TITL formula\nCELL 0.71073 10.0 11.0 12.0 90 100 90\nZERR 4 0.001 0.001 0.001 0 0.01 0\n"
         "LATT 1\nSYMM -X, 1/2+Y, 1/2-Z\n" +
         std::string(sfac) + "\nUNIT 8 4 0 4 4\n" + std::string(extra) +
         "L.S. 4\nFMAP 2\nPLAN 20\nFVAR 1.0\n"
         "C1    1    0.100000    0.200000    0.300000    11.00000    0.05000\n"
         "AFIX 23\n"
         "H1A   2    0.110000    0.210000    0.310000    11.00000   -1.20000\n"
         "D1B   5    0.120000    0.190000    0.290000    11.00000   -1.20000\n"
         "AFIX 0\n"
         "C2    1    0.200000    0.300000    0.200000    11.00000    0.05000\n"
         "O1    4    0.300000    0.400000    0.500000    11.00000    0.05000\n"
         "HKLF 4\nEND\n";
}

// Paraben (C9H10O3, Z = 4 in P2(1)/c): the UNIT numbers are the cell contents, which its atoms
// give as sof x 4 operators; formula weight and density agree with a computation by hand.
TEST_F(FormulaScenario, ParabenShowsTheCellContentsWithFormulaWeightAndDensity) {
  TAVO_OPEN_PARABEN();
  const model::StructureModel& s = bench->structure();
  ASSERT_EQ(s.symmetry.opCount, 4);
  const std::vector<double> contents = model::cellContents(s);
  EXPECT_NEAR(contents[1], 36, 1e-9);
  EXPECT_NEAR(contents[2], 40, 1e-9);
  EXPECT_NEAR(contents[3], 12, 1e-9);

  ASSERT_TRUE(bench->run(*workbench::findCommandByCaption("Formula/Cell")));
  const FormulaWindow& w = window();
  EXPECT_TRUE(w.visible);
  ASSERT_EQ(w.shownRows, 3);
  EXPECT_EQ(w.elements.row(1), (std::vector<std::string>{"C", "  36.000", "65.050 %"}));
  EXPECT_EQ(w.elements.row(2), (std::vector<std::string>{"H", "  40.000", "6.0658 %"}));
  EXPECT_EQ(w.elements.row(3), (std::vector<std::string>{"O", "  12.000", "28.883 %"}));
  EXPECT_EQ(w.elements.row(4), (std::vector<std::string>{"", "", ""}));
  const double mass = 36 * 12.011 + 40 * 1.008 + 12 * 15.999;  // the weights of elems.inf
  const double volume = volumeOf(10.612, 5.904, 14.903, 90, 107.18, 90);
  EXPECT_NEAR(text::parseDouble(w.formulaWeight), mass / 4, 1e-4);
  EXPECT_NEAR(text::parseDouble(w.volume), volume, 0.01);
  EXPECT_NEAR(text::parseDouble(w.density), mass / 6.02214076e23 / (volume * 1e-24), 1e-4);
  EXPECT_EQ(w.density, "1.2373");
  EXPECT_EQ(w.z, "4");
  EXPECT_EQ((std::vector<std::string>{w.a, w.b, w.c, w.alpha, w.beta, w.gamma}),
            (std::vector<std::string>{"10.612", "5.904", "14.903", "90", "107.18", "90"}));
  EXPECT_TRUE(dialogs.shown.empty());
}

// Calculate shows the typed numbers' figures and keeps the model's; Update writes them into the
// UNIT card alone, one undo step, and a save changes that line and nothing else.
TEST_F(FormulaScenario, CalculateTriesUpdateWritesTheUnitCardAlone) {
  TAVO_OPEN_PARABEN();
  ASSERT_TRUE(bench->run(CommandId::FormulaCell));
  const std::vector<std::string> before = model::instructionFileLines(bench->structure());
  const std::string densityBefore = window().density;

  formula().setUnitText(1, "2.5");
  ASSERT_TRUE(press(&workbench::FormulaCommands::calculate));
  EXPECT_EQ(window().elements.cell(1, FormulaWindow::Unit), "   2.500");
  EXPECT_NE(window().density, densityBefore);
  EXPECT_EQ(bench->structure().elements[1].unitCount, 36) << "Calculate keeps the model's";
  EXPECT_EQ(model::instructionFileLines(bench->structure()), before);

  formula().setUnitText(2, "24");
  ASSERT_TRUE(press(&workbench::FormulaCommands::update));
  EXPECT_EQ(unitLine(), "UNIT 2.500 24 12");
  EXPECT_EQ(sfacLine(), "SFAC C H O");
  std::vector<std::string> expected = before;
  for (std::string& line : expected) {
    if (line == "UNIT 36 40 12") line = "UNIT 2.500 24 12";
  }
  EXPECT_EQ(model::instructionFileLines(bench->structure()), expected);

  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(model::instructionFileLines(bench->structure()), before);
  EXPECT_EQ(window().elements.cell(1, FormulaWindow::Unit), "  36.000") << "refreshed on undo";

  // A field that is not a number stops Update before anything changes.
  formula().setUnitText(3, "twelve");
  EXPECT_FALSE(press(&workbench::FormulaCommands::update));
  EXPECT_EQ(dialogs.shown.back(), "'twelve' is not a valid floating point value");
  EXPECT_EQ(model::instructionFileLines(bench->structure()), before);
}

// Add Elem appends an element with UNIT 1 to both cards; a known element adds nothing, one
// without a definition is refused with a message, and the table's limit elem_max holds.
TEST_F(FormulaScenario, AddElemAppendsAKnownElementAndRefusesTheRest) {
  TAVO_OPEN_PARABEN();
  ASSERT_TRUE(bench->run(CommandId::FormulaCell));
  formula().setNewElementText("cl");
  ASSERT_TRUE(press(&workbench::FormulaCommands::addElement));
  EXPECT_EQ(sfacLine(), "SFAC C H O CL");
  EXPECT_EQ(unitLine(), "UNIT 36 40 12 1");
  EXPECT_EQ(bench->structure().elementCount, 4);
  EXPECT_NEAR(bench->structure().elements[4].atomicWeight, 35.45, 1e-9);
  EXPECT_EQ(window().shownRows, 4);
  EXPECT_EQ(bench->controls().elementNumberMax, 4) << "the element picker ranges over the new";
  const std::vector<std::string> withChlorine = model::instructionFileLines(bench->structure());

  struct Case {
    const char* name;
    const char* message;  // "" for none
  };
  const Case cases[] = {
      {"O", ""},
      {"Xx", "No element definition of elems.inf lists XX; it is not added to SFAC and UNIT."},
      {"NewElem", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.shown.clear();
    formula().setNewElementText(c.name);
    press(&workbench::FormulaCommands::addElement);
    EXPECT_EQ(model::instructionFileLines(bench->structure()), withChlorine);
    EXPECT_EQ(bench->structure().elementCount, 4);
    EXPECT_EQ(dialogs.shown,
              *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
  }

  // elem_max 5 holds four elements (the table is addressed from 1).
  bench->structure().limits.elemMax = 5;
  dialogs.shown.clear();
  formula().setNewElementText("N");
  EXPECT_FALSE(press(&workbench::FormulaCommands::addElement));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].find("elem_max"), std::string::npos) << dialogs.shown[0];
  EXPECT_EQ(model::instructionFileLines(bench->structure()), withChlorine);
  EXPECT_EQ(bench->structure().elementCount, 4);
}

// Del Elem looks at every atom and H atom: D, used by the second H atom only, stays; N, used by
// none, goes, and the later elements' atoms keep their element in the saved file.
TEST_F(FormulaScenario, DelElemRemovesAnUnusedElementOnly) {
  ASSERT_TRUE(openText(withDeuterium())) << ::testing::PrintToString(dialogs.shown);
  ASSERT_TRUE(bench->run(CommandId::FormulaCell));
  dialogs.shown.clear();
  formula().setNewElementText("D");
  EXPECT_FALSE(press(&workbench::FormulaCommands::deleteElement));
  EXPECT_EQ(dialogs.shown,
            std::vector<std::string>{"D is in use (D1B); it stays in SFAC and UNIT."});
  EXPECT_EQ(sfacLine(), "SFAC C H N O D");

  formula().setNewElementText("n");
  ASSERT_TRUE(press(&workbench::FormulaCommands::deleteElement));
  EXPECT_EQ(sfacLine(), "SFAC C H O D");
  EXPECT_EQ(unitLine(), "UNIT 8 4 4 4");
  const model::StructureModel& s = bench->structure();
  EXPECT_EQ(s.elementCount, 4);
  EXPECT_EQ(s.atoms[3].sfac, 3) << "O1 was element 4";
  EXPECT_EQ(s.hydrogens[2].sfac, 4) << "D1B was element 5";
  EXPECT_EQ(window().shownRows, 4);

  ASSERT_TRUE(bench->run(CommandId::SaveIns));
  const std::string saved = work.read("formula.ins");
  EXPECT_NE(saved.find("\nO1    3 "), std::string::npos) << saved;
  EXPECT_NE(saved.find("\nD1B   4 "), std::string::npos) << saved;
  EXPECT_NE(saved.find("\nSFAC C H O D\nUNIT 8 4 4 4\n"), std::string::npos) << saved;

  ASSERT_TRUE(bench->run(CommandId::UndoLastEdit));
  EXPECT_EQ(sfacLine(), "SFAC C H N O D");
  EXPECT_EQ(bench->structure().atoms[3].sfac, 4);
}

// Several SFAC cards, or a long-form card with scattering factors, cannot be rewritten from the
// element list: Add Elem and Del Elem say so and change nothing, while Update rewrites the UNIT
// card and leaves the SFAC cards as they are.
TEST_F(FormulaScenario, SfacCardsThatCannotBeRewrittenAreLeftAlone) {
  const std::string longForm = "SFAC D 0.6671 0 0 0 0 0 0 0 0 0 0 0 0 0 0 2.014";
  struct Case {
    std::string sfac;
    std::string refusal;
  };
  const Case cases[] = {
      {"SFAC C H N O\nSFAC D",
       "The instruction lines hold 2 SFAC cards. Only a single SFAC card of element symbols is "
       "rewritten here: change SFAC and UNIT in the instruction lines (\"Edit Shelxl-97 "
       "Commands\") instead."},
      {"SFAC C H N O\n" + longForm,
       "The instruction lines hold 2 SFAC cards. Only a single SFAC card of element symbols is "
       "rewritten here: change SFAC and UNIT in the instruction lines (\"Edit Shelxl-97 "
       "Commands\") instead."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sfac);
    ASSERT_TRUE(openText(withDeuterium(c.sfac))) << ::testing::PrintToString(dialogs.shown);
    ASSERT_EQ(bench->structure().elementCount, 5);
    ASSERT_TRUE(bench->run(CommandId::FormulaCell));
    const std::vector<std::string> before = model::instructionFileLines(bench->structure());
    for (const char* name : {"S", "N"}) {
      dialogs.shown.clear();
      formula().setNewElementText(name);
      EXPECT_FALSE(press(std::string(name) == "S" ? &workbench::FormulaCommands::addElement
                                                  : &workbench::FormulaCommands::deleteElement));
      EXPECT_EQ(dialogs.shown, std::vector<std::string>{c.refusal});
      EXPECT_EQ(model::instructionFileLines(bench->structure()), before);
    }
    formula().setUnitText(3, "0.5");
    ASSERT_TRUE(press(&workbench::FormulaCommands::update));
    std::vector<std::string> expected = before;
    for (std::string& line : expected) {
      if (line == "UNIT 8 4 0 4 4") line = "UNIT 8 4 0.500 4 4";
    }
    EXPECT_EQ(model::instructionFileLines(bench->structure()), expected);
  }
}

// A structure of one element is no formula: the window shows nothing and its buttons do nothing.
TEST_F(FormulaScenario, OneElementShowsNothing) {
  ASSERT_TRUE(
      openText("TITL one\nCELL 0.71073 5.64 5.64 5.64 90 90 90\nZERR 4 0 0 0 0 0 0\n"
               "LATT 4\nSFAC NA\nUNIT 4\nL.S. 4\nFVAR 1.0\n"
               "NA1   1    0.000000    0.000000    0.000000    10.02083    0.05000\n"
               "HKLF 4\nEND\n"))
      << ::testing::PrintToString(dialogs.shown);
  ASSERT_TRUE(bench->run(CommandId::FormulaCell));
  EXPECT_EQ(window().shownRows, 0);
  EXPECT_EQ(window().density, "");
  const std::vector<std::string> before = model::instructionFileLines(bench->structure());
  formula().setNewElementText("CL");
  EXPECT_TRUE(press(&workbench::FormulaCommands::addElement));
  EXPECT_TRUE(press(&workbench::FormulaCommands::update));
  EXPECT_EQ(model::instructionFileLines(bench->structure()), before);
}

}  // namespace
}  // namespace tavo::testing
