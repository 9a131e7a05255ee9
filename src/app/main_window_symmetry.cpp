// The symmetry views in the main window: 'ReExp', 'RePck', 'Remove', the yellow unit spin with
// its 'Symmetry Code' field, and the "Wait!" and 'Packing View Range' windows.
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/windows/packing_range_window.h"
#include "app/windows/wait_window.h"
#include "app/windows/window_set.h"

namespace tavo::app {

void MainWindow::connectSymmetryViews() {
  workbench::ExpansionCommands& views = m_bench.expansionCommands();
  views.setWaitPort(m_windows->wait());
  const auto click = [this](void (workbench::ExpansionCommands::*command)()) {
    return [this, command] {
      m_bench.run([this, command] { (m_bench.expansionCommands().*command)(); });
    };
  };
  connect(m_controls.reExpand, &QPushButton::clicked, this,
          click(&workbench::ExpansionCommands::restoreExpansion));
  connect(m_controls.rePack, &QPushButton::clicked, this,
          click(&workbench::ExpansionCommands::restorePacking));
  connect(m_controls.remove, &QPushButton::clicked, this,
          click(&workbench::ExpansionCommands::removeCopies));
  connect(m_controls.symmetryUnit, &QSpinBox::valueChanged, this, [this](int value) {
    m_bench.run([this, value] { m_bench.expansionCommands().showUnitsUpTo(value); });
  });
}

void MainWindow::refreshSymmetryViews() {
  const workbench::ExpansionCommands& views = m_bench.expansionCommands();
  const workbench::SymmetryUnitControls& units = views.unitControls();
  MainControls& c = m_controls;
  for (QPushButton* button : {c.reExpand, c.rePack, c.remove})
    button->setVisible(units.buttonsVisible);
  {
    const QSignalBlocker quiet(c.symmetryUnit);
    c.symmetryUnit->setRange(0, units.unitMax);
    c.symmetryUnit->setValue(m_bench.controls().symmetryCode);
  }
  const QString code = toQString(units.codeText);
  if (c.symmetryCode->text() != code) c.symmetryCode->setText(code);
  c.symmetryUnit->setVisible(units.unitControlsVisible);
  c.symmetryCode->setVisible(units.unitControlsVisible);
}

}  // namespace tavo::app
