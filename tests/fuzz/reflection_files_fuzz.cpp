// Feeds arbitrary bytes to the readers of reflection data: the HKLF card, an HKLF 4 .hkl text and
// a .fcf file must be read or refused with a UserError, never crash or run without end.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "density/fcf_file.h"
#include "density/reflection_file.h"
#include "text/errors.h"

namespace {

const std::filesystem::path& fcfFile() {
  static const std::filesystem::path file = [] {
    auto folder = std::filesystem::temp_directory_path() / "tavo-fuzz-reflections";
    std::filesystem::create_directories(folder);
    return folder / "fuzz.fcf";
  }();
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The first line stands for the model's HKLF card, the whole text for the .hkl file.
  const std::string_view card = bytes.substr(0, bytes.find('\n'));
  try {
    const tavo::density::HklfCard hklf = tavo::density::parseHklfCard(card);
    tavo::density::parseHklText(bytes, hklf, "fuzz.hkl");
  } catch (const tavo::UserError&) {
  }
  try {
    tavo::density::parseHklText(bytes, tavo::density::HklfCard{}, "fuzz.hkl");
  } catch (const tavo::UserError&) {
  }
  {
    std::ofstream out(fcfFile(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  try {
    tavo::density::readFcfFile(fcfFile());
  } catch (const tavo::UserError&) {
  }
  return 0;
}
