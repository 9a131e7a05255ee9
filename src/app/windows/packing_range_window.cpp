// The 'Packing View Range' window.
#include "app/windows/packing_range_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/qt_text.h"
#include "app/windows/widget_helpers.h"
#include "geometry/view_frame.h"

namespace tavo::app {

namespace {

constexpr std::array<const char*, 6> boundNames = {"a min", "a max", "b min",
                                                   "b max", "c min", "c max"};

}  // namespace

PackingRangeWindow::PackingRangeWindow(const geometry::ViewFrame& frame, WindowRunner& runner,
                                       QWidget* parent)
    : AuxiliaryWindow("TForm14", "Packing View Range", parent, &runner), m_frame(frame) {
  setWindowFlag(Qt::WindowStaysOnTopHint);
  auto* layout = new QGridLayout(this);
  auto* menu = new QMenuBar(this);
  makeMenuItem(menu, "Exit1", "Exit");
  layout->setMenuBar(menu);
  for (int k = 0; k < 6; ++k) {
    const auto at = static_cast<size_t>(k);
    QLineEdit* field = makeField(this, "Edit" + std::to_string(k + 1));
    QSpinBox* spin = makeSpinBox(this, "SpinEdit" + std::to_string(k + 1), -100, 100);
    m_fields[at] = field;
    m_spins[at] = spin;
    layout->addWidget(new QLabel(QString::fromLatin1(boundNames[at]), this), k, 0);
    layout->addWidget(field, k, 1);
    layout->addWidget(spin, k, 2);
  }
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (shownByCore()) operate({"Exit1"});
  });
  resize(280, sizeHint().height());
  refresh();
}

void PackingRangeWindow::showState() {
  const geometry::PackingRange& range = m_frame.packingRange;
  for (size_t k = 0; k < 6; ++k) {
    showText(m_fields[k], range.boundTexts[k]);
    showValue(m_spins[k], range.boundSpins[k]);
  }
}

}  // namespace tavo::app
