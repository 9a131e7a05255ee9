// The base of every auxiliary window: a top-level window created hidden, found by its objectName.
#pragma once

#include <QModelIndex>
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class QAbstractItemView;

namespace tavo::workbench {
struct ControlDeclaration;
struct WindowDeclaration;
}  // namespace tavo::workbench

namespace tavo::app {

class WindowRunner;

class AuxiliaryWindow : public QWidget {
  Q_OBJECT

 public:
  /// The property of a QLineEdit that hands its text to the core when the user has finished
  /// typing; a field without it hands over every change.
  static constexpr const char* whenFinishedProperty = "tavoWhenFinished";

  /// `runner` runs the window's commands; it may be given later, with bindControls.
  AuxiliaryWindow(std::string_view objectName, std::string_view caption, QWidget* parent,
                  WindowRunner* runner = nullptr);

  /// Shows what the core holds now (showState); the bound widgets stay quiet meanwhile.
  void refresh();
  /// What `refresh` does for a window that is only its widgets (a grid, a list).
  void setRefresher(std::function<void()> refresher) { m_refresher = std::move(refresher); }
  /// The size the window takes as it is shown over a main window of `mainSize` whose picture is
  /// `pictureHeight` tall: its own size, no larger than the main window.
  virtual QSize preferredSize(const QSize& mainSize, int pictureHeight) const;

  /// Centres the window over `main` (an information window).
  void placeCentredOver(const QWidget& main);
  /// Places a tool window where it hides none of the picture's controls: beside `main` (right of
  /// it, else left of it) with its top at the top of `picture`, no taller than the picture; when
  /// the screen has no room on either side, over the picture's left edge, clear of its corners.
  void placeBesidePicture(const QWidget& main, const QWidget& picture);
  /// Gives the window the height of the paint surface, vertically centred on the surface's
  /// band of `main` and horizontally centred over it (a help window).
  void placeAsHelpOver(const QWidget& main, int surfaceHeight);

  /// What a table's selection and double click say to its control, when the row and column of
  /// the grid are not enough.
  struct TableWords {
    /// The values of the selection; empty when there is nothing to say.
    std::function<std::vector<std::string>()> selection;
    /// The values of a double click on `cell`.
    std::function<std::vector<std::string>(const QModelIndex& cell)> doubleClick;
  };
  /// Gives the table `objectName` its own words; before bindControls.
  void setTableWords(const QString& objectName, TableWords words);

  /// Connects each child widget or menu item whose objectName is a control's name (or one of
  /// its aliases) in `declaration` to that control, run through `runner` as a script line runs
  /// it: a button or item presses it, a field hands over its text, a spin box its number, a check
  /// box 1 or 0, a table the rows selected (the grid's own row numbers, top and bottom) and,
  /// where the control has one, its double click on a cell (row, column). Each widget fires one
  /// control. Widgets without a control keep their own connections.
  void bindControls(const workbench::WindowDeclaration& declaration, WindowRunner& runner);
  /// True once bindControls has run (a window that still connects its widgets itself is not).
  bool isBound() const { return m_bindingDone; }
  /// The widgets and items bindControls connected.
  const std::vector<QObject*>& boundWidgets() const { return m_bound; }

 signals:
  /// The user closed the window.
  void closed();

 protected:
  /// Shows what the core holds now: the refresher's work, or a window's own.
  virtual void showState();
  /// True while refresh writes the widgets.
  bool refreshing() const { return m_refreshing; }
  /// The runner given at construction or by bindControls.
  WindowRunner& runner() const { return *m_runner; }
  /// Operates this window's control `words[0]` with the values after it, unless the window is
  /// being refreshed (a control without a widget of its own: a heading click, say).
  bool operate(std::vector<std::string> words);
  /// True when the core shows the window (as its declaration says), once bound.
  bool shownByCore() const;
  /// Runs `command` through the runner, unless the window is being refreshed.
  bool run(const std::function<void()>& command);

  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void bindWidget(QObject* widget, const workbench::ControlDeclaration& declared);
  void bindTable(QAbstractItemView* view, const std::string& control, bool doubleClick);

  std::function<void()> m_refresher;
  WindowRunner* m_runner = nullptr;
  bool m_refreshing = false;
  bool m_bindingDone = false;
  const workbench::WindowDeclaration* m_declaration = nullptr;
  std::map<QString, TableWords> m_tableWords;
  std::vector<QObject*> m_bound;
};

}  // namespace tavo::app
