// A CIF file read by a strict parser, as plain values: blocks, their single items and loops.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::cif {

/// One loop: its tags in order and its values row by row (`values.size()` is a multiple of
/// `tags.size()`). Values are as written, quotes and text-field semicolons removed.
struct CifLoop {
  std::vector<std::string> tags;
  std::vector<std::string> values;

  std::size_t width() const { return tags.size(); }
  std::size_t rowCount() const { return tags.empty() ? 0 : values.size() / tags.size(); }
  /// The column of `tag` (compared case-insensitively), if the loop has it.
  std::optional<std::size_t> findColumn(std::string_view tag) const;
  const std::string& at(std::size_t row, std::size_t column) const {
    return values[row * tags.size() + column];
  }
};

/// A single data item with the line it starts on: the value unquoted (a text field without its
/// delimiting lines) and as written in the file (quotes and semicolon lines included).
struct CifItem {
  std::string tag;
  std::string value;
  std::string raw;
  int line = 0;
};

/// A data block: the name after "data_", its single items and its loops in file order.
struct CifBlock {
  std::string name;
  std::vector<CifItem> items;
  std::vector<CifLoop> loops;

  /// The value of a single item (tag compared case-insensitively), if the block has it.
  std::optional<std::string> findValue(std::string_view tag) const;
  /// The loop that holds `tag`, if any.
  const CifLoop* findLoop(std::string_view tag) const;
};

struct CifDocument {
  std::vector<CifBlock> blocks;
};

/// Reads a CIF 1.1 text with a strict parser. Throws UserError naming `sourceName` and the
/// line for a syntax error, a data name given twice in a block or a loop with missing values.
CifDocument parseCifText(std::string_view text, std::string_view sourceName);
/// Reads a CIF file (see parseCifText); UserError when the file cannot be read.
CifDocument readCifFile(const std::string& path);

/// True for the CIF values "?" (unknown) and "." (not applicable).
bool isCifNull(std::string_view value);

}  // namespace tavo::cif
