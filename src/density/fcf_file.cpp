// The .fcf reader works on lines, since SHELXL writes one item or one reflection per line; a
// file of a few MB is read without allocating per value.
#include "density/fcf_file.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/file_lines.h"
#include "model/file_replace.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::density {

namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32)
    s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32)
    s.remove_suffix(1);
  return s;
}

std::string lower(std::string_view s) {
  std::string result(s);
  std::transform(result.begin(), result.end(), result.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return result;
}

// A CIF value without its quotes.
std::string_view unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '\'' || value.front() == '"') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The columns of the reflection loop, by their position in the loop.
enum Column { H, K, L, Fc2, Fo2, Sigma, Status, Fc, Phase, ColumnCount };
constexpr std::array<std::string_view, ColumnCount> columnTags{
    "_refln_index_h",         "_refln_index_k",        "_refln_index_l",
    "_refln_f_squared_calc",  "_refln_f_squared_meas", "_refln_f_squared_sigma",
    "_refln_observed_status", "_refln_f_calc",         "_refln_phase_calc"};
constexpr std::array<Column, 6> list4Columns{H, K, L, Fc2, Fo2, Sigma};
constexpr std::array<Column, 7> list6Columns{H, K, L, Fo2, Sigma, Fc, Phase};

class FcfReader {
 public:
  explicit FcfReader(std::string name) : m_name(std::move(name)) {}

  FcfData read(std::string_view text) {
    const std::vector<std::string_view> lines = model::splitRawLines(text);
    m_data.rows.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
      readLine(trimmed(lines[i]), i + 1);
    if (!m_foundLoop) throw UserError(m_name + ": the file has no loop of _refln_index_h rows.");
    return std::move(m_data);
  }

 private:
  enum class State { Items, Tags, OtherLoop, TextField };

  void readLine(std::string_view line, std::size_t lineNumber) {
    if (m_state == State::TextField) {
      if (line.starts_with(';')) m_state = State::Items;
      return;
    }
    if (line.empty() || line.starts_with('#')) return;
    const bool dataLine = text::startsWithUpper(line, "DATA_");
    const bool loopLine = text::startsWithUpper(line, "LOOP_");
    if (m_inRows && !line.starts_with('_') && !dataLine && !loopLine) {
      readRow(line, lineNumber);
      return;
    }
    m_inRows = false;
    if (line.starts_with(';')) {
      m_state = State::TextField;
    } else if (dataLine) {
      m_data.header.blockName = std::string(line.substr(5));
    } else if (loopLine) {
      m_state = State::Tags;
      m_tags.clear();
    } else if (line.starts_with('_')) {
      readTagLine(line);
    } else if (m_state == State::Tags) {
      startLoop(lineNumber);
      readLine(line, lineNumber);
    } else if (m_state == State::OtherLoop && m_symmetryLoop) {
      m_data.header.symmetryOperations.emplace_back(unquoted(line));
    }
  }

  void readTagLine(std::string_view line) {
    const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
    const std::string tag = lower(line.substr(0, end));
    if (m_state == State::Tags) {
      m_tags.push_back(tag);
      return;
    }
    m_state = State::Items;
    readItem(tag, unquoted(trimmed(line.substr(end))));
  }

  void readItem(const std::string& tag, std::string_view value) {
    FcfHeader& header = m_data.header;
    const auto number = [&] { return text::findDouble(value).value_or(0); };
    static constexpr std::array<std::string_view, 6> cellTags{
        "_cell_length_a",    "_cell_length_b",   "_cell_length_c",
        "_cell_angle_alpha", "_cell_angle_beta", "_cell_angle_gamma"};
    if (tag == "_shelx_refln_list_code") {
      const auto code = text::findInt(value);
      if (!code) throw UserError(m_name + ": '" + std::string(value) + "' is not a list code.");
      m_listCode = *code;
    } else if (tag == "_shelx_title") {
      header.title = std::string(value);
    } else if (tag == "_shelx_f_calc_maximum") {
      header.fCalcMaximum = number();
    } else if (tag == "_exptl_crystal_f_000") {
      header.f000 = number();
    } else if (tag == "_reflns_d_resolution_high") {
      header.resolutionHighA = number();
    } else if (const auto at = std::find(cellTags.begin(), cellTags.end(), tag);
               at != cellTags.end()) {
      if (!header.cell) header.cell = std::array<double, 6>{};
      (*header.cell)[static_cast<std::size_t>(at - cellTags.begin())] = number();
    }
  }

  void startLoop(std::size_t lineNumber) {
    m_state = State::OtherLoop;
    m_symmetryLoop = m_tags.size() == 1 && (m_tags[0] == "_space_group_symop_operation_xyz" ||
                                            m_tags[0] == "_symmetry_equiv_pos_as_xyz");
    m_columns.fill(std::nullopt);
    for (std::size_t i = 0; i < m_tags.size(); ++i)
      for (std::size_t c = 0; c < ColumnCount; ++c)
        if (m_tags[i] == columnTags[c]) m_columns[c] = i;
    if (!m_columns[H]) return;
    m_inRows = m_foundLoop = true;
    m_data.list = listCode(lineNumber);
    if (m_data.list == 4)
      requireColumns(list4Columns);
    else
      requireColumns(list6Columns);
  }

  // The list code of the header; a file without one is taken by its columns.
  int listCode(std::size_t lineNumber) const {
    const int code = m_listCode.value_or(m_columns[Phase] ? 6 : 4);
    if (code != 4 && code != 6) {
      throw UserError(m_name + ", line " + std::to_string(lineNumber) + ": LIST " +
                      std::to_string(code) + " reflections are not read; only LIST 4 and 6.");
    }
    return code;
  }

  template <std::size_t n>
  void requireColumns(const std::array<Column, n>& needed) const {
    for (Column c : needed) {
      if (!m_columns[c]) {
        throw UserError(m_name + ": the reflection loop has no " + std::string(columnTags[c]) +
                        " column, which a LIST " + std::to_string(m_data.list) + " file needs.");
      }
    }
  }

  void readRow(std::string_view line, std::size_t lineNumber) {
    text::splitWords(line, m_words, true);
    const auto where = [&] { return m_name + ", line " + std::to_string(lineNumber) + ": "; };
    if (m_words.size() != m_tags.size()) {
      throw UserError(where() + "the row has " + std::to_string(m_words.size()) +
                      " values for the " + std::to_string(m_tags.size()) +
                      " columns of the reflection loop.");
    }
    const auto word = [&](Column c) { return m_words[*m_columns[c]]; };
    const auto whole = [&](Column c) {
      const auto value = text::findInt(word(c));
      if (!value) {
        throw UserError(where() + "'" + std::string(word(c)) + "' is not a whole number (" +
                        std::string(columnTags[c]) + ").");
      }
      return *value;
    };
    const auto real = [&](Column c) {
      if (!m_columns[c]) return 0.0;
      const auto value = text::findDouble(word(c));
      if (!value) {
        throw UserError(where() + "'" + std::string(word(c)) + "' is not a number (" +
                        std::string(columnTags[c]) + ").");
      }
      return *value;
    };
    FcfRow row;
    row.hkl = {whole(H), whole(K), whole(L)};
    row.fo2 = real(Fo2);
    row.sigma = real(Sigma);
    if (m_data.list == 4) {
      row.fc2 = real(Fc2);
      if (m_columns[Status]) row.status = word(Status).front();
    } else {
      row.fc = real(Fc);
      row.phaseDeg = real(Phase);
    }
    m_data.rows.push_back(row);
  }

  std::string m_name;
  FcfData m_data;
  State m_state = State::Items;
  std::optional<int> m_listCode;
  std::vector<std::string> m_tags;
  std::array<std::optional<std::size_t>, ColumnCount> m_columns{};
  bool m_symmetryLoop = false;
  bool m_inRows = false;
  bool m_foundLoop = false;
  std::vector<std::string_view> m_words;
};

// A header item: the tag and its value right-aligned to `column`.
std::string item(std::string_view tag, const std::string& value, std::size_t column) {
  const std::size_t width = column > tag.size() + value.size() ? column - tag.size() : 0;
  return std::string(tag) + text::padLeft(value, std::max(width, value.size() + 1));
}

// A CIF value in quotes that it does not contain; a text field when it contains both kinds.
std::string quoted(const std::string& value) {
  if (value.find('\'') == std::string::npos) return "'" + value + "'";
  if (value.find('"') == std::string::npos) return "\"" + value + "\"";
  return "\n;" + value + "\n;";
}

void appendIndex(std::string& out, int index) {
  const std::string digits = std::to_string(index);
  // Four characters as SHELXL writes them, but never touching the previous index.
  out += digits.size() >= 4 ? " " + digits : text::padLeft(digits, 4);
}

void appendFixed(std::string& out, double value, std::size_t width, int decimals) {
  out += ' ';
  out += text::padLeft(text::formatFixed(value, decimals), width);
}

std::string list6Header(const FcfHeader& header) {
  std::string name = header.blockName.empty() ? "tavo" : header.blockName;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return c <= ' '; }, '_');
  std::string out = "#\n# h,k,l, Fo-squared, sigma(Fo-squared), Fc and phi(calc)\n#\n";
  out += "data_" + name + "\n";
  if (!header.title.empty()) out += "_shelx_title " + quoted(header.title) + "\n";
  out += item("_shelx_refln_list_code", "6", 33) + "\n";
  out += item("_shelx_F_calc_maximum", text::formatFixed(header.fCalcMaximum, 2), 33) + "\n";
  out += item("_exptl_crystal_F_000", text::formatFixed(header.f000, 2), 33) + "\n";
  out +=
      item("_reflns_d_resolution_high", text::formatFixed(header.resolutionHighA, 4), 33) + "\n\n";
  if (!header.symmetryOperations.empty()) {
    out += "loop_\n _space_group_symop_operation_xyz\n";
    for (const std::string& operation : header.symmetryOperations)
      out += " " + quoted(operation) + "\n";
    out += "\n";
  }
  if (header.cell) {
    static constexpr std::array<std::string_view, 6> tags{"_cell_length_a",   "_cell_length_b",
                                                          "_cell_length_c",   "_cell_angle_alpha",
                                                          "_cell_angle_beta", "_cell_angle_gamma"};
    for (std::size_t i = 0; i < tags.size(); ++i)
      out += item(tags[i], text::formatFixed((*header.cell)[i], i < 3 ? 4 : 3), 25) + "\n";
    out += "\n";
  }
  out +=
      "loop_\n _refln_index_h\n _refln_index_k\n _refln_index_l\n _refln_F_squared_meas\n"
      " _refln_F_squared_sigma\n _refln_F_calc\n _refln_phase_calc\n";
  return out;
}

}  // namespace

FcfData readFcfFile(const std::filesystem::path& file) {
  FcfReader reader(file.filename().string());
  return reader.read(model::loadFileText(file));
}

void writeFcfList6(const std::filesystem::path& file, const FcfData& data,
                   const FcfHeader& header) {
  std::string out = list6Header(header);
  out.reserve(out.size() + data.rows.size() * 56);
  for (const FcfRow& row : data.rows) {
    appendIndex(out, row.hkl.h);
    appendIndex(out, row.hkl.k);
    appendIndex(out, row.hkl.l);
    appendFixed(out, row.fo2, 11, 2);
    appendFixed(out, row.sigma, 9, 2);
    appendFixed(out, row.fc, 11, 2);
    appendFixed(out, row.phaseDeg, 7, 1);
    out += '\n';
  }
  model::replaceFileContents(file, out);
}

}  // namespace tavo::density
