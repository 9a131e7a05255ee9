// Feeds arbitrary bytes to the readers of a SHELXL listing: the disagreeable reflections and the
// split suggestions must come out of any text, or none, never a read beyond a line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/listing_file.h"
#include "text/errors.h"
#include "text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  for (std::size_t at = 0; at <= bytes.size();) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) end = bytes.size();
    lines.emplace_back(bytes.substr(at, end - at));
    at = end + 1;
  }
  try {
    const auto rows = tavo::model::disagreeableReflections(lines);
    if (rows.size() > lines.size()) __builtin_trap();
    const auto splits = tavo::model::splitSuggestions(lines);
    for (const tavo::model::SplitSuggestion& split : splits) {
      if (split.label.empty()) __builtin_trap();
    }
  } catch (const tavo::UserError&) {
  }
  return 0;
}
