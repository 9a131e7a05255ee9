// Trimming, word splitting, number conversion and number formatting shared by every reader and
// writer.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::text {

/// Removes leading and trailing characters with codes up to 32 (blanks, tabs, CR, control codes).
std::string trimLine(std::string_view line);
/// Upper-case copy (ASCII letters only).
std::string upper(std::string_view s);
/// True when the first characters of `line`, upper-cased, equal `prefix` (which is given upper
/// case).
bool startsWithUpper(std::string_view line, std::string_view prefix);
/// True when `line` ends with `suffix`, compared as written.
bool endsWith(std::string_view line, std::string_view suffix);
/// The words of a line, separated by blanks (code 32) only; a tab belongs to its word.
std::vector<std::string_view> splitWords(std::string_view line);
/// The same into `words` (emptied first; its storage is reused, so a loop over many lines
/// allocates nothing), with tabs separating words too when `tabsSeparate`.
void splitWords(std::string_view line, std::vector<std::string_view>& words, bool tabsSeparate);
/// As above without emptying `words` first: the words of `line` are added at its end.
void appendWords(std::string_view line, std::vector<std::string_view>& words, bool tabsSeparate);
/// The first `n` characters (or all of a shorter text).
std::string cut(std::string_view s, std::size_t n);
/// `s` padded with blanks on the right to at least `width` characters.
std::string padRight(std::string_view s, std::size_t width);
/// `s` padded with blanks on the left to at least `width` characters.
std::string padLeft(std::string_view s, std::size_t width);

/// Converts a real number written with a decimal point; blanks around it are allowed.
/// Throws ConversionError "'abc' is not a valid floating point value".
double parseDouble(std::string_view s);
/// Converts a whole number; blanks around it are allowed.
/// Throws ConversionError "'x' is not a valid integer value".
int parseInt(std::string_view s);
/// As parseDouble, empty when the text is not a number.
std::optional<double> findDouble(std::string_view s);
/// As parseInt, empty when the text is not a whole number.
std::optional<int> findInt(std::string_view s);

/// Fixed notation with `decimals` digits after the point, independent of the locale.
std::string formatFixed(double value, int decimals);
/// A number as a grid shows it: truncated to eight decimals, in the shortest form. The cut is
/// made in the decimal text, so that 0.5256 does not become 0.52559999 through binary rounding.
std::string gridNumber(double value);
/// General format with at most `significant` significant digits and no trailing zeros;
/// an exponent ("1E-6") only below 1e-5 or from 1e15 on.
std::string formatGeneral(double value, int significant = 15);
/// The shortest text that reads back to the same double.
std::string formatShortest(double value);
/// Rounds halves to the nearest even whole number.
double roundHalfEven(double value);

}  // namespace tavo::text
