// Reading labels as Element + Numeral + Alphabet, their sort order and the grades of U values.
#include "editing/label_sorting.h"

#include <gtest/gtest.h>

namespace tavo::editing {
namespace {

TEST(LabelSorting, ParsesElementNumeralAlphabet) {
  const struct {
    const char* label;
    LabelParts parts;
  } cases[] = {
      {"C12A", {1, 2, 1}},  {"CL3", {2, 1, 0}}, {"O1W", {1, 1, 1}}, {"N", {1, 0, 0}},
      {" C1' ", {1, 1, 1}}, {"Cu1", {2, 1, 0}}, {"12", {2, 0, 0}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(parseLabel(c.label), c.parts) << c.label;
}

/// The ElementTable of C, O, Cu, H with their weights.
model::OneBased<model::Element> elements() {
  model::OneBased<model::Element> table;
  table.allocate(4);
  table[1] = {"C", 0, 12.011, 0, 0};
  table[2] = {"O", 0, 15.999, 0, 0};
  table[3] = {"CU", 0, 63.546, 0, 0};
  table[4] = {"H", 0, 0, 0, 0};  // a weight of 0 ranks last
  return table;
}

TEST(LabelSorting, HeavierElementsFirstThenNumberThenLetter) {
  const auto table = elements();
  EXPECT_EQ(elementRanks(table, 4), (std::vector<int>{0, 3, 2, 1, 4}));
  const std::vector<std::string> labels = {"C2", "Cu1", "C10", "C1A", "C1", "O1"};
  const std::vector<int> order = sortedOrder(labels, table, 4);
  std::vector<std::string> sorted;
  for (int i : order)
    sorted.push_back(labels[static_cast<std::size_t>(i)]);
  EXPECT_EQ(sorted, (std::vector<std::string>{"Cu1", "O1", "C1", "C1A", "C2", "C10"}));
  const auto ranks = elementRanks(table, 4);
  EXPECT_EQ(labelSortKey("C1A", table, 4, ranks), 3000101);
  EXPECT_EQ(labelSortKey("C1a", table, 4, ranks), 3000101);
  EXPECT_EQ(labelSortKey("C1'", table, 4, ranks), 3000099);  // before C1
  EXPECT_EQ(labelSortKey("X1", table, 4, ranks), 5000100);   // after every known element
}

TEST(LabelSorting, EqualKeysKeepTheirOrder) {
  const auto table = elements();
  EXPECT_EQ(sortedOrder({"C1b", "C2", "C1B", "O3"}, table, 4), (std::vector<int>{3, 0, 2, 1}));
}

TEST(LabelSorting, GradesOfDisplacementParameters) {
  model::Atom a;
  a.aniso = 1;
  a.u11 = a.u22 = 0.05;
  a.u33 = 0.06;
  EXPECT_EQ(qualityGrade(a), "Normal");
  a.u12 = 0.06;  // the minor U11*U22 - U12^2 turns negative
  EXPECT_EQ(qualityGrade(a), "###nonPos!");
  a = {};
  for (auto [u, grade] :
       {std::pair{0.3, "**tooLarge"}, {0.2, "*Large"}, {0.1, "aBitLarge"}, {-0.01, "###nonPos!"}}) {
    a.u11 = u;
    EXPECT_EQ(qualityGrade(a), grade) << u;
  }
  model::Hydrogen h;
  h.uiso = -1.2;
  EXPECT_EQ(qualityGrade(h), "");
  h.afixGroup = 43;
  EXPECT_EQ(qualityGrade(h), "Riding");
}

}  // namespace
}  // namespace tavo::editing
