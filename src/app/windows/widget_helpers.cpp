// The windows' building blocks.
#include "app/windows/widget_helpers.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>

#include <algorithm>
#include <climits>

#include "app/grid_model.h"
#include "app/qt_text.h"
#include "app/windows/auxiliary_window.h"

namespace tavo::app {

QPushButton* makeButton(QWidget* parent, std::string_view objectName, std::string_view caption) {
  auto* button = new QPushButton(toQString(caption), parent);
  button->setObjectName(toQString(objectName));
  return button;
}

QAction* makeMenuItem(QWidget* menu, std::string_view objectName, std::string_view caption) {
  auto* item = new QAction(toQString(caption), menu);
  item->setObjectName(toQString(objectName));
  menu->addAction(item);
  return item;
}

QCheckBox* makeCheckBox(QWidget* parent, std::string_view objectName, std::string_view caption) {
  auto* box = new QCheckBox(toQString(caption), parent);
  box->setObjectName(toQString(objectName));
  return box;
}

QLineEdit* makeField(QWidget* parent, std::string_view objectName, bool readOnly, int width) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(toQString(objectName));
  edit->setReadOnly(readOnly);
  if (width > 0) edit->setFixedWidth(width);
  return edit;
}

QLineEdit* makeFinishedField(QWidget* parent, std::string_view objectName, int width) {
  QLineEdit* edit = makeField(parent, objectName, false, width);
  edit->setProperty(AuxiliaryWindow::whenFinishedProperty, true);
  return edit;
}

QSpinBox* makeSpinBox(QWidget* parent, std::string_view objectName, int low, int high) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(toQString(objectName));
  spin->setRange(low, high);
  return spin;
}

QPlainTextEdit* makeTextPane(QWidget* parent, std::string_view objectName, bool readOnly) {
  auto* pane = new QPlainTextEdit(parent);
  pane->setObjectName(toQString(objectName));
  pane->setReadOnly(readOnly);
  pane->setLineWrapMode(QPlainTextEdit::NoWrap);
  pane->setFont(fixedFont());
  return pane;
}

QTableView* makeTable(QWidget* parent, std::string_view objectName, GridModel* model,
                      bool selectRows) {
  auto* view = new QTableView(parent);
  view->setObjectName(toQString(objectName));
  view->setModel(model);
  view->verticalHeader()->hide();
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionMode(QAbstractItemView::ContiguousSelection);
  if (selectRows) view->setSelectionBehavior(QAbstractItemView::SelectRows);
  return view;
}

void addLabelled(QGridLayout* grid, int row, int column, const QString& label, QWidget* field) {
  grid->addWidget(new QLabel(label, field->parentWidget()), row, column);
  grid->addWidget(field, row, column + 1);
}

QFont fixedFont() {
  QFont font(QStringLiteral("Monospace"));
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

void showText(QLineEdit* edit, const std::string& text) {
  const QString shown = toQString(text);
  if (edit->text() == shown) return;
  const QSignalBlocker quiet(edit);
  edit->setText(shown);
}

void showLines(QPlainTextEdit* pane, const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines)
    list << toQString(line);
  const QString text = list.join(QLatin1Char('\n'));
  if (pane->toPlainText() == text) return;
  const QSignalBlocker quiet(pane);
  pane->setPlainText(text);
}

void showValue(QSpinBox* spin, int value) {
  if (spin->value() == value) return;
  const QSignalBlocker quiet(spin);
  spin->setValue(value);
}

bool showCell(QTableWidget* table, int row, int column, const QString& text) {
  QTableWidgetItem* item = table->item(row, column);
  if (item == nullptr) {
    table->setItem(row, column, new QTableWidgetItem(text));
    return true;
  }
  if (item->text() != text) item->setText(text);
  return false;
}

void showChecked(QCheckBox* box, bool on) {
  const QSignalBlocker quiet(box);
  box->setChecked(on);
}

bool selectedBlock(const QAbstractItemView* view, int& top, int& left, int& bottom, int& right) {
  const QModelIndexList cells = view->selectionModel()->selectedIndexes();
  if (cells.isEmpty()) return false;
  top = left = INT_MAX;
  bottom = right = -1;
  for (const QModelIndex& cell : cells) {
    top = std::min(top, cell.row());
    bottom = std::max(bottom, cell.row());
    left = std::min(left, cell.column());
    right = std::max(right, cell.column());
  }
  return true;
}

}  // namespace tavo::app
