// The locating window and the distance window.
#include "app/windows/locate_windows.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include "app/grid_model.h"
#include "app/qt_text.h"
#include "app/windows/window_set.h"
#include "workbench/workbench.h"

namespace tavo::app {

namespace {

constexpr const char* vectorScheme =
    "The new atom lies on the line through Grvty0 parallel to the vector from Grvty1 to Grvty2, "
    "at Vector_Length from Grvty0, on the side towards which Grvty2 lies from Grvty1. Each "
    "Grvty is the centroid of the atoms of its list.\n"
    "1. Check \"Locate with Vectors\".\n"
    "2. Check Grvty0, Grvty1 or Grvty2 and double-click atoms in the List of atoms to add them "
    "to that list; double-click a row of a Grvty list to take it out.\n"
    "3. Type the Vector_Length in A and choose the element.\n"
    "4. Press Apply.";

QCheckBox* checkBox(const char* objectName, const char* caption, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
  box->setObjectName(QString::fromLatin1(objectName));
  return box;
}

QPushButton* button(const char* objectName, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setObjectName(QString::fromLatin1(objectName));
  return b;
}

QLineEdit* field(const char* objectName, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(objectName));
  return edit;
}

void setText(QLineEdit* edit, const std::string& text) {
  const QString shown = toQString(text);
  if (edit->text() == shown) return;
  const QSignalBlocker quiet(edit);
  edit->setText(shown);
}

void setChecked(QCheckBox* box, bool on) {
  const QSignalBlocker quiet(box);
  box->setChecked(on);
}

}  // namespace

LocateWindow::LocateWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm28", "Locating an Atom, Atoms, or a Group", parent), m_bench(bench) {
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  left->addWidget(buildGroupBox());
  left->addWidget(buildHydrogenBox());
  auto* cancel = button("Cancel", "Cancel", this);
  left->addWidget(cancel);
  left->addStretch(1);
  layout->addLayout(left);
  layout->addWidget(buildVectorBox(), 1);

  connect(cancel, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.locate().cancel(); }); });
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.locate().window().visible) m_bench.run([this] { m_bench.locate().cancel(); });
  });
  connectVectorControls();
  resize(900, 560);
}

QWidget* LocateWindow::buildGroupBox() {
  auto* box = new QGroupBox(QStringLiteral("Reading a Rigid group defined"), this);
  auto* layout = new QVBoxLayout(box);
  m_readFile = checkBox("CheckBox5", "Read_A_File", box);
  layout->addWidget(m_readFile);
  connect(m_readFile, &QCheckBox::toggled, this, [this](bool on) {
    if (on && !m_refreshing) m_bench.run([this] { m_bench.locate().readGroupByDialog(); });
  });
  return box;
}

QWidget* LocateWindow::buildHydrogenBox() {
  auto* box = new QGroupBox(QStringLiteral("Locating Hs at Ideal Positions"), this);
  auto* layout = new QGridLayout(box);
  static constexpr std::array<const char*, 5> names = {"CheckBox1", "CheckBox2", "CheckBox3",
                                                       "CheckBox4", "CheckBox10"};
  for (std::size_t k = 0; k < names.size(); ++k) {
    m_hOptions[k] = checkBox(names[k], workbench::locateHOptionCaptions[k], box);
    layout->addWidget(m_hOptions[k], static_cast<int>(k), 0, 1, 2);
    connect(m_hOptions[k], &QCheckBox::toggled, this, [this, k](bool on) {
      if (on && !m_refreshing)
        m_bench.run([this, k] { m_bench.locate().checkHOption(static_cast<int>(k)); });
    });
  }
  layout->addWidget(new QLabel(QStringLiteral("X-H (A) ="), box), 5, 0);
  m_hDistance = field("Edit1", box);
  layout->addWidget(m_hDistance, 5, 1);
  auto* apply = button("Button2", "Apply", box);
  layout->addWidget(apply, 6, 0, 1, 2);
  connect(apply, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.locate().applyH(); }); });
  return box;
}

QWidget* LocateWindow::buildVectorBox() {
  auto* box = new QWidget(this);
  auto* layout = new QGridLayout(box);
  m_vectors = checkBox("CheckBox6", "Locate with Vectors", box);
  layout->addWidget(m_vectors, 0, 0, 1, 2);
  static constexpr std::array<const char*, 4> gridNames = {"StringGrid1", "StringGrid2",
                                                           "StringGrid3", "StringGrid4"};
  static constexpr std::array<const char*, 3> boxNames = {"CheckBox7", "CheckBox8", "CheckBox9"};
  static constexpr std::array<const char*, 3> boxCaptions = {"Grvty0", "Grvty1", "Grvty2"};
  layout->addWidget(new QLabel(QStringLiteral("List of atoms"), box), 1, 0);
  for (std::size_t k = 0; k < 4; ++k) {
    m_models[k] = new GridModel(GridModel::Heading::None, this);
    m_lists[k] = new QTableView(box);
    m_lists[k]->setObjectName(QString::fromLatin1(gridNames[k]));
    m_lists[k]->setModel(m_models[k]);
    m_lists[k]->verticalHeader()->hide();
    m_lists[k]->horizontalHeader()->hide();
    m_lists[k]->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lists[k]->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lists[k]->setSelectionMode(QAbstractItemView::SingleSelection);
  }
  layout->addWidget(m_lists[0], 2, 0, 5, 1);
  for (std::size_t k = 0; k < 3; ++k) {
    m_centroids[k] = checkBox(boxNames[k], boxCaptions[k], box);
    layout->addWidget(m_centroids[k], 1 + 2 * static_cast<int>(k), 1);
    layout->addWidget(m_lists[k + 1], 2 + 2 * static_cast<int>(k), 1);
  }
  auto* inputs = new QHBoxLayout;
  inputs->addWidget(new QLabel(QStringLiteral("Vector_Length (A) ="), box));
  m_length = field("Edit2", box);
  inputs->addWidget(m_length);
  m_element = new QSpinBox(box);
  m_element->setObjectName(QStringLiteral("SpinEdit20"));
  inputs->addWidget(m_element);
  m_symbol = field("Edit5", box);
  m_symbol->setReadOnly(true);
  m_symbol->setMaximumWidth(50);
  inputs->addWidget(m_symbol);
  m_vectorApply = button("Button1", "Apply", box);
  inputs->addWidget(m_vectorApply);
  layout->addLayout(inputs, 7, 0, 1, 2);
  auto* schemeBox =
      new QGroupBox(QStringLiteral("Definition of the Vectors for the Right Box"), box);
  auto* schemeLayout = new QVBoxLayout(schemeBox);
  auto* memo = new QPlainTextEdit(QString::fromLatin1(vectorScheme), schemeBox);
  memo->setObjectName(QStringLiteral("Memo1"));
  memo->setReadOnly(true);
  schemeLayout->addWidget(memo);
  layout->addWidget(schemeBox, 8, 0, 1, 2);
  return box;
}

void LocateWindow::connectVectorControls() {
  using Commands = workbench::LocateCommands;
  const auto run = [this](auto command) {
    m_bench.run([this, command] { command(m_bench.locate()); });
  };
  connect(m_vectors, &QCheckBox::toggled, this, [this, run](bool on) {
    if (!m_refreshing) run([on](Commands& c) { c.checkVectors(on); });
  });
  for (std::size_t k = 0; k < 3; ++k) {
    connect(m_centroids[k], &QCheckBox::toggled, this, [this, run, k](bool on) {
      if (!m_refreshing)
        run([on, k](Commands& c) { c.checkCentroidList(static_cast<int>(k), on); });
    });
  }
  for (std::size_t k = 0; k < 4; ++k) {
    connect(m_lists[k], &QTableView::clicked, this, [run, k](const QModelIndex& at) {
      run([k, row = at.row()](Commands& c) {
        k == 0 ? c.clickAtomRow(row) : c.clickCentroidRow(static_cast<int>(k) - 1, row);
      });
    });
    connect(m_lists[k], &QTableView::doubleClicked, this, [run, k](const QModelIndex& at) {
      run([k, row = at.row()](Commands& c) {
        k == 0 ? c.doubleClickAtomRow(row) : c.doubleClickCentroidRow(static_cast<int>(k) - 1, row);
      });
    });
  }
  connect(m_length, &QLineEdit::textEdited, this,
          [this](const QString& text) { m_bench.locate().setVectorLength(toStd(text)); });
  connect(m_element, &QSpinBox::valueChanged, this, [this, run](int number) {
    if (!m_refreshing) run([number](Commands& c) { c.setElementNumber(number); });
  });
  connect(m_vectorApply, &QPushButton::clicked, this,
          [run] { run([](Commands& c) { c.applyVectors(); }); });
}

void LocateWindow::showState() {
  const workbench::LocateWindow& w = m_bench.locate().window();
  m_refreshing = true;
  const std::array<const text::TextGrid*, 4> grids = {&w.atoms, &w.centroids[0], &w.centroids[1],
                                                      &w.centroids[2]};
  for (std::size_t k = 0; k < 4; ++k) {
    if (!(*grids[k] == m_models[k]->grid())) {
      m_models[k]->setGrid(*grids[k]);
      m_lists[k]->resizeColumnsToContents();
    }
  }
  setChecked(m_readFile, w.readFileChecked);
  setChecked(m_vectors, w.vectorsChecked);
  for (std::size_t k = 0; k < 3; ++k) {
    setChecked(m_centroids[k], w.centroidChecked[k]);
    m_centroids[k]->setEnabled(w.vectorControlsEnabled);
  }
  for (std::size_t k = 0; k < 5; ++k)
    setChecked(m_hOptions[k], w.hOptionsChecked[k]);
  for (QTableView* list : m_lists)
    list->setEnabled(w.vectorControlsEnabled);
  setText(m_length, w.vectorLength);
  setText(m_symbol, w.elementSymbol);
  setText(m_hDistance, w.hDistance);
  m_element->setRange(1, w.elementNumberMax);
  m_element->setValue(w.elementNumber);
  for (QWidget* control :
       std::initializer_list<QWidget*>{m_length, m_element, m_symbol, m_vectorApply})
    control->setEnabled(w.vectorControlsEnabled);
  m_refreshing = false;
}

DistanceWindow::DistanceWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm34", "Define the Distance?", parent), m_bench(bench) {
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Connecting Pair of Atoms"), this), 0, 0, 1, 2);
  layout->addWidget(new QLabel(QStringLiteral("Center"), this), 1, 0);
  m_center = new QLabel(this);
  m_center->setObjectName(QStringLiteral("atm_center"));
  layout->addWidget(m_center, 1, 1);
  layout->addWidget(new QLabel(QStringLiteral("Connection to"), this), 2, 0);
  m_connected = new QLabel(this);
  m_connected->setObjectName(QStringLiteral("atm_connected"));
  layout->addWidget(m_connected, 2, 1);
  layout->addWidget(new QLabel(QStringLiteral("Connecting Distance (A) ="), this), 3, 0);
  m_distance = field("con_dist", this);
  layout->addWidget(m_distance, 3, 1);
  auto* apply = button("Apply", "Apply", this);
  auto* cancel = button("Cancel", "Cancel", this);
  layout->addWidget(apply, 4, 0);
  layout->addWidget(cancel, 4, 1);
  connect(m_distance, &QLineEdit::textEdited, this,
          [this](const QString& text) { m_bench.locate().setDistanceText(toStd(text)); });
  connect(apply, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.locate().applyDistance(); }); });
  connect(cancel, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.locate().cancelDistance(); }); });
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.locate().distanceWindow().visible)
      m_bench.run([this] { m_bench.locate().cancelDistance(); });
  });
}

void DistanceWindow::showState() {
  const workbench::DistanceWindow& w = m_bench.locate().distanceWindow();
  m_center->setText(toQString(w.center));
  m_connected->setText(toQString(w.connected));
  setText(m_distance, w.distance);
}

}  // namespace tavo::app
