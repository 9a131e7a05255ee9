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
/// the HTAB/EQIV lines SHELXL suggests after "REM Instructions for potential hydrogen bonds",
/// writes the instruction lines to htab_codes_checking.txt in the working folder and tells the
/// user. Throws UserError naming cmd_max when the lines do not fit.
void mergeHtabSuggestions(StructureModel& structure, Dialogs& dialogs);

}  // namespace tavo::model
