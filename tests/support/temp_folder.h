// A temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  /// Writes `content` to `name` in the folder, as bytes, and returns its path.
  std::filesystem::path write(std::string_view name, std::string_view content) const;
  /// The bytes of `name` in the folder.
  std::string read(std::string_view name) const;

 private:
  std::filesystem::path m_path;
};

/// The bytes of a file, or "" when it cannot be read.
std::string readFileBytes(const std::filesystem::path& file);
/// Copies `relative` (a path in the source tree, by default the example paraben.res) into
/// `folder` under its own name and returns the copy's path.
std::filesystem::path copyExample(const TempFolder& folder,
                                  const std::string& relative = "examples/paraben.res");
/// The shipped data folder of the source tree (elems.inf, array_max.inf, ...).
std::filesystem::path dataFolder();
/// The shared corpus folder beside the checkout; empty when it is absent.
std::filesystem::path corpusFolder();
/// The files of one corpus folder ("shelxl", "lst", ...) in name order; empty without the corpus.
std::vector<std::filesystem::path> corpusFiles(const std::string& folder);

}  // namespace tavo::testing
