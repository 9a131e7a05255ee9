// SHELXL's reflection files: the HKLF card, fixed-column HKLF 4 rows, the files embedded in a
// CIF and the files beside a structure file.
#include "density/reflection_file.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <system_error>

#include "cif/cif_document.h"
#include "model/file_lines.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::density {

namespace {

constexpr std::array<double, 9> identityMatrix{1, 0, 0, 0, 1, 0, 0, 0, 1};

double determinant(const std::array<double, 9>& m) {
  return m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) +
         m[2] * (m[3] * m[7] - m[4] * m[6]);
}

// The numbers after "HKLF" fill n, s, r11 .. r33, wt and m in this order.
void storeCardNumber(HklfCard& card, std::size_t position, std::string_view word,
                     const std::string& where) {
  const bool whole = position == 0 || position == 12;
  if (whole) {
    const auto value = text::findInt(word);
    if (!value) throw UserError(where + "'" + std::string(word) + "' is not a whole number.");
    (position == 0 ? card.type : card.offset) = *value;
    return;
  }
  const auto value = text::findDouble(word);
  if (!value) throw UserError(where + "'" + std::string(word) + "' is not a number.");
  if (position == 1)
    card.scale = *value;
  else if (position <= 10)
    card.matrix[position - 2] = *value;
  else
    card.weight = *value;
}

// SHELXL reads HKLF 4 only; the twin formats and the older ones are refused by name.
void checkSupportedType(const HklfCard& card, std::string_view sourceName) {
  if (card.type == 4) return;
  const std::string where = std::string(sourceName) + ": ";
  const std::string type = std::to_string(card.type);
  if (card.type == 5 || card.type == 6)
    throw UserError(where + "twinned data (HKLF " + type + ") are not supported yet.");
  throw UserError(where + "HKLF " + type +
                  " data are not supported; only HKLF 4 files (h k l Fo² σ) are read.");
}

// One fixed-width field of a row; a row that ends early has blank fields.
std::string_view field(std::string_view line, std::size_t start, std::size_t width) {
  if (start >= line.size()) return {};
  return line.substr(start, width);
}

std::string_view withoutBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ')
    s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ')
    s.remove_suffix(1);
  return s;
}

struct Column {
  std::size_t start, width;
  const char* name;  // as messages show it: "columns 13-20 (Fo²)"
};
constexpr Column columnH{0, 4, "columns 1-4 (h)"};
constexpr Column columnK{4, 4, "columns 5-8 (k)"};
constexpr Column columnL{8, 4, "columns 9-12 (l)"};
constexpr Column columnFo2{12, 8, "columns 13-20 (Fo²)"};
constexpr Column columnSigma{20, 8, "columns 21-28 (σ)"};
constexpr Column columnBatch{28, 4, "columns 29-32 (batch)"};

// Reads the rows of one text, naming the source and line in every complaint.
class HklRowReader {
 public:
  explicit HklRowReader(std::string_view sourceName) : m_sourceName(sourceName) {}

  void startLine(std::string_view line, std::size_t lineNumber) {
    m_line = line;
    m_lineNumber = lineNumber;
  }

  // An integer field; a blank field reads as 0, as FORTRAN reads it.
  int whole(const Column& column) const {
    const std::string_view text = withoutBlanks(field(m_line, column.start, column.width));
    if (text.empty()) return 0;
    const auto value = text::findInt(text);
    if (!value) throw error("'" + std::string(text) + "' is not a whole number in " + column.name);
    return *value;
  }

  // A real field of format F8.2: a number written without a decimal point or exponent has two
  // implied decimals ("    1234" is 12.34), as SHELXL's FORTRAN read takes it.
  double real(const Column& column) const {
    const std::string_view text = withoutBlanks(field(m_line, column.start, column.width));
    if (text.empty()) throw error(std::string(column.name) + " are blank");
    const auto value = text::findDouble(text);
    if (!value) throw error("'" + std::string(text) + "' is not a number in " + column.name);
    if (text.find_first_of(".eE") == std::string_view::npos) return *value / 100;
    return *value;
  }

  UserError error(const std::string& what) const {
    return UserError(m_sourceName + ", line " + std::to_string(m_lineNumber) + ": " + what + ".");
  }

 private:
  std::string m_sourceName;
  std::string_view m_line;
  std::size_t m_lineNumber = 0;
};

std::string indexText(double h, double k, double l) {
  return text::formatGeneral(h, 6) + " " + text::formatGeneral(k, 6) + " " +
         text::formatGeneral(l, 6);
}

// h' = matrix · h; the result must be whole numbers (within rounding of the matrix's decimals).
Miller transformed(const Miller& hkl, const std::array<double, 9>& m, const HklRowReader& row) {
  const double h = m[0] * hkl.h + m[1] * hkl.k + m[2] * hkl.l;
  const double k = m[3] * hkl.h + m[4] * hkl.k + m[5] * hkl.l;
  const double l = m[6] * hkl.h + m[7] * hkl.k + m[8] * hkl.l;
  constexpr double tolerance = 1e-3;
  const double rh = text::roundHalfEven(h), rk = text::roundHalfEven(k),
               rl = text::roundHalfEven(l);
  if (std::abs(h - rh) > tolerance || std::abs(k - rk) > tolerance ||
      std::abs(l - rl) > tolerance) {
    throw row.error("the HKLF matrix turns " + indexText(hkl.h, hkl.k, hkl.l) + " into " +
                    indexText(h, k, l) + ", which are not whole numbers");
  }
  return {static_cast<int>(rh), static_cast<int>(rk), static_cast<int>(rl)};
}

std::optional<std::string> firstValue(const cif::CifBlock& block,
                                      std::initializer_list<std::string_view> tags) {
  for (std::string_view tag : tags)
    if (auto value = block.findValue(tag)) return value;
  return std::nullopt;
}

}  // namespace

HklfCard parseHklfCard(std::string_view line) {
  HklfCard card;
  const std::string trimmed = text::trimLine(line);
  if (trimmed.empty()) return card;
  const std::vector<std::string_view> words = text::splitWords(trimmed);
  if (text::upper(words.front()) != "HKLF")
    throw UserError("'" + trimmed + "' is not an HKLF card.");
  const std::string where = "The HKLF card '" + trimmed + "': ";
  if (words.size() > 14) throw UserError(where + "has more than thirteen numbers.");
  for (std::size_t i = 1; i < words.size(); ++i)
    storeCardNumber(card, i - 1, words[i], where);
  if (determinant(card.matrix) <= 0)
    throw UserError(where + "the index matrix must have a positive determinant.");
  return card;
}

std::vector<Reflection> parseHklText(std::string_view text, const HklfCard& card,
                                     std::string_view sourceName) {
  checkSupportedType(card, sourceName);
  const bool transform = card.matrix != identityMatrix;
  const std::vector<std::string_view> lines = model::splitRawLines(text);
  std::vector<Reflection> reflections;
  reflections.reserve(lines.size());
  HklRowReader row(sourceName);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    row.startLine(lines[i], i + 1);
    Reflection reflection;
    reflection.hkl = {row.whole(columnH), row.whole(columnK), row.whole(columnL)};
    // The data end at the first 0 0 0 row; SHELXL appends its own text after it.
    if (reflection.hkl == Miller{}) break;
    reflection.fo2 = row.real(columnFo2) * card.scale;
    reflection.sigma = row.real(columnSigma) * card.scale;
    reflection.batch = row.whole(columnBatch);
    if (transform) reflection.hkl = transformed(reflection.hkl, card.matrix, row);
    reflections.push_back(reflection);
  }
  return reflections;
}

std::vector<Reflection> readHklFile(const std::filesystem::path& file, const HklfCard& card) {
  const std::string name = file.filename().string();
  checkSupportedType(card, name);
  return parseHklText(model::loadFileText(file), card, name);
}

EmbeddedShelxFiles findEmbeddedShelxFiles(const std::filesystem::path& cif) {
  const cif::CifDocument document = cif::readCifFile(cif.string());
  for (const cif::CifBlock& block : document.blocks) {
    EmbeddedShelxFiles files;
    files.res = firstValue(block, {"_shelx_res_file", "_iucr_refine_instructions_details"});
    files.hkl = firstValue(block, {"_shelx_hkl_file", "_iucr_refine_reflections_details"});
    if (files.res || files.hkl) {
      files.blockName = block.name;
      return files;
    }
  }
  return {};
}

std::optional<std::filesystem::path> findBeside(const std::filesystem::path& structureFile,
                                                std::string_view extension) {
  std::string dotted(extension);
  if (!dotted.starts_with('.')) dotted.insert(0, ".");
  for (const std::string& candidate : {dotted, text::upper(dotted)}) {
    std::filesystem::path beside = structureFile;
    beside.replace_extension(candidate);
    std::error_code error;
    if (std::filesystem::is_regular_file(beside, error)) return beside;
  }
  return std::nullopt;
}

}  // namespace tavo::density
