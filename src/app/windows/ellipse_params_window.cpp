// The ellipse parameters window.
#include "app/windows/ellipse_params_window.h"

#include <QFormLayout>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/windows/widget_helpers.h"
#include "workbench/preference_commands.h"

namespace tavo::app {

EllipseParamsWindow::EllipseParamsWindow(workbench::PreferenceCommands& preferences,
                                         WindowRunner& runner, QWidget* parent)
    : AuxiliaryWindow("TForm15", "Parameters for Drawing Ellipes", parent, &runner),
      m_preferences(preferences),
      m_sizeFactor(makeSpinBox(this, "SpinEdit1", workbench::ellipseSizeFactorRange.minimum,
                               workbench::ellipseSizeFactorRange.maximum)) {
  auto* layout = new QFormLayout(this);
  layout->addRow(QStringLiteral("Overall Size Factor"), m_sizeFactor);
  connect(this, &AuxiliaryWindow::closed, this,
          [this] { run([this] { m_preferences.ellipseParamsClosed(); }); });
  resize(300, sizeHint().height());
  refresh();
}

void EllipseParamsWindow::showState() {
  showValue(m_sizeFactor, m_preferences.ellipseWindow().sizeFactor);
}

}  // namespace tavo::app
