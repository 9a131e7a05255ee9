// The CIF Editor and its line editor: show the window model, forward clicks, typing and menus.
#include "app/windows/cif_editor_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "app/windows/widget_helpers.h"
#include "workbench/cif_commands.h"

namespace tavo::app {

namespace {

using workbench::CifCommands;

}  // namespace

CifEditorWindow::CifEditorWindow(CifCommands& cif, WindowRunner& runner, QWidget* parent)
    : AuxiliaryWindow("TForm10", "CIF Editor", parent, &runner), m_cif(cif) {
  auto* menu = new QMenuBar(this);
  makeMenuItem(menu, "ImportTemplateCIF1", "Import_Template_CIF");
  m_importShelxl = makeMenuItem(menu, "ImportSHELXL97CIF1", "Import_SHELXL97_CIF (*.cif)");
  m_readCifOd = makeMenuItem(menu, "ReadRigakuInfo1", "Read_Rigaku Info (*.cif_od)");
  m_save = makeMenuItem(menu, "SaveNewCIF1", "Save_New_CIF");
  makeMenuItem(menu, "PrintLeft1", "PrintLeft");
  makeMenuItem(menu, "PrintRight1", "PrintRight");
  makeMenuItem(menu, "Exit1", "Exit");
  makeMenuItem(menu, "Instruction1", "Instruction");
  makeMenuItem(menu, "EditLine1", "Edit Line");

  m_work = new QTableWidget(0, 2, this);
  m_work->setObjectName(QStringLiteral("StringGrid1"));
  m_work->setHorizontalHeaderLabels({QStringLiteral("Mark"), QStringLiteral("CIF line")});
  m_work->horizontalHeader()->setStretchLastSection(true);
  m_work->verticalHeader()->setDefaultSectionSize(18);
  m_work->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_work->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_work->setSelectionMode(QAbstractItemView::SingleSelection);
  m_work->setColumnWidth(0, 70);
  m_work->setFont(QFont(QStringLiteral("Monospace"), 9));
  m_work->setWordWrap(false);
  m_work->setTextElideMode(Qt::ElideNone);
  m_source = makeTextPane(this, "StringGrid2", true);
  m_source->setFont(QFont(QStringLiteral("Monospace"), 9));
  m_readBack = new QLabel(this);
  m_readBack->setObjectName(QStringLiteral("ReadBack"));
  m_readBack->setWordWrap(true);
  m_readBack->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* grids = new QHBoxLayout;
  grids->addWidget(m_work, 3);
  grids->addWidget(m_source, 2);
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menu);
  layout->addLayout(grids, 1);
  layout->addWidget(m_readBack);
  resize(1000, 700);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_cif.window().visible) run([this] { m_cif.exit(); });
  });
  refresh();
}

void CifEditorWindow::showState() {
  const workbench::CifEditorWindow& w = m_cif.window();
  m_importShelxl->setEnabled(w.templateRead);
  m_save->setEnabled(w.templateRead);
  m_readCifOd->setEnabled(w.shelxlRead);
  m_readBack->setText(toQString(w.readBack));
  if (w.workLines != m_shownWork) {
    const QSignalBlocker quiet(m_work);
    m_work->setRowCount(static_cast<int>(w.workLines.size()));
    for (std::size_t i = 0; i < w.workLines.size(); ++i) {
      const int row = static_cast<int>(i);
      for (int column = 0; column < 2; ++column) {
        const std::string& text = column == 0 ? w.workLines[i].mark : w.workLines[i].text;
        showCell(m_work, row, column, toQString(text));
      }
    }
    m_shownWork = w.workLines;
  }
  if (w.sourceLines != m_shownSource) {
    QString text;
    for (const std::string& line : w.sourceLines)
      text += toQString(line) + QLatin1Char('\n');
    m_source->setPlainText(text);
    m_shownSource = w.sourceLines;
  }
  if (w.selectedRow >= 0 && w.selectedRow < m_work->rowCount() &&
      m_work->currentRow() != w.selectedRow) {
    const QSignalBlocker quiet(m_work);
    m_work->selectRow(w.selectedRow);
  }
}

CifLineEditorWindow::CifLineEditorWindow(CifCommands& cif, WindowRunner& runner, QWidget* parent)
    : AuxiliaryWindow("TForm36", "Editing CIF Contents", parent, &runner), m_cif(cif) {
  auto* note = new QLabel(
      QStringLiteral("You should keep each line no more than 80 characters (due to regulation "
                     "in CIF dictionary)."),
      this);
  m_text = makeField(this, "Edit1");
  m_text->setFont(QFont(QStringLiteral("Monospace"), 9));
  m_text->setMinimumWidth(640);
  QPushButton* update = makeButton(this, "Update", "Update");
  QPushButton* cancel = makeButton(this, "Cancel", "Cancel");
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_cif.window().lineEditorVisible) run([this] { m_cif.cancelLineEditor(); });
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(update);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note);
  layout->addWidget(m_text);
  layout->addLayout(buttons);
  refresh();
}

void CifLineEditorWindow::showState() {
  const QString text = toQString(m_cif.window().lineEditorText);
  if (m_text->text() != text) {
    const QSignalBlocker quiet(m_text);
    m_text->setText(text);
  }
}

QSize CifEditorWindow::preferredSize(const QSize& mainSize, int pictureHeight) const {
  // No wider than the main window, as tall as the picture.
  return {std::min(width(), mainSize.width()), pictureHeight};
}

}  // namespace tavo::app
