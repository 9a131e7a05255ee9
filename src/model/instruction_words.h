// The word table of the instruction lines: the working grid in which the relabelling of atom
// names inside cards looks at each line word by word.
#pragma once

#include <string_view>
#include <vector>

#include "text/text_grid.h"

namespace tavo::model {

/// The words of one instruction line, split at runs of blanks and each trimmed; a tab belongs
/// to its word.
std::vector<std::string> instructionWords(std::string_view line);

/// One row per instruction line (row r = line r, TITL in row 0) with the words of the line in
/// columns 1..w, w being the most words of any line; column 0 stays empty.
text::TextGrid instructionWordTable(const std::vector<std::string>& lines);

}  // namespace tavo::model
