// Compaction of the free-variable list and re-decoding of coded parameters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavo::model {

class StructureModel;

/// SHELXL's coding of a parameter: a number v stands for 10·m + p with |p| < 5. m = 0: v is
/// refined from v; m = ±1: fixed at p; m > 1: p·FV(m); m < -1: p·(FV(-m) - 1). m is the integer
/// nearest v/10. Exactly halfway (v = ±5, ±15, ±25, …) no p satisfies |p| < 5; there m rounds away
/// from zero, as Fortran's NINT does, so 15.0 is -5·FV(2) and 5.0 is fixed at -5. Tavo itself
/// never writes such a number: every value it codes lies strictly inside (-5, 5).
struct ParameterCode {
  double multiple = 0;   // m, a whole number
  double remainder = 0;  // p
};

/// The one decoding of a coded number into m and p; every reader and check goes through it.
ParameterCode splitParameterCode(double coded);
/// The number 10·m + p.
double joinParameterCode(double multiple, double remainder);

/// True when SHELXL reads `value` as itself (m = 0): strictly inside (-5, 5). The bound of every
/// refined coordinate and of every fixed value that Tavo writes as p + 10.
bool isPlainValue(double value);

/// True when `code` is 10·m + p with |p| strictly below 5, so that it means one thing: not one of
/// the halfway numbers (±5, ±15, ±25, …). Codes typed by the user must pass.
bool isUnambiguousCode(double code);

/// True when `code` ties its parameter to a free variable: |m| >= 2. The one test of the
/// decoding, the re-decoding, the fixing window and the compaction.
bool isTiedCode(double code);

/// The free variable a code names, |m| when |m| >= 2, whatever its multiplier; 0 otherwise and
/// for a number too large to name a free variable.
int freeVariableNamedBy(double code);

/// The free variable whose value `code` depends on: freeVariableNamedBy(code) when the multiplier
/// p is not zero (20.0 is 0·FV(2), which depends on no free variable); 0 otherwise.
int freeVariableUsedBy(double code);

/// A code as the fixing window holds it: its general-format text cut to eight characters.
double roundCodeThroughText(double code);

/// The free variables that one instruction line or card refers to (SUMP, PART occupancy, coded
/// numbers of DFIX, DANG, CHIV, AFIX, HFIX and the like). `lines` are the card's lines.
std::vector<int> freeVariablesOfCard(const std::vector<std::string>& lines);

/// The highest free variable referred to by any instruction line, atom-list card, PART
/// occupancy or riding-group AFIX text, or by the cards and atom lines of an include file
/// ("+name", "++name", read beside currentFile as SHELXL reads it); 0 when none. An include file
/// that cannot be read may use any free variable: then the result is INT_MAX.
int highestFreeVariableOfCards(const StructureModel& structure);

/// Rounds every code through its text, then drops the free variables that nothing uses and
/// renumbers the codes of the atoms. Free variables up to the highest one that a card refers
/// to keep their numbers, so no card ever points at another free variable.
void compactFreeVariables(StructureModel& structure);

/// Decodes every tied parameter (isTiedCode) again with the current free variables.
void redecodeAll(StructureModel& structure);

}  // namespace tavo::model
