// The base of every auxiliary window: a top-level window created hidden, found by its objectName.
#pragma once

#include <QWidget>

#include <functional>
#include <string_view>

namespace tavo::app {

class AuxiliaryWindow : public QWidget {
  Q_OBJECT

 public:
  AuxiliaryWindow(std::string_view objectName, std::string_view caption, QWidget* parent);

  /// Shows what the core holds now: the refresher's work, or a window's own.
  virtual void refresh();
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

 signals:
  /// The user closed the window.
  void closed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> m_refresher;
};

}  // namespace tavo::app
