// The ellipse parameters window.
#include "app/windows/ellipse_params_window.h"

#include <QFormLayout>
#include <QSignalBlocker>
#include <QSpinBox>

#include "workbench/preference_commands.h"
#include "workbench/workbench.h"

namespace tavo::app {

EllipseParamsWindow::EllipseParamsWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm15", "Parameters for Drawing Ellipes", parent),
      m_bench(bench),
      m_sizeFactor(new QSpinBox(this)) {
  m_sizeFactor->setObjectName(QStringLiteral("SpinEdit1"));
  m_sizeFactor->setRange(workbench::ellipseSizeFactorRange.minimum,
                         workbench::ellipseSizeFactorRange.maximum);
  auto* layout = new QFormLayout(this);
  layout->addRow(QStringLiteral("Overall Size Factor"), m_sizeFactor);
  connect(m_sizeFactor, &QSpinBox::valueChanged, this, [this](int value) {
    m_bench.run([this, value] { m_bench.preferences().setEllipseSizeFactor(value); });
  });
  connect(this, &AuxiliaryWindow::closed, this,
          [this] { m_bench.run([this] { m_bench.preferences().ellipseParamsClosed(); }); });
  resize(300, sizeHint().height());
  refresh();
}

void EllipseParamsWindow::showState() {
  const int value = m_bench.preferences().ellipseWindow().sizeFactor;
  if (m_sizeFactor->value() == value) return;
  const QSignalBlocker quiet(m_sizeFactor);
  m_sizeFactor->setValue(value);
}

}  // namespace tavo::app
