// Renaming atoms inside the cards that name them, the cards naming one atom, and the label rules.
#include "model/card_relabel.h"

#include <algorithm>
#include <array>
#include <optional>

#include "model/shelxl_instructions.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

constexpr std::size_t maxLineLength = 80;
constexpr std::string_view continuationIndent = "     ";

constexpr std::array<std::string_view, 26> atomNamingKeywords = {
    "ANIS", "BIND", "BLOC", "BOND", "CHIV", "CONF", "CONN", "DANG", "DELU",
    "DFIX", "EADP", "EXYZ", "FLAT", "FREE", "HFIX", "HTAB", "ISOR", "MPLA",
    "NCSY", "OMIT", "RIGU", "RTAB", "SADI", "SAME", "SIMU", "XNPD"};

bool sameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && text::upper(a) == text::upper(b);
}

bool allDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

/// The atoms a card's words without a residue suffix refer to.
struct Scope {
  bool every = false;         // SADI_*: every residue
  std::optional<int> number;  // one residue (with `chain`)
  std::string chain;
  std::string className;  // a class (alone: every residue of it; with a number: that residue's)
};

Scope scopeOf(const Residue& residue) {
  return {false, residue.number, residue.chain, residue.className};
}

/// The residue part "n", "A:n" of a suffix: the number and the chain.
std::optional<std::pair<int, std::string>> residueNumberIn(std::string_view suffix) {
  std::string chain;
  if (const std::size_t colon = suffix.find(':'); colon != std::string_view::npos) {
    chain = std::string(suffix.substr(0, colon));
    suffix = suffix.substr(colon + 1);
  }
  if (!allDigits(suffix)) return std::nullopt;
  return std::make_pair(text::parseInt(suffix), chain);
}

/// The scope set by a keyword's residue suffix (SADI_CCF3, DFIX_2, SAME_*), else `position`.
Scope scopeOfKeyword(std::string_view keyword, const Scope& position) {
  const std::size_t underscore = keyword.find('_');
  if (underscore == std::string_view::npos) return position;
  const std::string_view suffix = keyword.substr(underscore + 1);
  if (suffix == "*") return {true, std::nullopt, "", ""};
  if (const auto number = residueNumberIn(suffix))
    return {false, number->first, number->second, ""};
  return {false, std::nullopt, "", std::string(suffix)};
}

bool inScope(const Residue& residue, const Scope& scope) {
  if (scope.every) return true;
  if (scope.number) return residue.number == *scope.number && residue.chain == scope.chain;
  return sameText(residue.className, scope.className);
}

/// True when `suffix` (after the "_" of an atom name; empty when none) used in a card of
/// `scope` reaches an atom of `residue`.
bool suffixReaches(std::string_view suffix, const Residue& residue, const Scope& scope) {
  if (suffix.empty() || suffix.front() == '$') return inScope(residue, scope);
  if (suffix == "*") return true;
  if (suffix == "+" || suffix == "-") {
    // A neighbour residue: another residue of the card's class.
    const bool ownResidue = scope.number && residue.number == *scope.number;
    return residue.number != 0 && !ownResidue &&
           (scope.className.empty() || sameText(residue.className, scope.className));
  }
  if (const auto number = residueNumberIn(suffix))
    return residue.number == number->first && residue.chain == number->second;
  return isLetter(suffix.front()) && sameText(residue.className, suffix);
}

/// A word of a line: where it starts and how long it is.
struct WordSpan {
  std::size_t start = 0;
  std::size_t length = 0;
};

/// The words of `line` before any "!" comment, split at blanks.
std::vector<WordSpan> wordSpans(std::string_view line) {
  std::vector<WordSpan> spans;
  const std::size_t end = std::min(line.find('!'), line.size());
  std::size_t i = 0;
  while (i < end) {
    while (i < end && line[i] == ' ')
      ++i;
    const std::size_t start = i;
    while (i < end && line[i] != ' ')
      ++i;
    if (i > start) spans.push_back({start, i - start});
  }
  return spans;
}

/// The new text of an atom-name word, or nothing when no rename reaches it.
std::optional<std::string> renamedWord(std::string_view word, const Scope& scope,
                                       const std::vector<LabelRename>& renames) {
  // "C2=": the continuation sign written against the last name.
  if (word.size() > 1 && word.back() == '=') {
    std::optional<std::string> renamed =
        renamedWord(word.substr(0, word.size() - 1), scope, renames);
    if (renamed) *renamed += '=';
    return renamed;
  }
  const std::size_t underscore = word.find('_');
  const std::string_view label = word.substr(0, underscore);
  const std::string_view suffix =
      underscore == std::string_view::npos ? std::string_view{} : word.substr(underscore + 1);
  if (label.empty()) return std::nullopt;
  for (const LabelRename& rename : renames) {
    if (sameText(label, text::trimLine(rename.oldLabel)) &&
        suffixReaches(suffix, rename.residue, scope)) {
      return text::trimLine(rename.newLabel) + std::string(word.substr(label.size()));
    }
  }
  return std::nullopt;
}

/// The lines of one card: a keyword line and its continuation lines.
struct CardText {
  std::vector<std::string> lines;
  Scope scope;
};

/// The words of a card that may be atom names: every word after the keyword ("=" and, for
/// RTAB, the code name aside).
template <typename Visit>
void visitNameWords(const std::vector<std::string>& lines, Visit visit) {
  bool rtabCodePending = false;
  for (std::size_t l = 0; l < lines.size(); ++l) {
    const std::vector<WordSpan> spans = wordSpans(lines[l]);
    for (std::size_t w = 0; w < spans.size(); ++w) {
      const std::string_view word =
          std::string_view(lines[l]).substr(spans[w].start, spans[w].length);
      if (l == 0 && w == 0) {
        char buffer[8];
        rtabCodePending = instructionNameOf(word, buffer) == "RTAB";
        continue;
      }
      if (word == "=") continue;
      if (rtabCodePending) {
        rtabCodePending = false;
        continue;
      }
      visit(l, spans[w], word);
    }
  }
}

/// Words joined with single blanks after the indentation of a continuation line, with the
/// comment kept; split into continued lines where longer than a line may be.
std::vector<std::string> reflowed(const std::string& line, bool continuation) {
  std::vector<std::string> words;
  for (const WordSpan& span : wordSpans(line))
    words.push_back(line.substr(span.start, span.length));
  const std::size_t bang = line.find('!');
  const std::string comment = bang == std::string::npos ? "" : " " + line.substr(bang);
  std::vector<std::string> out;
  std::string current = continuation ? std::string(continuationIndent) : "";
  bool empty = true;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    const bool last = i + 1 == words.size();
    // Room for " =" at the end of every line but the last.
    const std::size_t limit = last ? maxLineLength : maxLineLength - 2;
    if (!empty && current.size() + 1 + word.size() > limit) {
      out.push_back(current + " =");
      current = std::string(continuationIndent);
      empty = true;
    }
    current += (empty ? "" : " ") + word;
    empty = false;
  }
  out.push_back(current + comment);
  return out;
}

/// Renames the atom names of one card; the lines may grow in number. Returns the lines changed.
int relabelCard(std::vector<std::string>& lines, const Scope& scope,
                const std::vector<LabelRename>& renames) {
  std::vector<std::vector<std::pair<WordSpan, std::string>>> edits(lines.size());
  visitNameWords(lines, [&](std::size_t l, const WordSpan& span, std::string_view word) {
    if (auto renamed = renamedWord(word, scope, renames); renamed && *renamed != word)
      edits[l].emplace_back(span, std::move(*renamed));
  });
  int changed = 0;
  for (std::size_t l = lines.size(); l-- > 0;) {
    if (edits[l].empty()) continue;
    ++changed;
    std::string& line = lines[l];
    const bool grew = std::any_of(edits[l].begin(), edits[l].end(),
                                  [](const auto& e) { return e.second.size() > e.first.length; });
    for (auto e = edits[l].rbegin(); e != edits[l].rend(); ++e)
      line.replace(e->first.start, e->first.length, e->second);
    if (!grew || line.size() <= maxLineLength) continue;
    std::vector<std::string> pieces = reflowed(line, l > 0);
    lines[l] = pieces.front();
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(l) + 1, pieces.begin() + 1,
                 pieces.end());
  }
  return changed;
}

/// The card that starts at instruction line `first`: its line count.
std::size_t cardLength(const std::vector<std::string>& lines, std::size_t first) {
  std::size_t end = first + 1;
  while (end < lines.size() && continuesOnNextLine(lines[end - 1]))
    ++end;
  return end - first;
}

std::string firstWord(std::string_view line) {
  const std::vector<WordSpan> spans = wordSpans(line);
  return spans.empty() ? "" : std::string(line.substr(spans[0].start, spans[0].length));
}

bool isNamingCard(const std::vector<std::string>& lines, std::size_t first) {
  if (first >= lines.size() || isTitlLine(lines[first]) || isRemLine(lines[first])) return false;
  char buffer[8];
  return namesAtoms(instructionNameOf(firstWord(lines[first]), buffer));
}

/// The residue of the atom that `ref` stands for in the atom list's order (0 for none).
Residue residueAt(const StructureModel& structure, AtomRef ref) {
  if (ref.kind == AtomKind::Atom && ref.index >= 1 && ref.index <= structure.nonHCount)
    return structure.atoms[ref.index].residue;
  if (ref.kind == AtomKind::Hydrogen && ref.index >= 1 && ref.index <= structure.hCount)
    return structure.hydrogens[ref.index].residue;
  return {};
}

/// The atom written just before `ref` in the atom list, approximately: the previous non-H atom,
/// or for a free H the atom it follows.
AtomRef previousAtom(const StructureModel& structure, AtomRef ref) {
  if (ref.kind == AtomKind::Atom) return {AtomKind::Atom, ref.index - 1};
  if (ref.kind == AtomKind::Hydrogen && ref.index >= 1 && ref.index <= structure.hCount) {
    const int after = structure.hydrogens[ref.index].afterAtom;
    return {AtomKind::Atom, after < 0 ? structure.nonHCount : after};
  }
  return {AtomKind::Atom, structure.nonHCount};
}

/// The residue in force where atom-list card `c` stands: a RESI card before it at the same
/// place, or the residue of the atom that follows it, or (when a RESI card follows it at that
/// place) of the atom before it.
Residue residueInForce(const StructureModel& structure, std::size_t c) {
  const std::vector<AtomListCard>& cards = structure.atomListCards;
  const AtomRef place = cards[c].before;
  for (std::size_t k = c; k-- > 0;) {
    if (cards[k].before != place) continue;
    if (const auto residue = parseResiCard(cards[k].lines.front())) return *residue;
  }
  for (std::size_t k = c + 1; k < cards.size(); ++k) {
    if (cards[k].before == place && parseResiCard(cards[k].lines.front()))
      return residueAt(structure, previousAtom(structure, place));
  }
  if (place.kind == AtomKind::None) return residueAt(structure, previousAtom(structure, place));
  return residueAt(structure, place);
}

/// Calls `visit(lines, scope)` for every card that names atoms, the instruction lines first.
template <typename Visit>
void visitCards(const StructureModel& structure, Visit visit) {
  const std::vector<std::string>& lines = structure.instructionLines;
  for (std::size_t r = 0; r < lines.size();) {
    const std::size_t length = cardLength(lines, r);
    if (isNamingCard(lines, r)) {
      const std::vector<std::string> card(lines.begin() + static_cast<std::ptrdiff_t>(r),
                                          lines.begin() + static_cast<std::ptrdiff_t>(r + length));
      visit(card, scopeOfKeyword(firstWord(card.front()), scopeOf(Residue{})));
    }
    r += length;
  }
  for (std::size_t c = 0; c < structure.atomListCards.size(); ++c) {
    const std::vector<std::string>& card = structure.atomListCards[c].lines;
    if (card.empty() || !isNamingCard(card, 0)) continue;
    visit(card, scopeOfKeyword(firstWord(card.front()), scopeOf(residueInForce(structure, c))));
  }
}

void shiftMarkersBelow(LineMarkers& markers, int line, int by) {
  for (int* marker : {&markers.cellLine, &markers.zerrLine, &markers.sfacLine, &markers.unitLine,
                      &markers.lsLine, &markers.fmapLine, &markers.planLine, &markers.extiLine,
                      &markers.wghtLine, &markers.spcgLine}) {
    if (*marker > line) *marker += by;
  }
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += (text.empty() ? "" : "\n") + line;
  return text;
}

}  // namespace

bool namesAtoms(std::string_view keyword) {
  char buffer[8];
  const std::string_view name = instructionNameOf(keyword, buffer);
  return std::find(atomNamingKeywords.begin(), atomNamingKeywords.end(), name) !=
         atomNamingKeywords.end();
}

int relabelCards(StructureModel& structure, const std::vector<LabelRename>& renames) {
  if (renames.empty()) return 0;
  // Worked on copies and put in place at the end, so that a refusal changes nothing.
  std::vector<std::string> lines = structure.instructionLines;
  LineMarkers markers = structure.markers;
  std::vector<AtomListCard> atomListCards = structure.atomListCards;
  int changed = 0;
  // From the last card up, so that continuation lines added to one card do not move the cards
  // still to be done.
  std::vector<std::pair<std::size_t, std::size_t>> cards;  // first line, length
  for (std::size_t r = 0; r < lines.size();) {
    const std::size_t length = cardLength(lines, r);
    if (isNamingCard(lines, r)) cards.emplace_back(r, length);
    r += length;
  }
  for (auto card = cards.rbegin(); card != cards.rend(); ++card) {
    const auto [first, length] = *card;
    const auto begin = lines.begin() + static_cast<std::ptrdiff_t>(first);
    std::vector<std::string> text(begin, begin + static_cast<std::ptrdiff_t>(length));
    const int changedHere =
        relabelCard(text, scopeOfKeyword(firstWord(text.front()), scopeOf(Residue{})), renames);
    if (changedHere == 0) continue;
    changed += changedHere;
    const int added = static_cast<int>(text.size() - length);
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), begin);
    lines.insert(begin + static_cast<std::ptrdiff_t>(length),
                 text.begin() + static_cast<std::ptrdiff_t>(length), text.end());
    shiftMarkersBelow(markers, static_cast<int>(first + length) - 1, added);
  }
  if (static_cast<int>(lines.size()) > structure.limits.cmdMax &&
      lines.size() > structure.instructionLines.size()) {
    throw UserError(limitExceededMessage("instruction lines", "cmd_max", structure.limits.cmdMax));
  }
  for (std::size_t c = 0; c < atomListCards.size(); ++c) {
    std::vector<std::string>& card = atomListCards[c].lines;
    if (card.empty() || !isNamingCard(card, 0)) continue;
    changed += relabelCard(
        card, scopeOfKeyword(firstWord(card.front()), scopeOf(residueInForce(structure, c))),
        renames);
  }
  structure.instructionLines = std::move(lines);
  structure.markers = markers;
  structure.atomListCards = std::move(atomListCards);
  return changed;
}

std::vector<std::string> cardsNaming(const StructureModel& structure, std::string_view label,
                                     const Residue& residue) {
  const std::vector<LabelRename> probe = {{std::string(label), std::string(label), residue}};
  std::vector<std::string> found;
  visitCards(structure, [&](const std::vector<std::string>& card, const Scope& scope) {
    bool names = false;
    visitNameWords(card, [&](std::size_t, const WordSpan&, std::string_view word) {
      names = names || renamedWord(word, scope, probe).has_value();
    });
    if (names) found.push_back(joined(card));
  });
  return found;
}

}  // namespace tavo::model
