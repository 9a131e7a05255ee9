// The parameter windows: Edit Parameters, Setting the Parameter and the overall shift.
#include "app/windows/parameter_windows.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "app/qt_text.h"
#include "text/text.h"
#include "workbench/workbench.h"

namespace tavo::app {

namespace {

using Option = workbench::SettingParameterWindow::Option;

constexpr std::array<const char*, 11> parameterCaptions = {"",    "X",   "Y",   "Z",   "sof", "U11",
                                                           "U22", "U33", "U23", "U13", "U12"};

QLineEdit* field(const QString& objectName, QWidget* parent, int width = 90) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(objectName);
  edit->setFixedWidth(width);
  return edit;
}

QPushButton* button(const char* caption, QWidget* parent) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setObjectName(QString::fromLatin1(caption).remove(QLatin1Char(' ')));
  return b;
}

void setText(QLineEdit* edit, const std::string& text) {
  const QString shown = toQString(text);
  if (edit->text() == shown) return;
  const QSignalBlocker quiet(edit);
  edit->setText(shown);
}

void setSpin(QSpinBox* spin, int low, int high, int value) {
  const QSignalBlocker quiet(spin);
  spin->setRange(low, high);
  spin->setValue(value);
}

}  // namespace

// ---- Edit Parameters ----------------------------------------------------------------------

EditParametersWindow::EditParametersWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm24", "Edit Parameters", parent), m_bench(bench) {
  auto* top = new QHBoxLayout;
  m_kind = new QSpinBox(this);
  m_kind->setObjectName(QStringLiteral("SpinEdit1"));
  m_number = new QSpinBox(this);
  m_number->setObjectName(QStringLiteral("SpinEdit2"));
  top->addWidget(new QLabel(QStringLiteral("Kind (1 = non-H, 2 = H)"), this));
  top->addWidget(m_kind);
  top->addWidget(new QLabel(QStringLiteral("No."), this));
  top->addWidget(m_number);
  top->addStretch(1);

  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(2);
  grid->addWidget(new QLabel(QStringLiteral("Parameters"), this), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Fix/FVAR"), this), 0, 2);
  for (std::size_t p = 1; p <= 10; ++p) {
    const int row = static_cast<int>(p);
    const QString name = QString::fromLatin1(parameterCaptions[p]);
    grid->addWidget(new QLabel(name, this), row, 0);
    m_values[p] = field(QStringLiteral("Value%1").arg(p), this, 110);
    m_codes[p] = field(QStringLiteral("Code%1").arg(p), this, 80);
    grid->addWidget(m_values[p], row, 1);
    grid->addWidget(m_codes[p], row, 2);
    const std::string key = text::upper(parameterCaptions[p]);
    connect(m_values[p], &QLineEdit::textEdited, this,
            [this, key](const QString& t) { m_bench.parameters().setEditorField(key, toStd(t)); });
    connect(m_codes[p], &QLineEdit::textEdited, this, [this, key](const QString& t) {
      m_bench.parameters().setEditorField(key + "_FV", toStd(t));
    });
  }
  const std::array<std::pair<const char*, QLineEdit**>, 4> others = {{
      {"Label", &m_label},
      {"SFAC", &m_sfac},
      {"PART", &m_part},
      {"AFIX", &m_afix},
  }};
  int row = 11;
  for (const auto& [caption, edit] : others) {
    grid->addWidget(new QLabel(QString::fromLatin1(caption), this), row, 0);
    *edit = field(QString::fromLatin1(caption), this, 110);
    grid->addWidget(*edit, row++, 1);
    const std::string key = caption;
    connect(*edit, &QLineEdit::textEdited, this,
            [this, key](const QString& t) { m_bench.parameters().setEditorField(key, toStd(t)); });
  }

  auto* buttons = new QHBoxLayout;
  QPushButton* update = button("Update", this);
  QPushButton* cancel = button("Cancel", this);
  QPushButton* quit = button("Quit", this);
  for (QPushButton* b : {update, cancel, quit})
    buttons->addWidget(b);
  connect(update, &QPushButton::clicked, this,
          [this] { run([this] { m_bench.parameters().updateEditor(); }); });
  connect(cancel, &QPushButton::clicked, this,
          [this] { run([this] { m_bench.parameters().cancelEditor(); }); });
  connect(quit, &QPushButton::clicked, this, &QWidget::close);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.parameters().editorVisible()) run([this] { m_bench.parameters().quitEditor(); });
  });
  connect(m_kind, &QSpinBox::valueChanged, this,
          [this](int v) { run([this, v] { m_bench.parameters().setEditorKind(v); }); });
  connect(m_number, &QSpinBox::valueChanged, this,
          [this](int v) { run([this, v] { m_bench.parameters().setEditorNumber(v); }); });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  refresh();
}

void EditParametersWindow::run(const std::function<void()>& command) {
  m_bench.run(command);
}

void EditParametersWindow::showState() {
  const workbench::EditParametersWindow& w = m_bench.parameters().editor();
  setSpin(m_kind, 1, w.kindMax, w.kind);
  setSpin(m_number, 1, w.numberMax, w.number);
  for (std::size_t p = 1; p <= 10; ++p) {
    setText(m_values[p], w.fields.values[p]);
    setText(m_codes[p], w.fields.codes[p]);
  }
  setText(m_label, w.fields.label);
  setText(m_sfac, w.fields.sfac);
  setText(m_part, w.fields.part);
  setText(m_afix, w.fields.afix);
}

// ---- Setting the Parameter ----------------------------------------------------------------

SettingParameterWindow::SettingParameterWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm30", "Setting the Parameter", parent), m_bench(bench) {
  auto* grid = new QGridLayout;
  m_parameter = new QSpinBox(this);
  m_parameter->setObjectName(QStringLiteral("SpinEdit1"));
  m_parameter->setRange(1, 10);
  m_name = new QLabel(this);
  grid->addWidget(new QLabel(QStringLiteral("Parameter"), this), 0, 0);
  grid->addWidget(m_parameter, 0, 1);
  grid->addWidget(m_name, 0, 2);
  m_code = field(QStringLiteral("Code"), this);
  m_fvarNumber = field(QStringLiteral("FvarNumber"), this);
  m_value = field(QStringLiteral("Value"), this);
  grid->addWidget(new QLabel(QStringLiteral("Code"), this), 1, 0);
  grid->addWidget(m_code, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("FVAR No."), this), 2, 0);
  grid->addWidget(m_fvarNumber, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("Value"), this), 3, 0);
  grid->addWidget(m_value, 3, 1);
  connect(m_code, &QLineEdit::textEdited, this,
          [this](const QString& t) { m_bench.parameters().setSettingCode(toStd(t)); });
  connect(m_fvarNumber, &QLineEdit::textEdited, this,
          [this](const QString& t) { m_bench.parameters().setSettingFvarNumber(toStd(t)); });
  connect(m_value, &QLineEdit::textEdited, this,
          [this](const QString& t) { m_bench.parameters().setSettingValue(toStd(t)); });
  connect(m_parameter, &QSpinBox::valueChanged, this,
          [this](int p) { run([this, p] { m_bench.parameters().setSettingParameter(p); }); });

  auto* options = new QVBoxLayout;
  const std::array<std::pair<const char*, Option>, 4> captions = {{
      {"Add New FVAR", Option::AddNewFvar},
      {"Use PreDefined", Option::UsePreDefined},
      {"Fixed Value", Option::FixedValue},
      {"Unfixed Value", Option::UnfixedValue},
  }};
  for (std::size_t i = 0; i < captions.size(); ++i) {
    m_options[i] = new QCheckBox(QString::fromLatin1(captions[i].first), this);
    m_options[i]->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
    options->addWidget(m_options[i]);
    const Option option = captions[i].second;
    connect(m_options[i], &QCheckBox::clicked, this, [this, option] {
      run([this, option] { m_bench.parameters().chooseSettingOption(option); });
    });
  }
  m_list = new QTableWidget(this);
  m_list->setObjectName(QStringLiteral("StringGrid1"));
  m_list->setColumnCount(2);
  m_list->setHorizontalHeaderLabels({QStringLiteral("No."), QStringLiteral("FVAR")});
  m_list->verticalHeader()->hide();
  m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setMaximumHeight(160);
  connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int) {
    run([this, row] { m_bench.parameters().selectSettingRow(row + 1); });
  });

  auto* buttons = new QHBoxLayout;
  QPushButton* update = button("Update", this);
  QPushButton* cancel = button("Cancel", this);
  buttons->addWidget(update);
  buttons->addWidget(cancel);
  connect(update, &QPushButton::clicked, this,
          [this] { run([this] { m_bench.parameters().updateSetting(); }); });
  connect(cancel, &QPushButton::clicked, this, &QWidget::close);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.parameters().setting().visible)
      run([this] { m_bench.parameters().cancelSetting(); });
  });

  auto* layout = new QVBoxLayout(this);
  auto* upper = new QHBoxLayout;
  upper->addLayout(grid);
  upper->addLayout(options);
  layout->addLayout(upper);
  layout->addWidget(m_list);
  layout->addLayout(buttons);
  refresh();
}

void SettingParameterWindow::run(const std::function<void()>& command) {
  m_bench.run(command);
}

void SettingParameterWindow::showState() {
  const workbench::SettingParameterWindow& w = m_bench.parameters().setting();
  setSpin(m_parameter, 1, 10, w.parameter);
  m_name->setText(toQString(w.parameterName));
  setText(m_code, w.code);
  setText(m_fvarNumber, w.fvarNumber);
  setText(m_value, w.value);
  const std::array<Option, 4> order = {Option::AddNewFvar, Option::UsePreDefined,
                                       Option::FixedValue, Option::UnfixedValue};
  for (std::size_t i = 0; i < order.size(); ++i) {
    const QSignalBlocker quiet(m_options[i]);
    m_options[i]->setChecked(w.option == order[i]);
  }
  const int rows = w.fvarList.rowCount() - 1;
  m_list->setRowCount(std::max(rows, 0));
  for (int r = 1; r <= rows; ++r) {
    for (int c = 0; c < 2; ++c) {
      const QString t = toQString(w.fvarList.cell(r, c));
      QTableWidgetItem* item = m_list->item(r - 1, c);
      if (item == nullptr) {
        m_list->setItem(r - 1, c, new QTableWidgetItem(t));
      } else if (item->text() != t) {
        item->setText(t);
      }
    }
  }
  m_list->setEnabled(w.listEnabled);
}

// ---- Making Overall Shifts in Coordinates -------------------------------------------------

ShiftWindow::ShiftWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm26", "Making Overall Shifts in Coordinates", parent), m_bench(bench) {
  auto* grid = new QGridLayout;
  const std::array<const char*, 3> captions = {"Shift in X", "Shift in Y", "Shift in Z"};
  for (std::size_t i = 0; i < 3; ++i) {
    m_shifts[i] = new QSpinBox(this);
    m_shifts[i]->setObjectName(QStringLiteral("SpinEdit%1").arg(i + 1));
    m_shifts[i]->setRange(-5, 5);
    grid->addWidget(new QLabel(QString::fromLatin1(captions[i]), this), static_cast<int>(i), 0);
    grid->addWidget(m_shifts[i], static_cast<int>(i), 1);
    const int axis = static_cast<int>(i) + 1;
    connect(m_shifts[i], &QSpinBox::valueChanged, this, [this, axis](int v) {
      run([this, axis, v] { m_bench.parameters().setShift(axis, v); });
    });
  }
  auto* buttons = new QHBoxLayout;
  QPushButton* ok = button("OK", this);
  QPushButton* cancel = button("Cancel", this);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  connect(ok, &QPushButton::clicked, this,
          [this] { run([this] { m_bench.parameters().applyShift(); }); });
  connect(cancel, &QPushButton::clicked, this, &QWidget::close);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.parameters().shift().visible) run([this] { m_bench.parameters().cancelShift(); });
  });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  refresh();
}

void ShiftWindow::run(const std::function<void()>& command) {
  m_bench.run(command);
}

void ShiftWindow::showState() {
  const workbench::ShiftWindow& w = m_bench.parameters().shift();
  for (std::size_t i = 0; i < 3; ++i)
    setSpin(m_shifts[i], -5, 5, w.shift[i]);
}

}  // namespace tavo::app
