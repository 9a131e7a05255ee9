// Reading text files line by line.
#include "model/file_lines.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <system_error>

#include "text/errors.h"

namespace tavo::model {

std::string loadFileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw FileError(file, "cannot be read");
  std::string content;
  std::error_code sizeError;
  const auto size = std::filesystem::file_size(file, sizeError);
  if (!sizeError) content.reserve(static_cast<std::size_t>(size));
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
    content.append(buffer, static_cast<std::size_t>(in.gcount()));
  if (in.bad()) throw FileError(file, "cannot be read");
  return content;
}

std::vector<std::string_view> splitRawLines(std::string_view text) {
  // A byte-order mark that an editor put in front of the first line is not part of it.
  constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
  // A file saved with carriage returns alone (old Macintosh editors) has no line feed at all.
  const char lineEnd = text.find('\n') == std::string_view::npos ? '\r' : '\n';
  std::vector<std::string_view> lines;
  lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), lineEnd)) + 1);
  std::size_t start = text.starts_with(byteOrderMark) ? byteOrderMark.size() : 0;
  while (start < text.size()) {
    std::size_t end = text.find(lineEnd, start);
    if (end == std::string_view::npos) end = text.size();
    std::size_t stop = end;
    while (stop > start && static_cast<unsigned char>(text[stop - 1]) <= 32)
      --stop;
    lines.push_back(text.substr(start, stop - start));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> loadRawFileLines(const std::filesystem::path& file) {
  const std::string content = loadFileText(file);
  const std::vector<std::string_view> views = splitRawLines(content);
  return {views.begin(), views.end()};
}

std::vector<std::string> loadFileLines(const std::filesystem::path& file) {
  std::vector<std::string> lines = loadRawFileLines(file);
  // The ends were trimmed while splitting; only leading characters up to code 32 remain.
  for (std::string& line : lines) {
    std::size_t lead = 0;
    while (lead < line.size() && static_cast<unsigned char>(line[lead]) <= 32)
      ++lead;
    line.erase(0, lead);
  }
  return lines;
}

}  // namespace tavo::model
