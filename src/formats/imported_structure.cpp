// A structure read from a foreign format, and the fresh instruction file it becomes.
#include "formats/imported_structure.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>

#include "text/errors.h"
#include "text/text.h"

namespace tavo::formats {

namespace {

using geometry::SeitzOperator;

constexpr std::array<std::string_view, 104> elementSymbols = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si", "P",
    "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn",
    "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru", "Rh",
    "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd",
    "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",  "Re",
    "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac", "Th",
    "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md", "No", "Lr", "D"};

/// The element written as `first` and optionally `second` letter, in its usual case.
std::optional<std::string> knownElement(char first, char second) {
  std::string symbol(1, static_cast<char>(std::toupper(static_cast<unsigned char>(first))));
  if (second != 0) symbol += static_cast<char>(std::tolower(static_cast<unsigned char>(second)));
  for (std::string_view known : elementSymbols) {
    if (known == symbol) return symbol;
  }
  return std::nullopt;
}

bool isLetter(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

/// The operator applied to a position, reduced into [0, 1).
std::array<double, 3> applied(const SeitzOperator& op, const std::array<double, 3>& p) {
  std::array<double, 3> out{};
  for (int i = 0; i < 3; ++i) {
    double v = op.t[static_cast<std::size_t>(i)] / 12.0;
    for (int j = 0; j < 3; ++j)
      v += op.r[static_cast<std::size_t>(3 * i + j)] * p[static_cast<std::size_t>(j)];
    out[static_cast<std::size_t>(i)] = v - std::floor(v);
  }
  return out;
}

bool samePosition(const std::array<double, 3>& a, const std::array<double, 3>& b) {
  for (std::size_t i = 0; i < 3; ++i) {
    double d = std::fabs(a[i] - b[i]);
    d = std::min(d, 1.0 - d);
    if (d > 1e-3) return false;
  }
  return true;
}

/// A number in a field of ten characters, and always after a blank: a wider number (x of -10 or
/// beyond) must not run into the field before it.
std::string number(double value, int decimals) {
  const std::string digits = text::formatFixed(value, decimals);
  return digits.size() < 10 ? text::padLeft(digits, 10) : " " + digits;
}

std::string unitNumber(double count) {
  return text::formatGeneral(std::round(count * 100.0) / 100.0);
}

}  // namespace

std::optional<std::string> elementOfSymbol(std::string_view text) {
  if (text.empty() || !isLetter(text[0])) return std::nullopt;
  if (text.size() > 1 && isLetter(text[1])) {
    if (auto two = knownElement(text[0], text[1])) return two;
  }
  return knownElement(text[0], 0);
}

std::vector<std::string> labelElementSymbols(const model::ElementDefinitions& definitions) {
  std::vector<std::string> symbols;
  // Row 1 defines the peaks.
  for (int r = 2; r <= definitions.definitionCount(); ++r) {
    std::string symbol =
        text::trimLine(definitions.table().cell(r, model::ElementDefinitions::Lab1));
    if (symbol.empty() || !isLetter(symbol[0])) continue;
    for (std::size_t i = 0; i < symbol.size(); ++i) {
      const auto c = static_cast<unsigned char>(symbol[i]);
      symbol[i] = static_cast<char>(i == 0 ? std::toupper(c) : std::tolower(c));
    }
    symbols.push_back(std::move(symbol));
  }
  return symbols;
}

std::optional<std::string> elementOfLabel(std::string_view label,
                                          const std::vector<std::string>& symbols) {
  const std::string upperLabel = text::upper(label);
  const std::string* best = nullptr;
  for (const std::string& symbol : symbols) {
    if (upperLabel.starts_with(text::upper(symbol)) &&
        (best == nullptr || symbol.size() > best->size())) {
      best = &symbol;
    }
  }
  if (best == nullptr) return std::nullopt;
  // HO1, HN1, HG2 name hydrogen atoms (of a hydroxyl, an amine, a methyl group) far more often
  // than holmium or mercury: a heavy element beginning with H is taken only when its second
  // letter is written small (Hg1, Ho1).
  if (best->size() == 2 && upperLabel[0] == 'H' &&
      std::isupper(static_cast<unsigned char>(label[1])) != 0 &&
      std::find(symbols.begin(), symbols.end(), "H") != symbols.end()) {
    return std::string("H");
  }
  return *best;
}

void inferElementsFromLabels(ImportedStructure& imported, const std::vector<std::string>& symbols) {
  std::vector<ImportedAtom> kept;
  for (ImportedAtom& atom : imported.atoms) {
    if (atom.elementFromLabel && atom.element.empty()) {
      const std::optional<std::string> element = elementOfLabel(atom.label, symbols);
      if (!element) {
        imported.skippedLabels.push_back(atom.label);
        continue;
      }
      atom.element = *element;
    }
    kept.push_back(std::move(atom));
  }
  imported.atoms = std::move(kept);
  if (imported.atoms.empty()) throw UserError(std::string(noAtomImportedMessage));
}

LattSymm lattSymmOf(const std::vector<SeitzOperator>& operators) {
  std::vector<SeitzOperator> all;
  for (const SeitzOperator& op : operators)
    all.push_back(op.reduced());
  if (all.empty()) return {};
  const auto has = [&](const SeitzOperator& op) {
    return std::find(all.begin(), all.end(), op.reduced()) != all.end();
  };
  int centring = 1;
  for (int type = 7; type >= 2; --type) {
    bool every = true;
    for (const std::array<int, 3>& vector : geometry::centringVectors(type)) {
      every = every && has(SeitzOperator{.t = vector});
    }
    if (every) {
      centring = type;
      break;
    }
  }
  const bool centric = has(SeitzOperator{.r = {-1, 0, 0, 0, -1, 0, 0, 0, -1}});
  LattSymm result{centric ? centring : -centring, {}};
  for (const SeitzOperator& op : all) {
    const std::vector<SeitzOperator> covered =
        geometry::operatorsFromLattSymm(result.latt, result.symm);
    if (std::find(covered.begin(), covered.end(), op) == covered.end()) result.symm.push_back(op);
  }
  if (!geometry::sameOperatorSet(geometry::operatorsFromLattSymm(result.latt, result.symm), all)) {
    result = {-1, {}};
    for (const SeitzOperator& op : all) {
      if (op != SeitzOperator{}) result.symm.push_back(op);
    }
  }
  return result;
}

int siteSymmetryOrder(const std::vector<SeitzOperator>& operators, double x, double y, double z) {
  const std::array<double, 3> p = applied(SeitzOperator{}, {x, y, z});
  int order = 0;
  for (const SeitzOperator& op : operators) {
    if (samePosition(applied(op, p), p)) ++order;
  }
  return std::max(order, 1);
}

namespace {

/// The suffixes a new label of an element that leaves `width` characters free can take, in the
/// order they are handed out: the numbers 1, 2, ... first, then a digit followed by digits and
/// letters (1A, 1B, ... 9Z, 10A, ...). Finite, so that running out is a refusal, not a loop.
std::vector<std::string> labelSuffixes(std::size_t width) {
  constexpr std::string_view digitsAndLetters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::vector<std::string> numbers;
  std::vector<std::string> lettered;
  std::vector<std::string> shorter{""};
  for (std::size_t length = 1; length <= width; ++length) {
    std::vector<std::string> longer;
    for (const std::string& head : shorter) {
      for (char c : length == 1 ? digitsAndLetters.substr(1, 9) : digitsAndLetters)
        longer.push_back(head + c);
    }
    for (const std::string& suffix : longer) {
      const bool plain = suffix.find_first_not_of("0123456789") == std::string::npos;
      (plain ? numbers : lettered).push_back(suffix);
    }
    shorter = std::move(longer);
  }
  numbers.insert(numbers.end(), lettered.begin(), lettered.end());
  return numbers;
}

}  // namespace

std::string noFreeLabelMessage(std::string_view element) {
  return "The import needs more new labels for the " + std::string(element) +
         " atoms than four characters can hold; shorten or rename some of their labels in the "
         "file and import it again.";
}

std::vector<std::string> assignShelxlLabels(ImportedStructure& imported) {
  std::vector<std::string> renamed;
  std::set<std::string> used;
  const auto cleaned = [](const std::string& label) {
    std::string out;
    for (char c : label) {
      if (std::isalnum(static_cast<unsigned char>(c)) || c == '\'' || c == '_') out += c;
    }
    return out;
  };
  const auto accepted = [&](const std::string& label) {
    return !label.empty() && label.size() <= 4 && isLetter(label[0]) &&
           !used.contains(text::upper(label));
  };
  // Labels that are fine already keep their names, before any other atom is renamed.
  std::vector<bool> keep(imported.atoms.size(), false);
  for (std::size_t i = 0; i < imported.atoms.size(); ++i) {
    const std::string& label = imported.atoms[i].label;
    if (cleaned(label) == label && accepted(label)) {
      keep[i] = true;
      used.insert(text::upper(label));
    }
  }
  // Each element's new labels are handed out in order, from where the last one stopped.
  std::map<std::size_t, std::vector<std::string>> suffixes;  // by free width
  std::map<std::string, std::size_t> nextSuffix;             // by element
  for (std::size_t i = 0; i < imported.atoms.size(); ++i) {
    if (keep[i]) continue;
    ImportedAtom& atom = imported.atoms[i];
    std::string label = cleaned(atom.label);
    if (!accepted(label)) {
      const std::size_t width = atom.element.size() < 4 ? 4 - atom.element.size() : 0;
      if (!suffixes.contains(width)) suffixes[width] = labelSuffixes(width);
      const std::vector<std::string>& free = suffixes[width];
      std::size_t& next = nextSuffix[atom.element];
      while (next < free.size() && !accepted(atom.element + free[next]))
        ++next;
      if (next == free.size()) throw UserError(noFreeLabelMessage(atom.element));
      label = atom.element + free[next++];
    }
    used.insert(text::upper(label));
    renamed.push_back(atom.label + " -> " + label);
    atom.label = label;
  }
  return renamed;
}

void placeInPseudoCell(ImportedStructure& imported) {
  imported.operators.clear();
  imported.cell = {1, 1, 1, 90, 90, 90};
  if (imported.atoms.empty()) return;
  std::array<double, 3> low{}, high{};
  for (std::size_t k = 0; k < 3; ++k) {
    const auto coordinate = [k](const ImportedAtom& atom) {
      return k == 0 ? atom.x : k == 1 ? atom.y : atom.z;
    };
    const auto [least, most] =
        std::minmax_element(imported.atoms.begin(), imported.atoms.end(),
                            [&](const ImportedAtom& a, const ImportedAtom& b) {
                              return coordinate(a) < coordinate(b);
                            });
    low[k] = coordinate(*least);
    high[k] = coordinate(*most);
    imported.cell[k] = std::ceil(high[k] - low[k] + pseudoCellMarginA);
  }
  for (ImportedAtom& atom : imported.atoms) {
    double* const coordinates[] = {&atom.x, &atom.y, &atom.z};
    for (std::size_t k = 0; k < 3; ++k) {
      const double middle = (low[k] + high[k]) / 2;
      *coordinates[k] = 0.5 + (*coordinates[k] - middle) / imported.cell[k];
    }
  }
}

std::vector<std::string> instructionFileLines(const ImportedStructure& imported) {
  std::vector<std::string> elements;
  for (const ImportedAtom& atom : imported.atoms) {
    if (std::find(elements.begin(), elements.end(), atom.element) == elements.end())
      elements.push_back(atom.element);
  }
  const double opCount = std::max<std::size_t>(imported.operators.size(), 1);
  std::vector<double> units(elements.size(), 0.0);
  for (const ImportedAtom& atom : imported.atoms) {
    const auto e = std::find(elements.begin(), elements.end(), atom.element) - elements.begin();
    units[static_cast<std::size_t>(e)] += atom.sof * opCount;
  }
  std::vector<std::string> lines;
  lines.push_back("TITL " + (imported.title.empty() ? std::string("imported") : imported.title));
  std::string cell = "CELL " + text::formatFixed(imported.wavelength, 5);
  for (std::size_t i = 0; i < 6; ++i)
    cell += " " + text::formatFixed(imported.cell[i], i < 3 ? 4 : 3);
  lines.push_back(cell);
  lines.push_back("ZERR " + std::to_string(std::max(imported.z, 1)) +
                  " 0.0000 0.0000 0.0000 0.000 0.000 0.000");
  const LattSymm lattSymm = lattSymmOf(imported.operators);
  lines.push_back("LATT " + std::to_string(lattSymm.latt));
  for (const SeitzOperator& op : lattSymm.symm) {
    lines.push_back("SYMM " + text::upper(geometry::tripletText(op)));
  }
  std::string sfac = "SFAC";
  std::string unit = "UNIT";
  for (std::size_t e = 0; e < elements.size(); ++e) {
    sfac += " " + elements[e];
    unit += " " + unitNumber(units[e]);
  }
  lines.push_back(sfac);
  lines.push_back(unit);
  lines.insert(lines.end(), {"L.S. 10", "FMAP 2", "PLAN 20", "FVAR 1.00000"});
  for (const ImportedAtom& atom : imported.atoms) {
    const auto sfacNumber =
        std::find(elements.begin(), elements.end(), atom.element) - elements.begin() + 1;
    std::string line = text::padRight(atom.label, 5) +
                       text::padLeft(std::to_string(sfacNumber), 2) + number(atom.x, 6) +
                       number(atom.y, 6) + number(atom.z, 6) + number(10.0 + atom.sof, 5);
    if (atom.uaniso) {
      const std::array<double, 6>& u = *atom.uaniso;
      lines.push_back(line + number(u[0], 5) + number(u[1], 5) + " =");
      lines.push_back("    " + number(u[2], 5) + number(u[3], 5) + number(u[4], 5) +
                      number(u[5], 5));
    } else {
      lines.push_back(line + number(atom.uiso, 5));
    }
  }
  lines.push_back("HKLF 4");
  lines.push_back("END");
  return lines;
}

std::vector<std::string> inferredHeavyElements(const ImportedStructure& imported) {
  std::vector<std::string> heavy;
  for (const ImportedAtom& atom : imported.atoms) {
    if (!atom.elementFromLabel) continue;
    const std::string& e = atom.element;
    if (e == "H" || e == "C" || e == "N" || e == "O" || e == "D") continue;
    if (std::find(heavy.begin(), heavy.end(), e) == heavy.end()) heavy.push_back(e);
  }
  return heavy;
}

}  // namespace tavo::formats
