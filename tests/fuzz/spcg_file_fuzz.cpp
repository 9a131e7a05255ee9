// Feeds arbitrary bytes to the reader of spcg.inf and of the REM SPCG line: each must read what
// it can and leave the rest, never read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/spcg_file.h"
#include "model/rem_spcg.h"
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
  for (const tavo::geometry::SpaceGroupSetting& s : tavo::geometry::readSpcgSettings(lines)) {
    if (s.ops.empty() || s.ops.size() > 192) __builtin_trap();
  }
  for (int number : {66, 75, 230})
    (void)tavo::geometry::lookUpSpcg(lines, number, 2);
  if (!lines.empty()) (void)tavo::model::parseRemSpcgLine(lines.front());
  return 0;
}
