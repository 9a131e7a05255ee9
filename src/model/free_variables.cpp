// Compaction of the free-variable list and re-decoding of coded parameters.
#include "model/free_variables.h"

#include <algorithm>
#include <cmath>

#include "model/atom_line.h"
#include "model/atom_parameters.h"
#include "model/shelxl_instructions.h"
#include "model/structure_model.h"
#include "text/text.h"

namespace tavo::model {

namespace {

// Codes beyond this name no free variable that a table could hold.
constexpr double largestFreeVariableCode = 1e6;

// The words of a card: continuation marks and "!" comments removed.
std::vector<std::string> cardWords(const std::vector<std::string>& lines) {
  std::vector<std::string> words;
  for (const std::string& row : lines) {
    const std::string line = tabsToBlanks(row);
    std::string_view code(line);
    if (const std::size_t bang = code.find('!'); bang != std::string_view::npos) {
      code = code.substr(0, bang);
    }
    for (std::string_view word : text::splitWords(code)) {
      if (word != "=") words.emplace_back(word);
    }
    if (!words.empty() && words.back().size() > 1 && words.back().back() == '=') {
      words.back().pop_back();
    }
  }
  return words;
}

// The instruction lines grouped into cards: a line ending in "=" takes the next one with it.
std::vector<std::vector<std::string>> instructionCards(const std::vector<std::string>& lines) {
  std::vector<std::vector<std::string>> cards;
  bool continues = false;
  for (const std::string& line : lines) {
    if (!continues || cards.empty()) cards.emplace_back();
    cards.back().push_back(line);
    continues = continuesOnNextLine(line);
  }
  return cards;
}

void setParameter(Atom& atom, int parameter, double value) {
  atomParameter(atom, parameter) = value;
}

void setParameter(Hydrogen& hydrogen, int parameter, double value) {
  hydrogenParameter(hydrogen, parameter) = value;
}

// Applies `change` to every stored code of the atoms and H atoms read from the file.
template <class Change>
void forEachCode(StructureModel& structure, Change change) {
  for (int i = 1; i <= structure.nonHCount; ++i) {
    for (int p = 1; p <= 10; ++p)
      change(structure.atoms[i].codes[p]);
  }
  for (int i = 1; i <= structure.hCount; ++i) {
    for (int p = 1; p <= 10; ++p)
      change(structure.hydrogens[i].codes[p]);
  }
}

}  // namespace

bool isTiedCode(double code) {
  return std::abs(code) >= tiedCodeLimit;
}

int freeVariableUsedBy(double code) {
  const double magnitude = std::abs(code);
  if (!isTiedCode(code) || magnitude > largestFreeVariableCode) return 0;
  const double tenth = magnitude / 10;
  const double m = std::trunc(tenth);
  if (tenth == m) return 0;  // multiplier 0
  return static_cast<int>(m);
}

double roundCodeThroughText(double code) {
  // Free and fixed codes are shown exactly; only tied codes can lose digits in the text.
  if (code == 0 || code == 10) return code;
  const std::string shown = text::cut(text::formatGeneral(code, 15), 8);
  return text::findDouble(shown).value_or(code);
}

std::vector<int> freeVariablesOfCard(const std::vector<std::string>& lines) {
  const std::vector<std::string> words = cardWords(lines);
  std::vector<int> result;
  if (words.empty()) return result;
  char buffer[8];
  const std::string_view name = instructionNameOf(words[0], buffer);
  std::vector<double> numbers;  // the numbers that follow the name, up to the first other word
  for (std::size_t i = 1; i < words.size(); ++i) {
    const auto value = text::findDouble(words[i]);
    if (!value) break;
    numbers.push_back(*value);
  }
  if (name == "SUMP") {
    for (std::size_t i = 3; i < numbers.size(); i += 2) {
      const double number = std::abs(std::trunc(numbers[i]));
      if (number <= 1e6) result.push_back(static_cast<int>(number));
    }
  } else if (name == "PART") {
    if (numbers.size() >= 2) result.push_back(freeVariableUsedBy(numbers[1]));
  } else if (name == "DFIX" || name == "DANG" || name == "CHIV" || name == "AFIX" ||
             name == "HFIX") {
    // The first number of AFIX and HFIX is the constraint code, not a coded value.
    const std::size_t first = name == "AFIX" || name == "HFIX" ? 1 : 0;
    for (std::size_t i = first; i < numbers.size(); ++i) {
      result.push_back(freeVariableUsedBy(numbers[i]));
    }
  }
  std::erase(result, 0);
  return result;
}

int highestFreeVariableOfCards(const StructureModel& structure) {
  int highest = 0;
  auto take = [&highest](const std::vector<std::string>& lines) {
    for (int m : freeVariablesOfCard(lines))
      highest = std::max(highest, m);
  };
  for (const auto& card : instructionCards(structure.instructionLines))
    take(card);
  for (const AtomListCard& card : structure.atomListCards)
    take(card.lines);
  for (int i = 1; i <= structure.nonHCount; ++i) {
    if (!structure.atoms[i].partSof.empty()) take({"PART 1 " + structure.atoms[i].partSof});
  }
  for (int i = 1; i <= structure.hCount; ++i) {
    if (!structure.hydrogens[i].partSof.empty()) take({"PART 1 " + structure.hydrogens[i].partSof});
  }
  for (int g = 1; g <= structure.ridingGroupCount; ++g) {
    take({"AFIX " + structure.ridingGroups[g].afixText});
  }
  return highest;
}

void compactFreeVariables(StructureModel& structure) {
  forEachCode(structure, [](double& code) { code = roundCodeThroughText(code); });
  const int oldCount = structure.fvarCount;
  if (oldCount <= 1) return;
  std::vector<bool> used(static_cast<std::size_t>(oldCount) + 1, false);
  forEachCode(structure, [&](double& code) {
    const int m = freeVariableUsedBy(code);
    if (m >= 1 && m <= oldCount) used[static_cast<std::size_t>(m)] = true;
  });
  const int kept = std::clamp(highestFreeVariableOfCards(structure), 1, oldCount);
  std::vector<int> newNumber(static_cast<std::size_t>(oldCount) + 1, 0);
  for (int k = 1; k <= kept; ++k)
    newNumber[static_cast<std::size_t>(k)] = k;
  int next = kept;
  for (int k = kept + 1; k <= oldCount; ++k) {
    if (!used[static_cast<std::size_t>(k)]) continue;
    ++next;
    newNumber[static_cast<std::size_t>(k)] = next;
    structure.fvar[next] = structure.fvar[k];
  }
  structure.fvarCount = next;
  forEachCode(structure, [&](double& code) {
    const int m = freeVariableUsedBy(code);
    // A code beyond the free variables (even a huge one) refers to none of them.
    if (m == 0 || m > oldCount) return;
    const double tenth = std::abs(code) / 10;
    const int renumbered = newNumber[static_cast<std::size_t>(m)];
    if (renumbered == m || renumbered == 0) return;
    const double sign = code < 0 ? -1.0 : 1.0;
    code = roundCodeThroughText(sign * (renumbered + (tenth - m)) * 10);
  });
}

void redecodeAll(StructureModel& structure) {
  for (int i = 1; i <= structure.nonHCount; ++i) {
    Atom& atom = structure.atoms[i];
    for (int p = 1; p <= 10; ++p) {
      if (isTiedCode(atom.codes[p])) {
        setParameter(atom, p, decodeFreeVariable(atom.codes[p], structure.fvar).value);
      }
    }
  }
  for (int i = 1; i <= structure.hCount; ++i) {
    Hydrogen& hydrogen = structure.hydrogens[i];
    for (int p = 1; p <= 5; ++p) {
      if (isTiedCode(hydrogen.codes[p])) {
        setParameter(hydrogen, p, decodeFreeVariable(hydrogen.codes[p], structure.fvar).value);
      }
    }
  }
}

}  // namespace tavo::model
