// Every declared window exists in the Qt program under its name and caption, and its buttons
// run the declared rows.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>

#include "app/windows/auxiliary_window.h"
#include "gui/gui_harness.h"

namespace tavo::testing {
namespace {

TEST(WindowSet, EveryDeclaredWindowIsMadeUnderItsNameAndCaption) {
  GuiHarness gui;
  for (const workbench::WindowDeclaration& declaration : gui.bench->windows()) {
    SCOPED_TRACE(declaration.name);
    const auto* window =
        gui.window->findChild<app::AuxiliaryWindow*>(QString::fromStdString(declaration.name));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle().toStdString(), declaration.caption);
    EXPECT_FALSE(window->isVisible());
  }
}

}  // namespace
}  // namespace tavo::testing
