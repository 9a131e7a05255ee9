// The cards before the atom list: free variables, SFAC, UNIT, CELL, ZERR, REM SPCG, WGHT and the
// instruction lines with their markers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavo::model {

class Dialogs;
class StructureModel;
struct SourceRows;

/// Appends the values of every FVAR row (and its continuation rows) to the free-variable list;
/// sets noFvar when there is none.
void readFreeVariables(StructureModel& structure, const SourceRows& source);

/// Rows 0..fvarRow-1 become the instruction lines (continuation rows with five leading blanks)
/// and the line markers are recorded. Throws UserError naming cmd_max when they do not fit.
void readInstructionLines(StructureModel& structure, const SourceRows& source, int fvarRow);

/// The elements of every SFAC card in order (a short card gives one element per symbol, a long
/// card one element), then the UNIT numbers. Throws UserError when a card is missing or short.
void readElements(StructureModel& structure, const SourceRows& source);

/// Told, after the file name, when a file has no ZERR card.
inline constexpr std::string_view noZerrMessage =
    "there is no ZERR card; Z is taken as 1 and the cell esds as 0.";

/// CELL and ZERR from the marked lines, numbers taken by position, and the orthogonalisation.
/// Throws UserError when CELL is missing or holds fewer than seven numbers, when ZERR holds no
/// number, or when the cell cannot close. A card with more than seven numbers is read from its
/// first seven, missing ZERR esds are taken as 0, and a missing ZERR as Z = 1 without esds; the
/// user is told each time.
void readCell(StructureModel& structure, const SourceRows& source, Dialogs& dialogs);

/// Space-group and setting numbers of the REM SPCG line (its last two words). Returns false,
/// leaving group and setting 1, when there is no such line or it names no group (a short or
/// hand-edited line); a missing setting is 1.
bool readRemSpcg(StructureModel& structure);

/// The last WGHT row after the atom list replaces the WGHT card.
void takeSuggestedWeights(StructureModel& structure, const SourceRows& source, int lastAtomRow);

}  // namespace tavo::model
