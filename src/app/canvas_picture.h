// The QPainter canvas as the main window's picture source.
#pragma once

#include "app/picture_source.h"
#include "canvas/qpainter_canvas.h"

namespace tavo::app {

/// Hands the raster canvas's image to the paint widget and resizes it with the pane.
class CanvasPicture final : public PictureSource {
 public:
  explicit CanvasPicture(canvas::QPainterCanvas& canvas) : m_canvas(canvas) {}
  QImage picture() const override { return m_canvas.image(); }
  /// The canvas draws in the core's pixels; the ratio is not used until the canvas can draw
  /// at a device pixel ratio of its own.
  void resizePicture(QSize logical, qreal devicePixelRatio) override {
    m_canvas.resize(logical.width(), logical.height(), devicePixelRatio);
  }

 private:
  canvas::QPainterCanvas& m_canvas;
};

}  // namespace tavo::app
