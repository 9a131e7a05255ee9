// Sorting atom labels read as Element + Numeral + Alphabet, and the grades of displacement
// parameters shown in the atom list.
#include "editing/label_sorting.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace tavo::editing {
namespace {

bool isDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  return text;
}

/// The grade of a size s (the root mean square of the diagonal, or Uiso).
std::string sizeGrade(double s) {
  if (s > 0.25) return "**tooLarge";
  if (s > 0.15) return "*Large";
  if (s > 0.076) return "aBitLarge";
  return "Normal";
}

}  // namespace

LabelParts parseLabel(std::string_view label) {
  label = trimmed(label);
  const int len = static_cast<int>(label.size());
  int e = -1, n = -1, s = -1;
  // Positions run from 1; a position after the end is neither digit nor letter.
  auto digitAt = [&](int p) { return p >= 1 && p <= len && isDigit(label[p - 1]); };
  auto otherAt = [&](int p) { return p >= 1 && p <= len && !isDigit(label[p - 1]); };
  for (int p = 1; p <= len; ++p) {
    if (otherAt(p) && digitAt(p + 1)) e = p;
    if (digitAt(p) && otherAt(p + 1) && e >= 0) n = p - e;
    if (otherAt(p) && p == len) {
      if (e >= 0 && n >= 0) {
        s = p - e - n;
      } else if (e < 0 && n < 0) {
        e = len, n = 0, s = 0;
      }
    }
    if (digitAt(p) && p == len && e >= 0) n = p - e, s = 0;
  }
  // A label of digits only (or starting with them) keeps the whole text as its Element.
  if (e < 0) return {len, 0, 0};
  return {e, n < 0 ? 0 : n, s < 0 ? 0 : s};
}

std::vector<int> elementRanks(const model::OneBased<model::Element>& elements, int elementCount) {
  std::vector<int> ranks(static_cast<std::size_t>(elementCount) + 1, 0);
  int next = 1;
  for (int ranked = 0; ranked < elementCount; ++next) {
    double largest = -1;
    for (int i = 1; i <= elementCount; ++i)
      if (ranks[i] == 0) largest = std::max(largest, elements[i].atomicWeight);
    for (int i = 1; i <= elementCount; ++i)
      if (ranks[i] == 0 && elements[i].atomicWeight == largest) ranks[i] = next, ++ranked;
  }
  return ranks;
}

long long labelSortKey(std::string_view label, const model::OneBased<model::Element>& elements,
                       int elementCount, const std::vector<int>& ranks) {
  label = trimmed(label);
  const LabelParts parts = parseLabel(label);
  const std::string element = upper(label.substr(0, parts.element));
  long long rank = elementCount + 1;
  for (int i = 1; i <= elementCount; ++i)
    if (elements[i].symbol == element) {
      rank = ranks[i];
      break;
    }
  long long numeral = 0;
  for (char c : label.substr(parts.element, parts.numeral))
    numeral = numeral * 10 + (c - '0');
  long long alphabet = 0;
  if (parts.alphabet > 0) {
    const char first = static_cast<char>(
        std::toupper(static_cast<unsigned char>(label[parts.element + parts.numeral])));
    alphabet = first >= 'A' && first <= 'Z' ? first - 'A' + 1 : -1;
  }
  return rank * 1000000 + numeral * 100 + alphabet;
}

std::vector<int> sortedOrder(const std::vector<std::string>& labels,
                             const model::OneBased<model::Element>& elements, int elementCount) {
  const std::vector<int> ranks = elementRanks(elements, elementCount);
  std::vector<long long> keys;
  for (const std::string& label : labels)
    keys.push_back(labelSortKey(label, elements, elementCount, ranks));
  std::vector<int> order;
  std::vector<bool> done(labels.size(), false);
  for (std::size_t t = 0; t < labels.size(); ++t) {
    int best = -1;
    for (std::size_t r = 0; r < labels.size(); ++r)
      if (!done[r] && (best < 0 || keys[r] < keys[static_cast<std::size_t>(best)]))
        best = static_cast<int>(r);
    done[static_cast<std::size_t>(best)] = true;
    order.push_back(best);
  }
  return order;
}

std::string qualityGrade(const model::Atom& a) {
  if (a.aniso == 1) {
    const double minor = a.u11 * a.u22 - a.u12 * a.u12;
    const double det = 2 * a.u12 * a.u23 * a.u13 + a.u11 * a.u22 * a.u33 - a.u11 * a.u23 * a.u23 -
                       a.u33 * a.u12 * a.u12 - a.u22 * a.u13 * a.u13;
    if (minor <= 0 || det <= 0) return "###nonPos!";
    return sizeGrade(std::sqrt((a.u11 * a.u11 + a.u22 * a.u22 + a.u33 * a.u33) / 3));
  }
  if (a.u11 < 0) return "###nonPos!";
  return sizeGrade(a.u11);
}

std::string qualityGrade(const model::Hydrogen& h) {
  if (h.uiso < 0) return h.afixGroup >= 1 ? "Riding" : "";
  return sizeGrade(h.uiso);
}

}  // namespace tavo::editing
