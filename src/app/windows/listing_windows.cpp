// The listing windows: show the window models of ListingCommands and forward selection, typing
// and buttons.
#include "app/windows/listing_windows.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "app/windows/widget_helpers.h"
#include "workbench/listing_commands.h"

namespace tavo::app {

namespace {

QTableWidget* listOf(QWidget* parent, const QStringList& headings) {
  auto* list = new QTableWidget(0, 2, parent);
  list->setObjectName(QStringLiteral("StringGrid1"));
  list->setHorizontalHeaderLabels(headings);
  list->verticalHeader()->setVisible(false);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setWordWrap(false);
  list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
  return list;
}

}  // namespace

OmitListWindow::OmitListWindow(workbench::ListingCommands& listing, WindowRunner& runner,
                               QWidget* parent)
    : AuxiliaryWindow("TForm7", "Checking Disagreeable Reflections to be Removed using OMIT Card",
                      parent, &runner),
      m_listing(listing) {
  m_list = listOf(this, {QString(), QString()});
  m_list->horizontalHeader()->setVisible(false);
  m_list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  m_list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

  auto* fields = new QHBoxLayout;
  fields->addWidget(new QLabel(QStringLiteral("HKL"), this));
  const std::array<const char*, 3> names = {"EditH", "EditK", "EditL"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    m_hkl[i] = makeField(this, names[i], true, 50);
    fields->addWidget(m_hkl[i]);
  }
  fields->addSpacing(12);
  fields->addWidget(new QLabel(QStringLiteral("Resolution(A)"), this));
  m_resolution = makeField(this, "EditResolution", true, 70);
  fields->addWidget(m_resolution);
  fields->addStretch(1);
  fields->addWidget(makeButton(this, "AddOmit", "Add This for OMIT"));
  fields->addWidget(makeButton(this, "Exit", "Exit"));
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_listing.omitWindow().visible) run([this] { m_listing.exitOmit(); });
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_list, 1);
  layout->addLayout(fields);
  resize(820, 520);
  refresh();
}

void OmitListWindow::showState() {
  const workbench::OmitWindow& w = m_listing.omitWindow();
  const QSignalBlocker quiet(m_list);
  m_list->setRowCount(static_cast<int>(w.rows.size()));
  for (std::size_t i = 0; i < w.rows.size(); ++i) {
    showCell(m_list, static_cast<int>(i), 0, toQString(w.rows[i].text));
    showCell(m_list, static_cast<int>(i), 1, w.used[i] ? QStringLiteral("Used") : QString());
  }
  showText(m_hkl[0], w.h);
  showText(m_hkl[1], w.k);
  showText(m_hkl[2], w.l);
  showText(m_resolution, w.resolution);
}

SplitListWindow::SplitListWindow(workbench::ListingCommands& listing, WindowRunner& runner,
                                 QWidget* parent)
    : AuxiliaryWindow("TForm8", "Find and Locate Disordered Atoms from the *.lst File", parent,
                      &runner),
      m_listing(listing) {
  m_list = listOf(this, {QString(), QString()});
  m_list->horizontalHeader()->setVisible(false);
  m_list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  m_list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("Split "), this), 0, 0);
  m_label = makeField(this, "SplitLabel", true, 60);
  fields->addWidget(m_label, 0, 1);
  fields->addWidget(new QLabel(QStringLiteral("into"), this), 0, 2);
  fields->addWidget(new QLabel(QStringLiteral("and"), this), 1, 2);
  const std::array<const char*, 6> names = {"X1", "Y1", "Z1", "X2", "Y2", "Z2"};
  for (int half = 0; half < 2; ++half) {
    QLineEdit*& label = m_newLabels[static_cast<std::size_t>(half)];
    label = makeField(this, "NewLabel" + std::to_string(half + 1), false, 60);
    fields->addWidget(label, half, 3);
    for (int c = 0; c < 3; ++c) {
      const auto at = static_cast<std::size_t>(3 * half + c);
      m_positions[at] = makeField(this, names[at], true, 80);
      fields->addWidget(m_positions[at], half, 4 + c);
    }
  }
  fields->setColumnStretch(7, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(makeButton(this, "AddAtoms", "Add these atoms to the List of  Coordinates"));
  buttons->addStretch(1);
  buttons->addWidget(makeButton(this, "Exit", "Exit"));
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_listing.splitWindow().visible) run([this] { m_listing.exitSplit(); });
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_list, 1);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  resize(760, 360);
  refresh();
}

void SplitListWindow::showState() {
  const workbench::SplitWindow& w = m_listing.splitWindow();
  const QSignalBlocker quiet(m_list);
  m_list->setRowCount(static_cast<int>(w.rows.size()));
  for (std::size_t i = 0; i < w.rows.size(); ++i) {
    showCell(m_list, static_cast<int>(i), 0, w.added[i] ? QStringLiteral("Added") : QString());
    showCell(m_list, static_cast<int>(i), 1, toQString(w.rows[i].text));
  }
  showText(m_label, w.label);
  showText(m_newLabels[0], w.firstLabel);
  showText(m_newLabels[1], w.secondLabel);
  const std::array<const std::string*, 6> positions = {&w.x1, &w.y1, &w.z1, &w.x2, &w.y2, &w.z2};
  for (std::size_t i = 0; i < positions.size(); ++i)
    showText(m_positions[i], *positions[i]);
}

}  // namespace tavo::app
