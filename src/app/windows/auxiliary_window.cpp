// Placement rules shared by the auxiliary windows.
#include "app/windows/auxiliary_window.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>

#include <algorithm>

#include "app/grid_model.h"
#include "app/qt_text.h"
#include "app/windows/widget_helpers.h"
#include "app/windows/window_runner.h"
#include "workbench/window_declaration.h"

namespace tavo::app {

AuxiliaryWindow::AuxiliaryWindow(std::string_view objectName, std::string_view caption,
                                 QWidget* parent, WindowRunner* runner)
    : QWidget(parent, Qt::Window), m_runner(runner) {
  setObjectName(toQString(objectName));
  setWindowTitle(toQString(caption));
  setAttribute(Qt::WA_QuitOnClose, false);
}

void AuxiliaryWindow::refresh() {
  const bool outer = !m_refreshing;
  m_refreshing = true;
  showState();
  if (outer) m_refreshing = false;
}

void AuxiliaryWindow::showState() {
  if (m_refresher) m_refresher();
}

QSize AuxiliaryWindow::preferredSize(const QSize& mainSize, int) const {
  return size().boundedTo(mainSize);
}

void AuxiliaryWindow::placeCentredOver(const QWidget& main) {
  const QRect frame = main.frameGeometry();
  move(frame.left() + frame.width() / 2 - width() / 2,
       frame.top() + frame.height() / 2 - height() / 2);
}

void AuxiliaryWindow::placeBesidePicture(const QWidget& main, const QWidget& picture) {
  const QRect frame = main.frameGeometry();
  const QRect shown(picture.mapToGlobal(QPoint(0, 0)), picture.size());
  const QScreen* screen = main.screen();
  const QRect room = screen != nullptr ? screen->availableGeometry() : frame;
  resize(size().boundedTo(QSize(room.width(), shown.height())));
  // The frame of a top-level window adds to its size; move() places the frame.
  const int outerWidth = width() + (frameGeometry().width() - geometry().width());
  if (frame.right() + outerWidth <= room.right()) {
    move(frame.right() + 1, shown.top());
  } else if (frame.left() - outerWidth >= room.left()) {
    move(frame.left() - outerWidth, shown.top());
  } else {
    // Over the picture then, clear of the band at its right edge that holds 'Hide', the mode
    // caption and the Apply panel, and of the top and bottom edges (mode inputs, numeric bar).
    constexpr int rightBand = 200;
    resize(std::max(std::min(width(), shown.width() - rightBand), 1), height());
    move(shown.left(), shown.top() + (shown.height() - height()) / 2);
  }
}

void AuxiliaryWindow::placeAsHelpOver(const QWidget& main, int surfaceHeight) {
  const QRect frame = main.frameGeometry();
  resize(width(), surfaceHeight);
  move(frame.left() + frame.width() / 2 - width() / 2,
       frame.top() + (frame.height() - surfaceHeight) / 2);
}

}  // namespace tavo::app

namespace tavo::app {

void AuxiliaryWindow::keyPressEvent(QKeyEvent* event) {
  // Esc closes the window, as it closes a dialog; the key comes here from whichever child has
  // the focus when that child has no use for it.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void AuxiliaryWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit closed();
}

}  // namespace tavo::app

// ---- binding the widgets to the declared controls ----

namespace tavo::app {

namespace {

std::string number(int value) {
  return std::to_string(value);
}

/// The grid's own number of the view's row `row` (a grid with a heading row counts it).
int gridRow(const QAbstractItemView* view, int row) {
  const auto* grid = dynamic_cast<const GridModel*>(view->model());
  return grid != nullptr ? grid->gridRow(row) : row;
}

}  // namespace

void AuxiliaryWindow::setTableWords(const QString& objectName, TableWords words) {
  m_tableWords[objectName] = std::move(words);
}

bool AuxiliaryWindow::operate(std::vector<std::string> words) {
  if (m_refreshing || m_runner == nullptr) return false;
  return m_runner->operate(toStd(objectName()), words);
}

bool AuxiliaryWindow::shownByCore() const {
  return m_declaration != nullptr && m_declaration->isShown();
}

bool AuxiliaryWindow::run(const std::function<void()>& command) {
  if (m_refreshing || m_runner == nullptr) return false;
  return m_runner->run(command);
}

void AuxiliaryWindow::bindControls(const workbench::WindowDeclaration& declaration,
                                   WindowRunner& runner) {
  m_runner = &runner;
  m_bindingDone = true;
  m_declaration = &declaration;
  const QList<QObject*> children = findChildren<QObject*>();
  for (const workbench::ControlDeclaration& control : declaration.controls) {
    for (QObject* child : children) {
      const QString name = child->objectName();
      if (name.isEmpty() || !control.answersTo(toStd(name))) continue;
      if (std::find(m_bound.begin(), m_bound.end(), child) != m_bound.end()) continue;
      bindWidget(child, control);
    }
  }
}

void AuxiliaryWindow::bindWidget(QObject* widget, const workbench::ControlDeclaration& declared) {
  const std::string control = declared.name;
  const bool choice = declared.kind == workbench::ControlKind::Choice;
  const auto set = [this, control](std::string value) { operate({"set", control, value}); };
  const auto press = [this, control] { operate({"press", control}); };
  if (auto* item = qobject_cast<QAction*>(widget); item && !(choice && item->isCheckable())) {
    connect(item, &QAction::triggered, this, press);
  } else if (item != nullptr) {
    connect(item, &QAction::toggled, this, [set](bool on) { set(on ? "1" : "0"); });
  } else if (auto* box = qobject_cast<QAbstractButton*>(widget); box && choice) {
    // A radio button of a group says only that it is chosen now.
    const bool exclusive = box->autoExclusive();
    connect(box, &QAbstractButton::toggled, this, [set, exclusive](bool on) {
      if (on || !exclusive) set(on ? "1" : "0");
    });
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    connect(button, &QAbstractButton::clicked, this, press);
  } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    if (edit->property(whenFinishedProperty).toBool()) {
      connect(edit, &QLineEdit::editingFinished, this, [set, edit] { set(toStd(edit->text())); });
    } else {
      connect(edit, &QLineEdit::textEdited, this, [set](const QString& t) { set(toStd(t)); });
    }
  } else if (auto* pane = qobject_cast<QPlainTextEdit*>(widget)) {
    connect(pane, &QPlainTextEdit::textChanged, this,
            [set, pane] { set(toStd(pane->toPlainText())); });
  } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
    connect(spin, &QSpinBox::valueChanged, this, [set](int value) { set(number(value)); });
  } else if (auto* choices = qobject_cast<QComboBox*>(widget)) {
    connect(choices, &QComboBox::currentIndexChanged, this,
            [set](int index) { set(number(index)); });
  } else if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
    bindTable(view, control, static_cast<bool>(declared.doubleClick));
  } else {
    return;
  }
  m_bound.push_back(widget);
}

void AuxiliaryWindow::bindTable(QAbstractItemView* view, const std::string& control,
                                bool doubleClick) {
  const TableWords words = m_tableWords[view->objectName()];
  connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this, view, control, words] {
            if (m_refreshing) return;
            std::vector<std::string> values;
            if (words.selection) {
              values = words.selection();
            } else if (int top = 0, left = 0, bottom = 0, right = 0;
                       selectedBlock(view, top, left, bottom, right)) {
              values = {number(gridRow(view, top)), number(gridRow(view, bottom))};
            }
            if (values.empty()) return;
            values.insert(values.begin(), {"set", control});
            operate(values);
          });
  if (!doubleClick) return;
  const auto doubleClicked = [this, view, control, words](const QModelIndex& cell) {
    std::vector<std::string> values =
        words.doubleClick
            ? words.doubleClick(cell)
            : std::vector<std::string>{number(gridRow(view, cell.row())), number(cell.column())};
    values.insert(values.begin(), {"DoubleClick", control});
    operate(values);
  };
  // A table widget passes its view's double click on as its cell's.
  if (auto* cells = qobject_cast<QTableWidget*>(view)) {
    connect(cells, &QTableWidget::cellDoubleClicked, this,
            [cells, doubleClicked](int r, int c) { doubleClicked(cells->model()->index(r, c)); });
  } else {
    connect(view, &QAbstractItemView::doubleClicked, this, doubleClicked);
  }
}

}  // namespace tavo::app
