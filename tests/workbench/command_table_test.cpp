// The command table of the main menu and the controls by objectName, as the window and the
// scripts of tavo-cli run reach them.
#include <set>

#include "text/errors.h"
#include "workbench/command_table.h"
#include "workbench/control_table.h"
#include "workbench/workbench_fixture.h"

namespace tavo::testing {
namespace {

using workbench::CommandEntry;
using workbench::CommandId;

TEST(CommandTable, CaptionsNamesKeysAndMnemonicsAreDistinct) {
  std::set<std::string_view> captions, names, keys, titles;
  std::set<char> letters;
  for (const workbench::MenuTitle& title : workbench::menuTitles()) {
    std::string plain(title.caption);
    const size_t amp = plain.find('&');
    ASSERT_NE(amp, std::string::npos) << title.title;
    EXPECT_TRUE(letters.insert(static_cast<char>(std::tolower(plain[amp + 1]))).second)
        << "the Alt letter of " << title.title << " is taken";
    plain.erase(amp, 1);
    EXPECT_EQ(plain, title.title) << "the caption reads as the title";
    titles.insert(title.title);
  }
  for (const CommandEntry& entry : workbench::commandTable()) {
    SCOPED_TRACE(entry.caption);
    EXPECT_TRUE(captions.insert(entry.caption).second);
    EXPECT_TRUE(names.insert(entry.objectName).second);
    if (!entry.shortcut.empty()) {
      EXPECT_TRUE(keys.insert(entry.shortcut).second);
    }
    EXPECT_EQ(titles.count(entry.menu), 1u);
    EXPECT_EQ(workbench::findCommandByCaption(entry.caption), entry.id);
    EXPECT_EQ(&workbench::commandEntry(entry.id), &entry);
  }
  EXPECT_FALSE(workbench::findCommandByCaption("Save"));
}

TEST_F(WorkbenchScenario, MenuItemsRunThroughTheTableAndFollowTheirConditions) {
  EXPECT_FALSE(bench->enabled(CommandId::ListFiles)) << "before the first open";
  TAVO_OPEN_PARABEN();
  EXPECT_TRUE(bench->enabled(CommandId::ListFiles));
  EXPECT_TRUE(bench->checked(CommandId::ShowLabels));
  EXPECT_TRUE(bench->run(CommandId::ShowLabels));
  EXPECT_FALSE(bench->display().showLabels);
  EXPECT_FALSE(bench->checked(CommandId::ShowLabels));

  ASSERT_TRUE(bench->run([&] { bench->modeCommands().chooseMode(editing::MouseMode::Name); }));
  click("C1");
  EXPECT_TRUE(bench->run(CommandId::ExpandConnections));
  EXPECT_TRUE(bench->display().expandConnections);
  EXPECT_FALSE(bench->modes().mode) << "Name cannot work on generated copies";
  EXPECT_TRUE(bench->selection().empty());

  EXPECT_TRUE(workbench::Workbench::hasCoreHandler(CommandId::SaveTexsan));
  for (const CommandId window :
       {CommandId::AboutTavo, CommandId::EllipseParams, CommandId::DefinitionOfElements,
        CommandId::CustomizeGraphics, CommandId::ShowWorkingGrids}) {
    EXPECT_TRUE(workbench::commandEntry(window).windowOnly) << "a window of the Qt program";
  }
}

TEST_F(WorkbenchScenario, ControlsSetByNameAreClampedToTheirRanges) {
  TAVO_OPEN_PARABEN();
  struct Case {
    const char* name;
    const char* value;
    std::function<bool(const workbench::Workbench&)> holds;
  };
  const Case cases[] = {
      {"SpinEdit1", "400", [](const auto& b) { return b.controls().zoom == 300; }},
      {"SpinEdit22", "99", [](const auto& b) { return b.controls().hfixM == 16; }},
      {"SpinEdit24", "-3", [](const auto& b) { return b.controls().partNumber == 0; }},
      {"SpinEdit5", "15", [](const auto& b) { return b.controls().bondThreshold == 15; }},
      {"CheckBox2", "0", [](const auto& b) { return !b.display().showHydrogens; }},
      {"CheckBox37", "yes", [](const auto& b) { return b.controls().useLetters; }},
      {"Edit9", "1.54", [](const auto& b) { return b.controls().dfixDistance == "1.54"; }},
      {"SpinEdit25", "7", [](const auto& b) { return b.preferences().ellipseWindow().pair == 3; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(bench->run([&] { workbench::setControl(*bench, c.name, c.value); }));
    EXPECT_TRUE(c.holds(*bench));
  }
  dialogs.shown.clear();
  EXPECT_FALSE(bench->run([&] { workbench::setControl(*bench, "SpinEdit99", "14"); }));
  EXPECT_FALSE(bench->run([&] { workbench::setControl(*bench, "SpinEdit26", "big"); }));
  EXPECT_EQ(dialogs.shown,
            (std::vector<std::string>{"There is no control named SpinEdit99 in the main window.",
                                      "'big' is not a valid integer value"}));
}

}  // namespace
}  // namespace tavo::testing
