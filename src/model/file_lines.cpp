// Reading text files line by line.
#include "model/file_lines.h"

#include <fstream>
#include <sstream>
#include <string_view>

#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

std::vector<std::string> loadRawFileLines(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw FileError(file, "cannot be read");
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw FileError(file, "cannot be read");
  const std::string content = bytes.str();
  // A byte-order mark that an editor put in front of the first line is not part of it.
  constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
  // A file saved with carriage returns alone (old Macintosh editors) has no line feed at all.
  const char lineEnd = content.find('\n') == std::string::npos ? '\r' : '\n';
  std::vector<std::string> lines;
  std::size_t start = content.starts_with(byteOrderMark) ? byteOrderMark.size() : 0;
  while (start < content.size()) {
    std::size_t end = content.find(lineEnd, start);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(start, end - start);
    while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32)
      line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> loadFileLines(const std::filesystem::path& file) {
  std::vector<std::string> lines = loadRawFileLines(file);
  for (std::string& line : lines)
    line = text::trimLine(line);
  return lines;
}

}  // namespace tavo::model
