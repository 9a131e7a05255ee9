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
#include "app/windows/widget_helpers.h"
#include "app/windows/window_set.h"
#include "workbench/locate_commands.h"

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

}  // namespace

LocateWindow::LocateWindow(workbench::LocateCommands& locate, WindowRunner& runner, QWidget* parent)
    : AuxiliaryWindow("TForm28", "Locating an Atom, Atoms, or a Group", parent, &runner),
      m_locate(locate) {
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  left->addWidget(buildGroupBox());
  left->addWidget(buildHydrogenBox());
  left->addWidget(makeButton(this, "Cancel", "Cancel"));
  left->addStretch(1);
  layout->addLayout(left);
  layout->addWidget(buildVectorBox(), 1);

  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_locate.window().visible) run([this] { m_locate.cancel(); });
  });
  // A row of a list is named by its number (from 0).
  for (QTableView* list : m_lists) {
    setTableWords(
        list->objectName(),
        {[list]() -> std::vector<std::string> {
           const QModelIndex current = list->selectionModel()->currentIndex();
           if (!current.isValid()) return {};
           return {std::to_string(current.row())};
         },
         [](const QModelIndex& at) { return std::vector<std::string>{std::to_string(at.row())}; }});
  }
  resize(900, 560);
}

QWidget* LocateWindow::buildGroupBox() {
  auto* box = new QGroupBox(QStringLiteral("Reading a Rigid group defined"), this);
  auto* layout = new QVBoxLayout(box);
  m_readFile = makeCheckBox(box, "CheckBox5", "Read_A_File");
  layout->addWidget(m_readFile);
  return box;
}

QWidget* LocateWindow::buildHydrogenBox() {
  auto* box = new QGroupBox(QStringLiteral("Locating Hs at Ideal Positions"), this);
  auto* layout = new QGridLayout(box);
  static constexpr std::array<const char*, 5> names = {"CheckBox1", "CheckBox2", "CheckBox3",
                                                       "CheckBox4", "CheckBox10"};
  for (std::size_t k = 0; k < names.size(); ++k) {
    m_hOptions[k] = makeCheckBox(box, names[k], workbench::locateHOptionCaptions[k]);
    layout->addWidget(m_hOptions[k], static_cast<int>(k), 0, 1, 2);
  }
  layout->addWidget(new QLabel(QStringLiteral("X-H (A) ="), box), 5, 0);
  m_hDistance = makeField(box, "Edit1");
  layout->addWidget(m_hDistance, 5, 1);
  layout->addWidget(makeButton(box, "Button2", "Apply"), 6, 0, 1, 2);
  return box;
}

QWidget* LocateWindow::buildVectorBox() {
  auto* box = new QWidget(this);
  auto* layout = new QGridLayout(box);
  m_vectors = makeCheckBox(box, "CheckBox6", "Locate with Vectors");
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
    m_centroids[k] = makeCheckBox(box, boxNames[k], boxCaptions[k]);
    layout->addWidget(m_centroids[k], 1 + 2 * static_cast<int>(k), 1);
    layout->addWidget(m_lists[k + 1], 2 + 2 * static_cast<int>(k), 1);
  }
  auto* inputs = new QHBoxLayout;
  inputs->addWidget(new QLabel(QStringLiteral("Vector_Length (A) ="), box));
  m_length = makeField(box, "Edit2");
  inputs->addWidget(m_length);
  m_element = makeSpinBox(box, "SpinEdit20", 0, 99);
  inputs->addWidget(m_element);
  m_symbol = makeField(box, "Edit5", true);
  m_symbol->setMaximumWidth(50);
  inputs->addWidget(m_symbol);
  m_vectorApply = makeButton(box, "Button1", "Apply");
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

void LocateWindow::showState() {
  const workbench::LocateWindow& w = m_locate.window();
  const std::array<const text::TextGrid*, 4> grids = {&w.atoms, &w.centroids[0], &w.centroids[1],
                                                      &w.centroids[2]};
  for (std::size_t k = 0; k < 4; ++k) {
    if (!(*grids[k] == m_models[k]->grid())) {
      m_models[k]->setGrid(*grids[k]);
      m_lists[k]->resizeColumnsToContents();
    }
  }
  showChecked(m_readFile, w.readFileChecked);
  showChecked(m_vectors, w.vectorsChecked);
  for (std::size_t k = 0; k < 3; ++k) {
    showChecked(m_centroids[k], w.centroidChecked[k]);
    m_centroids[k]->setEnabled(w.vectorControlsEnabled);
  }
  for (std::size_t k = 0; k < 5; ++k)
    showChecked(m_hOptions[k], w.hOptionsChecked[k]);
  for (QTableView* list : m_lists)
    list->setEnabled(w.vectorControlsEnabled);
  showText(m_length, w.vectorLength);
  showText(m_symbol, w.elementSymbol);
  showText(m_hDistance, w.hDistance);
  m_element->setRange(1, w.elementNumberMax);
  showValue(m_element, w.elementNumber);
  for (QWidget* control :
       std::initializer_list<QWidget*>{m_length, m_element, m_symbol, m_vectorApply})
    control->setEnabled(w.vectorControlsEnabled);
}

DistanceWindow::DistanceWindow(workbench::LocateCommands& locate, WindowRunner& runner,
                               QWidget* parent)
    : AuxiliaryWindow("TForm34", "Define the Distance?", parent, &runner), m_locate(locate) {
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
  m_distance = makeField(this, "con_dist");
  layout->addWidget(m_distance, 3, 1);
  layout->addWidget(makeButton(this, "Apply", "Apply"), 4, 0);
  layout->addWidget(makeButton(this, "Cancel", "Cancel"), 4, 1);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_locate.distanceWindow().visible) run([this] { m_locate.cancelDistance(); });
  });
}

void DistanceWindow::showState() {
  const workbench::DistanceWindow& w = m_locate.distanceWindow();
  m_center->setText(toQString(w.center));
  m_connected->setText(toQString(w.connected));
  showText(m_distance, w.distance);
}

}  // namespace tavo::app
