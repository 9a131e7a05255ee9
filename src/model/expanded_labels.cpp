// The labels of the file of all expanded atoms: SHELXL labels of at most four characters, unique
// in the file, for the atoms of the file and their symmetry copies.
#include "model/expanded_labels.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>

#include "model/atom_labels.h"
#include "model/shelxl_instructions.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

/// A label SHELXL reads as an atom: one to four characters, a letter first, no blank, "_", "!"
/// or "=", no instruction name and no peak name.
bool readsAsAtom(const std::string& label) {
  if (label.empty() || label.size() > maxLabelLength) return false;
  if (std::isalpha(static_cast<unsigned char>(label[0])) == 0) return false;
  for (char c : label) {
    if (c == ' ' || c == '\t' || c == '_' || c == '!' || c == '=' || c == '*') return false;
  }
  return !isInstructionName(label) && !isPeakLabel(label);
}

class LabelPool {
 public:
  bool take(const std::string& label) {
    if (!readsAsAtom(label)) return false;
    return m_used.insert(text::upper(label)).second;
  }

  /// The first free label of the base and a letter, then of the element and a number.
  std::optional<std::string> takeNew(const ExpandedLabelRequest& entry) {
    const std::string base = text::trimLine(entry.base);
    if (base.size() < maxLabelLength) {
      for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (take(base + letter)) return base + letter;
      }
    }
    const std::string element =
        entry.element.empty() ? std::string(1, base.empty() ? 'X' : base[0]) : entry.element;
    int& next = m_nextNumber[text::upper(element)];
    for (next = std::max(next, 1); element.size() + std::to_string(next).size() <= maxLabelLength;
         ++next) {
      const std::string label = element + std::to_string(next);
      if (take(label)) return label;
    }
    return std::nullopt;
  }

 private:
  std::set<std::string> m_used;
  std::map<std::string, int> m_nextNumber;
};

}  // namespace

std::vector<std::string> expandedFileLabels(const std::vector<ExpandedLabelRequest>& entries) {
  LabelPool pool;
  std::vector<std::string> labels(entries.size());
  std::vector<bool> kept(entries.size(), false);
  // The atoms of the file keep their names before any copy is named.
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string label = text::trimLine(entries[i].base);
    if (!entries[i].copy && pool.take(label)) {
      labels[i] = label;
      kept[i] = true;
    }
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (kept[i]) continue;
    const std::optional<std::string> label = pool.takeNew(entries[i]);
    if (!label) {
      throw UserError("No free label of at most four characters is left for " +
                      std::string(entries[i].copy ? "a copy of " : "") +
                      text::trimLine(entries[i].base) + "; the expanded atoms were not saved.");
    }
    labels[i] = *label;
  }
  return labels;
}

}  // namespace tavo::model
