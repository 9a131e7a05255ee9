// Tables sized by the limits: capacity checked against the limit, entries made only when used.
#include "model/one_based.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "model/structure_model.h"

namespace tavo::model {
namespace {

TEST(OneBasedTable, EntriesAreMadeOnlyWhenWritten) {
  OneBased<std::string> table;
  table.allocate(1'000'000);
  EXPECT_EQ(table.capacity(), 1'000'000);
  EXPECT_EQ(table.inUse(), 0);
  const OneBased<std::string>& reading = table;
  EXPECT_EQ(reading[999'999], "") << "an entry never written reads as a default one";
  EXPECT_EQ(table.inUse(), 0) << "reading makes nothing";

  std::string& first = table[1];
  first = "C1";
  table[500] = "C500";  // the table grows in place: earlier references stay valid
  EXPECT_EQ(table.inUse(), 501);
  EXPECT_EQ(&first, &table[1]);
  EXPECT_EQ(first, "C1");
  EXPECT_EQ(reading[499], "");

  EXPECT_THROW(table.at(1'000'001), std::out_of_range);
  EXPECT_THROW(table.at(-1), std::out_of_range);
  EXPECT_EQ(table.at(500), "C500");
}

TEST(OneBasedTable, CopiesAndNewLimitsKeepEntriesThatFit) {
  OneBased<int> table;
  table.allocate(100);
  table[3] = 7;
  table[10] = 9;

  OneBased<int> copy = table;
  EXPECT_EQ(copy, table);
  int& kept = copy[3];
  copy[100] = 1;  // grows in place in the copy too
  EXPECT_EQ(&kept, &copy[3]);
  EXPECT_NE(copy, table);

  table.allocate(5);  // a lower limit drops what no longer fits
  EXPECT_EQ(table.capacity(), 5);
  EXPECT_EQ(table[3], 7);
  EXPECT_EQ(table.inUse(), 6);
  table.allocate(50);
  const OneBased<int>& reading = table;
  EXPECT_EQ(reading[10], 0) << "entry 10 was dropped with the lower limit";

  OneBased<int> other;
  other.allocate(50);
  other[3] = 7;
  other[5] = 0;  // written with the default: still equal to one never written
  EXPECT_EQ(other, table);
}

TEST(StructureTables, HighLimitsCostNothingUntilEntriesAreUsed) {
  StructureModel s;
  s.limits.expMax = 2'000'000;
  s.limits.atmMax = 1'000'000;
  s.allocate();
  EXPECT_EQ(s.atoms.capacity(), 2'000'000);
  EXPECT_EQ(s.atoms.inUse() + s.hydrogens.inUse() + s.peaks.inUse(), 0);
  EXPECT_EQ(s.view[1].inUse() + s.selected[1].inUse(), 0);
  const int i = s.addAtom();
  s.atoms[i].label = "C1";
  EXPECT_EQ(s.atoms.inUse(), 2);
}

}  // namespace
}  // namespace tavo::model
