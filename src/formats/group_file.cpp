// Reading group and fragment files.
#include "formats/group_file.h"

#include "text/errors.h"
#include "text/text.h"

namespace tavo::formats {

std::vector<std::string> groupFields(std::string_view line, std::size_t count) {
  std::vector<std::string> fields;
  std::size_t at = 0;
  for (std::size_t k = 1; k < count; ++k) {
    std::size_t end = at;
    while (end < line.size() && line[end] == ' ')
      ++end;
    while (end < line.size() && line[end] != ' ')
      ++end;
    fields.push_back(text::trimLine(line.substr(at, end - at)));
    at = end;
  }
  fields.push_back(text::trimLine(line.substr(at)));
  return fields;
}

GroupFile readGroupLines(const std::vector<std::string>& lines, std::string_view fileName) {
  const std::string name(fileName);
  if (lines.empty()) throw UserError(name + " is empty: line 1 should give the number of atoms.");
  const std::vector<std::string> head = groupFields(lines[0], 2);
  const int n = text::parseInt(head[0]);
  const int t = text::parseInt(head[1]);
  if (n < 0) throw UserError(name + ", line 1: the number of atoms " + head[0] + " is negative.");
  GroupFile group;
  std::size_t row = 1;
  if (t == 1) {
    if (row >= lines.size()) throw UserError(name + " has no origin line after line 1.");
    group.originSymbol = text::cut(groupFields(lines[row], 3)[1], 2);
    ++row;
  }
  const std::size_t available = lines.size() - row;
  if (available < static_cast<std::size_t>(n)) {
    throw UserError(name + ": line 1 announces " + std::to_string(n) + " atom lines, but " +
                    std::to_string(available) + " follow.");
  }
  for (int k = 0; k < n; ++k, ++row) {
    const std::vector<std::string> f = groupFields(lines[row], 5);
    group.atoms.push_back(
        {text::cut(f[1], 2),
         {text::parseDouble(f[2]), text::parseDouble(f[3]), text::parseDouble(f[4])}});
  }
  return group;
}

}  // namespace tavo::formats
