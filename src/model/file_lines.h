// Reading a text file into trimmed lines, as every reader of the program sees a file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tavo::model {

/// The lines of `file` as read: split at line feeds, each trimmed of characters with codes up
/// to 32 at both ends. Throws FileError when the file cannot be read.
std::vector<std::string> loadFileLines(const std::filesystem::path& file);

/// The lines of `file` split at line feeds (at carriage returns in a file without any line
/// feed), a leading UTF-8 byte-order mark left out, with only trailing characters up to code 32
/// removed, so that a leading blank can still be seen. Throws FileError when the file cannot be
/// read.
std::vector<std::string> loadRawFileLines(const std::filesystem::path& file);

}  // namespace tavo::model
