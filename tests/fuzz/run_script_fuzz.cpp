// Feeds arbitrary bytes as a `tavo-cli run` script over the example structure: every line runs
// or fails with a message, never a crash. File names stay inside the work folder (a script with
// a path separator or ".." is passed over), so that the fuzzer writes nowhere else.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>

#include "cli/run_command.h"
#include "text/errors.h"

namespace {

namespace fs = std::filesystem;

/// Swallows what the script prints: the messages are not what is tested.
class NullBuffer final : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
};

struct Folders {
  fs::path program, work;
};

const Folders& folders() {
  static const Folders made = [] {
    const fs::path root = fs::temp_directory_path() / "tavo-fuzz-script";
    fs::remove_all(root);
    Folders f{root / "program", root / "work"};
    fs::create_directories(f.work);
    fs::copy(fs::path(TAVO_SOURCE_DIR) / "data", f.program, fs::copy_options::recursive);
    return f;
  }();
  return made;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static NullBuffer nothing;
  static const bool quiet = [] {
    std::cout.rdbuf(&nothing);
    std::cerr.rdbuf(&nothing);
    return true;
  }();
  (void)quiet;
  const std::string_view script(reinterpret_cast<const char*>(data), size);
  if (size > 4096 || script.find_first_of("/\\") != std::string_view::npos ||
      script.find("..") != std::string_view::npos)
    return 0;
  const Folders& f = folders();
  // Each script starts from the same folder: the example structure alone.
  for (const fs::directory_entry& entry : fs::directory_iterator(f.work))
    fs::remove_all(entry.path());
  fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res", f.work / "paraben.res");
  // and the program folder's settings as shipped, whatever a script saved over them before.
  for (const fs::directory_entry& entry :
       fs::directory_iterator(fs::path(TAVO_SOURCE_DIR) / "data")) {
    if (entry.is_regular_file())
      fs::copy_file(entry.path(), f.program / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
  }
  fs::current_path(f.work);
  std::istringstream lines{std::string(script)};
  try {
    tavo::cli::runScript(lines, f.program, f.work);
  } catch (const tavo::UserError&) {
  }
  return 0;
}
