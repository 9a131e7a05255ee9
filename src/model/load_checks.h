// The checks run on a freshly loaded structure: duplicate labels and non-positive-definite atoms.
#pragma once

#include <string_view>

namespace tavo::model {

class Dialogs;
class StructureModel;

/// Follows the number of pairs found.
inline constexpr std::string_view duplicateLabelsMessage =
    " duplicated atom labels exist!  Check them by F10!";
/// Framed around the number of atoms found.
inline constexpr std::string_view nonPositiveDefiniteMessageStart = "Warning!: ";
inline constexpr std::string_view nonPositiveDefiniteMessageEnd =
    " Non-Positive Definite Atoms Exist!  Check them by F10!";

/// Lists pairs of equal labels (trimmed, upper case) among the atoms and, separately, among the
/// H atoms in the working grid ("LABEL", "Duplicated") and tells the user how many there are.
void checkDuplicateLabels(StructureModel& structure, Dialogs& dialogs);

/// Lists the anisotropic atoms whose U matrix is not positive definite in the working grid
/// ("No.", "Non-Positive" heading) and warns the user.
void checkNonPositiveDefinite(StructureModel& structure, Dialogs& dialogs);

/// Both checks, in that order.
void runLoadChecks(StructureModel& structure, Dialogs& dialogs);

}  // namespace tavo::model
