// Reading text files line by line.
#include "model/file_lines.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <system_error>

#include "text/errors.h"

namespace tavo::model {

namespace {

// The bytes of a file, read in one piece.
std::string fileBytes(const std::filesystem::path& file) {
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

}  // namespace

std::vector<std::string> loadRawFileLines(const std::filesystem::path& file) {
  const std::string content = fileBytes(file);
  // A byte-order mark that an editor put in front of the first line is not part of it.
  constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
  // A file saved with carriage returns alone (old Macintosh editors) has no line feed at all.
  const char lineEnd = content.find('\n') == std::string::npos ? '\r' : '\n';
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(std::count(content.begin(), content.end(), lineEnd)) + 1);
  std::size_t start = content.starts_with(byteOrderMark) ? byteOrderMark.size() : 0;
  while (start < content.size()) {
    std::size_t end = content.find(lineEnd, start);
    if (end == std::string::npos) end = content.size();
    std::size_t stop = end;
    while (stop > start && static_cast<unsigned char>(content[stop - 1]) <= 32)
      --stop;
    lines.emplace_back(content, start, stop - start);
    start = end + 1;
  }
  return lines;
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
