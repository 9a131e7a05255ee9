// The 'Packing View Range' window.
#include "app/windows/packing_range_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/qt_text.h"
#include "workbench/workbench.h"

namespace tavo::app {

namespace {

constexpr std::array<const char*, 6> boundNames = {"a min", "a max", "b min",
                                                   "b max", "c min", "c max"};

}  // namespace

PackingRangeWindow::PackingRangeWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm14", "Packing View Range", parent), m_bench(bench) {
  setWindowFlag(Qt::WindowStaysOnTopHint);
  auto* layout = new QGridLayout(this);
  auto* menu = new QMenuBar(this);
  QAction* exit = menu->addAction(QStringLiteral("Exit"));
  exit->setObjectName(QStringLiteral("Exit1"));
  layout->setMenuBar(menu);
  for (int k = 0; k < 6; ++k) {
    const auto at = static_cast<size_t>(k);
    auto* field = new QLineEdit(this);
    field->setObjectName(QStringLiteral("Edit%1").arg(k + 1));
    auto* spin = new QSpinBox(this);
    spin->setObjectName(QStringLiteral("SpinEdit%1").arg(k + 1));
    spin->setRange(-100, 100);
    m_fields[at] = field;
    m_spins[at] = spin;
    layout->addWidget(new QLabel(QString::fromLatin1(boundNames[at]), this), k, 0);
    layout->addWidget(field, k, 1);
    layout->addWidget(spin, k, 2);
    connect(field, &QLineEdit::textEdited, this, [this, k](const QString& text) {
      m_bench.run(
          [this, k, text] { m_bench.expansionCommands().setPackingBoundText(k + 1, toStd(text)); });
    });
    connect(spin, &QSpinBox::valueChanged, this, [this, k](int value) {
      m_bench.run(
          [this, k, value] { m_bench.expansionCommands().setPackingBoundSpin(k + 1, value); });
    });
  }
  connect(exit, &QAction::triggered, this,
          [this] { m_bench.run([this] { m_bench.expansionCommands().exitPackingRange(); }); });
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.expansionCommands().packingRangeWindow().visible) {
      m_bench.run([this] { m_bench.expansionCommands().exitPackingRange(); });
    }
  });
  resize(280, sizeHint().height());
  refresh();
}

void PackingRangeWindow::showState() {
  const geometry::PackingRange& range = m_bench.viewFrame().packingRange;
  for (size_t k = 0; k < 6; ++k) {
    const QString text = toQString(range.boundTexts[k]);
    if (m_fields[k]->text() != text) {
      const QSignalBlocker quiet(m_fields[k]);
      m_fields[k]->setText(text);
    }
    if (m_spins[k]->value() != range.boundSpins[k]) {
      const QSignalBlocker quiet(m_spins[k]);
      m_spins[k]->setValue(range.boundSpins[k]);
    }
  }
}

}  // namespace tavo::app
