// The space-group panel: its widgets, their forwarding and their refresh.
#include "app/space_group_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/qt_text.h"

namespace tavo::app {

namespace {

QSpinBox* spin(QWidget* parent, const char* name, int minimum, int maximum, int value) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(minimum, maximum);
  box->setValue(value);
  box->setKeyboardTracking(false);  // a typed number takes effect once, not per digit
  return box;
}

QLineEdit* field(QWidget* parent, const char* name, const QString& text, int width) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setReadOnly(true);
  edit->setFixedWidth(width);
  return edit;
}

void setSpin(QSpinBox* box, int minimum, int maximum, int value) {
  const QSignalBlocker quiet(box);
  box->setRange(minimum, maximum);
  box->setValue(value);
}

}  // namespace

SpaceGroupPanel::SpaceGroupPanel(QWidget* surface, workbench::Workbench& bench)
    : QFrame(surface), m_bench(bench) {
  setObjectName(QStringLiteral("SpaceGroupPanel"));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  const geometry::SpaceGroupControls& c = bench.symmetryCommands().controls();
  const workbench::ControlRange& group = workbench::groupNumberRange;
  const workbench::ControlRange& cells = workbench::translationRange;
  m_number = spin(this, "SpinEdit12", group.minimum, group.maximum, group.initial);
  m_setting = spin(this, "SpinEdit17", 1, c.settingCount, 1);
  m_name = field(this, "Edit2", toQString(c.name), 110);
  m_operator = spin(this, "SpinEdit16", 1, c.operatorCount, 1);
  const char* translationNames[] = {"SpinEdit13", "SpinEdit14", "SpinEdit15"};
  for (std::size_t axis = 0; axis < 3; ++axis)
    m_translation[axis] =
        spin(this, translationNames[axis], cells.minimum, cells.maximum, cells.initial);
  m_operatorText = field(this, "Edit3", toQString(c.operatorText), 240);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(4, 2, 4, 2);
  grid->addWidget(new QLabel(QStringLiteral("Space Group"), this), 0, 0);
  grid->addWidget(m_number, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Choice"), this), 0, 2);
  grid->addWidget(m_setting, 0, 3);
  grid->addWidget(m_name, 0, 4, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Operator"), this), 1, 0);
  grid->addWidget(m_operator, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("a b c"), this), 1, 2);
  for (std::size_t axis = 0; axis < 3; ++axis)
    grid->addWidget(m_translation[axis], 1, 3 + static_cast<int>(axis));
  grid->addWidget(m_operatorText, 2, 0, 1, 7);
  adjustSize();

  const auto forward = [this](QSpinBox* box, auto command) {
    connect(box, &QSpinBox::valueChanged, this, [this, command](int value) {
      m_bench.run([this, command, value] { command(m_bench.symmetryCommands(), value); });
    });
  };
  using workbench::SymmetryCommands;
  forward(m_number, [](SymmetryCommands& s, int v) { s.setGroupNumber(v); });
  forward(m_setting, [](SymmetryCommands& s, int v) { s.setSetting(v); });
  forward(m_operator, [](SymmetryCommands& s, int v) { s.setOperatorNumber(v); });
  for (int axis = 1; axis <= 3; ++axis) {
    forward(m_translation[static_cast<std::size_t>(axis - 1)],
            [axis](SymmetryCommands& s, int v) { s.setTranslation(axis, v); });
  }
  hide();
}

void SpaceGroupPanel::refresh() {
  const geometry::SpaceGroupControls& c = m_bench.symmetryCommands().controls();
  const model::SymmetryOps& symmetry = m_bench.structure().symmetry;
  setSpin(m_number, workbench::groupNumberRange.minimum, workbench::groupNumberRange.maximum,
          symmetry.spaceGroupNumber);
  setSpin(m_setting, 1, std::max(c.settingCount, 1), symmetry.settingNumber);
  setSpin(m_operator, 1, std::max(c.operatorCount, 1), c.operatorNumber);
  for (std::size_t axis = 0; axis < 3; ++axis) {
    setSpin(m_translation[axis], workbench::translationRange.minimum,
            workbench::translationRange.maximum, c.translation[axis]);
  }
  m_name->setText(toQString(c.name));
  m_name->setStyleSheet(c.nameRed ? QStringLiteral("color: red;")
                                  : QStringLiteral("color: black;"));
  m_operatorText->setText(toQString(c.operatorText));
  if (c.visible != isVisible()) {
    setVisible(c.visible);
    if (c.visible) raise();
  }
}

void SpaceGroupPanel::place(int width, int height, int bottomMargin) {
  (void)width;
  move(4, height - bottomMargin - this->height() - 4);
}

}  // namespace tavo::app
