// The main menu and the popup menus of the main window, built from the core's command table,
// and the window commands the Qt program answers itself.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "app/main_window.h"
#include "app/paint_widget.h"
#include "app/picture_export.h"
#include "app/qt_text.h"
#include "app/windows/auxiliary_window.h"
#include "app/windows/window_set.h"
#include "workbench/command_table.h"

namespace tavo::app {

namespace {

using workbench::CommandEntry;
using workbench::PopupMenu;
using workbench::Workbench;

}  // namespace

void MainWindow::buildWindowCommands() {
  // The items that open a window or panel of this program. A window built later adds its line
  // here and marks its item windowOnly in the command table.
  m_windowCommands = {
      {MenuCommand::Exit, [this] { close(); }},
      {MenuCommand::ExportPicture, [this] { exportPicture(this, m_bench); }},
      {MenuCommand::PrintPicture, [this] { printPicture(this, m_bench); }},
      {MenuCommand::Thresholds, [this] { toggleThresholds(); }},
      {MenuCommand::MaintenanceOnly, [this] { toggleMaintenanceView(); }},
      {MenuCommand::AboutTavo, [this] { showInformationWindow("TForm19"); }},
      {MenuCommand::ShelxlInformation, [this] { showInformationWindow("TForm20"); }},
      {MenuCommand::HelpGraphicTreatment, [this] { showHelpWindow("TForm32"); }},
      {MenuCommand::HelpShelxlRefinement, [this] { showHelpWindow("TForm33"); }},
      {MenuCommand::Messages, [this] { toggleMessagePanel(); }},
  };
  for (const MenuCommand preferences :
       {MenuCommand::EllipseParams, MenuCommand::DefinitionOfElements,
        MenuCommand::CustomizeGraphics, MenuCommand::ShowWorkingGrids}) {
    m_windowCommands[preferences] = [this, preferences] { runWindowCommand(preferences); };
  }
}

bool MainWindow::menuCommandAvailable(MenuCommand command) const {
  return Workbench::hasCoreHandler(command) || m_windowCommands.count(command) > 0;
}

void MainWindow::runMenuCommand(MenuCommand command) {
  if (Workbench::hasCoreHandler(command)) {
    m_bench.run(command);
  } else if (const auto found = m_windowCommands.find(command); found != m_windowCommands.end()) {
    found->second();
  }
}

void MainWindow::buildMenus() {
  buildWindowCommands();
  std::map<std::string_view, QMenu*> menus;
  for (const workbench::MenuTitle& title : workbench::menuTitles()) {
    QMenu* menu = menuBar()->addMenu(toQString(title.caption));
    menu->setObjectName(toQString(title.title) + QStringLiteral("Menu"));
    menus[title.title] = menu;
  }
  for (const CommandEntry& entry : workbench::commandTable()) {
    QAction* action = menus.at(entry.menu)->addAction(toQString(entry.caption));
    action->setObjectName(toQString(entry.objectName));
    if (!entry.shortcut.empty()) action->setShortcut(QKeySequence(toQString(entry.shortcut)));
    action->setCheckable(entry.flag.has_value() || entry.checkMark);
    const MenuCommand command = entry.id;
    connect(action, &QAction::triggered, this, [this, command] { runMenuCommand(command); });
    m_actions[command] = action;
  }
}

void MainWindow::buildPopupMenus() {
  const auto modes = [this](void (workbench::ModeCommands::*command)()) {
    return
        [this, command] { m_bench.run([this, command] { (m_bench.modeCommands().*command)(); }); };
  };
  auto* atomMenu = new QMenu(this);
  atomMenu->setObjectName(QStringLiteral("PopupMenu1"));
  atomMenu->addAction(QStringLiteral("Center"), this,
                      modes(&workbench::ModeCommands::atomMenuCenter));
  atomMenu->addSeparator();
  atomMenu->addAction(toQString(workbench::atomMenuMarker))->setEnabled(false);
  atomMenu->addSeparator();
  atomMenu->addAction(QStringLiteral("Adopt"), this,
                      modes(&workbench::ModeCommands::atomMenuAdopt));
  atomMenu->addAction(QStringLiteral("Locate"), this,
                      modes(&workbench::ModeCommands::atomMenuLocate));
  atomMenu->addSeparator();
  atomMenu->addAction(QStringLiteral("Delete"), this,
                      modes(&workbench::ModeCommands::atomMenuDelete));

  auto* viewMenu = new QMenu(this);
  viewMenu->setObjectName(QStringLiteral("PopupMenu2"));
  for (const workbench::ViewPopupEntry& entry : workbench::viewPopupEntries()) {
    const MenuCommand toggle = entry.toggle;
    viewMenu->addAction(toQString(entry.caption), this, [this, toggle] { runMenuCommand(toggle); });
  }

  auto* modeMenu = new QMenu(this);
  modeMenu->setObjectName(QStringLiteral("PopupMenu3"));
  m_rotateAction = modeMenu->addAction(toQString(editing::rotateMenuCaption), this,
                                       modes(&workbench::ModeCommands::chooseRotate));
  m_rotateAction->setObjectName(QStringLiteral("Rotate1"));
  m_rotateAction->setCheckable(true);
  for (const editing::MouseMode mode : editing::allMouseModes) {
    QAction* item = modeMenu->addAction(toQString(editing::menuCaption(mode)), this, [this, mode] {
      m_bench.run([this, mode] { m_bench.modeCommands().chooseMode(mode); });
    });
    item->setObjectName(toQString(editing::menuItemName(mode)));
    item->setCheckable(true);
    m_modeActions[mode] = item;
  }
  m_popups = {atomMenu, viewMenu, modeMenu};
}

QMenu* MainWindow::popupMenu(PopupMenu menu) const {
  return m_popups.at(static_cast<size_t>(menu));
}

void MainWindow::showPopupMenu(PopupMenu menu, editing::ScreenPoint at) {
  popupMenu(menu)->popup(m_paint->mapToGlobal(QPoint(at.x, at.y)));
}

void MainWindow::showInformationWindow(const char* objectName) {
  AuxiliaryWindow* window = m_windows->find(QString::fromLatin1(objectName));
  window->placeCentredOver(*this);
  window->show();
  window->raise();
}

void MainWindow::showHelpWindow(const char* objectName) {
  AuxiliaryWindow* window = m_windows->find(QString::fromLatin1(objectName));
  window->placeAsHelpOver(*this, m_paint->height());
  window->show();
  window->raise();
}

void MainWindow::refreshMenus() {
  for (const CommandEntry& entry : workbench::commandTable()) {
    QAction* action = m_actions.at(entry.id);
    action->setEnabled(menuCommandAvailable(entry.id) && m_bench.enabled(entry.id));
    if (entry.flag || entry.checkMark) action->setChecked(m_bench.checked(entry.id));
  }
  m_rotateAction->setChecked(m_bench.window().rotateItemChecked);
  for (const auto& [mode, item] : m_modeActions) {
    item->setChecked(m_bench.window().checkedModeItem == mode);
  }
}

}  // namespace tavo::app
