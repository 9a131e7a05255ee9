// Parsing and writing RESI cards.
#include "model/residue.h"

#include <utility>

#include "model/atom_line.h"
#include "text/text.h"

namespace tavo::model {

namespace {

bool startsWithLetter(std::string_view word) {
  const char c = word.empty() ? '\0' : word.front();
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "12" or "A:12": the number and the chain; empty when the word is no residue number.
std::optional<std::pair<int, std::string>> residueNumberOf(std::string_view word) {
  std::string chain;
  if (const std::size_t colon = word.find(':'); colon != std::string_view::npos) {
    chain = std::string(word.substr(0, colon));
    word = word.substr(colon + 1);
  }
  // SHELXL numbers residues from 1; other programs write -1 (for peaks), which is kept as is.
  const std::optional<int> number = text::findInt(word);
  if (!number) return std::nullopt;
  return std::make_pair(*number, std::move(chain));
}

}  // namespace

bool sameResidue(const Residue& a, const Residue& b) {
  return a.number == b.number && a.chain == b.chain;
}

bool isResiCard(std::string_view line) {
  const std::string blanks = tabsToBlanks(line);
  const auto words = text::splitWords(blanks);
  return !words.empty() && text::upper(words.front()) == "RESI";
}

std::optional<Residue> parseResiCard(std::string_view line) {
  if (const std::size_t bang = line.find('!'); bang != std::string_view::npos) {
    line = line.substr(0, bang);
  }
  if (!isResiCard(line)) return std::nullopt;
  const std::string blanks = tabsToBlanks(line);
  const auto words = text::splitWords(blanks);
  Residue residue;
  bool numbered = false;
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string_view word = words[i];
    if (word == "=") continue;
    if (auto number = numbered ? std::nullopt : residueNumberOf(word)) {
      residue.number = number->first;
      residue.chain = std::move(number->second);
      numbered = true;
    } else if (residue.className.empty() && startsWithLetter(word)) {
      residue.className = std::string(word);
    } else if (residue.alias.empty()) {
      residue.alias = std::string(word);
    }
  }
  if (residue.number == 0) residue.chain.clear();
  return residue;
}

std::string resiCard(const Residue& residue) {
  if (residue.number == 0 && residue.className.empty()) return "RESI 0";
  std::string card = "RESI";
  if (!residue.className.empty()) card += " " + residue.className;
  card += " ";
  if (!residue.chain.empty()) card += residue.chain + ":";
  card += std::to_string(residue.number);
  if (!residue.alias.empty()) card += " " + residue.alias;
  return card;
}

}  // namespace tavo::model
