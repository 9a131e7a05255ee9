// The Gaussian input window: shows the window model and forwards typing and buttons.
#include "app/windows/gaussian_window.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "app/windows/window_set.h"
#include "workbench/workbench.h"

namespace tavo::app {

namespace {

QString joinedLines(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines)
    list << toQString(line);
  return list.join(QLatin1Char('\n'));
}

void showValue(QPlainTextEdit* edit, const std::vector<std::string>& lines) {
  const QString text = joinedLines(lines);
  if (edit->toPlainText() == text) return;
  const QSignalBlocker quiet(edit);
  edit->setPlainText(text);
}

void showValue(QSpinBox* spin, int value) {
  if (spin->value() == value) return;
  const QSignalBlocker quiet(spin);
  spin->setValue(value);
}

QSpinBox* spinBox(QWidget* parent, const char* objectName, int low, int high) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromLatin1(objectName));
  spin->setRange(low, high);
  return spin;
}

QPlainTextEdit* list(QWidget* parent, const char* objectName, bool readOnly) {
  auto* edit = new QPlainTextEdit(parent);
  edit->setObjectName(QString::fromLatin1(objectName));
  edit->setReadOnly(readOnly);
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setFont(QFont(QStringLiteral("Monospace")));
  return edit;
}

}  // namespace

GaussianWindow::GaussianWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm25", "Setting up a Gaussian Input Command File to be Saved", parent),
      m_bench(bench) {
  m_charge = spinBox(this, "SpinEdit1", -100, 100);
  m_multiplicity = spinBox(this, "SpinEdit2", 1, 100);
  m_jobNumber = spinBox(this, "SpinEdit3", 1, 100);
  m_title = new QLineEdit(this);
  m_title->setObjectName(QStringLiteral("TitleEdit"));
  m_head = list(this, "HeadMemo", false);
  m_coordinates = list(this, "CoordinatesMemo", false);
  m_tail = list(this, "TailMemo", false);

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("Charge"), this), 0, 0);
  fields->addWidget(m_charge, 0, 1);
  fields->addWidget(new QLabel(QStringLiteral("Multiplicity"), this), 0, 2);
  fields->addWidget(m_multiplicity, 0, 3);
  fields->addWidget(new QLabel(QStringLiteral("Registered Job Number"), this), 0, 4);
  fields->addWidget(m_jobNumber, 0, 5);
  fields->addWidget(new QLabel(QStringLiteral("Title Section"), this), 1, 0);
  fields->addWidget(m_title, 1, 1, 1, 5);

  const auto button = [this](const char* caption, const char* objectName) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(QString::fromLatin1(objectName));
    return b;
  };
  QPushButton* loadHead = button("Load from File", "LoadHead");
  QPushButton* loadTail = button("Load from File", "LoadTail");
  QPushButton* save = button("Save", "Save");
  QPushButton* cancel = button("Cancel", "Cancel");

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

  connect(m_charge, &QSpinBox::valueChanged, this,
          [this](int v) { set("SpinEdit1", QString::number(v)); });
  connect(m_multiplicity, &QSpinBox::valueChanged, this,
          [this](int v) { set("SpinEdit2", QString::number(v)); });
  connect(m_jobNumber, &QSpinBox::valueChanged, this,
          [this](int v) { set("SpinEdit3", QString::number(v)); });
  connect(m_title, &QLineEdit::textEdited, this, [this](const QString& t) { set("TitleEdit", t); });
  connect(m_head, &QPlainTextEdit::textChanged, this,
          [this] { set("HeadMemo", m_head->toPlainText()); });
  connect(m_tail, &QPlainTextEdit::textChanged, this,
          [this] { set("TailMemo", m_tail->toPlainText()); });
  connect(m_coordinates, &QPlainTextEdit::textChanged, this,
          [this] { set("CoordinatesMemo", m_coordinates->toPlainText()); });
  connect(loadHead, &QPushButton::clicked, this, [this] { set("LoadHead", {}); });
  connect(loadTail, &QPushButton::clicked, this, [this] { set("LoadTail", {}); });
  connect(save, &QPushButton::clicked, this, [this] { set("Save", {}); });
  connect(cancel, &QPushButton::clicked, this, [this] { set("Cancel", {}); });
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.importExport().gaussianWindow().visible) set("Cancel", {});
  });
  refresh();
}

void GaussianWindow::set(std::string_view control, const QString& value) {
  const std::string text = toStd(value);
  m_bench.operateWindow("TForm25", {std::string(control), text});
}

void GaussianWindow::showState() {
  const workbench::GaussianWindow& w = m_bench.importExport().gaussianWindow();
  showValue(m_charge, w.charge);
  showValue(m_multiplicity, w.multiplicity);
  showValue(m_jobNumber, w.jobNumber);
  if (m_title->text() != toQString(w.title)) {
    const QSignalBlocker quiet(m_title);
    m_title->setText(toQString(w.title));
  }
  showValue(m_head, w.head);
  showValue(m_coordinates, w.coordinates);
  showValue(m_tail, w.tail);
}

QSize GaussianWindow::preferredSize(const QSize& mainSize, int) const {
  return sizeHint().expandedTo(QSize(640, 560)).boundedTo(mainSize);
}

}  // namespace tavo::app
