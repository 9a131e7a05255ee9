// Reading text files line by line.
#include "model/file_lines.h"

#include <fstream>
#include <sstream>

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
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
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
