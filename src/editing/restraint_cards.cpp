// Card texts, their splitting into continued lines, and their place among the instructions.
#include "editing/restraint_cards.h"

#include <algorithm>

#include "model/instruction_reader.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::editing {

namespace {

using model::AtomKind;
using model::AtomRef;

std::string labelOf(const model::StructureModel& s, AtomRef ref) {
  if (ref.kind == AtomKind::Atom) return s.atoms[ref.index].label;
  if (ref.kind == AtomKind::Hydrogen) return s.hydrogens[ref.index].label;
  throw UserError("Peaks cannot be named in a card: name them as atoms first.");
}

std::string withLabels(std::string card, const model::StructureModel& s,
                       const std::vector<AtomRef>& picked) {
  for (const AtomRef& ref : picked)
    card += " " + labelOf(s, ref);
  return card;
}

void requireNumber(const std::string& textValue, const char* what, std::string_view card = "DFIX") {
  if (!text::findDouble(textValue)) {
    throw UserError("The " + std::string(card) + " " + what + " \"" + textValue +
                    "\" is not a number: SHELXL would read it as an atom name.");
  }
}

/// The card's name, then its optional esds as typed, each checked to be a number above 0.
std::string withEsds(MouseMode mode, const CardInputs& in) {
  const std::string_view name = menuCaption(mode);
  std::string card(name);
  const int most = restraintEsdCount(mode);
  if (most == 0) return card;
  const std::vector<std::string_view> words = text::splitWords(in.restraintEsds);
  if (static_cast<int>(words.size()) > most) {
    const char* meaning = mode == MouseMode::Simu   ? "s st dmax"
                          : mode == MouseMode::Dang ? "s"
                          : mode == MouseMode::Rigu ? "s1 s2"
                                                    : "s st";
    throw UserError(std::string(name) + " takes at most " + std::to_string(most) +
                    (most == 1 ? " number" : " numbers") + " (" + meaning +
                    ") before its atoms, not \"" + text::trimLine(in.restraintEsds) + "\".");
  }
  for (const std::string_view word : words) {
    requireNumber(std::string(word), "esd", name);
    if (*text::findDouble(word) <= 0) {
      throw UserError("The " + std::string(name) + " esd \"" + std::string(word) +
                      "\" must be greater than 0.");
    }
    card += " " + std::string(word);
  }
  return card;
}

void requireTwoAtoms(const std::vector<AtomRef>& picked, MouseMode mode) {
  if (picked.size() < 2)
    throw UserError("The " + std::string(menuCaption(mode)) + " card needs at least two atoms.");
}

std::string hfixCard(const CardInputs& in) {
  const std::string factor = hfixUisoFactor(in.hfixM, in.hfixN) == 1.5 ? "-1.5" : "-1.2";
  return "HFIX " + std::to_string(in.hfixM) + std::to_string(in.hfixN) + " " + factor;
}

}  // namespace

std::vector<std::string> splitCardLines(std::string card) {
  std::vector<std::string> lines;
  while (card.size() > cardLineWidth) {
    // Positions counted from 1: the last blank from 78 down to 5, else 4.
    std::size_t split = 4;
    for (std::size_t p = 78; p >= 5; --p) {
      if (card[p - 1] == ' ') {
        split = p;
        break;
      }
    }
    lines.push_back(text::cut(card.substr(0, split) + "=", cardLineWidth));
    card.erase(0, split - 1);  // the rest starts with the blank at the split
  }
  lines.push_back(card);
  return lines;
}

int restraintEsdCount(MouseMode mode) {
  switch (mode) {
    case MouseMode::Rigu:
    case MouseMode::Isor:
      return 2;
    case MouseMode::Simu:
      return 3;
    case MouseMode::Dang:
      return 1;
    default:
      return 0;
  }
}

double hfixUisoFactor(int m, int n) {
  const int code = m * 10 + n;
  return code == 33 || code == 83 || code == 123 || code == 137 || code == 147 ? 1.5 : 1.2;
}

std::vector<std::string> composeCard(const model::StructureModel& s, MouseMode mode,
                                     const std::vector<AtomRef>& picked, const CardInputs& in) {
  const auto isPeak = [](AtomRef r) { return r.kind == AtomKind::Peak; };
  switch (mode) {
    case MouseMode::Dfix: {
      if (picked.size() != 2 || std::any_of(picked.begin(), picked.end(), isPeak)) return {};
      if (text::trimLine(in.dfixDistance).empty())
        throw UserError("Please give the DFIX distance: without it SHELXL reads the esd " +
                        in.dfixEsd + " as the distance.");
      requireNumber(in.dfixDistance, "distance");
      requireNumber(in.dfixEsd, "esd");
      return {withLabels("DFIX " + in.dfixDistance + " " + in.dfixEsd, s, picked)};
    }
    case MouseMode::Bind:
      if (picked.size() != 2 || std::any_of(picked.begin(), picked.end(),
                                            [](AtomRef r) { return r.kind != AtomKind::Atom; })) {
        return {};
      }
      return {withLabels("BIND", s, picked)};
    case MouseMode::Sadi: {
      std::vector<AtomRef> pairs = picked;
      if (pairs.size() % 2 == 1) pairs.pop_back();
      if (pairs.size() < 4)
        throw UserError("A SADI card needs at least two pairs of atoms (four picked atoms).");
      return splitCardLines(withLabels("SADI", s, pairs));
    }
    case MouseMode::Flat:
      if (picked.size() < 4) throw UserError("A FLAT card needs at least four atoms.");
      return splitCardLines(withLabels("FLAT", s, picked));
    case MouseMode::Delu:
      return splitCardLines(withLabels("DELU", s, picked));
    case MouseMode::Anis:
      return splitCardLines(withLabels("ANIS", s, picked));
    case MouseMode::Hfix:
      return splitCardLines(withLabels(hfixCard(in), s, picked));
    case MouseMode::Rigu:
    case MouseMode::Simu:
    case MouseMode::Eadp:
    case MouseMode::Exyz:
      // One atom restrains or constrains nothing.
      requireTwoAtoms(picked, mode);
      return splitCardLines(withLabels(withEsds(mode, in), s, picked));
    case MouseMode::Isor:
      return splitCardLines(withLabels(withEsds(mode, in), s, picked));
    case MouseMode::Dang: {
      bool selfPair = false;
      for (std::size_t k = 0; k + 1 < picked.size(); k += 2)
        selfPair = selfPair || picked[k] == picked[k + 1];
      if (picked.size() % 2 == 1 || selfPair) {
        throw UserError(
            "A DANG card restrains the distances of pairs of atoms: pick two different atoms for "
            "each distance.");
      }
      if (text::trimLine(in.dfixDistance).empty())
        throw UserError("Please give the DANG distance (in the DFIX distance field).");
      requireNumber(in.dfixDistance, "distance", "DANG");
      std::string card = withEsds(mode, in);
      card.insert(4, " " + text::trimLine(in.dfixDistance));
      return splitCardLines(withLabels(card, s, picked));
    }
    default:
      return {};
  }
}

void insertCardLines(model::StructureModel& s, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  if (s.markers.lsLine <= 0) throw UserError(std::string(model::noLsLineMessage));
  if (s.lineCount() + static_cast<int>(lines.size()) > s.limits.cmdMax) {
    throw UserError(model::limitExceededMessage("instruction lines", "cmd_max", s.limits.cmdMax));
  }
  for (const std::string& line : lines)
    s.insertInstructionLine(line);
}

SameCard composeSameCard(const model::StructureModel& s, const std::vector<AtomRef>& picked) {
  const std::size_t half = picked.size() / 2;
  if (picked.size() % 2 == 1 || half < 2) {
    throw UserError(
        "SAME: pick the atoms of the reference group, then as many atoms of the target group in "
        "the same order (at least two each). The card goes in front of the first target atom.");
  }
  for (std::size_t k = 0; k < half; ++k) {
    const AtomRef target = picked[half + k];
    if (target.kind != AtomKind::Atom || target.index != picked[half].index + static_cast<int>(k)) {
      throw UserError(
          "SAME: the target atoms must follow one another in the atom list, picked in that order; "
          "SHELXL compares the reference atoms with the atoms after the card.");
    }
  }
  const std::vector<AtomRef> reference(picked.begin(), picked.begin() + static_cast<long>(half));
  return {splitCardLines(withLabels("SAME", s, reference)), picked[half]};
}

void insertSameCard(model::StructureModel& s, const SameCard& card) {
  if (s.lineCount() + static_cast<int>(card.lines.size()) > s.limits.cmdMax) {
    throw UserError(model::limitExceededMessage("instruction lines", "cmd_max", s.limits.cmdMax));
  }
  s.atomListCards.push_back({card.lines, card.before});
}

void flagCardAtoms(model::StructureModel& s, MouseMode mode, const std::vector<AtomRef>& picked) {
  for (const AtomRef& ref : picked) {
    if (ref.kind != AtomKind::Atom) continue;
    if (mode == MouseMode::Hfix) s.atoms[ref.index].afixGroup = -1;
    if (mode == MouseMode::Anis) s.atoms[ref.index].aniso = -1;
  }
}

}  // namespace tavo::editing
