// The labels of the file of all expanded atoms: SHELXL labels of at most four characters, unique
// in the file, for the atoms of the file and their symmetry copies.
#pragma once

#include <string>
#include <vector>

namespace tavo::model {

/// One atom of the expanded-atoms file as its label is chosen.
struct ExpandedLabelRequest {
  std::string base;     // the atom's label; for a copy, the label of the atom it copies
  std::string element;  // its element symbol ("C", "Cl"), for a label of element and number
  bool copy = false;    // a symmetry copy, which always gets a label of its own
};

/// The labels, in the order of `entries`. An atom of the file keeps its label when that is at
/// most four characters and not taken (case ignored) by an atom before it. Every other entry gets
/// the first free label of: its base with one letter A..Z appended (a base of at most three
/// characters; C14 -> C14A), then its element and the lowest free number (C15', Cl7). Throws
/// UserError, naming the atom, when no such label of at most four characters is left.
std::vector<std::string> expandedFileLabels(const std::vector<ExpandedLabelRequest>& entries);

}  // namespace tavo::model
