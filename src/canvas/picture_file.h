// Pictures written to files: PNG at a chosen size and resolution, SVG and PDF as vector
// drawings with their texts as text, all drawn through the QPainter canvas.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "view/canvas.h"

namespace tavo::canvas {

enum class PictureFormat { Png, Svg, Pdf };

/// The format a file name asks for by its suffix (.png, .svg, .pdf, any case); none otherwise.
std::optional<PictureFormat> findPictureFormat(const std::filesystem::path& file);

/// Shown when a file name has none of the picture suffixes.
inline constexpr std::string_view pictureSuffixMessage =
    "A picture is written as .png, .svg or .pdf: choose a file name with one of these suffixes.";

/// How a picture file is written.
struct PictureFileOptions {
  PictureFormat format = PictureFormat::Png;
  int width = 1000;          // the picture's size: PNG pixels, SVG and PDF 1/96 inch
  int height = 800;          //
  int dotsPerInch = 96;      // the resolution a PNG declares
  bool transparent = false;  // PNG: the background left transparent (SVG and PDF: left out)
  friend bool operator==(const PictureFileOptions&, const PictureFileOptions&) = default;
};

/// Paints a picture of `width` x `height` logical pixels onto the canvas; the caller's drawing
/// of the window's picture, for instance.
using PicturePainter = std::function<void(view::Canvas& canvas, int width, int height)>;

/// The logical pane a picture of `options`' size is painted in, for a window pane of
/// `paneWidth` x `paneHeight`: the pane magnified as far as the picture allows, the rest margin.
struct LogicalPane {
  int width = 0, height = 0;
  double magnification = 1;
};
LogicalPane logicalPane(const PictureFileOptions& options, int paneWidth, int paneHeight);

/// Paints and writes the picture (through a temporary file beside it). Throws UserError for a
/// size outside 16..20000 pixels and FileError when the file cannot be written.
void writePictureFile(const std::filesystem::path& file, const PictureFileOptions& options,
                      int paneWidth, int paneHeight, const PicturePainter& paint);

}  // namespace tavo::canvas
