// The registry of windows: every window named once, every control reached by each of its names,
// every menu item that shows a window checked while it is shown, and a script line and the
// window's own state agree.
#include <gtest/gtest.h>

#include <set>

#include "workbench/command_table.h"
#include "workbench_fixture.h"

namespace tavo::testing {
namespace {

using workbench::CommandId;
using workbench::WindowDeclaration;

class WindowRegistry : public WorkbenchScenario {};

TEST_F(WindowRegistry, EveryWindowAndControlIsReachedByItsNames) {
  std::set<std::string> names;
  for (const WindowDeclaration& window : bench->windows()) {
    SCOPED_TRACE(window.name);
    EXPECT_TRUE(names.insert(window.name).second) << "declared twice";
    EXPECT_EQ(bench->findWindow(window.name), &window);
    if (window.shown && !window.controls.empty()) {
      EXPECT_FALSE(window.shownBy.empty()) << "a refusal would not say how to show it";
    }
    for (const workbench::ControlDeclaration& control : window.controls) {
      SCOPED_TRACE(control.name);
      EXPECT_TRUE(control.act) << "a control that does nothing";
      EXPECT_EQ(window.findControl(control.name), &control) << "another control has its name";
      for (const std::string& alias : control.aliases) {
        EXPECT_EQ(window.findControl(alias), &control) << alias;
      }
    }
  }
  for (const workbench::CommandEntry& entry : workbench::commandTable()) {
    if (entry.window.empty()) continue;
    EXPECT_NE(bench->findWindow(entry.window), nullptr) << entry.caption;
  }
}

TEST_F(WindowRegistry, AMenuItemChecksItsWindowAndAScriptLineWorksInIt) {
  TAVO_OPEN_PARABEN();
  const struct {
    CommandId item;
    const char* window;
  } items[] = {{CommandId::ListOfPeaks, "TForm9"},
               {CommandId::GlobalEdition, "TForm27"},
               {CommandId::AtomList, "TForm2"},
               {CommandId::FixingFvar, "TForm23"},
               {CommandId::EditShelxlCommands, "TForm5"}};
  for (const auto& [item, name] : items) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(bench->checked(item));
    ASSERT_TRUE(bench->run(item));
    EXPECT_TRUE(bench->checked(item));
    EXPECT_TRUE(bench->findWindow(name)->isShown());
  }
  // The peak list: a selection by script is the window's own state, and its print shows it.
  ASSERT_TRUE(bench->operateWindow("TForm9", {"SpinEdit1", "3"}));
  std::vector<std::string> printed;
  ASSERT_TRUE(bench->operateWindow("TForm9", {"print"}, &printed));
  ASSERT_FALSE(printed.empty());
  EXPECT_EQ(printed.back(), "current 3 " + bench->peaks().window().currentText);
  // The caption, not the objectName, in what the user reads.
  dialogs.shown.clear();
  EXPECT_FALSE(bench->operateWindow("TForm9", {"Frobnicate"}));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0], "\"Showing and Handling Peaks\" has no control \"Frobnicate\"");
  ASSERT_TRUE(bench->operateWindow("TForm9", {"press", "Exit"}));
  EXPECT_FALSE(bench->checked(CommandId::ListOfPeaks));
}

}  // namespace
}  // namespace tavo::testing
