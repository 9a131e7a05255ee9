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
#include "workbench/workbench.h"

namespace tavo::app {

namespace {

QLineEdit* field(QWidget* parent, const QString& objectName, bool readOnly, int width) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(objectName);
  edit->setReadOnly(readOnly);
  edit->setFixedWidth(width);
  return edit;
}

void setText(QLineEdit* edit, const std::string& text) {
  const QString shown = toQString(text);
  if (edit->text() == shown) return;
  const QSignalBlocker quiet(edit);
  edit->setText(shown);
}

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

void setCell(QTableWidget* list, int row, int column, const QString& text) {
  QTableWidgetItem* item = list->item(row, column);
  if (item == nullptr) {
    list->setItem(row, column, new QTableWidgetItem(text));
  } else if (item->text() != text) {
    item->setText(text);
  }
}

}  // namespace

OmitListWindow::OmitListWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm7", "Checking Disagreeable Reflections to be Removed using OMIT Card",
                      parent),
      m_bench(bench) {
  m_list = listOf(this, {QString(), QString()});
  m_list->horizontalHeader()->setVisible(false);
  m_list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  m_list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  connect(m_list, &QTableWidget::currentCellChanged, this,
          [this](int row) { m_bench.run([this, row] { m_bench.listing().selectOmitRow(row); }); });

  auto* fields = new QHBoxLayout;
  fields->addWidget(new QLabel(QStringLiteral("HKL"), this));
  const std::array<const char*, 3> names = {"EditH", "EditK", "EditL"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    m_hkl[i] = field(this, QString::fromLatin1(names[i]), true, 50);
    fields->addWidget(m_hkl[i]);
  }
  fields->addSpacing(12);
  fields->addWidget(new QLabel(QStringLiteral("Resolution(A)"), this));
  m_resolution = field(this, QStringLiteral("EditResolution"), true, 70);
  fields->addWidget(m_resolution);
  fields->addStretch(1);
  auto* add = new QPushButton(QStringLiteral("Add This for OMIT"), this);
  add->setObjectName(QStringLiteral("AddOmit"));
  auto* exit = new QPushButton(QStringLiteral("Exit"), this);
  exit->setObjectName(QStringLiteral("Exit"));
  fields->addWidget(add);
  fields->addWidget(exit);
  connect(add, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.listing().addOmit(); }); });
  connect(exit, &QPushButton::clicked, this, &QWidget::close);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.listing().omitWindow().visible) {
      m_bench.run([this] { m_bench.listing().exitOmit(); });
    }
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_list, 1);
  layout->addLayout(fields);
  resize(820, 520);
  refresh();
}

void OmitListWindow::refresh() {
  const workbench::OmitWindow& w = m_bench.listing().omitWindow();
  const QSignalBlocker quiet(m_list);
  m_list->setRowCount(static_cast<int>(w.rows.size()));
  for (std::size_t i = 0; i < w.rows.size(); ++i) {
    setCell(m_list, static_cast<int>(i), 0, toQString(w.rows[i].text));
    setCell(m_list, static_cast<int>(i), 1, w.used[i] ? QStringLiteral("Used") : QString());
  }
  setText(m_hkl[0], w.h);
  setText(m_hkl[1], w.k);
  setText(m_hkl[2], w.l);
  setText(m_resolution, w.resolution);
}

SplitListWindow::SplitListWindow(workbench::Workbench& bench, QWidget* parent)
    : AuxiliaryWindow("TForm8", "Find and Locate Disordered Atoms from the *.lst File", parent),
      m_bench(bench) {
  m_list = listOf(this, {QString(), QString()});
  m_list->horizontalHeader()->setVisible(false);
  m_list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  m_list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  connect(m_list, &QTableWidget::currentCellChanged, this,
          [this](int row) { m_bench.run([this, row] { m_bench.listing().selectSplitRow(row); }); });

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("Split "), this), 0, 0);
  m_label = field(this, QStringLiteral("SplitLabel"), true, 60);
  fields->addWidget(m_label, 0, 1);
  fields->addWidget(new QLabel(QStringLiteral("into"), this), 0, 2);
  fields->addWidget(new QLabel(QStringLiteral("and"), this), 1, 2);
  const std::array<const char*, 6> names = {"X1", "Y1", "Z1", "X2", "Y2", "Z2"};
  for (int half = 0; half < 2; ++half) {
    QLineEdit*& label = m_newLabels[static_cast<std::size_t>(half)];
    label = field(this, QStringLiteral("NewLabel%1").arg(half + 1), false, 60);
    fields->addWidget(label, half, 3);
    connect(label, &QLineEdit::textEdited, this, [this, half](const QString& text) {
      m_bench.listing().setNewLabel(half == 0, toStd(text));
    });
    for (int c = 0; c < 3; ++c) {
      const auto at = static_cast<std::size_t>(3 * half + c);
      m_positions[at] = field(this, QString::fromLatin1(names[at]), true, 80);
      fields->addWidget(m_positions[at], half, 4 + c);
    }
  }
  fields->setColumnStretch(7, 1);
  auto* add = new QPushButton(QStringLiteral("Add these atoms to the List of  Coordinates"), this);
  add->setObjectName(QStringLiteral("AddAtoms"));
  auto* exit = new QPushButton(QStringLiteral("Exit"), this);
  exit->setObjectName(QStringLiteral("Exit"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add);
  buttons->addStretch(1);
  buttons->addWidget(exit);
  connect(add, &QPushButton::clicked, this,
          [this] { m_bench.run([this] { m_bench.listing().addSplit(); }); });
  connect(exit, &QPushButton::clicked, this, &QWidget::close);
  connect(this, &AuxiliaryWindow::closed, this, [this] {
    if (m_bench.listing().splitWindow().visible) {
      m_bench.run([this] { m_bench.listing().exitSplit(); });
    }
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_list, 1);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  resize(760, 360);
  refresh();
}

void SplitListWindow::refresh() {
  const workbench::SplitWindow& w = m_bench.listing().splitWindow();
  const QSignalBlocker quiet(m_list);
  m_list->setRowCount(static_cast<int>(w.rows.size()));
  for (std::size_t i = 0; i < w.rows.size(); ++i) {
    setCell(m_list, static_cast<int>(i), 0, w.added[i] ? QStringLiteral("Added") : QString());
    setCell(m_list, static_cast<int>(i), 1, toQString(w.rows[i].text));
  }
  setText(m_label, w.label);
  setText(m_newLabels[0], w.firstLabel);
  setText(m_newLabels[1], w.secondLabel);
  const std::array<const std::string*, 6> positions = {&w.x1, &w.y1, &w.z1, &w.x2, &w.y2, &w.z2};
  for (std::size_t i = 0; i < positions.size(); ++i)
    setText(m_positions[i], *positions[i]);
}

}  // namespace tavo::app
