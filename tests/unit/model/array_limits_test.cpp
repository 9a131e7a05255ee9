// array_max.inf: created with the defaults when missing, values read from column 71 on.
#include "model/array_limits.h"

#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "support/temp_folder.h"
#include "text/errors.h"

namespace tavo::testing {
namespace {

TEST(ArrayLimits, MissingFileIsCreatedWithTheDefaults) {
  const TempFolder folder;
  FakeDialogs dialogs;
  model::ArrayLimits limits;
  limits.atmMax = 7;
  model::readArrayLimits(folder.path(), limits, dialogs);
  EXPECT_EQ(limits, model::ArrayLimits{});
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0],
            "number of maximum numbers of atoms will be set in a newly created "
            "file: " +
                (folder.path() / "array_max.inf").string());
  EXPECT_EQ(folder.read("array_max.inf"), readFileBytes(dataFolder() / "array_max.inf"))
      << "the shipped file is the created one";
  model::ArrayLimits again;
  dialogs.shown.clear();
  model::readArrayLimits(folder.path(), again, dialogs);
  EXPECT_EQ(again, model::ArrayLimits{});
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(ArrayLimits, ValuesStartAtColumnSeventyOne) {
  const std::string label(70, '.');
  struct Case {
    std::string secondLine;
    int atmMax;
  };
  const Case cases[] = {{label + "2000", 2000}, {label + " 2000", 2000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.secondLine);
    const TempFolder folder;
    folder.write("array_max.inf", label + "10000\r\n" + c.secondLine + "\r\n" + label + "30\r\n" +
                                      label + "200\r\n" + label + "30000\r\n" + label + "500\r\n" +
                                      label + "300\r\n");
    FakeDialogs dialogs;
    model::ArrayLimits limits;
    model::readArrayLimits(folder.path(), limits, dialogs);
    EXPECT_EQ(limits.atmMax, c.atmMax);
  }
  const TempFolder folder;
  folder.write("array_max.inf", label + "10000\r\nshort 1000\r\n");
  FakeDialogs dialogs;
  model::ArrayLimits limits;
  EXPECT_THROW(model::readArrayLimits(folder.path(), limits, dialogs), ConversionError);
}

TEST(ArrayLimits, AQueryCreatesNoFileAndUsesTheDefaults) {
  const TempFolder folder;
  FakeDialogs dialogs;
  model::ArrayLimits limits;
  limits.atmMax = 7;
  model::readArrayLimits(folder.path(), limits, dialogs, {.writeFiles = false});
  EXPECT_EQ(limits, model::ArrayLimits{});
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "array_max.inf"));
}

TEST(ArrayLimits, FragmentLimitAbove65535IsRefusedNotWrapped) {
  const std::string label(70, '.');
  const std::string first6 = label + "10000\n" + label + "1000\n" + label + "30\n" + label +
                             "200\n" + label + "30000\n" + label + "500\n";
  struct Case {
    const char* value;
    int frgMax;  // 0: refused
  };
  const Case cases[] = {{"65535", 65535}, {"65536", 0}, {"70000", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const TempFolder folder;
    folder.write("array_max.inf", first6 + label + c.value + "\n");
    FakeDialogs dialogs;
    model::ArrayLimits limits;
    if (c.frgMax > 0) {
      model::readArrayLimits(folder.path(), limits, dialogs);
      EXPECT_EQ(limits.frgMax, c.frgMax);
      continue;
    }
    try {
      model::readArrayLimits(folder.path(), limits, dialogs);
      ADD_FAILURE() << "accepted";
    } catch (const UserError& error) {
      EXPECT_EQ(std::string(error.what()), (folder.path() / "array_max.inf").string() +
                                               ", line 7: the limit frg_max = " + c.value +
                                               " must lie between 2 and 65535.");
    }
    EXPECT_EQ(limits.frgMax, 300) << "unchanged";
  }
}

}  // namespace
}  // namespace tavo::testing
