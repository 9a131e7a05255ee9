// Where the data items and loops of a CIF text sit among its lines: the map the text-based merge
// of the CIF generation works with, so that it replaces whole values and whole loops and leaves
// every other line (comments, blank lines, order) as it was.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::cif {

/// One data item outside loops: its tag and the lines from the tag to the end of its value.
struct LineItem {
  std::string tag;
  std::size_t tagLine = 0;
  std::size_t valueLine = 0;  // the line the value starts on
  std::size_t lastLine = 0;   // the line the value ends on (a text field's closing ';')
  std::size_t valueBegin = 0, valueEnd = 0;  // columns of a value that is not a text field
  bool textField = false;
};

/// One loop: its tags and the lines from "loop_" to its last value.
struct LineLoop {
  std::vector<std::string> tags;
  std::size_t loopLine = 0;
  std::size_t lastLine = 0;
};

/// One data block: the line of its "data_" heading and the line after its last line.
struct LineBlock {
  std::string name;
  std::size_t firstLine = 0;
  std::size_t endLine = 0;
};

struct CifLineMap {
  std::vector<LineItem> items;
  std::vector<LineLoop> loops;
  std::vector<LineBlock> blocks;

  /// The first item with `tag` (compared case-insensitively), or null.
  const LineItem* findItem(std::string_view tag) const;
  /// The first loop holding `tag`, or null.
  const LineLoop* findLoop(std::string_view tag) const;
};

/// Maps lines [first, end) of a CIF text. Comments are skipped; quoted values end at a quote
/// followed by a blank or the line end; a line starting with ';' opens or closes a text field.
/// A text that is not valid CIF gives a map of what could be recognised.
CifLineMap mapCifLines(const std::vector<std::string>& lines, std::size_t first = 0,
                       std::size_t end = static_cast<std::size_t>(-1));

/// The value of `item` as complete CIF text: one line for a word or a quoted string (the quotes
/// kept), every line of a text field with its semicolon lines.
std::vector<std::string> itemValueLines(const std::vector<std::string>& lines,
                                        const LineItem& item);

/// The first blank-separated word of `line` (empty for a blank line).
std::string_view firstWord(std::string_view line);

/// True when the tags are equal apart from letter case.
bool sameTag(std::string_view a, std::string_view b);

}  // namespace tavo::cif
