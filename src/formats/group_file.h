// Group and fragment files of the locating tool: element symbols with Cartesian offsets in Å
// from an origin atom, as the fragment export writes them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/vec3.h"

namespace tavo::formats {

/// One atom line of a group file: its element symbol (at most two characters, as written) and
/// its offset from the origin in Å, in the axes of the view at the time of reading.
struct GroupAtom {
  std::string symbol;
  model::Vec3 offset;
  friend bool operator==(const GroupAtom&, const GroupAtom&) = default;
};

/// A group as read: the origin atom's element when line 1 announces an origin line (t = 1),
/// then the atoms in file order.
struct GroupFile {
  std::optional<std::string> originSymbol;
  std::vector<GroupAtom> atoms;
  friend bool operator==(const GroupFile&, const GroupFile&) = default;
};

/// Field `count` of a line is the rest of it: fields 1..count-1 are the words (ended by a blank
/// after a non-blank character), the last one everything after word count-1; each trimmed.
/// Missing fields are empty.
std::vector<std::string> groupFields(std::string_view line, std::size_t count);

/// Reads the lines of a group file: line 1 "n t", an origin line when t = 1 ("0 SYMBOL ..."),
/// then n lines "number SYMBOL X Y Z"; later lines are not read (they may describe the group).
/// Throws ConversionError for n, t or a coordinate that is not a number, and UserError naming
/// `fileName` for a negative n or fewer atom lines than line 1 announces. Nothing else is checked
/// here: the elements are looked up by the locating tool.
GroupFile readGroupLines(const std::vector<std::string>& lines, std::string_view fileName);

}  // namespace tavo::formats
