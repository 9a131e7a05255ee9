// The formula figures and the rewriting of the SFAC and UNIT cards.
#include "model/formula.h"

#include "model/shelxl_instructions.h"
#include "model/structure_model.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

constexpr std::size_t maxLineLength = 80;  // SHELXL reads no further
constexpr std::string_view continuationIndent = "     ";
constexpr std::string_view useTheLineEditor =
    "change SFAC and UNIT in the instruction lines (\"Edit Shelxl-97 Commands\") instead.";

bool isCardStart(std::string_view line, std::string_view name) {
  const std::vector<std::string_view> words = text::splitWords(line);
  return !words.empty() && text::upper(words.front()) == name;
}

/// Replaces the lines of `card` by `lines`; every marker below the card moves with it.
void replaceCard(StructureModel& s, CardLines card, const std::vector<std::string>& lines) {
  auto& all = s.instructionLines;
  const auto begin = all.begin() + card.first;
  all.erase(begin, begin + card.count);
  all.insert(all.begin() + card.first, lines.begin(), lines.end());
  const int shift = static_cast<int>(lines.size()) - card.count;
  LineMarkers& m = s.markers;
  for (int* marker : {&m.cellLine, &m.zerrLine, &m.sfacLine, &m.unitLine, &m.lsLine, &m.fmapLine,
                      &m.planLine, &m.extiLine, &m.wghtLine, &m.spcgLine}) {
    if (*marker >= card.first + card.count) *marker += shift;
  }
}

std::vector<std::string> cardWords(const StructureModel& s, CardLines card) {
  std::vector<std::string> words;
  for (int line = card.first; line < card.first + card.count; ++line) {
    std::string_view text = s.instructionLines[static_cast<std::size_t>(line)];
    if (const std::size_t bang = text.find('!'); bang != std::string_view::npos)
      text = text.substr(0, bang);
    for (std::string_view word : text::splitWords(text)) {
      if (word != "=") words.emplace_back(word);
    }
  }
  if (!words.empty()) words.erase(words.begin());  // the card's name
  return words;
}

}  // namespace

FormulaFigures formulaFigures(const StructureModel& s, const std::vector<double>& unitNumbers) {
  FormulaFigures f;
  f.weightPercent.assign(static_cast<std::size_t>(s.elementCount + 1), 0.0);
  for (int e = 1; e <= s.elementCount; ++e)
    f.cellMass += s.elements[e].atomicWeight * unitNumbers[static_cast<std::size_t>(e)];
  for (int e = 1; e <= s.elementCount && f.cellMass != 0; ++e) {
    f.weightPercent[static_cast<std::size_t>(e)] =
        s.elements[e].atomicWeight * unitNumbers[static_cast<std::size_t>(e)] / f.cellMass * 100;
  }
  if (s.cell.z > 0) f.formulaWeight = f.cellMass / s.cell.z;
  // The product of the diagonal of the orthogonalisation: a x b sin(gamma) x the height of c.
  f.volume = s.cell.aVector.x * s.cell.bVector.y * s.cell.cVector.z;
  if (f.volume > 0) f.density = f.cellMass / avogadroConstant / (f.volume * 1e-24);
  return f;
}

std::string unitNumberText(double number) {
  std::string text = text::formatFixed(number, 3);
  if (text::endsWith(text, ".000")) text.resize(text.size() - 4);
  if (text == "-0") text = "0";
  return text;
}

std::vector<std::string> cardLines(std::string_view name, const std::vector<std::string>& words) {
  std::vector<std::string> lines{std::string(name)};
  for (const std::string& word : words) {
    std::string& line = lines.back();
    // Room for the word and, should another line follow, for " =".
    if (line.size() + 1 + word.size() + 2 > maxLineLength && line.size() > name.size()) {
      line += " =";
      lines.push_back(std::string(continuationIndent) + word);
    } else {
      line += ' ';
      line += word;
    }
  }
  return lines;
}

std::vector<CardLines> findCards(const StructureModel& s, std::string_view name) {
  std::vector<CardLines> cards;
  const int last = s.lineCount() - 1;
  bool continues = false;
  for (int line = 0; line <= last; ++line) {
    const std::string& text = s.instructionLines[static_cast<std::size_t>(line)];
    const bool continuation = continues;
    continues = continuesOnNextLine(text);
    if (continuation) {
      if (!cards.empty() && cards.back().first + cards.back().count == line) ++cards.back().count;
      continue;
    }
    if (isCardStart(text, name)) cards.push_back({line, 1});
  }
  return cards;
}

std::string sfacRewriteRefusal(const StructureModel& s) {
  const std::vector<CardLines> cards = findCards(s, "SFAC");
  if (cards.empty()) return "There is no SFAC card in the instruction lines to rewrite.";
  if (cards.size() > 1) {
    return "The instruction lines hold " + std::to_string(cards.size()) +
           " SFAC cards. Only a single SFAC card of element symbols is rewritten here: " +
           std::string(useTheLineEditor);
  }
  for (const std::string& word : cardWords(s, cards.front())) {
    if (text::findDouble(word)) {
      return "The SFAC card \"" + s.instructionLines[static_cast<std::size_t>(cards[0].first)] +
             "\" gives scattering factors. Only a single SFAC card of element symbols is "
             "rewritten here: " +
             std::string(useTheLineEditor);
    }
  }
  return "";
}

std::string unitRewriteRefusal(const StructureModel& s) {
  const std::vector<CardLines> cards = findCards(s, "UNIT");
  if (cards.empty()) return "There is no UNIT card in the instruction lines to rewrite.";
  if (cards.size() > 1) {
    return "The instruction lines hold " + std::to_string(cards.size()) +
           " UNIT cards. Only a single UNIT card is rewritten here: " +
           std::string(useTheLineEditor);
  }
  return "";
}

void rewriteSfacCard(StructureModel& s) {
  if (const std::string refusal = sfacRewriteRefusal(s); !refusal.empty()) throw UserError(refusal);
  std::vector<std::string> symbols;
  for (int e = 1; e <= s.elementCount; ++e)
    symbols.push_back(s.elements[e].symbol);
  replaceCard(s, findCards(s, "SFAC").front(), cardLines("SFAC", symbols));
}

void rewriteUnitCard(StructureModel& s) {
  if (const std::string refusal = unitRewriteRefusal(s); !refusal.empty()) throw UserError(refusal);
  std::vector<std::string> numbers;
  for (int e = 1; e <= s.elementCount; ++e)
    numbers.push_back(unitNumberText(s.elements[e].unitCount));
  replaceCard(s, findCards(s, "UNIT").front(), cardLines("UNIT", numbers));
}

}  // namespace tavo::model
