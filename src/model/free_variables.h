// Compaction of the free-variable list and re-decoding of coded parameters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavo::model {

class StructureModel;

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

/// Decodes every tied parameter (|code| > 19.99999) again with the current free variables.
void redecodeAll(StructureModel& structure);

}  // namespace tavo::model
