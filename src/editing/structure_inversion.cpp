// The inversion of a structure and of its space group.
#include "editing/structure_inversion.h"

#include <cctype>

#include "text/text.h"

namespace tavo::editing {

using geometry::SeitzOperator;

geometry::SeitzOperator invertedOperator(const SeitzOperator& op,
                                         const std::array<int, 3>& originTwelfths) {
  SeitzOperator out = op;
  for (std::size_t i = 0; i < 3; ++i) {
    int shift = originTwelfths[i];
    for (std::size_t j = 0; j < 3; ++j)
      shift -= op.r[3 * i + j] * originTwelfths[j];
    out.t[i] = -op.t[i] + shift;
  }
  return out.reduced();
}

InversionPlan planInversion(const std::vector<SeitzOperator>& operators) {
  InversionPlan plan;
  // The centre 1 (12 twelfths) first on every axis, then the others in order.
  const auto order = [](int k) { return k == 0 ? 12 : k; };
  for (int a = 0; a < 12; ++a) {
    for (int b = 0; b < 12; ++b) {
      for (int c = 0; c < 12; ++c) {
        const std::array<int, 3> origin{order(a), order(b), order(c)};
        std::vector<SeitzOperator> inverted;
        inverted.reserve(operators.size());
        for (const SeitzOperator& op : operators)
          inverted.push_back(invertedOperator(op, origin));
        if (geometry::sameOperatorSet(inverted, operators)) {
          plan.originTwelfths = origin;
          return plan;
        }
      }
    }
  }
  plan.kind = InversionPlan::Kind::Enantiomorph;
  for (const SeitzOperator& op : operators)
    plan.invertedOperators.push_back(invertedOperator(op, {12, 12, 12}));
  return plan;
}

namespace {

// "-y,x,z+3/4" as a SYMM card writes it: "SYMM -Y, X, Z+3/4".
std::string symmCardText(const SeitzOperator& op) {
  std::string rows = geometry::tripletText(op);
  std::string out = "SYMM ";
  for (char ch : rows) {
    out += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (ch == ',') out += ' ';
  }
  return out;
}

}  // namespace

std::optional<std::vector<std::string>> invertedSymmCards(const std::vector<std::string>& lines) {
  std::vector<std::string> out = lines;
  for (std::string& line : out) {
    const std::vector<std::string_view> words = text::splitWords(line);
    if (words.empty() || text::upper(words[0]) != "SYMM") continue;
    std::string body = line.substr(std::min<std::size_t>(4, line.size()));
    const std::size_t bang = body.find('!');
    std::string comment;
    if (bang != std::string::npos) {
      comment = " " + body.substr(bang);
      body.erase(bang);
    }
    body = text::trimLine(body);
    if (!body.empty() && body.back() == '=') return std::nullopt;
    const std::optional<SeitzOperator> op = geometry::parseSymmetryTriplet(body);
    if (!op) return std::nullopt;
    const SeitzOperator inverted = invertedOperator(*op, {12, 12, 12});
    if (inverted == op->reduced()) continue;
    line = symmCardText(inverted) + comment;
  }
  return out;
}

}  // namespace tavo::editing
