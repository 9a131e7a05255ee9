// tavo-cli render: draws the standard picture of an instruction file into a PNG or SVG file.
#pragma once

#include <string>
#include <vector>

namespace tavo::cli {

/// `render FILE -o PICTURE [--width W] [--height H] [--program-folder DIR]`; `args` starts after
/// the word "render". Returns the process exit code: 0 written, 1 failed, 2 bad usage.
int runRenderCommand(const std::vector<std::string>& args);

}  // namespace tavo::cli
