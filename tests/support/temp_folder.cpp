// Temporary folders and file helpers for tests.
#include "support/temp_folder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace tavo::testing {

TempFolder::TempFolder() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  m_path = std::filesystem::temp_directory_path() / ("tavo-test-" + std::to_string(random()));
  std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path TempFolder::write(std::string_view name, std::string_view content) const {
  const std::filesystem::path file = m_path / name;
  std::ofstream out(file, std::ios::binary);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  return file;
}

std::string TempFolder::read(std::string_view name) const {
  return readFileBytes(m_path / name);
}

std::string readFileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::filesystem::path copyExample(const TempFolder& folder, const std::string& relative) {
  const std::filesystem::path source = std::filesystem::path(TAVO_SOURCE_DIR) / relative;
  const std::filesystem::path target = folder.path() / source.filename();
  std::filesystem::copy_file(source, target);
  return target;
}

std::filesystem::path dataFolder() {
  return std::filesystem::path(TAVO_SOURCE_DIR) / "data";
}

std::filesystem::path corpusFolder() {
  // TAVO_CORPUS_DIR in the environment points elsewhere; set empty, the tests run as in a clone
  // without the corpus.
  const char* override = std::getenv("TAVO_CORPUS_DIR");
  const std::filesystem::path folder(override != nullptr ? override : TAVO_CORPUS_DIR);
  if (folder.empty()) return {};
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) return std::filesystem::canonical(folder);
  return {};
}

std::vector<std::filesystem::path> corpusFiles(const std::string& folder) {
  std::vector<std::filesystem::path> files;
  const std::filesystem::path corpus = corpusFolder();
  std::error_code error;
  if (corpus.empty() || !std::filesystem::is_directory(corpus / folder, error)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(corpus / folder))
    files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace tavo::testing
