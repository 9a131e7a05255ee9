// The graphics settings window: shows the core's settings; its widgets run the declared controls.
#include "app/windows/graphics_settings_window.h"

#include <QColor>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/qt_text.h"
#include "canvas/qpainter_canvas.h"
#include "workbench/preference_commands.h"

namespace tavo::app {

namespace {

/// Black text on light colours, white text on dark ones.
QString colorStyle(view::Color color) {
  const QColor background = canvas::toQColor(color);
  const QString text =
      background.lightness() < 128 ? QStringLiteral("white") : QStringLiteral("black");
  return QStringLiteral("QLineEdit { background-color: %1; color: %2; }")
      .arg(background.name(), text);
}

}  // namespace

GraphicsSettingsWindow::GraphicsSettingsWindow(workbench::PreferenceCommands& preferences,
                                               WindowRunner& runner, QWidget* parent)
    : AuxiliaryWindow("TForm18", view::graphicsSettingsWindowTitle, parent, &runner),
      m_preferences(preferences),
      m_fileName(new QLineEdit(this)) {
  auto* menuBar = new QMenuBar(this);
  QMenu* file = menuBar->addMenu(QStringLiteral("File"));
  QAction* save = file->addAction(QStringLiteral("Save Settings"));
  save->setObjectName(QStringLiteral("SaveSettings1"));
  QAction* open = file->addAction(QStringLiteral("OpenSettings"));
  open->setObjectName(QStringLiteral("OpenSettings1"));

  auto* grid = new QGridLayout(this);
  grid->setMenuBar(menuBar);
  const auto& table = view::graphicsSettingTable();
  for (int line = 1; line <= view::graphicsSettingCount; ++line) {
    const view::GraphicsSettingInfo& info = table[static_cast<size_t>(line - 1)];
    QWidget* field = nullptr;
    if (info.isColor) {
      auto* edit = new QLineEdit(this);
      edit->setReadOnly(true);
      edit->setCursor(Qt::PointingHandCursor);
      edit->installEventFilter(this);
      m_colors[static_cast<size_t>(line - 1)] = edit;
      field = edit;
    } else {
      auto* spin = new QSpinBox(this);
      spin->setRange(info.minimum, info.maximum);
      m_spins[static_cast<size_t>(line - 1)] = spin;
      field = spin;
    }
    field->setObjectName(toQString(info.control));
    grid->addWidget(new QLabel(toQString(info.caption), this), line - 1, 0);
    grid->addWidget(field, line - 1, 1);
  }
  m_fileName->setObjectName(QStringLiteral("graphicsinf"));
  m_fileName->setReadOnly(true);
  grid->addWidget(new QLabel(QStringLiteral("Settings File"), this), view::graphicsSettingCount, 0);
  grid->addWidget(m_fileName, view::graphicsSettingCount, 1);
  connect(this, &AuxiliaryWindow::closed, this,
          [this] { run([this] { m_preferences.graphicsSettingsClosed(); }); });
  refresh();
  // The window is placed from its size before it is first shown.
  resize(sizeHint().expandedTo(QSize(340, 0)));
}

bool GraphicsSettingsWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (size_t i = 0; i < m_colors.size(); ++i) {
      if (m_colors[i] != nullptr && watched == m_colors[i]) {
        operate({"press", toStd(m_colors[i]->objectName())});
        return true;
      }
    }
  }
  return AuxiliaryWindow::eventFilter(watched, event);
}

void GraphicsSettingsWindow::showState() {
  const view::GraphicsSettingsWindowModel& model = m_preferences.graphicsWindow();
  for (int line = 1; line <= view::graphicsSettingCount; ++line) {
    const size_t i = static_cast<size_t>(line - 1);
    if (QLineEdit* edit = m_colors[i]) {
      const QString text = toQString(model.fieldText(line));
      if (edit->text() == text) continue;
      edit->setText(text);
      edit->setStyleSheet(colorStyle(model.value(line)));
    } else if (QSpinBox* spin = m_spins[i]; spin->value() != model.value(line)) {
      const QSignalBlocker quiet(spin);
      spin->setValue(model.value(line));
    }
  }
  const QString name = toQString(model.currentName());
  if (m_fileName->text() != name) m_fileName->setText(name);
}

}  // namespace tavo::app
