// tavo-cli render: draws the standard picture of an instruction file into a PNG or SVG file.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "view/canvas.h"

namespace tavo::workbench {
class Workbench;
}

namespace tavo::cli {

/// A picture of the pane size that a Workbench draws onto and that can be written as PNG.
class PictureTarget {
 public:
  virtual ~PictureTarget() = default;
  virtual view::Canvas& canvas() = 0;
  /// Writes the picture; false when the file cannot be written.
  virtual bool save(const std::filesystem::path& file) = 0;
};

/// Writes the Workbench's picture (as its pane shows it, `width` x `height` pixels) to `file`:
/// PNG, SVG or PDF by the suffix, `transparent` leaving the background out. Throws UserError for
/// another suffix and FileError when the file cannot be written.
void writeWindowPicture(workbench::Workbench& bench, const std::filesystem::path& file, int width,
                        int height, bool transparent = false, int dotsPerInch = 96);

/// A picture of `width` x `height` pixels (starting the GUI application the fonts need).
std::unique_ptr<PictureTarget> makePictureTarget(int width, int height);

/// `render FILE -o PICTURE [--width W] [--height H] [--program-folder DIR]`; `args` starts after
/// the word "render". Returns the process exit code: 0 written, 1 failed, 2 bad usage.
int runRenderCommand(const std::vector<std::string>& args);

}  // namespace tavo::cli
