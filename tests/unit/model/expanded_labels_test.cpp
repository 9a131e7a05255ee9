// The labels of the file of all expanded atoms: at most four characters and unique, the file's
// own labels kept, new ones for copies and clashes, a refusal when none is left.
#include "model/expanded_labels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/errors.h"

namespace tavo::model {
namespace {

TEST(ExpandedLabels, FileLabelsStayAndCopiesGetFreeLabelsOfFourCharacters) {
  struct Case {
    std::vector<ExpandedLabelRequest> entries;
    std::vector<std::string> labels;
    const char* why;
  };
  const Case cases[] = {
      {{{"C1", "C", false}, {"O1", "O", false}, {"C1", "C", true}, {"O1", "O", true}},
       {"C1", "O1", "C1A", "O1A"},
       "a letter after the copied label"},
      {{{"C1", "C", false}, {"C1A", "C", false}, {"C1", "C", true}},
       {"C1", "C1A", "C1B"},
       "a letter the file uses is skipped"},
      {{{"C14'", "C", false}, {"C1", "C", false}, {"C14'", "C", true}, {"C14'", "C", true}},
       {"C14'", "C1", "C2", "C3"},
       "a four-character label: the element and the lowest free numbers"},
      {{{"CL1", "Cl", false}, {"CL1", "Cl", true}, {"Cl1a", "Cl", false}},
       {"CL1", "CL1B", "Cl1a"},
       "case is ignored: CL1A would clash with Cl1a"},
      {{{"N1", "N", false}, {"n1", "N", false}},
       {"N1", "n1A"},
       "two atoms of the file with one label (two residues): the second is renamed"},
      {{{"C101A", "C", false}, {"C1", "C", false}},
       {"C2", "C1"},
       "a label SHELXL cannot read is replaced, after the labels that stay are taken"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(expandedFileLabels(c.entries), c.labels);
  }
}

TEST(ExpandedLabels, NoLabelLeftIsRefused) {
  // Cl1..Cl99 taken, and a copy of a four-character label cannot take a letter.
  std::vector<ExpandedLabelRequest> entries;
  for (int n = 1; n <= 99; ++n)
    entries.push_back({"Cl" + std::to_string(n), "Cl", false});
  entries.push_back({"ClAB", "Cl", false});
  EXPECT_EQ(expandedFileLabels(entries).back(), "ClAB");
  entries.push_back({"ClAB", "Cl", true});
  try {
    expandedFileLabels(entries);
    FAIL() << "a label was found where none is left";
  } catch (const UserError& e) {
    EXPECT_STREQ(e.what(),
                 "No free label of at most four characters is left for a copy of ClAB; the "
                 "expanded atoms were not saved.");
  }
}

}  // namespace
}  // namespace tavo::model
