// A window with one read-only grid.
#include "app/windows/grid_window.h"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

namespace tavo::app {

GridWindow::GridWindow(std::string_view objectName, std::string_view caption, QWidget* parent,
                       GridModel::Heading heading)
    : AuxiliaryWindow(objectName, caption, parent),
      m_model(new GridModel(heading, this)),
      m_table(new QTableView(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  m_table->setObjectName(QStringLiteral("StringGrid1"));
  m_table->setModel(m_model);
  m_table->verticalHeader()->hide();
  layout->addWidget(m_table);
  resize(460, 220);
}

void GridWindow::setGrid(const text::TextGrid& grid) {
  if (grid == m_model->grid()) return;
  m_model->setGrid(grid);
  m_table->resizeColumnsToContents();
}

}  // namespace tavo::app
