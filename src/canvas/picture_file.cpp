// Pictures written to PNG, SVG and PDF files.
#include "canvas/picture_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <string>

#include "canvas/qpainter_canvas.h"
#include "model/file_replace.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::canvas {

namespace {

constexpr int smallestPicture = 16, largestPicture = 20000;

void paintOn(QPaintDevice& device, const LogicalPane& pane, const PicturePainter& paint) {
  QPainterCanvas canvas(device);
  canvas.setMagnification(pane.magnification);
  paint(canvas, pane.width, pane.height);
  canvas.show();
}

QByteArray pngBytes(const PictureFileOptions& options, const LogicalPane& pane,
                    const PicturePainter& paint) {
  QImage image(options.width, options.height, QImage::Format_ARGB32_Premultiplied);
  image.fill(options.transparent ? Qt::transparent : Qt::white);
  const int dotsPerMeter = static_cast<int>(std::lround(options.dotsPerInch / 0.0254));
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  paintOn(image, pane, paint);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

QByteArray svgBytes(const PictureFileOptions& options, const LogicalPane& pane,
                    const std::filesystem::path& file, const PicturePainter& paint) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(options.width, options.height));
  generator.setViewBox(QRect(0, 0, options.width, options.height));
  generator.setResolution(96);
  generator.setTitle(QString::fromStdString(file.stem().string()));
  paintOn(generator, pane, paint);
  return bytes;
}

QByteArray pdfBytes(const PictureFileOptions& options, const LogicalPane& pane,
                    const std::filesystem::path& file, const PicturePainter& paint) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(96);
  writer.setPageSize(QPageSize(QSizeF(options.width * 0.75, options.height * 0.75),
                               QPageSize::Point, QString(), QPageSize::ExactMatch));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  writer.setTitle(QString::fromStdString(file.stem().string()));
  writer.setCreator(QStringLiteral("Tavo"));
  paintOn(writer, pane, paint);
  return bytes;
}

}  // namespace

std::optional<PictureFormat> findPictureFormat(const std::filesystem::path& file) {
  const std::string suffix = text::upper(file.extension().string());
  if (suffix == ".PNG") return PictureFormat::Png;
  if (suffix == ".SVG") return PictureFormat::Svg;
  if (suffix == ".PDF") return PictureFormat::Pdf;
  return std::nullopt;
}

LogicalPane logicalPane(const PictureFileOptions& options, int paneWidth, int paneHeight) {
  if (paneWidth <= 0 || paneHeight <= 0) return {options.width, options.height, 1};
  const double magnification = std::min(static_cast<double>(options.width) / paneWidth,
                                        static_cast<double>(options.height) / paneHeight);
  return {static_cast<int>(std::lround(options.width / magnification)),
          static_cast<int>(std::lround(options.height / magnification)), magnification};
}

void writePictureFile(const std::filesystem::path& file, const PictureFileOptions& options,
                      int paneWidth, int paneHeight, const PicturePainter& paint) {
  const auto inRange = [](int size) { return size >= smallestPicture && size <= largestPicture; };
  if (!inRange(options.width) || !inRange(options.height)) {
    throw UserError("The picture must be " + std::to_string(smallestPicture) + " to " +
                    std::to_string(largestPicture) + " pixels wide and high.");
  }
  const LogicalPane pane = logicalPane(options, paneWidth, paneHeight);
  QByteArray bytes;
  switch (options.format) {
    case PictureFormat::Png:
      bytes = pngBytes(options, pane, paint);
      break;
    case PictureFormat::Svg:
      bytes = svgBytes(options, pane, file, paint);
      break;
    case PictureFormat::Pdf:
      bytes = pdfBytes(options, pane, file, paint);
      break;
  }
  if (bytes.isEmpty()) throw FileError(file, "the picture could not be drawn");
  model::replaceFileContents(
      file, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

}  // namespace tavo::canvas
