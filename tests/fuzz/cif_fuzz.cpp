// Feeds arbitrary bytes to both users of CIF text: the import of a data block (a structure or a
// refusal with a message) and the merge of a SHELXL CIF into the shipped template.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "cif/cif_merge.h"
#include "formats/cif_import.h"
#include "model/file_lines.h"
#include "text/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<std::string> templateLines = tavo::model::loadRawFileLines(
      std::filesystem::path(TAVO_SOURCE_DIR) / "data" / "template.cif");
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    // Each block offered is declined but the last, as a user might.
    tavo::formats::importCif(bytes, "fuzz.cif", [](const std::string&) { return false; });
  } catch (const tavo::UserError&) {
  }
  std::vector<std::string> lines;
  for (std::size_t at = 0; at <= bytes.size();) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) end = bytes.size();
    lines.emplace_back(bytes.substr(at, end - at));
    at = end + 1;
  }
  try {
    std::vector<tavo::cif::CifWorkLine> work = tavo::cif::templateWorkLines(templateLines);
    tavo::cif::mergeShelxlCif(work, lines, "fuzz", "2026-01-01");
    tavo::cif::mergeCifOd(work, lines);
    tavo::cif::outputLines(work);
  } catch (const tavo::UserError&) {
  }
  return 0;
}
