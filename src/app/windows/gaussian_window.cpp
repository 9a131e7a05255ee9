// The Gaussian input window: shows the window model and forwards typing and buttons.
#include "app/windows/gaussian_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "app/windows/widget_helpers.h"
#include "workbench/import_export_commands.h"

namespace tavo::app {

GaussianWindow::GaussianWindow(workbench::ImportExportCommands& importExport, WindowRunner& runner,
                               QWidget* parent)
    : AuxiliaryWindow("TForm25", "Setting up a Gaussian Input Command File to be Saved", parent,
                      &runner),
      m_importExport(importExport) {
  m_charge = makeSpinBox(this, "SpinEdit1", -100, 100);
  m_multiplicity = makeSpinBox(this, "SpinEdit2", 1, 100);
  m_jobNumber = makeSpinBox(this, "SpinEdit3", 1, 100);
  m_title = makeField(this, "TitleEdit");
  m_head = makeTextPane(this, "HeadMemo");
  m_coordinates = makeTextPane(this, "CoordinatesMemo");
  m_tail = makeTextPane(this, "TailMemo");

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("Charge"), this), 0, 0);
  fields->addWidget(m_charge, 0, 1);
  fields->addWidget(new QLabel(QStringLiteral("Multiplicity"), this), 0, 2);
  fields->addWidget(m_multiplicity, 0, 3);
  fields->addWidget(new QLabel(QStringLiteral("Registered Job Number"), this), 0, 4);
  fields->addWidget(m_jobNumber, 0, 5);
  fields->addWidget(new QLabel(QStringLiteral("Title Section"), this), 1, 0);
  fields->addWidget(m_title, 1, 1, 1, 5);

  QPushButton* loadHead = makeButton(this, "LoadHead", "Load from File");
  QPushButton* loadTail = makeButton(this, "LoadTail", "Load from File");
  QPushButton* save = makeButton(this, "Save", "Save");
  QPushButton* cancel = makeButton(this, "Cancel", "Cancel");

  auto* lists = new QGridLayout;
  lists->addWidget(new QLabel(QStringLiteral("Head"), this), 0, 0);
  lists->addWidget(loadHead, 0, 1);
  lists->addWidget(m_head, 1, 0, 1, 2);
  lists->addWidget(m_coordinates, 2, 0, 1, 2);
  lists->addWidget(new QLabel(QStringLiteral("Tail"), this), 3, 0);
  lists->addWidget(loadTail, 3, 1);
  lists->addWidget(m_tail, 4, 0, 1, 2);
  lists->setRowStretch(2, 2);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(lists);
  layout->addLayout(buttons);

  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_importExport.gaussianWindow().visible) operate({"Cancel"});
  });
  refresh();
}

void GaussianWindow::showState() {
  const workbench::GaussianWindow& w = m_importExport.gaussianWindow();
  showValue(m_charge, w.charge);
  showValue(m_multiplicity, w.multiplicity);
  showValue(m_jobNumber, w.jobNumber);
  showText(m_title, w.title);
  showLines(m_head, w.head);
  showLines(m_coordinates, w.coordinates);
  showLines(m_tail, w.tail);
}

QSize GaussianWindow::preferredSize(const QSize& mainSize, int) const {
  return sizeHint().expandedTo(QSize(640, 560)).boundedTo(mainSize);
}

}  // namespace tavo::app
