// Reading the atom list of an instruction file: atoms, riding H groups, free H atoms, PART
// context and every other card that stands among the atoms.
#pragma once

#include <string>
#include <vector>

namespace tavo::model {

class StructureModel;

/// The rows of the file being read, after the .res heading has been removed.
struct SourceRows {
  const std::vector<std::string>& rows;  // trimmed (the FileLines)
  const std::vector<std::string>& raw;   // the rows with their leading blanks; "" where a row
                                         // has none (read it through rawRow)
  std::vector<int> lineNumbers;          // file line number (from 1) of every row
  std::string fileName;                  // for messages: "test.ins"
  /// A row as written, with its leading blanks.
  const std::string& rawRow(int row) const {
    const auto at = static_cast<std::size_t>(row);
    return raw[at].empty() ? rows[at] : raw[at];
  }
  /// "test.ins, line 12: " for the row.
  std::string where(int row) const;
};

/// Reads rows first..last (the FVAR rows up to the row before HKLF) into the AtomTable,
/// HydrogenTable, RidingGroupTable and atom-list cards. Throws ConversionError, prefixed with
/// the file and line, for an atom line holding a word that is not a number, and UserError when
/// a table is full.
void readAtomList(StructureModel& structure, const SourceRows& source, int first, int last);

/// Reads the atoms and peaks of a structure-solution file from rows first..last (the file
/// without FVAR); rows before `hklfRow` that are neither become atom-list cards. When no atom was
/// found, the first peak becomes the heaviest element (the user is told by the caller).
/// Returns true when that happened.
bool readSolutionAtoms(StructureModel& structure, const SourceRows& source, int first, int hklfRow,
                       int last);

/// Reads the Q-peaks of a refinement file: every peak line after `hklfRow`, whatever number the
/// first one has; rows that are not peak lines (blank rows, REM lines) are passed over.
void readPeaks(StructureModel& structure, const SourceRows& source, int hklfRow);

}  // namespace tavo::model
