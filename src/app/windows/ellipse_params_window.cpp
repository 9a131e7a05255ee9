// The ellipse parameters window.
#include "app/windows/ellipse_params_window.h"

#include <QCheckBox>
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
                               workbench::ellipseSizeFactorRange.maximum)),
      m_ellipsoids(makeCheckBox(this, "Ellipsoids", "Thermal ellipsoids")),
      m_probability(makeSpinBox(this, "Probability", workbench::ellipsoidProbabilityRange.minimum,
                                workbench::ellipsoidProbabilityRange.maximum)),
      m_principal(makeCheckBox(this, "PrincipalEllipses", "Principal ellipses")),
      m_octants(makeCheckBox(this, "OctantShading", "Octant shading")) {
  auto* layout = new QFormLayout(this);
  layout->addRow(QStringLiteral("Overall Size Factor"), m_sizeFactor);
  layout->addRow(QString(), m_ellipsoids);
  layout->addRow(QStringLiteral("Probability (%)"), m_probability);
  layout->addRow(QString(), m_principal);
  layout->addRow(QString(), m_octants);
  connect(this, &AuxiliaryWindow::closed, this,
          [this] { run([this] { m_preferences.ellipseParamsClosed(); }); });
  resize(300, sizeHint().height());
  refresh();
}

void EllipseParamsWindow::showState() {
  const workbench::EllipseParamsWindow& window = m_preferences.ellipseWindow();
  showValue(m_sizeFactor, window.sizeFactor);
  showChecked(m_ellipsoids, window.ellipsoids.on);
  showValue(m_probability, window.ellipsoids.probabilityPercent);
  showChecked(m_principal, window.ellipsoids.principalEllipses);
  showChecked(m_octants, window.ellipsoids.octantShading);
}

}  // namespace tavo::app
