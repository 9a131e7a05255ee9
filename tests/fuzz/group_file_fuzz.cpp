// Feeds arbitrary bytes to the reader of group and fragment files: it must read a group or refuse
// the file with a message, never read out of bounds or take memory for a count it cannot see.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "formats/group_file.h"
#include "text/errors.h"
#include "text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  for (std::size_t at = 0; at <= bytes.size();) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) end = bytes.size();
    lines.push_back(tavo::text::trimLine(bytes.substr(at, end - at)));
    at = end + 1;
  }
  try {
    const tavo::formats::GroupFile group = tavo::formats::readGroupLines(lines, "fuzz.grp");
    if (group.atoms.size() >= lines.size()) __builtin_trap();
    for (const tavo::formats::GroupAtom& atom : group.atoms) {
      if (atom.symbol.size() > 2) __builtin_trap();
    }
  } catch (const tavo::UserError&) {
  }
  return 0;
}
