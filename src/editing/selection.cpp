// The Selection lists, their flags and the selection file.
#include "editing/selection.h"

#include <algorithm>
#include <fstream>

#include "model/file_replace.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::editing {

namespace {

std::uint8_t& flagOf(model::StructureModel& structure, model::AtomRef ref) {
  return structure.selected.at(static_cast<size_t>(ref.kind)).at(static_cast<size_t>(ref.index));
}

}  // namespace

bool Selection::contains(model::AtomRef ref) const {
  return std::find(picked.begin(), picked.end(), ref) != picked.end();
}

void Selection::append(model::StructureModel& structure, model::AtomRef ref) {
  if (count() >= capacity) {
    throw UserError(model::limitExceededMessage("selected atoms", "atm_max", capacity));
  }
  picked.push_back(ref);
  flagOf(structure, ref) = selectedFlag;
}

void Selection::remove(model::StructureModel& structure, model::AtomRef ref) {
  const auto last = std::find(picked.rbegin(), picked.rend(), ref);
  if (last == picked.rend()) return;
  picked.erase(std::next(last).base());
  flagOf(structure, ref) = 0;
}

void Selection::toggle(model::StructureModel& structure, model::AtomRef ref) {
  if (flagOf(structure, ref) == selectedFlag) {
    remove(structure, ref);
  } else {
    append(structure, ref);
  }
}

void Selection::clear(model::StructureModel& structure) {
  for (const model::AtomRef& ref : picked)
    flagOf(structure, ref) = 0;
  picked.clear();
}

void Selection::clearReversed(model::StructureModel& structure) {
  for (const model::AtomRef& ref : reversed)
    flagOf(structure, ref) = 0;
  reversed.clear();
}

void Selection::flagPicked(model::StructureModel& structure) const {
  for (const model::AtomRef& ref : picked)
    flagOf(structure, ref) = selectedFlag;
}

void Selection::forget() {
  picked.clear();
  reversed.clear();
}

void writeSelectionFile(const std::filesystem::path& file,
                        const std::vector<model::AtomRef>& entries) {
  std::string content = std::to_string(entries.size()) + "\n";
  for (const model::AtomRef& ref : entries) {
    content +=
        std::to_string(model::kindNumber(ref.kind)) + "\t" + std::to_string(ref.index) + "\n";
  }
  model::replaceFileContents(file, content);
}

std::vector<model::AtomRef> readSelectionFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw FileError(file, "cannot be read");
  std::string line;
  std::getline(in, line);
  const int count = text::parseInt(text::trimLine(line));
  std::vector<model::AtomRef> entries;
  for (int r = 0; r < count && std::getline(in, line); ++r) {
    // The kind and the index are separated by a TAB or by blanks.
    for (char& c : line) {
      if (c == '\t') c = ' ';
    }
    const std::string trimmed = text::trimLine(line);
    const std::vector<std::string_view> words = text::splitWords(trimmed);
    if (words.size() < 2) throw ConversionError("'" + trimmed + "' is not a valid integer value");
    const int kind = text::parseInt(words[0]);
    const int index = text::parseInt(words[1]);
    if (kind < 1 || kind > 3 || index < 1) {
      throw UserError(file.string() + ": '" + trimmed + "' names no atom.");
    }
    entries.push_back({static_cast<model::AtomKind>(kind), index});
  }
  return entries;
}

}  // namespace tavo::editing
