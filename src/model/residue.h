// Residues of the atom list (SHELXL's RESI cards): which residue an atom belongs to, and
// finding an atom by its label within a residue.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavo::model {

/// The residue an atom was read in: the RESI card in force above it. Number 0 (with no chain)
/// is "no residue", the residue of every atom outside RESI .. RESI 0, and counts as one residue.
struct Residue {
  std::string className;  // "CCF3", "TOL"; "" when the card names none
  int number = 0;         // identifies the residue (with the chain); 0 = no residue
  std::string alias;      // the optional alias after class and number; "" when none
  std::string chain;      // the chain of "RESI CLS A:12"; "" when none
  friend bool operator==(const Residue&, const Residue&) = default;
};

/// True when `a` and `b` are the same residue: equal number and chain (SHELXL identifies a
/// residue by its number; the class only groups residues).
bool sameResidue(const Residue& a, const Residue& b);

/// True when `line` is a RESI card (first word RESI in any case).
bool isResiCard(std::string_view line);

/// The residue a RESI card opens. SHELXL takes the class (a word beginning with a letter) and
/// the number in either order, then the alias: "RESI CCF3 1", "RESI 1 CCF3", "RESI TOL 2 T2".
/// "RESI", "RESI 0" and a card without a number give residue 0 (the class is still kept).
/// `line` is the card without its "!" comment or continuation; empty when it is no RESI card.
std::optional<Residue> parseResiCard(std::string_view line);

/// The card that opens `residue` in the writer's layout: "RESI class number[ alias]" ("RESI 0"
/// for no residue; the chain written as "chain:number").
std::string resiCard(const Residue& residue);

}  // namespace tavo::model
