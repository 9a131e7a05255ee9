// The small pieces every auxiliary window is built from: buttons, fields, spin boxes, tables
// and the calls that show a core value in one of them without firing its signals.
#pragma once

#include <QFont>
#include <QString>

#include <string>
#include <string_view>
#include <vector>

class QAbstractItemView;
class QAction;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableView;
class QTableWidget;
class QWidget;

namespace tavo::app {

class GridModel;

/// A push button showing `caption`, found by `objectName`.
QPushButton* makeButton(QWidget* parent, std::string_view objectName, std::string_view caption);
/// A menu item of `menu` (a menu or a menu bar) showing `caption`, found by `objectName`.
QAction* makeMenuItem(QWidget* menu, std::string_view objectName, std::string_view caption);
/// A check box showing `caption`.
QCheckBox* makeCheckBox(QWidget* parent, std::string_view objectName, std::string_view caption);
/// A one-line field; `width` > 0 fixes its width.
QLineEdit* makeField(QWidget* parent, std::string_view objectName, bool readOnly = false,
                     int width = 0);
/// A field that hands its text to the core when the user has finished typing (Enter or leaving
/// it), not at every key.
QLineEdit* makeFinishedField(QWidget* parent, std::string_view objectName, int width = 0);
/// A spin box from `low` to `high`.
QSpinBox* makeSpinBox(QWidget* parent, std::string_view objectName, int low, int high);
/// A multi-line text pane in the fixed font, not wrapped.
QPlainTextEdit* makeTextPane(QWidget* parent, std::string_view objectName, bool readOnly = false);
/// A read-only table over `model` without row headings; selecting rows or single cells.
QTableView* makeTable(QWidget* parent, std::string_view objectName, GridModel* model,
                      bool selectRows);
/// Puts `label` at (`row`, `column`) of `grid` and `field` right of it.
void addLabelled(QGridLayout* grid, int row, int column, const QString& label, QWidget* field);

/// The font of listings and instruction lines.
QFont fixedFont();

/// Shows `text` in `edit` without firing its signals (nothing when it shows it already).
void showText(QLineEdit* edit, const std::string& text);
/// Shows `lines` in `pane`, one a line, without firing its signals.
void showLines(QPlainTextEdit* pane, const std::vector<std::string>& lines);
/// Shows `value` in `spin` without firing its signals.
void showValue(QSpinBox* spin, int value);
/// Shows `text` in the cell (`row`, `column`) of `table`, making the cell's item when it has
/// none; true when it made one.
bool showCell(QTableWidget* table, int row, int column, const QString& text);
/// Checks or clears `box` without firing its signals.
void showChecked(QCheckBox* box, bool on);

/// The first and last view rows and columns of the selected cells of `view`; false when none
/// is selected.
bool selectedBlock(const QAbstractItemView* view, int& top, int& left, int& bottom, int& right);

}  // namespace tavo::app
