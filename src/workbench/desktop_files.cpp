// The recent-files list and the window placement, kept in the program folder.
#include "workbench/desktop_files.h"

#include <algorithm>
#include <string>

#include "model/file_lines.h"
#include "model/file_replace.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::workbench {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> linesOf(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) return {};
  try {
    return model::loadFileLines(file);
  } catch (const UserError&) {
    return {};  // an unreadable memory is no memory
  }
}

}  // namespace

std::vector<fs::path> readRecentFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const std::string& line : linesOf(folder / recentFilesFileName)) {
    if (!line.empty() && files.size() < recentFilesKept) files.emplace_back(line);
  }
  return files;
}

std::vector<fs::path> addRecentFile(const fs::path& folder, const fs::path& file) {
  const fs::path added = fs::absolute(file).lexically_normal();
  std::vector<fs::path> files = readRecentFiles(folder);
  std::erase(files, added);
  files.insert(files.begin(), added);
  if (files.size() > recentFilesKept) files.resize(recentFilesKept);
  std::vector<std::string> lines;
  for (const fs::path& f : files)
    lines.push_back(f.string());
  model::replaceFileLines(folder / recentFilesFileName, lines);
  return files;
}

std::optional<WindowPlacement> readWindowPlacement(const fs::path& folder) {
  const std::vector<std::string> lines = linesOf(folder / windowPlacementFileName);
  if (lines.empty()) return std::nullopt;
  const std::vector<std::string_view> words = text::splitWords(lines[0]);
  if (words.size() != 5) return std::nullopt;
  int values[5];
  for (std::size_t i = 0; i < 5; ++i) {
    const std::optional<int> v = text::findInt(words[i]);
    if (!v) return std::nullopt;
    values[i] = *v;
  }
  if (values[2] <= 0 || values[3] <= 0) return std::nullopt;
  return WindowPlacement{values[0], values[1], values[2], values[3], values[4] != 0};
}

void writeWindowPlacement(const fs::path& folder, const WindowPlacement& p) {
  model::replaceFileLines(
      folder / windowPlacementFileName,
      {std::to_string(p.x) + " " + std::to_string(p.y) + " " + std::to_string(p.width) + " " +
       std::to_string(p.height) + " " + (p.maximized ? "1" : "0")});
}

}  // namespace tavo::workbench
