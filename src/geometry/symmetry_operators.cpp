// Symmetry operators: application, text, triplet parsing and the LATT/SYMM operator set.
#include "geometry/symmetry_operators.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "text/text.h"

namespace tavo::geometry {
namespace {

constexpr std::array<char, 3> axisLetters{'X', 'Y', 'Z'};

int reduceTwelfths(int t) {
  return ((t % 12) + 12) % 12;
}

// The text of one row: " -X+1/2" and so on, appended to `out`.
void appendRow(std::string& out, const model::SymmetryOps& ops,
               const std::array<std::int8_t, 12>& op, int row, int extra) {
  const std::string unitText = text::trimLine(ops.translationUnitText);
  for (int column = 0; column < 4; ++column) {
    const int v = op[static_cast<std::size_t>(4 * row + column)];
    if (v == 0) continue;
    if (v < 0) {
      out += '-';
    } else if (!out.empty() && out.back() != ' ') {
      out += '+';
    }
    if (std::abs(v) != 1) out += std::to_string(std::abs(v)) + "*";
    if (column < 3) {
      out += axisLetters[static_cast<std::size_t>(column)];
    } else {
      out += unitText;
    }
  }
  if (extra != 0) out += (extra < 0 ? "-" : "+") + std::to_string(std::abs(extra));
}

// One signed term of a triplet row: a coefficient of an axis or a translation in twelfths.
struct RowReader {
  std::string_view s;
  std::size_t at = 0;

  void skipBlanks() {
    while (at < s.size() && (s[at] == ' ' || s[at] == '\t'))
      ++at;
  }
  std::optional<double> number() {
    const std::size_t start = at;
    while (at < s.size() && (std::isdigit(static_cast<unsigned char>(s[at])) || s[at] == '.'))
      ++at;
    if (at == start) return std::nullopt;
    const std::optional<double> value = text::findDouble(s.substr(start, at - start));
    return value;
  }
};

std::optional<std::array<int, 4>> parseRow(std::string_view row) {
  std::array<int, 4> result{};  // coefficients of x, y, z; translation in twelfths
  RowReader r{row};
  bool any = false;
  r.skipBlanks();
  while (r.at < row.size()) {
    int sign = 1;
    if (row[r.at] == '+' || row[r.at] == '-') {
      sign = row[r.at] == '-' ? -1 : 1;
      ++r.at;
      r.skipBlanks();
    } else if (any) {
      return std::nullopt;
    }
    if (r.at >= row.size()) return std::nullopt;
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(row[r.at])));
    if (c == 'X' || c == 'Y' || c == 'Z') {
      result[static_cast<std::size_t>(c - 'X')] += sign;
      ++r.at;
    } else {
      std::optional<double> value = r.number();
      if (!value) return std::nullopt;
      r.skipBlanks();
      if (r.at < row.size() && row[r.at] == '/') {
        ++r.at;
        r.skipBlanks();
        const std::optional<double> denominator = r.number();
        if (!denominator || *denominator == 0) return std::nullopt;
        *value /= *denominator;
      }
      r.skipBlanks();
      if (r.at < row.size() && row[r.at] == '*') {
        // "2*x" style coefficients are not symmetry operators of a crystal.
        return std::nullopt;
      }
      const double twelfths = *value * 12.0;
      const double whole = std::round(twelfths);
      if (std::abs(twelfths - whole) > 0.02) return std::nullopt;
      result[3] += sign * static_cast<int>(whole);
    }
    any = true;
    r.skipBlanks();
  }
  if (!any) return std::nullopt;
  for (int i = 0; i < 3; ++i)
    if (std::abs(result[static_cast<std::size_t>(i)]) > 1) return std::nullopt;
  if (result[0] == 0 && result[1] == 0 && result[2] == 0) return std::nullopt;
  return result;
}

std::string fractionText(int twelfths) {
  int numerator = twelfths;
  int denominator = 12;
  for (int d : {2, 3}) {
    while (numerator % d == 0 && denominator % d == 0) {
      numerator /= d;
      denominator /= d;
    }
  }
  return std::to_string(numerator) + "/" + std::to_string(denominator);
}

}  // namespace

Fractional applyOperator(const model::SymmetryOps& ops, int k, const Fractional& p, int ta, int tb,
                         int tc) {
  const auto& o = ops.ops[static_cast<std::size_t>(k)];
  const double u = ops.translationUnit;
  return {o[0] * p.x + o[1] * p.y + o[2] * p.z + o[3] * u + ta,
          o[4] * p.x + o[5] * p.y + o[6] * p.z + o[7] * u + tb,
          o[8] * p.x + o[9] * p.y + o[10] * p.z + o[11] * u + tc};
}

std::string operatorText(const model::SymmetryOps& ops, int k, int ta, int tb, int tc) {
  const auto& op = ops.ops[static_cast<std::size_t>(k)];
  std::string out = " ";
  const std::array<int, 3> extra{ta, tb, tc};
  for (int row = 0; row < 3; ++row) {
    if (row > 0) out += ", ";
    appendRow(out, ops, op, row, extra[static_cast<std::size_t>(row)]);
  }
  return out;
}

std::string symmetryCode(const model::SymmetryOps& ops, int k, int ta, int tb, int tc) {
  return text::cut(operatorText(ops, k, ta, tb, tc), symmetryCodeLength);
}

SeitzOperator SeitzOperator::reduced() const {
  SeitzOperator out = *this;
  for (int& v : out.t)
    v = reduceTwelfths(v);
  return out;
}

std::optional<SeitzOperator> parseSymmetryTriplet(std::string_view text) {
  std::array<std::string_view, 3> rows;
  std::size_t start = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    const std::size_t comma = text.find(',', start);
    if (i < 2 && comma == std::string_view::npos) return std::nullopt;
    if (i == 2 && comma != std::string_view::npos) return std::nullopt;
    rows[i] = text.substr(start, i < 2 ? comma - start : std::string_view::npos);
    start = comma + 1;
  }
  SeitzOperator op;
  for (std::size_t i = 0; i < 3; ++i) {
    const std::optional<std::array<int, 4>> row = parseRow(rows[i]);
    if (!row) return std::nullopt;
    for (std::size_t j = 0; j < 3; ++j)
      op.r[3 * i + j] = (*row)[j];
    op.t[i] = (*row)[3];
  }
  return op.reduced();
}

std::string tripletText(const SeitzOperator& op) {
  const SeitzOperator o = op.reduced();
  std::string out;
  for (std::size_t i = 0; i < 3; ++i) {
    if (i > 0) out += ',';
    std::string row;
    for (std::size_t j = 0; j < 3; ++j) {
      const int v = o.r[3 * i + j];
      if (v == 0) continue;
      if (v < 0) {
        row += '-';
      } else if (!row.empty()) {
        row += '+';
      }
      row += static_cast<char>('x' + j);
    }
    if (o.t[i] != 0) row += "+" + fractionText(o.t[i]);
    out += row;
  }
  return out;
}

SeitzOperator seitzOf(const model::SymmetryOps& ops, int k) {
  const auto& o = ops.ops[static_cast<std::size_t>(k)];
  SeitzOperator s;
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j)
      s.r[3 * i + j] = o[4 * i + j];
    s.t[i] = static_cast<int>(std::lround(o[4 * i + 3] * ops.translationUnit * 12.0));
  }
  return s.reduced();
}

void fillSymmetryOps(model::SymmetryOps& ops, const std::vector<SeitzOperator>& operators) {
  int denominator = 2;
  for (int d : {2, 3, 4, 6, 12}) {
    denominator = d;
    const bool holds = std::all_of(operators.begin(), operators.end(), [d](const SeitzOperator& o) {
      const SeitzOperator r = o.reduced();
      return std::all_of(r.t.begin(), r.t.end(), [d](int t) { return (t * d) % 12 == 0; });
    });
    if (holds) break;
  }
  const int count = std::min(static_cast<int>(operators.size()), model::maxSymmetryOperators);
  for (int k = 1; k <= count; ++k) {
    const SeitzOperator r = operators[static_cast<std::size_t>(k - 1)].reduced();
    auto& o = ops.ops[static_cast<std::size_t>(k)];
    for (std::size_t i = 0; i < 3; ++i) {
      for (std::size_t j = 0; j < 3; ++j)
        o[4 * i + j] = static_cast<std::int8_t>(r.r[3 * i + j]);
      o[4 * i + 3] = static_cast<std::int8_t>(r.t[i] * denominator / 12);
    }
  }
  ops.opCount = std::max(count, 1);
  ops.translationUnit = 1.0 / denominator;
  ops.translationUnitText = "1/" + std::to_string(denominator);
}

std::vector<std::array<int, 3>> centringVectors(int latt) {
  switch (std::abs(latt)) {
    case 2:
      return {{0, 0, 0}, {6, 6, 6}};
    case 3:
      return {{0, 0, 0}, {8, 4, 4}, {4, 8, 8}};
    case 4:
      return {{0, 0, 0}, {0, 6, 6}, {6, 0, 6}, {6, 6, 0}};
    case 5:
      return {{0, 0, 0}, {0, 6, 6}};
    case 6:
      return {{0, 0, 0}, {6, 0, 6}};
    case 7:
      return {{0, 0, 0}, {6, 6, 0}};
    default:
      return {{0, 0, 0}};
  }
}

std::vector<SeitzOperator> operatorsFromLattSymm(int latt, const std::vector<SeitzOperator>& symm) {
  std::vector<SeitzOperator> base{SeitzOperator{}};
  for (const SeitzOperator& s : symm)
    base.push_back(s.reduced());
  if (latt > 0) {
    const std::size_t n = base.size();
    for (std::size_t i = 0; i < n; ++i) {
      SeitzOperator inverted;
      for (std::size_t j = 0; j < 9; ++j)
        inverted.r[j] = -base[i].r[j];
      for (std::size_t j = 0; j < 3; ++j)
        inverted.t[j] = -base[i].t[j];
      base.push_back(inverted.reduced());
    }
  }
  std::vector<SeitzOperator> all;
  for (const std::array<int, 3>& v : centringVectors(latt)) {
    for (const SeitzOperator& op : base) {
      SeitzOperator shifted = op;
      for (std::size_t j = 0; j < 3; ++j)
        shifted.t[j] += v[j];
      shifted = shifted.reduced();
      if (std::find(all.begin(), all.end(), shifted) == all.end()) all.push_back(shifted);
    }
  }
  return all;
}

LattSymmCards readLattSymm(const std::vector<std::string>& instructionLines) {
  LattSymmCards cards;
  for (std::size_t i = 0; i < instructionLines.size(); ++i) {
    const std::string line = text::trimLine(instructionLines[i]);
    const std::string name = text::upper(line.substr(0, std::min<std::size_t>(4, line.size())));
    if (line.size() > 4 && line[4] != ' ' && line[4] != '\t') continue;
    if (name == "LATT") {
      const std::vector<std::string_view> words = text::splitWords(line);
      const std::optional<int> n =
          words.size() > 1 ? text::findInt(words[1]) : std::optional<int>(std::nullopt);
      if (n && *n != 0 && std::abs(*n) <= 7) {
        cards.latt = *n;
        cards.hasLatt = true;
      }
    } else if (name == "SYMM") {
      std::string body = line.substr(std::min<std::size_t>(4, line.size()));
      const std::size_t bang = body.find('!');
      if (bang != std::string::npos) body.erase(bang);
      body = text::trimLine(body);
      // A card continued with "=" goes on in the next line.
      while (!body.empty() && body.back() == '=' && i + 1 < instructionLines.size()) {
        body.pop_back();
        body += text::trimLine(instructionLines[++i]);
      }
      const std::optional<SeitzOperator> op = parseSymmetryTriplet(body);
      if (op) {
        cards.symm.push_back(*op);
      } else {
        cards.faulty.push_back(body);
      }
    }
  }
  return cards;
}

bool sameOperatorSet(std::vector<SeitzOperator> a, std::vector<SeitzOperator> b) {
  for (auto& o : a)
    o = o.reduced();
  for (auto& o : b)
    o = o.reduced();
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  a.erase(std::unique(a.begin(), a.end()), a.end());
  b.erase(std::unique(b.begin(), b.end()), b.end());
  return a == b;
}

}  // namespace tavo::geometry
