// Writes the structure model back as a SHELXL instruction file: the kept instruction lines, the
// FVAR cards and the atom list regenerated from the tables, HKLF and END.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/dialogs.h"
#include "model/structure_model.h"

namespace tavo::model {

/// One atom of the expanded-atoms file: label, SFAC number, fractional position, sof as written
/// (10 + a fixed value, or a free-variable reference), PART and displacement parameters.
struct ExpandedRow {
  std::string label;
  int sfac = 0;
  double x = 0, y = 0, z = 0;
  double sof = 11.0;
  int part = 0;
  bool anisotropic = false;
  std::array<double, 6> u{0.05, 0, 0, 0, 0, 0};  // Uiso, or U11 U22 U33 U23 U13 U12 in Å²
};

/// The FVAR cards for free variables `values` (FV(1) first): seven values per card, each in a
/// field of ten characters. A value too small or too large for the general format is written in
/// fixed notation; an integer part wider than the field is written whole.
std::vector<std::string> fvarCards(const std::vector<double>& values);

/// The lines of one atom in SHELXL's layout with every parameter encoded from its code: one
/// line for an isotropic atom, two (the first ending in " = ") for an anisotropic one.
std::vector<std::string> atomLines(const Atom& atom);
/// The line of one hydrogen atom, every parameter encoded from its own code.
std::string hydrogenLine(const Hydrogen& hydrogen);

/// The line of peak `index` in SHELXL's layout: "Q1    1   0.7605   0.1484   0.7980  11.00000
/// 0.05    0.24".
std::string peakLine(int index, const Peak& peak);

/// The whole instruction file for the model: the instruction lines (without FVAR cards), the
/// FVAR cards, the atom list with its PART and AFIX lines and the cards kept from it, the HKLF
/// line with the rows that stood between it and END, the peaks, and END.
std::vector<std::string> instructionFileLines(const StructureModel& structure);

/// The riding H atoms (HydrogenTable 1..hCount) whose AFIX group no non-H atom 1..nonHCount
/// carries: the writer could not put them under their parent, and SHELXL needs every H atom of
/// an AFIX mn group after its parent. Labels in table order; empty when every one has a parent.
std::vector<std::string> ridingHydrogensWithoutParent(const StructureModel& structure);

/// Throws UserError naming the riding H atoms without a parent (ridingHydrogensWithoutParent).
void checkRidingParents(const StructureModel& structure);

/// The message of a save whose instruction file is written but whose name.bak copy is not:
/// prefix, file name, middle, .bak name, reason text, the error, the end.
inline constexpr std::string_view savedButNoBakPrefix = "Saved ";
inline constexpr std::string_view savedButNoBakMiddle = ", but its copy ";
inline constexpr std::string_view savedButNoBakReason = " could not be written (";
inline constexpr std::string_view savedButNoBakEnd = ").";
std::string savedButNoBakMessage(const std::filesystem::path& written, std::string_view reason);

/// Saves the model: keeps the file on disk as the next numbered backup, stamps the title line,
/// writes the instruction file through a temporary file, makes it `currentFile`, reloads
/// FileLines from it and copies it to name.bak. Returns the written path. Throws FileError or
/// UserError; after a failure the files on disk and the model are as they were. A failure to
/// write name.bak after the instruction file is in place is shown through `dialogs`
/// (savedButNoBakMessage) and the save counts as done. Refuses (before any file is touched) a
/// model with riding H atoms without a parent (checkRidingParents).
std::filesystem::path saveInstructionFile(StructureModel& structure, Clock& clock,
                                          Dialogs& dialogs);
/// Whether a save copies the written file to name.bak (the program's saves do; a batch import
/// writes only the file it was asked for).
enum class BakCopy { Written, Omitted };
/// saveInstructionFile with the name.bak copy written or left out.
std::filesystem::path saveInstructionFile(StructureModel& structure, Clock& clock, Dialogs& dialogs,
                                          BakCopy bak);

/// The file part of every save: `lines` (line `titleRow` the TITL line, which is stamped)
/// written for `currentFile` as a save writes the model, keeping the file on disk as the next
/// numbered backup. `lines` gets the stamped title. Returns the written path. Throws FileError
/// or UserError with the files on disk as they were.
std::filesystem::path writeInstructionFileLines(const std::string& currentFile,
                                                std::vector<std::string>& lines,
                                                std::size_t titleRow, Clock& clock);

/// The last step of a save: the written file copied to name.bak. Throws FileError.
void writeBakCopy(const std::filesystem::path& written);

/// Writes `rows` (every atom in the view, generated copies included) as a fresh instruction
/// file: the instruction lines except FVAR, FVAR cards with every free variable (FV(1) first,
/// six to a card), the rows in order with a PART line wherever the part changes (PART 0 after
/// the last), each as one isotropic line or two anisotropic ones, HKLF and END. Neither
/// `currentFile` nor a backup is touched. Throws FileError.
void writeExpandedInstructionFile(const StructureModel& structure,
                                  const std::filesystem::path& file,
                                  const std::vector<ExpandedRow>& rows);

/// The start of the refusal of checkRidingParents; the labels and the advice follow.
inline constexpr const char* ridingHydrogensWithoutParentMessage =
    "The file was not saved: these riding H atoms have no parent atom carrying their AFIX group, "
    "and SHELXL could not read them: ";

/// Shown when there is nothing to save.
inline constexpr const char* nothingToSaveMessage =
    "There is no structure to save: open an instruction file first.";

}  // namespace tavo::model
