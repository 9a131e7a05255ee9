#include "density/refinement_cards.h"

#include <algorithm>
#include <cmath>

#include "text/errors.h"
#include "text/text.h"

namespace tavo::density {

namespace {

bool isCard(std::string_view word, std::string_view card) {
  return text::upper(word.substr(0, 4)) == card;
}

std::vector<double> numbersAfter(const std::vector<std::string_view>& words, std::size_t first) {
  std::vector<double> numbers;
  for (std::size_t i = first; i < words.size(); ++i)
    numbers.push_back(text::parseDouble(words[i]));
  return numbers;
}

bool isNumber(std::string_view word) {
  return text::findDouble(word).has_value();
}

void readSfac(const std::vector<std::string_view>& words, RefinementCards& cards) {
  // The long form names one element and gives its coefficients; the short form lists symbols.
  if (words.size() > 2 && isNumber(words[2])) {
    ScattererCard scatterer{text::upper(words[1]), numbersAfter(words, 2), {}, {}};
    if (scatterer.coefficients.size() >= 11) {
      scatterer.fp = scatterer.coefficients[9];
      scatterer.fpp = scatterer.coefficients[10];
    }
    scatterer.coefficients.resize(std::min<std::size_t>(scatterer.coefficients.size(), 9));
    if (scatterer.coefficients.size() < 9)
      throw UserError("The SFAC card of " + scatterer.symbol +
                      " needs nine scattering-factor coefficients.");
    cards.scatterers.push_back(std::move(scatterer));
    return;
  }
  for (std::size_t i = 1; i < words.size(); ++i)
    cards.scatterers.push_back({text::upper(words[i]), {}, {}, {}});
}

void readDisp(const std::vector<std::string_view>& words, RefinementCards& cards) {
  if (words.size() < 4) return;
  const std::string symbol = text::upper(words[1]);
  for (ScattererCard& scatterer : cards.scatterers)
    if (scatterer.symbol == symbol) {
      scatterer.fp = text::parseDouble(words[2]);
      scatterer.fpp = text::parseDouble(words[3]);
    }
}

void readWght(const std::vector<std::string_view>& words, RefinementCards& cards) {
  const std::vector<double> n = numbersAfter(words, 1);
  WeightCard w;
  if (n.size() > 0) w.a = n[0];
  if (n.size() > 1) w.b = n[1];
  if (n.size() > 2) w.c = n[2];
  if (n.size() > 3) w.d = n[3];
  if (n.size() > 4) w.e = n[4];
  if (n.size() > 5) w.f = n[5];
  cards.weight = w;
}

void readOmit(const std::vector<std::string_view>& words, RefinementCards& cards) {
  if (words.size() == 4 && std::all_of(words.begin() + 1, words.end(), isNumber)) {
    const std::vector<double> n = numbersAfter(words, 1);
    if (std::all_of(n.begin(), n.end(), [](double v) { return v == std::round(v); })) {
      cards.omitted.push_back(
          {static_cast<int>(n[0]), static_cast<int>(n[1]), static_cast<int>(n[2])});
      return;
    }
  }
  if (words.size() >= 2 && words.size() <= 3 && isNumber(words[1])) {
    cards.omitSigma = text::parseDouble(words[1]);
    if (words.size() == 3) cards.omitTwoThetaDeg = text::parseDouble(words[2]);
  }
  // OMIT with atom names excludes atoms from the Fourier peak search only.
}

void readCard(const std::vector<std::string_view>& words, RefinementCards& cards) {
  const std::string_view card = words[0];
  if (isCard(card, "CELL") && words.size() > 1) {
    cards.wavelength = text::parseDouble(words[1]);
  } else if (isCard(card, "SFAC")) {
    readSfac(words, cards);
  } else if (isCard(card, "DISP")) {
    readDisp(words, cards);
  } else if (isCard(card, "WGHT")) {
    readWght(words, cards);
  } else if (isCard(card, "EXTI")) {
    cards.extinction = words.size() > 1 ? text::parseDouble(words[1]) : 0.0;
  } else if (isCard(card, "OMIT")) {
    readOmit(words, cards);
  } else if (isCard(card, "SHEL")) {
    if (words.size() > 1) cards.shellMax = text::parseDouble(words[1]);
    if (words.size() > 2) cards.shellMin = text::parseDouble(words[2]);
  } else if (isCard(card, "MERG") && words.size() > 1) {
    cards.merge = text::parseInt(words[1]);
  }
}

}  // namespace

std::vector<std::string> joinedCards(const std::vector<std::string>& lines) {
  std::vector<std::string> cards;
  bool continues = false;
  for (const std::string& raw : lines) {
    std::string line = raw.substr(0, raw.find('!'));
    line = text::trimLine(line);
    if (!continues && (line.empty() || isCard(line, "REM"))) continue;
    const bool next = !line.empty() && line.back() == '=';
    if (next) line.pop_back();
    if (continues && !cards.empty())
      cards.back() += " " + line;
    else
      cards.push_back(line);
    continues = next;
  }
  return cards;
}

RefinementCards readRefinementCards(const model::StructureModel& structure) {
  RefinementCards cards;
  for (const std::string& line : joinedCards(structure.instructionLines)) {
    const std::vector<std::string_view> words = text::splitWords(line);
    if (!words.empty()) readCard(words, cards);
  }
  const geometry::LattSymmCards lattSymm = geometry::readLattSymm(structure.instructionLines);
  cards.operators = geometry::operatorsFromLattSymm(lattSymm.latt, lattSymm.symm);
  cards.centrosymmetric = lattSymm.latt > 0;
  if (structure.fvarCount > 0) cards.overallScale = structure.fvar[1];
  cards.freeVariableCount = structure.fvarCount;
  cards.hklfLine = structure.hklfLine;
  if (cards.wavelength <= 0) cards.wavelength = 0.71073;
  return cards;
}

}  // namespace tavo::density
