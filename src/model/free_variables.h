// Compaction of the free-variable list and re-decoding of coded parameters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavo::model {

class StructureModel;

/// A coded parameter value below this magnitude is a plain value (code 0).
inline constexpr double plainCodeLimit = 8;
/// From this magnitude on a coded value ties its parameter to free variable m = trunc(|v|/10) with
/// multiplier 10·frac(|v|/10); between the two limits it is fixed (code 10, value v - 10).
inline constexpr double tiedCodeLimit = 20;

/// True when `code` ties its parameter to a free variable: |code| >= 20. The one test of the
/// decoding, the re-decoding, the fixing window and the compaction.
bool isTiedCode(double code);

/// The free variable whose value `code` depends on: m = trunc(|code|/10) for a tied code whose
/// multiplier is not zero (20.0 is 0·FV(2), which depends on no free variable); 0 otherwise,
/// and 0 for a number too large to name a free variable.
int freeVariableUsedBy(double code);

/// A code as the fixing window holds it: its general-format text cut to eight characters.
double roundCodeThroughText(double code);

/// The free variables that one instruction line or card refers to (SUMP, PART occupancy, coded
/// numbers of DFIX, DANG, CHIV, AFIX, HFIX and the like). `lines` are the card's lines.
std::vector<int> freeVariablesOfCard(const std::vector<std::string>& lines);

/// The highest free variable referred to by any instruction line, atom-list card, PART
/// occupancy or riding-group AFIX text; 0 when none.
int highestFreeVariableOfCards(const StructureModel& structure);

/// Rounds every code through its text, then drops the free variables that nothing uses and
/// renumbers the codes of the atoms. Free variables up to the highest one that a card refers
/// to keep their numbers, so no card ever points at another free variable.
void compactFreeVariables(StructureModel& structure);

/// Decodes every tied parameter (isTiedCode) again with the current free variables.
void redecodeAll(StructureModel& structure);

}  // namespace tavo::model
