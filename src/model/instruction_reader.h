// Reading a SHELXL instruction file (.ins, .res, a numbered backup or a solution result) into
// the structure model.
#pragma once

#include <filesystem>
#include <string_view>

#include "model/element_definitions.h"
#include "model/file_lines.h"
#include "model/free_variables.h"
#include "model/load_checks.h"
#include "model/read_options.h"

namespace tavo::model {

class Dialogs;
class StructureModel;

/// Shown by the open dialog when the first line is not TITL.
inline constexpr std::string_view noTitlAtOpenMessage =
    "The first line does not start with a TITL line!  Check the file content!";
/// Shown by the file list when the first line is not TITL.
inline constexpr std::string_view noTitlInListMessage =
    "There is no TITL at the head of this file!!";
/// Shown, and the read goes on, when the instruction part has no L.S. or CGLS line.
inline constexpr std::string_view noLsLineMessage =
    "Please insert an L.S. or CGLS into your INS file.  Tavo uses the line as an insertion point "
    "for other commands!  Please insert it, once save the file, and re-open it!";
/// Told, after the file name, when the atom list is not closed by HKLF (it ends at END).
inline constexpr std::string_view noHklfMessage =
    "there is no HKLF card; the atoms are read up to END, and HKLF 4 is written when the file is "
    "saved.";
/// Shown when the first peak of a solution file has become the heaviest atom.
inline constexpr std::string_view heaviestPeakMessage =
    "The first heighest peak has been tentatively adopted as one of the heaviest atoms in your "
    "model.  This is at preset the fastest way to start the edition on the results of TREF in "
    "Shelxs!";

/// The row of the TITL line that heads the file: 0 when the first line begins with TITL (in any
/// case); a later row when only blank lines, REM lines and a SHELXL "name.res created by" heading
/// stand before it (as SHELXT and older SHELXL write their .res files); -1 otherwise.
int titlRow(const std::vector<std::string>& lines);
/// True when the file is headed by a TITL line as titlRow() accepts it.
bool startsWithTitl(const std::vector<std::string>& lines);
/// The same test on the head of `file`, read only as far as the decision needs and as the reader
/// reads lines (a byte-order mark skipped, carriage returns alone ending lines). Throws FileError
/// when the file cannot be read.
bool fileStartsWithTitl(const std::filesystem::path& file);

/// Reads structure.currentFile into the model: instruction lines, free variables, elements,
/// cell, atoms, riding groups, H atoms, cards of the atom list and peaks, then compacts the free
/// variables and runs the load checks. The model is replaced only when the whole read succeeds;
/// otherwise UserError (ConversionError, FileError) is thrown and the model is unchanged. Files
/// (the HTAB check file) are written only after the read has succeeded, and not at all when
/// `options.writeFiles` is false.
void readStructure(StructureModel& structure, const ElementDefinitions& definitions,
                   Dialogs& dialogs, const ReadOptions& options = {});

/// Reads instruction lines held in memory (an imported structure) as readStructure reads a file:
/// the model is replaced only when the whole read succeeds. currentFile names the file a save
/// will write; nothing is read from it.
void readStructureFromLines(StructureModel& structure, const std::vector<std::string>& lines,
                            const ElementDefinitions& definitions, Dialogs& dialogs);

/// The opener's core: reads `file`, refuses it (showing `notTitlMessage` unless empty) when its
/// first line is not TITL, and reads it into the model. On success sets currentFile (absolute)
/// and workingFolder and returns true; on failure shows the message, leaves the model as it was
/// and returns false.
bool loadInstructionFile(StructureModel& structure, const std::filesystem::path& file,
                         const ElementDefinitions& definitions, Dialogs& dialogs,
                         std::string_view notTitlMessage, const ReadOptions& options = {});

}  // namespace tavo::model
