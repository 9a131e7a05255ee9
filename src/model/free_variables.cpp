// Compaction of the free-variable list and re-decoding of coded parameters.
#include "model/free_variables.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>

#include "model/atom_line.h"
#include "model/atom_parameters.h"
#include "model/file_lines.h"
#include "model/shelxl_instructions.h"
#include "model/structure_model.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

// Codes beyond this name no free variable that a table could hold.
constexpr double largestFreeVariable = 1e5;

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

ParameterCode splitParameterCode(double coded) {
  // std::round takes halves away from zero (the edge case of the rule, see the header).
  const double multiple = std::round(coded / 10);
  return {multiple, coded - 10 * multiple};
}

double joinParameterCode(double multiple, double remainder) {
  return 10 * multiple + remainder;
}

bool isPlainValue(double value) {
  return splitParameterCode(value).multiple == 0;
}

bool isUnambiguousCode(double code) {
  return std::abs(splitParameterCode(code).remainder) < 5;
}

bool isTiedCode(double code) {
  return std::abs(splitParameterCode(code).multiple) >= 2;
}

int freeVariableNamedBy(double code) {
  const double m = std::abs(splitParameterCode(code).multiple);
  if (m < 2 || m > largestFreeVariable) return 0;
  return static_cast<int>(m);
}

int freeVariableUsedBy(double code) {
  if (splitParameterCode(code).remainder == 0) return 0;  // 0·FV(m) depends on none
  return freeVariableNamedBy(code);
}

double roundCodeThroughText(double code) {
  // Free and fixed codes are shown exactly; only tied codes can lose digits in the text. Whole
  // numbers of up to seven digits (11, 21, -31) come back from their text unchanged.
  if (code == std::trunc(code) && std::abs(code) < 1e7) return code;
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

namespace {

// Include files nest no deeper than this; a deeper (or circular) chain keeps every variable.
constexpr int deepestInclude = 8;
constexpr int everyFreeVariable = std::numeric_limits<int>::max();

// The file named by an include line ("+name" or "++name"); nullopt for any other line.
std::optional<std::string> findIncludedFileName(const std::string& line) {
  const std::string trimmed = text::trimLine(line);
  if (!trimmed.starts_with('+')) return std::nullopt;
  const std::size_t start = trimmed.find_first_not_of('+');
  if (start == std::string::npos) return std::string();
  return text::trimLine(trimmed.substr(start));
}

// The highest free variable that the cards of `lines` refer to, and in an include file (depth
// above 0) its atom lines too.
int highestOfLines(const std::vector<std::string>& lines, const std::filesystem::path& folder,
                   int depth);

// The highest free variable that an include file refers to; every one when the file cannot be
// read, since its codes are then unknown. SHELXL reads the name beside the instruction file.
int highestOfInclude(const std::string& name, const std::filesystem::path& folder, int depth) {
  if (name.empty() || depth > deepestInclude) return everyFreeVariable;
  try {
    return highestOfLines(loadFileLines(folder / name), folder, depth + 1);
  } catch (const FileError&) {
    return everyFreeVariable;
  }
}

int highestOfLines(const std::vector<std::string>& lines, const std::filesystem::path& folder,
                   int depth) {
  int highest = 0;
  for (const auto& card : instructionCards(lines)) {
    if (const auto name = findIncludedFileName(card.front())) {
      highest = std::max(highest, highestOfInclude(*name, folder, depth));
      continue;
    }
    const std::vector<std::string> words = cardWords(card);
    if (depth > 0 && words.size() >= 6 && !isInstructionName(words[0])) {
      // An atom line of an include file (the model holds only the atoms of the file itself):
      // every number after the label and SFAC number may be coded.
      for (std::size_t i = 2; i < words.size(); ++i) {
        if (const auto value = text::findDouble(words[i]))
          highest = std::max(highest, freeVariableUsedBy(*value));
      }
      continue;
    }
    for (int m : freeVariablesOfCard(card))
      highest = std::max(highest, m);
  }
  return highest;
}

std::filesystem::path folderOfIncludes(const StructureModel& structure) {
  if (structure.currentFile.empty()) return structure.workingFolder;
  return std::filesystem::path(structure.currentFile).parent_path();
}

}  // namespace

int highestFreeVariableOfCards(const StructureModel& structure) {
  int highest = 0;
  const std::filesystem::path folder = folderOfIncludes(structure);
  auto take = [&](const std::vector<std::string>& lines) {
    highest = std::max(highest, highestOfLines(lines, folder, 0));
  };
  take(structure.instructionLines);
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
    const int renumbered = newNumber[static_cast<std::size_t>(m)];
    if (renumbered == m || renumbered == 0) return;
    const ParameterCode parts = splitParameterCode(code);
    const double sign = parts.multiple < 0 ? -1.0 : 1.0;
    code = roundCodeThroughText(joinParameterCode(sign * renumbered, parts.remainder));
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
