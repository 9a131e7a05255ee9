// The seam between the main window and the canvas the core draws on.
#pragma once

#include <QImage>
#include <QSize>

namespace tavo::app {

/// The picture the last redraw produced, and the size it is drawn at.
class PictureSource {
 public:
  virtual ~PictureSource() = default;
  /// The last picture; its device pixel ratio matches the one given to resizePicture.
  virtual QImage picture() const = 0;
  /// Makes the next pictures `logical` pixels large (as the core counts them), drawn with
  /// `devicePixelRatio` image pixels per logical pixel for crisp lines on high-DPI screens.
  virtual void resizePicture(QSize logical, qreal devicePixelRatio) = 0;
};

}  // namespace tavo::app
