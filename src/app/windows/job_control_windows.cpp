// The job-control window, the line editor and the text editor.
#include "app/windows/job_control_windows.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

#include "app/qt_text.h"
#include "workbench/workbench.h"

namespace tavo::app {

namespace {

using workbench::JobControlCommands;

/// The list shows `rows`; the selected row is `selected`.
void showRows(QListWidget* list, const std::vector<std::string>& rows, int selected) {
  const QSignalBlocker quiet(list);
  bool same = list->count() == static_cast<int>(rows.size());
  for (int r = 0; same && r < list->count(); ++r)
    same = list->item(r)->text() == toQString(rows[static_cast<std::size_t>(r)]);
  if (!same) {
    list->clear();
    for (const std::string& row : rows)
      list->addItem(toQString(row));
  }
  list->setCurrentRow(selected);
}

void showText(QLineEdit* field, const std::string& text) {
  const QString shown = toQString(text);
  if (field->text() == shown) return;
  const QSignalBlocker quiet(field);
  field->setText(shown);
}

QPushButton* button(QWidget* parent, const char* caption, const char* objectName) {
  auto* made = new QPushButton(QString::fromUtf8(caption), parent);
  made->setObjectName(QString::fromUtf8(objectName));
  return made;
}

/// A row of the card buttons; `insert` runs for the card pressed.
QHBoxLayout* cardButtons(QWidget* parent,
                         const std::function<void(const workbench::JobCard&)>& insert) {
  auto* row = new QHBoxLayout;
  for (const workbench::JobCard& card : workbench::jobCards()) {
    auto* made = new QPushButton(toQString(card.caption), parent);
    made->setObjectName(toQString(card.objectName));
    QObject::connect(made, &QPushButton::clicked, parent, [insert, &card] { insert(card); });
    row->addWidget(made);
  }
  return row;
}

QFont fixedFont() {
  QFont font(QStringLiteral("Monospace"));
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace

// ---- TForm5 ----

JobControlWindow::JobControlWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm5", "Shelxl-97 Job Control Commands", parent), m_bench(bench) {
  auto* layout = new QVBoxLayout(this);
  auto* menu = new QMenuBar(this);
  QMenu* file = menu->addMenu(QStringLiteral("&File"));
  QAction* print = file->addAction(QStringLiteral("Print"));
  print->setObjectName(QStringLiteral("Print1"));
  QAction* exit = file->addAction(QStringLiteral("Exit"));
  exit->setObjectName(QStringLiteral("Exit1"));
  layout->setMenuBar(menu);

  m_lines = new QListWidget(this);
  m_lines->setObjectName(QStringLiteral("LineList"));
  m_lines->setFont(fixedFont());
  layout->addWidget(m_lines);
  m_edit = new QLineEdit(this);
  m_edit->setObjectName(QStringLiteral("Edit1"));
  m_edit->setFont(fixedFont());
  layout->addWidget(m_edit);

  auto* edits = new QHBoxLayout;
  QPushButton* apply = button(this, "Apply", "Apply");
  QPushButton* remove = button(this, "Delete", "Delete");
  QPushButton* up = button(this, "\u25b2", "MoveUpward");
  QPushButton* down = button(this, "\u25bc", "MoveDwonward");
  for (QPushButton* b : {apply, remove, up, down})
    edits->addWidget(b);
  edits->addStretch();
  layout->addLayout(edits);
  layout->addLayout(cardButtons(this, [this](const workbench::JobCard& card) {
    m_bench.run([this, &card] { m_bench.jobControl().insertCard(card); });
  }));

  connect(m_lines, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) m_bench.run([this, row] { m_bench.jobControl().selectRow(row); });
  });
  connect(m_edit, &QLineEdit::textEdited, this,
          [this](const QString& text) { m_bench.jobControl().setEditText(toStd(text)); });
  connect(apply, &QPushButton::clicked, this, [this] { run(&JobControlCommands::apply); });
  connect(remove, &QPushButton::clicked, this, [this] { run(&JobControlCommands::deleteRow); });
  connect(up, &QPushButton::clicked, this, [this] { run(&JobControlCommands::moveUp); });
  connect(down, &QPushButton::clicked, this, [this] { run(&JobControlCommands::moveDown); });
  connect(print, &QAction::triggered, this, [this] { run(&JobControlCommands::print); });
  connect(exit, &QAction::triggered, this, [this] { run(&JobControlCommands::closeWindow); });
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.jobControl().window().visible) run(&JobControlCommands::closeWindow);
  });
  // Ctrl+E closes the window from inside it too, as the menu item's second use does.
  auto* again = new QShortcut(QKeySequence(QStringLiteral("Ctrl+E")), this);
  connect(again, &QShortcut::activated, this, [this] { run(&JobControlCommands::closeWindow); });
  resize(640, 520);
}

void JobControlWindow::run(void (JobControlCommands::*command)()) {
  m_bench.run([this, command] { (m_bench.jobControl().*command)(); });
}

void JobControlWindow::refresh() {
  const workbench::JobControlCommands& job = m_bench.jobControl();
  showRows(m_lines, job.lines(), job.window().selectedRow);
  showText(m_edit, job.window().editText);
}

// ---- TForm6 ----

LineEditorWindow::LineEditorWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm6", "Edit and Save *.ins file", parent), m_bench(bench) {
  auto* layout = new QVBoxLayout(this);
  auto* menu = new QMenuBar(this);
  QMenu* file = menu->addMenu(QStringLiteral("&File"));
  QAction* save = file->addAction(QStringLiteral("SaveIns"));
  save->setObjectName(QStringLiteral("SaveIns"));
  QAction* exit = file->addAction(QStringLiteral("Exit"));
  exit->setObjectName(QStringLiteral("Exit1"));
  layout->setMenuBar(menu);

  m_target = new QLineEdit(this);
  m_target->setObjectName(QStringLiteral("TargetName"));
  layout->addWidget(m_target);
  m_rows = new QListWidget(this);
  m_rows->setObjectName(QStringLiteral("LineList"));
  m_rows->setFont(fixedFont());
  layout->addWidget(m_rows);
  auto* fieldRow = new QHBoxLayout;
  m_row = new QSpinBox(this);
  m_row->setObjectName(QStringLiteral("RowSelector"));
  m_edit = new QLineEdit(this);
  m_edit->setObjectName(QStringLiteral("Edit1"));
  m_edit->setFont(fixedFont());
  fieldRow->addWidget(m_row);
  fieldRow->addWidget(m_edit, 1);
  layout->addLayout(fieldRow);

  auto* edits = new QHBoxLayout;
  QPushButton* apply = button(this, "Apply", "Apply");
  QPushButton* add = button(this, "Add", "Add");
  QPushButton* remove = button(this, "Delete", "Delete");
  QPushButton* up = button(this, "\u25b2", "MoveUpward");
  QPushButton* down = button(this, "\u25bc", "MoveDwonward");
  for (QPushButton* b : {apply, add, remove, up, down})
    edits->addWidget(b);
  edits->addStretch();
  layout->addLayout(edits);
  layout->addLayout(cardButtons(this, [this](const workbench::JobCard& card) {
    m_bench.run([this, &card] { m_bench.jobControl().editorInsertCard(card); });
  }));

  const auto select = [this](int row) {
    if (row >= 0) m_bench.run([this, row] { m_bench.jobControl().selectEditorRow(row); });
  };
  connect(m_rows, &QListWidget::currentRowChanged, this, select);
  connect(m_row, &QSpinBox::valueChanged, this, select);
  connect(m_edit, &QLineEdit::textEdited, this,
          [this](const QString& text) { m_bench.jobControl().setEditorText(toStd(text)); });
  connect(m_target, &QLineEdit::textEdited, this,
          [this](const QString& text) { m_bench.jobControl().setTargetName(toStd(text)); });
  connect(apply, &QPushButton::clicked, this, [this] { run(&JobControlCommands::editorApply); });
  connect(add, &QPushButton::clicked, this, [this] { run(&JobControlCommands::editorAdd); });
  connect(remove, &QPushButton::clicked, this, [this] { run(&JobControlCommands::editorDelete); });
  connect(up, &QPushButton::clicked, this, [this] { run(&JobControlCommands::editorMoveUp); });
  connect(down, &QPushButton::clicked, this, [this] { run(&JobControlCommands::editorMoveDown); });
  connect(save, &QAction::triggered, this, [this] { run(&JobControlCommands::saveLineEditor); });
  connect(exit, &QAction::triggered, this, [this] { run(&JobControlCommands::closeLineEditor); });
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.jobControl().lineEditor().visible) run(&JobControlCommands::closeLineEditor);
  });
  resize(640, 560);
}

void LineEditorWindow::run(void (JobControlCommands::*command)()) {
  m_bench.run([this, command] { (m_bench.jobControl().*command)(); });
}

void LineEditorWindow::refresh() {
  const workbench::FileLineEditor& editor = m_bench.jobControl().lineEditor();
  showRows(m_rows, editor.rows, editor.selectedRow);
  {
    const QSignalBlocker quiet(m_row);
    m_row->setRange(0, std::max(static_cast<int>(editor.rows.size()) - 1, 0));
    m_row->setValue(editor.selectedRow);
  }
  showText(m_edit, editor.editText);
  showText(m_target, editor.targetName);
}

// ---- TForm11 ----

TextEditorWindow::TextEditorWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm11", "Editor", parent), m_bench(bench) {
  auto* layout = new QVBoxLayout(this);
  auto* menu = new QMenuBar(this);
  QMenu* file = menu->addMenu(QStringLiteral("&File"));
  QAction* open = file->addAction(QStringLiteral("Open"));
  open->setObjectName(QStringLiteral("Open1"));
  QAction* save = file->addAction(QStringLiteral("Save and Quit"));
  save->setObjectName(QStringLiteral("SaveAndQuit"));
  QAction* print = file->addAction(QStringLiteral("Print"));
  print->setObjectName(QStringLiteral("Print1"));
  QAction* exit = file->addAction(QStringLiteral("Exit"));
  exit->setObjectName(QStringLiteral("Exit1"));
  layout->setMenuBar(menu);
  m_pane = new QPlainTextEdit(this);
  m_pane->setObjectName(QStringLiteral("Memo1"));
  m_pane->setFont(fixedFont());
  m_pane->setLineWrapMode(QPlainTextEdit::NoWrap);
  layout->addWidget(m_pane);
  connect(m_pane, &QPlainTextEdit::textChanged, this,
          [this] { m_bench.jobControl().setEditorPaneText(toStd(m_pane->toPlainText())); });
  connect(open, &QAction::triggered, this,
          [this] { m_bench.run([this] { m_bench.jobControl().openTextEditor(); }); });
  connect(save, &QAction::triggered, this,
          [this] { m_bench.run([this] { m_bench.jobControl().saveTextEditor(); }); });
  connect(print, &QAction::triggered, this,
          [this] { m_bench.run([this] { m_bench.jobControl().printTextEditor(); }); });
  connect(exit, &QAction::triggered, this,
          [this] { m_bench.run([this] { m_bench.jobControl().closeTextEditor(); }); });
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.jobControl().textEditor().visible)
      m_bench.run([this] { m_bench.jobControl().closeTextEditor(); });
  });
  resize(700, 600);
}

void TextEditorWindow::refresh() {
  const workbench::TextEditorWindow& editor = m_bench.jobControl().textEditor();
  setWindowTitle(toQString(editor.caption.empty() ? std::string("Editor") : editor.caption));
  // The pane is filled when a file is loaded; the user's typing stays in it.
  if (editor.file.string() != m_shownFile || (editor.visible && isHidden())) {
    m_shownFile = editor.file.string();
    const QSignalBlocker quiet(m_pane);
    m_pane->setPlainText(toQString(editor.text));
  }
}

}  // namespace tavo::app
