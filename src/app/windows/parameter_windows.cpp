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
#include "app/windows/widget_helpers.h"
#include "text/text.h"
#include "workbench/parameter_commands.h"

namespace tavo::app {

namespace {

using Option = workbench::SettingParameterWindow::Option;

constexpr std::array<const char*, 11> parameterCaptions = {"",    "X",   "Y",   "Z",   "sof", "U11",
                                                           "U22", "U33", "U23", "U13", "U12"};

void setSpin(QSpinBox* spin, int low, int high, int value) {
  const QSignalBlocker quiet(spin);
  spin->setRange(low, high);
  spin->setValue(value);
}

}  // namespace

// ---- Edit Parameters ----------------------------------------------------------------------

EditParametersWindow::EditParametersWindow(workbench::ParameterCommands& parameters,
                                           WindowRunner& runner, QWidget* parent)
    : AuxiliaryWindow("TForm24", "Edit Parameters", parent, &runner), m_parameters(parameters) {
  auto* top = new QHBoxLayout;
  m_kind = makeSpinBox(this, "SpinEdit1", 0, 99);
  m_number = makeSpinBox(this, "SpinEdit2", 0, 99);
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
    m_values[p] = makeField(this, "Value" + std::to_string(p), false, 110);
    m_codes[p] = makeField(this, "Code" + std::to_string(p), false, 80);
    grid->addWidget(m_values[p], row, 1);
    grid->addWidget(m_codes[p], row, 2);
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
    *edit = makeField(this, caption, false, 110);
    grid->addWidget(*edit, row++, 1);
  }

  auto* buttons = new QHBoxLayout;
  for (const char* caption : {"Update", "Cancel", "Quit"})
    buttons->addWidget(makeButton(this, caption, caption));
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_parameters.editorVisible()) run([this] { m_parameters.quitEditor(); });
  });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  refresh();
}

void EditParametersWindow::showState() {
  const workbench::EditParametersWindow& w = m_parameters.editor();
  setSpin(m_kind, 1, w.kindMax, w.kind);
  setSpin(m_number, 1, w.numberMax, w.number);
  for (std::size_t p = 1; p <= 10; ++p) {
    showText(m_values[p], w.fields.values[p]);
    showText(m_codes[p], w.fields.codes[p]);
  }
  showText(m_label, w.fields.label);
  showText(m_sfac, w.fields.sfac);
  showText(m_part, w.fields.part);
  showText(m_afix, w.fields.afix);
}

// ---- Setting the Parameter ----------------------------------------------------------------

SettingParameterWindow::SettingParameterWindow(workbench::ParameterCommands& parameters,
                                               WindowRunner& runner, QWidget* parent)
    : AuxiliaryWindow("TForm30", "Setting the Parameter", parent, &runner),
      m_parameters(parameters) {
  auto* grid = new QGridLayout;
  m_parameter = makeSpinBox(this, "SpinEdit1", 1, 10);
  m_name = new QLabel(this);
  grid->addWidget(new QLabel(QStringLiteral("Parameter"), this), 0, 0);
  grid->addWidget(m_parameter, 0, 1);
  grid->addWidget(m_name, 0, 2);
  m_code = makeField(this, "Code", false, 90);
  m_fvarNumber = makeField(this, "FvarNumber", false, 90);
  m_value = makeField(this, "Value", false, 90);
  grid->addWidget(new QLabel(QStringLiteral("Code"), this), 1, 0);
  grid->addWidget(m_code, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("FVAR No."), this), 2, 0);
  grid->addWidget(m_fvarNumber, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("Value"), this), 3, 0);
  grid->addWidget(m_value, 3, 1);

  auto* options = new QVBoxLayout;
  const std::array<std::pair<const char*, Option>, 4> captions = {{
      {"Add New FVAR", Option::AddNewFvar},
      {"Use PreDefined", Option::UsePreDefined},
      {"Fixed Value", Option::FixedValue},
      {"Unfixed Value", Option::UnfixedValue},
  }};
  for (std::size_t i = 0; i < captions.size(); ++i) {
    m_options[i] = makeCheckBox(this, "CheckBox" + std::to_string(i + 1), captions[i].first);
    options->addWidget(m_options[i]);
  }
  m_list = new QTableWidget(this);
  m_list->setObjectName(QStringLiteral("StringGrid1"));
  m_list->setColumnCount(2);
  m_list->setHorizontalHeaderLabels({QStringLiteral("No."), QStringLiteral("FVAR")});
  m_list->verticalHeader()->hide();
  m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setMaximumHeight(160);
  // The list numbers its rows from 1, below its heading.
  setTableWords(m_list->objectName(), {[this]() -> std::vector<std::string> {
                                         if (m_list->currentRow() < 0) return {};
                                         return {std::to_string(m_list->currentRow() + 1)};
                                       },
                                       {}});

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(makeButton(this, "Update", "Update"));
  buttons->addWidget(makeButton(this, "Cancel", "Cancel"));
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_parameters.setting().visible) run([this] { m_parameters.cancelSetting(); });
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

void SettingParameterWindow::showState() {
  const workbench::SettingParameterWindow& w = m_parameters.setting();
  setSpin(m_parameter, 1, 10, w.parameter);
  m_name->setText(toQString(w.parameterName));
  showText(m_code, w.code);
  showText(m_fvarNumber, w.fvarNumber);
  showText(m_value, w.value);
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
      showCell(m_list, r - 1, c, toQString(w.fvarList.cell(r, c)));
    }
  }
  m_list->setEnabled(w.listEnabled);
}

// ---- Making Overall Shifts in Coordinates -------------------------------------------------

ShiftWindow::ShiftWindow(workbench::ParameterCommands& parameters, WindowRunner& runner,
                         QWidget* parent)
    : AuxiliaryWindow("TForm26", "Making Overall Shifts in Coordinates", parent, &runner),
      m_parameters(parameters) {
  auto* grid = new QGridLayout;
  const std::array<const char*, 3> captions = {"Shift in X", "Shift in Y", "Shift in Z"};
  for (std::size_t i = 0; i < 3; ++i) {
    m_shifts[i] = makeSpinBox(this, "SpinEdit" + std::to_string(i + 1), -5, 5);
    grid->addWidget(new QLabel(QString::fromLatin1(captions[i]), this), static_cast<int>(i), 0);
    grid->addWidget(m_shifts[i], static_cast<int>(i), 1);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(makeButton(this, "OK", "OK"));
  buttons->addWidget(makeButton(this, "Cancel", "Cancel"));
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_parameters.shift().visible) run([this] { m_parameters.cancelShift(); });
  });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  refresh();
}

void ShiftWindow::showState() {
  const workbench::ShiftWindow& w = m_parameters.shift();
  for (std::size_t i = 0; i < 3; ++i)
    setSpin(m_shifts[i], -5, 5, w.shift[i]);
}

}  // namespace tavo::app
