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
#include "app/windows/widget_helpers.h"
#include "workbench/job_control_commands.h"

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

/// A row of the card buttons (their controls insert the card).
QHBoxLayout* cardButtons(QWidget* parent) {
  auto* row = new QHBoxLayout;
  for (const workbench::JobCard& card : workbench::jobCards())
    row->addWidget(makeButton(parent, card.objectName, card.caption));
  return row;
}

}  // namespace

// ---- TForm5 ----

JobControlWindow::JobControlWindow(JobControlCommands& jobControl, WindowRunner& runner,
                                   QWidget* parent)
    : AuxiliaryWindow("TForm5", "Shelxl-97 Job Control Commands", parent, &runner),
      m_jobControl(jobControl) {
  auto* layout = new QVBoxLayout(this);
  auto* menu = new QMenuBar(this);
  QMenu* file = menu->addMenu(QStringLiteral("&File"));
  makeMenuItem(file, "Print1", "Print");
  makeMenuItem(file, "Exit1", "Exit");
  layout->setMenuBar(menu);

  m_lines = new QListWidget(this);
  m_lines->setObjectName(QStringLiteral("LineList"));
  m_lines->setFont(fixedFont());
  layout->addWidget(m_lines);
  m_edit = makeField(this, "Edit1");
  m_edit->setFont(fixedFont());
  layout->addWidget(m_edit);

  auto* edits = new QHBoxLayout;
  for (QPushButton* b :
       {makeButton(this, "Apply", "Apply"), makeButton(this, "Delete", "Delete"),
        makeButton(this, "MoveUpward", "\u25b2"), makeButton(this, "MoveDwonward", "\u25bc")})
    edits->addWidget(b);
  edits->addStretch();
  layout->addLayout(edits);
  layout->addLayout(cardButtons(this));

  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_jobControl.window().visible) run([this] { m_jobControl.closeWindow(); });
  });
  // Ctrl+E closes the window from inside it too, as the menu item's second use does.
  auto* again = new QShortcut(QKeySequence(QStringLiteral("Ctrl+E")), this);
  connect(again, &QShortcut::activated, this, [this] { operate({"Exit1"}); });
  resize(640, 520);
}

void JobControlWindow::showState() {
  const workbench::JobControlCommands& job = m_jobControl;
  showRows(m_lines, job.lines(), job.window().selectedRow);
  showText(m_edit, job.window().editText);
}

// ---- TForm6 ----

LineEditorWindow::LineEditorWindow(JobControlCommands& jobControl, WindowRunner& runner,
                                   QWidget* parent)
    : AuxiliaryWindow("TForm6", "Edit and Save *.ins file", parent, &runner),
      m_jobControl(jobControl) {
  auto* layout = new QVBoxLayout(this);
  auto* menu = new QMenuBar(this);
  QMenu* file = menu->addMenu(QStringLiteral("&File"));
  makeMenuItem(file, "SaveIns", "SaveIns");
  makeMenuItem(file, "Exit1", "Exit");
  layout->setMenuBar(menu);

  m_target = makeField(this, "TargetName");
  layout->addWidget(m_target);
  m_rows = new QListWidget(this);
  m_rows->setObjectName(QStringLiteral("LineList"));
  m_rows->setFont(fixedFont());
  layout->addWidget(m_rows);
  auto* fieldRow = new QHBoxLayout;
  m_row = makeSpinBox(this, "RowSelector", 0, 0);
  m_edit = makeField(this, "Edit1");
  m_edit->setFont(fixedFont());
  fieldRow->addWidget(m_row);
  fieldRow->addWidget(m_edit, 1);
  layout->addLayout(fieldRow);

  auto* edits = new QHBoxLayout;
  for (QPushButton* b :
       {makeButton(this, "Apply", "Apply"), makeButton(this, "Add", "Add"),
        makeButton(this, "Delete", "Delete"), makeButton(this, "MoveUpward", "\u25b2"),
        makeButton(this, "MoveDwonward", "\u25bc")})
    edits->addWidget(b);
  edits->addStretch();
  layout->addLayout(edits);
  layout->addLayout(cardButtons(this));

  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_jobControl.lineEditor().visible) run([this] { m_jobControl.closeLineEditor(); });
  });
  resize(640, 560);
}

void LineEditorWindow::showState() {
  const workbench::FileLineEditor& editor = m_jobControl.lineEditor();
  showRows(m_rows, editor.rows, editor.selectedRow);
  {
    const QSignalBlocker quiet(m_row);
    m_row->setRange(0, std::max(static_cast<int>(editor.rows.size()) - 1, 0));
  }
  showValue(m_row, editor.selectedRow);
  showText(m_edit, editor.editText);
  showText(m_target, editor.targetName);
}

// ---- TForm11 ----

TextEditorWindow::TextEditorWindow(JobControlCommands& jobControl, WindowRunner& runner,
                                   QWidget* parent)
    : AuxiliaryWindow("TForm11", "Editor", parent, &runner), m_jobControl(jobControl) {
  auto* layout = new QVBoxLayout(this);
  auto* menu = new QMenuBar(this);
  QMenu* file = menu->addMenu(QStringLiteral("&File"));
  makeMenuItem(file, "Open1", "Open");
  makeMenuItem(file, "SaveAndQuit", "Save and Quit");
  makeMenuItem(file, "Print1", "Print");
  makeMenuItem(file, "Exit1", "Exit");
  layout->setMenuBar(menu);
  m_pane = makeTextPane(this, "Memo1");
  layout->addWidget(m_pane);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_jobControl.textEditor().visible) run([this] { m_jobControl.closeTextEditor(); });
  });
  resize(700, 600);
}

void TextEditorWindow::showState() {
  const workbench::TextEditorWindow& editor = m_jobControl.textEditor();
  setWindowTitle(toQString(editor.caption.empty() ? std::string("Editor") : editor.caption));
  // The pane is filled when a file is loaded; the user's typing stays in it.
  if (editor.file.string() != m_shownFile || (editor.visible && isHidden())) {
    m_shownFile = editor.file.string();
    const QSignalBlocker quiet(m_pane);
    m_pane->setPlainText(toQString(editor.text));
  }
}

}  // namespace tavo::app
