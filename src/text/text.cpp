// Trimming, word splitting, number conversion and number formatting.
#include "text/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "text/errors.h"

namespace tavo::text {

namespace {

bool isTrimmed(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ')
    s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ')
    s.remove_suffix(1);
  return s;
}

// Powers of ten that a double holds exactly.
constexpr double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The value of a plain decimal ("-0.123456", "11.", ".5") whose digits, read as a whole number,
// stay below 2^53, with at most 22 digits after the point; empty for anything else (an exponent,
// more digits), which from_chars then reads. Both the whole number and the power of ten are exact
// doubles, so their quotient, rounded once by the division, is the double nearest to the decimal:
// the very value from_chars gives (Clinger's fast path). Files hold almost only such numbers.
std::optional<double> plainDecimal(std::string_view s) {
  std::size_t i = 0;
  const bool negative = s.front() == '-';
  if (negative) ++i;
  std::uint64_t whole = 0;
  int digits = 0;
  int decimals = 0;
  bool point = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      if (++digits > 19) return std::nullopt;
      whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
      if (point) ++decimals;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  constexpr std::uint64_t exactLimit = std::uint64_t{1} << 53;
  if (digits == 0 || whole > exactLimit || decimals > 22) return std::nullopt;
  const double value = static_cast<double>(whole) / exactPowersOfTen[decimals];
  return negative ? -value : value;
}

}  // namespace

std::string trimLine(std::string_view line) {
  std::size_t begin = 0;
  std::size_t end = line.size();
  while (begin < end && isTrimmed(line[begin]))
    ++begin;
  while (end > begin && isTrimmed(line[end - 1]))
    --end;
  return std::string(line.substr(begin, end - begin));
}

std::string upper(std::string_view s) {
  std::string result(s);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

bool startsWithUpper(std::string_view line, std::string_view prefix) {
  if (line.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const char c = line[i];
    if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != prefix[i]) return false;
  }
  return true;
}

bool endsWith(std::string_view line, std::string_view suffix) {
  return line.size() >= suffix.size() && line.substr(line.size() - suffix.size()) == suffix;
}

std::vector<std::string_view> splitWords(std::string_view line) {
  std::vector<std::string_view> words;
  splitWords(line, words, false);
  return words;
}

void splitWords(std::string_view line, std::vector<std::string_view>& words, bool tabsSeparate) {
  words.clear();
  appendWords(line, words, tabsSeparate);
}

void appendWords(std::string_view line, std::vector<std::string_view>& words, bool tabsSeparate) {
  const auto separates = [tabsSeparate](char c) { return c == ' ' || (tabsSeparate && c == '\t'); };
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && separates(line[i]))
      ++i;
    const std::size_t start = i;
    while (i < line.size() && !separates(line[i]))
      ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
}

std::string cut(std::string_view s, std::size_t n) {
  return std::string(s.substr(0, n));
}

std::string padRight(std::string_view s, std::size_t width) {
  std::string result(s);
  if (result.size() < width) result.append(width - result.size(), ' ');
  return result;
}

std::string padLeft(std::string_view s, std::size_t width) {
  std::string result;
  if (s.size() < width) result.assign(width - s.size(), ' ');
  result.append(s);
  return result;
}

namespace {

// Drops one leading '+'; false when nothing is left or another sign follows ("++1", "+-1").
bool withoutPlusSign(std::string_view& s) {
  if (!s.empty() && s.front() == '+') {
    s.remove_prefix(1);
    if (!s.empty() && s.front() == '-') return false;
  }
  return !s.empty() && s.front() != '+';
}

}  // namespace

std::optional<double> findDouble(std::string_view s) {
  s = trimBlanks(s);
  if (!withoutPlusSign(s)) return std::nullopt;
  if (const auto plain = plainDecimal(s)) return plain;
  double value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> findInt(std::string_view s) {
  s = trimBlanks(s);
  if (!withoutPlusSign(s)) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

double parseDouble(std::string_view s) {
  if (const auto value = findDouble(s)) return *value;
  throw ConversionError("'" + std::string(s) + "' is not a valid floating point value");
}

int parseInt(std::string_view s) {
  if (const auto value = findInt(s)) return *value;
  throw ConversionError("'" + std::string(s) + "' is not a valid integer value");
}

std::string formatFixed(double value, int decimals) {
  char buffer[400];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (error != std::errc()) return "0";
  std::string result(buffer, end);
  // "-0.000000" reads back as zero but looks like a sign error in a file.
  if (result.front() == '-' && result.find_first_not_of("-0.") == std::string::npos) {
    result.erase(0, 1);
  }
  return result;
}

std::string gridNumber(double value) {
  std::string fixed = formatFixed(value, 12);
  fixed.resize(fixed.size() - 4);
  while (fixed.back() == '0')
    fixed.pop_back();
  if (fixed.back() == '.') fixed.pop_back();
  return fixed == "-0" ? "0" : fixed;
}

std::string formatGeneral(double value, int significant) {
  if (value == 0) return "0";
  if (!std::isfinite(value)) return formatShortest(value);
  significant = std::clamp(significant, 1, 17);
  char buffer[64];
  // Scientific form first, to learn the decimal exponent after rounding to `significant` digits.
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                          std::chars_format::scientific, significant - 1);
  if (error != std::errc()) return formatShortest(value);
  const std::string_view scientific(buffer, static_cast<std::size_t>(end - buffer));
  const std::size_t e = scientific.find('e');
  std::string_view exponentText = scientific.substr(e + 1);
  if (!exponentText.empty() && exponentText.front() == '+') exponentText.remove_prefix(1);
  int exponent = 0;
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
  auto stripZeros = [](std::string s) {
    if (s.find('.') != std::string::npos) {
      while (!s.empty() && s.back() == '0')
        s.pop_back();
      if (!s.empty() && s.back() == '.') s.pop_back();
    }
    return s;
  };
  if (exponent < -5 || exponent >= significant) {
    return stripZeros(std::string(scientific.substr(0, e))) + "E" + std::to_string(exponent);
  }
  const int decimals = std::max(0, significant - 1 - exponent);
  return stripZeros(formatFixed(value, decimals));
}

std::string formatShortest(double value) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (error != std::errc()) return "0";
  return std::string(buffer, end);
}

double roundHalfEven(double value) {
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

}  // namespace tavo::text
