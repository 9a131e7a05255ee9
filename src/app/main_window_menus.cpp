// The main menu and the popup menus of the main window, and the commands they reach.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <optional>

#include "app/main_window.h"
#include "app/paint_widget.h"
#include "app/qt_text.h"
#include "app/windows/auxiliary_window.h"
#include "app/windows/window_set.h"

namespace tavo::app {

namespace {

using workbench::DisplayFlag;
using workbench::PopupMenu;
using workbench::Workbench;

// The display flag a View toggle mirrors.
std::optional<DisplayFlag> toggledFlag(MenuCommand command) {
  switch (command) {
    case MenuCommand::ShowLabels:
      return DisplayFlag::Labels;
    case MenuCommand::ShowHAtoms:
      return DisplayFlag::Hydrogens;
    case MenuCommand::HideHLabels:
      return DisplayFlag::HideHydrogenLabels;
    case MenuCommand::SpotHAtoms:
      return DisplayFlag::SpotHydrogens;
    case MenuCommand::ShowPeaks:
      return DisplayFlag::Peaks;
    case MenuCommand::ExpandHAtoms:
      return DisplayFlag::ExpandHydrogens;
    case MenuCommand::ExpandPeaks:
      return DisplayFlag::ExpandPeaks;
    case MenuCommand::ShowCells:
      return DisplayFlag::Cell;
    case MenuCommand::Ellipse:
      return DisplayFlag::Ellipse;
    case MenuCommand::StereoView:
      return DisplayFlag::Stereo;
    case MenuCommand::ExpandConnections:
      return DisplayFlag::ExpandConnections;
    case MenuCommand::PackingView:
      return DisplayFlag::Packing;
    case MenuCommand::NumericalPositions:
      return DisplayFlag::NumericalPositions;
    case MenuCommand::TrackingBars:
      return DisplayFlag::TrackingBars;
    default:
      return std::nullopt;
  }
}

// The Workbench command a plain menu item reaches; null while its part is not offered yet.
void (Workbench::*benchCommand(MenuCommand command))() {
  switch (command) {
    case MenuCommand::OpenIns:
      return &Workbench::openByDialog;
    case MenuCommand::OpenResAfterLs:
      return &Workbench::reopenAsRes;
    case MenuCommand::ReopenIns:
      return &Workbench::reopen;
    case MenuCommand::ListFiles:
      return &Workbench::showFileList;
    case MenuCommand::SaveIns:
      return &Workbench::save;
    case MenuCommand::SaveExpanded:
      return &Workbench::saveAllExpandedAtoms;
    case MenuCommand::CheckDuplication:
      return &Workbench::checkDuplicateLabels;
    case MenuCommand::ShowDistances:
      return &Workbench::showDistances;
    case MenuCommand::InitializeView:
      return &Workbench::initializeViewItems;
    default:
      return nullptr;
  }
}

// Commands the window answers itself.
bool handledByWindow(MenuCommand command) {
  switch (command) {
    case MenuCommand::Exit:
    case MenuCommand::Thresholds:
    case MenuCommand::MaintenanceOnly:
    case MenuCommand::AboutTavo:
    case MenuCommand::ShelxlInformation:
    case MenuCommand::HelpGraphicTreatment:
    case MenuCommand::HelpShelxlRefinement:
    case MenuCommand::EllipseParams:
    case MenuCommand::DefinitionOfElements:
    case MenuCommand::CustomizeGraphics:
    case MenuCommand::ShowWorkingGrids:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool MainWindow::menuCommandAvailable(MenuCommand command) const {
  return handledByWindow(command) || toggledFlag(command) || benchCommand(command) != nullptr;
}

void MainWindow::run(void (Workbench::*command)()) {
  Workbench& bench = m_bench;
  bench.run([&bench, command] { (bench.*command)(); });
}

void MainWindow::runMenuCommand(MenuCommand command) {
  if (const auto flag = toggledFlag(command)) {
    m_bench.run([this, flag] { m_bench.toggleDisplayFlag(*flag); });
  } else if (const auto member = benchCommand(command)) {
    run(member);
  } else if (command == MenuCommand::Exit) {
    close();
  } else if (command == MenuCommand::Thresholds) {
    toggleThresholds();
  } else if (command == MenuCommand::MaintenanceOnly) {
    toggleMaintenanceView();
  } else if (command == MenuCommand::AboutTavo) {
    showInformationWindow("TForm19");
  } else if (command == MenuCommand::ShelxlInformation) {
    showInformationWindow("TForm20");
  } else if (command == MenuCommand::HelpGraphicTreatment) {
    showHelpWindow("TForm32");
  } else if (command == MenuCommand::HelpShelxlRefinement) {
    showHelpWindow("TForm33");
  } else {
    runWindowCommand(command);
  }
}

void MainWindow::buildMenus() {
  std::map<std::string_view, QMenu*> menus;
  for (std::string_view title : mainMenuTitles()) {
    QMenu* menu = menuBar()->addMenu(toQString(title));
    menu->setObjectName(toQString(title) + QStringLiteral("Menu"));
    menus[title] = menu;
  }
  for (const MenuEntry& entry : mainMenuEntries()) {
    QAction* action = menus.at(entry.menu)->addAction(toQString(entry.caption));
    action->setObjectName(toQString(entry.objectName));
    if (!entry.shortcut.empty()) action->setShortcut(QKeySequence(toQString(entry.shortcut)));
    action->setCheckable(entry.checkable);
    action->setEnabled(menuCommandAvailable(entry.command));
    const MenuCommand command = entry.command;
    connect(action, &QAction::triggered, this, [this, command] { runMenuCommand(command); });
    m_actions[command] = action;
  }
}

void MainWindow::buildPopupMenus() {
  auto* atomMenu = new QMenu(this);
  atomMenu->setObjectName(QStringLiteral("PopupMenu1"));
  atomMenu->addAction(QStringLiteral("Center"), this, [this] { run(&Workbench::atomMenuCenter); });
  atomMenu->addSeparator();
  atomMenu->addAction(toQString(atomMenuMarker))->setEnabled(false);
  atomMenu->addSeparator();
  atomMenu->addAction(QStringLiteral("Adopt"), this, [this] { run(&Workbench::atomMenuAdopt); });
  atomMenu->addAction(QStringLiteral("Locate"), this, [this] { run(&Workbench::atomMenuLocate); });
  atomMenu->addSeparator();
  atomMenu->addAction(QStringLiteral("Delete"), this, [this] { run(&Workbench::atomMenuDelete); });

  auto* viewMenu = new QMenu(this);
  viewMenu->setObjectName(QStringLiteral("PopupMenu2"));
  for (const ViewPopupEntry& entry : viewPopupEntries()) {
    const MenuCommand toggle = entry.toggle;
    viewMenu->addAction(toQString(entry.caption), this, [this, toggle] { runMenuCommand(toggle); });
  }

  auto* modeMenu = new QMenu(this);
  modeMenu->setObjectName(QStringLiteral("PopupMenu3"));
  m_rotateAction = modeMenu->addAction(toQString(editing::rotateMenuCaption), this,
                                       [this] { run(&Workbench::chooseRotate); });
  m_rotateAction->setObjectName(QStringLiteral("Rotate1"));
  m_rotateAction->setCheckable(true);
  for (const editing::MouseMode mode : editing::allMouseModes) {
    QAction* item = modeMenu->addAction(toQString(editing::menuCaption(mode)), this, [this, mode] {
      m_bench.run([this, mode] { m_bench.chooseMode(mode); });
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
  for (const MenuEntry& entry : mainMenuEntries()) {
    if (const auto flag = toggledFlag(entry.command)) {
      m_actions.at(entry.command)->setChecked(m_bench.displayFlag(*flag));
    }
  }
  m_actions.at(MenuCommand::ListFiles)->setEnabled(m_bench.window().fileListItemEnabled);
  m_rotateAction->setChecked(m_bench.window().rotateItemChecked);
  for (const auto& [mode, item] : m_modeActions) {
    item->setChecked(m_bench.window().checkedModeItem == mode);
  }
}

}  // namespace tavo::app
