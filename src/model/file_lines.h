// Reading a text file into trimmed lines, as every reader of the program sees a file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
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

/// The bytes of `file`, read in one piece. Throws FileError when the file cannot be read.
std::string loadFileText(const std::filesystem::path& file);

/// The lines of a text by the rule of loadRawFileLines, as views into `text`.
std::vector<std::string_view> splitRawLines(std::string_view text);

}  // namespace tavo::model
