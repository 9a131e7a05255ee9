// The element definitions: reading elems.inf, matching SFAC symbols, the window's operations.
#include "model/element_definitions.h"

#include <gtest/gtest.h>

#include "model/structure_model.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::testing {
namespace {

model::StructureModel withElements(std::initializer_list<const char*> symbols) {
  model::StructureModel s;
  s.allocate();
  for (const char* symbol : symbols)
    s.elements[s.addElement()].symbol = symbol;
  return s;
}

TEST(ElementDefinitions, MissingFileGivesTheGivenMessage) {
  const TempFolder folder;
  try {
    model::ElementDefinitions::load(folder.path());
    FAIL() << "no error";
  } catch (const UserError& error) {
    EXPECT_STREQ(error.what(), "elems.inf file does not exits!");
  }
}

TEST(ElementDefinitions, ReadsTheTableAndTheLastMatchingDefinitionWins) {
  const TempFolder folder;
  folder.write("elems.inf",
               "Q\tQ\tq\t0\t0.77\t1\r\nC\tC\tc\t12.011\t0.76\t2\r\nCL\tCl\tcl\t35.45\t1.02\t3\r\n"
               "X\tC\tY\t99\t0.5\t4\textra\r\n");
  const auto definitions = model::ElementDefinitions::load(folder.path());
  const auto& table = definitions.table();
  ASSERT_EQ(table.rowCount(), 5);
  EXPECT_EQ(table.row(0),
            (std::vector<std::string>{"Lab 1", "Lab 2", "Lab 3", "AW", "Radius", "Color Code"}));
  EXPECT_EQ(table.cell(3, 1), "Cl");
  EXPECT_EQ(table.cell(4, 5), "4");
  auto s = withElements({"C", "Cl", "Zz"});
  s.elements[3].radius = 9;
  definitions.assignElementData(s);
  EXPECT_DOUBLE_EQ(s.elements[0].radius, 0.77) << "the first definition gives the peak radius";
  EXPECT_DOUBLE_EQ(s.elements[1].atomicWeight, 99) << "the later definition of C wins";
  EXPECT_EQ(s.elements[1].colorCode, 4);
  EXPECT_EQ(s.elements[2].symbol, "CL");
  EXPECT_DOUBLE_EQ(s.elements[2].radius, 1.02);
  EXPECT_EQ(s.elements[3].symbol, "Zz");
  EXPECT_DOUBLE_EQ(s.elements[3].radius, 9) << "no match keeps the previous values";
  EXPECT_FALSE(definitions.findRow("Zz").has_value());
}

TEST(ElementDefinitions, ApplyAddAndSaveSettings) {
  const TempFolder folder;
  folder.write("elems.inf", "Q\tQ\tq\t0\t0.77\t1\r\nC\tC\tc\t12.011\t0.76\t2\r\n");
  auto definitions = model::ElementDefinitions::load(folder.path());
  auto s = withElements({"C"});
  EXPECT_EQ(definitions.selectCell(1, model::ElementDefinitions::Radius), "0.77");
  definitions.apply("0.9", s);
  EXPECT_DOUBLE_EQ(s.elements[0].radius, 0.9) << "editing row 1 changes the peak radius at once";
  definitions.selectCell(2, model::ElementDefinitions::Radius);
  definitions.apply("0.8", s);
  EXPECT_DOUBLE_EQ(s.elements[1].radius, 0.8);

  FakeDialogs dialogs;
  dialogs.nextColor = 255;
  definitions.selectCell(2, model::ElementDefinitions::ColorCode);
  EXPECT_EQ(definitions.chooseColor(dialogs, s), "255");
  EXPECT_EQ(s.elements[1].colorCode, 255);

  definitions.addRow();
  definitions.save(folder.path());
  EXPECT_EQ(folder.read("elems.inf"),
            "Q\tQ\tq\t0\t0.9\t1\r\nC\tC\tc\t12.011\t0.8\t255\r\n"
            "NewElm1\tNewElm2\tNewElm3\t200\t1.2\t0\r\n");
}

TEST(ElementDefinitions, ShippedFileCoversEveryElementAndGivesSensibleBonds) {
  const auto definitions = model::ElementDefinitions::load(dataFolder());
  EXPECT_EQ(definitions.definitionCount(), 105) << "Q peaks, H..Lr and D";
  auto s = withElements({"C", "H", "Cl", "Cu", "D", "Lr"});
  definitions.assignElementData(s);
  EXPECT_DOUBLE_EQ(s.elements[0].radius, 0.77);
  const double carbon = s.elements[1].radius;
  const double hydrogen = s.elements[2].radius;
  EXPECT_GT((carbon + hydrogen) * 1.1, 1.10) << "C-H bonds";
  EXPECT_LT((carbon + hydrogen) * 1.1, 1.30);
  EXPECT_GT(2 * carbon * 1.1, 1.54) << "C-C single bonds";
  EXPECT_LT(2 * carbon * 1.1, 1.80);
  EXPECT_EQ(s.elements[3].symbol, "CL");
  EXPECT_EQ(s.elements[1].colorCode, 0x90 + 256 * 0x90 + 65536 * 0x90);
  EXPECT_EQ(s.elements[5].symbol, "D");
  EXPECT_GT(s.elements[6].atomicWeight, 250);
  for (int r = 1; r <= definitions.definitionCount(); ++r) {
    SCOPED_TRACE(definitions.table().cell(r, 0));
    EXPECT_EQ(definitions.table().row(r).size(), 6u);
    EXPECT_NO_THROW(text::parseDouble(definitions.table().cell(r, 3)));
    EXPECT_NO_THROW(text::parseInt(definitions.table().cell(r, 5)));
  }
}

}  // namespace
}  // namespace tavo::testing
