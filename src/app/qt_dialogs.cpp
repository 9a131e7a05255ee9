// Qt implementation of the Dialogs port.
#include "app/qt_dialogs.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QFont>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QStringList>

#include "app/qt_text.h"

namespace tavo::app {

namespace {

const QString programName = QStringLiteral("Tavo");

// "*.ins;*.res" -> "(*.ins *.res)"
QString patternsInParentheses(const QString& patterns) {
  QStringList parts = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  for (QString& part : parts)
    part = part.trimmed();
  return QStringLiteral("(") + parts.join(QLatin1Char(' ')) + QStringLiteral(")");
}

}  // namespace

QString toQtFilter(std::string_view filter) {
  const QString text = toQString(filter).trimmed();
  if (text.isEmpty()) return QStringLiteral("All files (*)");
  if (text.contains(QLatin1Char('('))) return text;
  if (text.contains(QLatin1Char('|'))) {
    const QStringList parts = text.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
      filters << parts[i].trimmed() + QLatin1Char(' ') + patternsInParentheses(parts[i + 1]);
    }
    return filters.join(QStringLiteral(";;"));
  }
  return QStringLiteral("Files ") + patternsInParentheses(text) + QStringLiteral(";;All files (*)");
}

bool QtDialogs::progress(std::string_view task, int percent) {
  if (percent >= 100) {
    delete m_progress;
    m_progress = nullptr;
    return true;
  }
  if (m_progress == nullptr) {
    m_progress = new QProgressDialog(toQString(task), QStringLiteral("Cancel"), 0, 100, m_parent);
    m_progress->setObjectName(QStringLiteral("ProgressDialog"));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(400);
  }
  m_progress->setLabelText(toQString(task));
  m_progress->setValue(percent);
  QCoreApplication::processEvents();
  return !m_progress->wasCanceled();
}

void QtDialogs::message(std::string_view text) {
  QMessageBox::information(m_parent, programName, toQString(text));
}

void QtDialogs::inform(std::string_view text) {
  if (m_panel == nullptr) return message(text);
  m_panel->appendPlainText(toQString(text));
  // A hidden panel comes back, so that what was said is seen without a box to close.
  for (QWidget* up = m_panel->parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* dock = qobject_cast<QDockWidget*>(up)) {
      dock->show();
      break;
    }
  }
}

bool QtDialogs::confirm(std::string_view question) {
  return QMessageBox::question(m_parent, programName, toQString(question),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::filesystem::path> QtDialogs::chooseFileToOpen(
    const std::filesystem::path& folder, std::string_view filter) {
  const QString chosen =
      QFileDialog::getOpenFileName(m_parent, QString(), toQString(folder), toQtFilter(filter));
  if (chosen.isEmpty()) return std::nullopt;
  return toPath(chosen);
}

std::optional<std::filesystem::path> QtDialogs::chooseFileToSave(
    const std::filesystem::path& folder, std::string_view proposedName, std::string_view filter) {
  const QString start = toQString(folder / std::filesystem::path(std::string(proposedName)));
  const QString chosen =
      QFileDialog::getSaveFileName(m_parent, QString(), start, toQtFilter(filter));
  if (chosen.isEmpty()) return std::nullopt;
  return toPath(chosen);
}

std::optional<int> QtDialogs::chooseColor(int color) {
  // Colours travel as red in the low byte, green in the middle, blue in the high byte.
  const QColor start(color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff);
  const QColor chosen = QColorDialog::getColor(start, m_parent);
  if (!chosen.isValid()) return std::nullopt;
  return chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
}

bool QtDialogs::printLines(const std::vector<std::string>& lines) {
  QPrinter printer;
  QPrintDialog dialog(&printer, m_parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  QPainter painter(&printer);
  painter.setFont(QFont(QStringLiteral("Monospace"), 10));
  const QFontMetrics metrics(painter.font(), &printer);
  const int lineHeight = metrics.lineSpacing();
  const int pageBottom = printer.pageLayout().paintRectPixels(printer.resolution()).height();
  int y = lineHeight;
  for (const std::string& line : lines) {
    if (y > pageBottom) {
      printer.newPage();
      y = lineHeight;
    }
    painter.drawText(0, y, toQString(line));
    y += lineHeight;
  }
  return true;
}

}  // namespace tavo::app
