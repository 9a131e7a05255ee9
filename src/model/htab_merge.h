// Taking over the hydrogen-bond suggestions that SHELXL lists at the end of a .res file.
#pragma once

#include <string_view>

namespace tavo::model {

class Dialogs;
class StructureModel;

inline constexpr std::string_view noHtabSuggestionsMessage =
    "Potential hydrogen bonds are not suggested by Shelxl-2019/2 in RES!";
inline constexpr std::string_view htabProblemMessage = "Instructions for HTAB have some problems!!";
inline constexpr std::string_view htabMergedMessage =
    "HTAB codes suggesed by Shelxl-2019/2 have been implemented in INS. Press cntrl E to check "
    "the details.";
inline constexpr std::string_view htabCheckFileName = "htab_codes_checking.txt";

/// When the instruction lines hold a bare HTAB card and the file is a .res, replaces that card by
/// the HTAB/EQIV lines SHELXL suggests after "REM Instructions for potential hydrogen bonds" and
/// returns true; the caller writes the check file and tells the user once the whole read has
/// succeeded. Shows the two problem messages when the suggestions are missing or unreadable (the
/// second followed by the file and the reason); an empty list of suggestions keeps the card.
/// Throws UserError naming cmd_max when the lines do not fit.
bool mergeHtabSuggestions(StructureModel& structure, Dialogs& dialogs);

/// Writes the instruction lines (CR LF line ends) to htab_codes_checking.txt in the folder of
/// currentFile. Throws FileError.
void writeHtabCheckFile(const StructureModel& structure);

}  // namespace tavo::model
