// The edits of the Global Edition window: one change applied to every atom of a list, each
// checked for every atom before any atom changes.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "model/atom_ref.h"
#include "model/structure_model.h"

namespace tavo::editing {

inline constexpr std::string_view noHydrogenAtomMessage = "No H_Atom!";
inline constexpr std::string_view defineFvarFirstMessage =
    "The requested FVAR should be first defined at the Fixing/FVAR menu!";
inline constexpr std::string_view hydrogenAnisotropicMessage =
    "Hydrogen atoms may not be treated anisotropically in Tavo!";
inline constexpr std::string_view treatedIsotropicallyMessage =
    "These Non_Hs are treated isotropically!";

/// The options of the window, in the order it shows them.
enum class GlobalOption {
  Delete,
  Population,
  FixXyz,
  UnfixXyz,
  FixPopulation,
  UnfixPopulation,
  FixU11,
  UnfixU11,
  FixAllUij,
  UnfixAllUij,
  ReleaseAfix,
  DeleteAllHs,
  AnisoIntoIso,
  SetFvar,
};
inline constexpr int globalOptionCount = 14;
/// The captions of the options, which are also their objectNames.
inline constexpr std::string_view globalOptionNames[globalOptionCount] = {
    "Delete",           "Population",    "Fix_XYZ",        "Unfix_XYZ",   "Fix_Population",
    "Unfix_Population", "Fix_U11",       "Unfix_U11",      "Fix_All_Uij", "Unfix_All_Uij",
    "Release_AFIX",     "Delete_All_Hs", "Aniso_Into_Iso", "Set_FVAR"};
/// The names of parameters 1..10 as the window shows them (index 0 unused).
inline constexpr std::string_view globalParameterNames[11] = {
    "",         "X-info",   "Y-info",   "Z-info",   "sof-info", "U11/Uiso",
    "U22-info", "U33-info", "U23-info", "U13-info", "U12-info"};

/// The option named `name`, empty when there is none.
std::optional<GlobalOption> findGlobalOption(std::string_view name);

/// Throws UserError unless every entry of `refs` is an atom (1..nonHCount) or an H atom
/// (1..hCount) of the file.
void checkGlobalRows(const model::StructureModel& structure,
                     const std::vector<model::AtomRef>& refs);

/// The Fix/Unfix options: codes 1..3 (XYZ), 4 (Population), 5 (U11) or 5..10 (All_Uij, the
/// U22..U12 of anisotropic atoms only) set to 10 or 0; the values stay. Unfixing refuses a
/// coordinate outside (-5, 5), which SHELXL would read as coded. Throws UserError, nothing
/// changed, for any other option or a refused atom.
void setGlobalCodes(model::StructureModel& structure, const std::vector<model::AtomRef>& refs,
                    GlobalOption option);

/// "Population": every sof := `sof`. Refuses (nothing changed) when an atom's sof is tied to a
/// free variable: its value is the free variable's, and writing it would change nothing.
void setGlobalPopulation(model::StructureModel& structure, const std::vector<model::AtomRef>& refs,
                         double sof);

/// "Release_AFIX": the riding groups of the listed atoms (a listed parent's, or a listed riding
/// H atom's) end: every H atom of such a group becomes a free H atom written after its parent,
/// and the parent no longer carries the group. Returns the number of H atoms released. Refuses
/// (nothing changed) a group whose parent stands in a rigid group (AFIX 65 in force), which the
/// released H atoms would join.
int releaseRidingGroups(model::StructureModel& structure, const std::vector<model::AtomRef>& refs);

/// "Aniso_Into_Iso": non-H atoms become isotropic with Uiso `uiso` (U22..U12 and their codes
/// 0); H atoms get Uiso `uiso`. Refuses (nothing changed) an atom whose Uiso/U11 is tied to a
/// free variable. Returns true when a non-H atom was listed.
bool makeGlobalIsotropic(model::StructureModel& structure, const std::vector<model::AtomRef>& refs,
                         double uiso);

/// "Set_FVAR": the code of parameter `parameter` (1..10) of every listed atom := `code`; a tied
/// code also sets the parameter to the value the free variable gives it. Refuses, with nothing
/// changed: a free variable beyond fvarCount (defineFvarFirstMessage), a code other than 0, 10
/// or one that ties to an existing free variable 2.. (|code| > 20), U22..U12 of an H atom
/// (hydrogenAnisotropicMessage) or of an isotropic atom, and a freed coordinate outside (-5, 5).
void setGlobalFreeVariable(model::StructureModel& structure,
                           const std::vector<model::AtomRef>& refs, double code, int parameter);

}  // namespace tavo::editing
