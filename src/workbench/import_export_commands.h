// The Import menu (CIF, FDAT, XYZ, Cartesian, PDB) and the coordinate exports of the File menu.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/element_definitions.h"
#include "workbench/command_context.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

class FileCommands;
class SymmetryCommands;

enum class ImportFormat { Cif, Fdat, Xyz, Cartesian, Pdb };

/// Told after an import whose elements were taken from labels other than H, C, N and O.
inline constexpr std::string_view inferredElementsMessage =
    "The elements of these atoms were taken from their labels; check them: ";
/// Told after an import that left atoms out.
inline constexpr std::string_view skippedLabelsMessage =
    "These atoms name no element and were not imported: ";

inline constexpr std::string_view fragmentNoAtomMessage =
    "Import Cartesian Coordinatesa and Make Alignment of the Fragment First!";
inline constexpr std::string_view fragmentNotCartesianMessage =
    "Currently, this option is only applicable for jobs initiated by importing cartesian "
    "coordinates!!";
inline constexpr std::string_view fragmentExpandedMessage =
    "Currently, expanded atoms are not to be saved with this mode!";
inline constexpr std::string_view fragmentNoOriginMessage =
    "Currently, the atom at the origin should be non-hydrogen atom in the molecule!! Please check "
    "it out and retry!";

/// Told after an import whose labels SHELXL could not read or that were given twice.
inline constexpr std::string_view renamedLabelsMessage =
    "These labels were renamed to labels SHELXL reads (at most four characters, unique): ";

/// 'Setting up a Gaussian Input Command File to be Saved' (TForm25).
struct GaussianWindow {
  bool visible = false;
  int charge = 0;                                         // SpinEdit1, -100..100
  int multiplicity = 1;                                   // SpinEdit2, 1..100
  std::string title{"Input Title for this Calculation"};  // 'Title Section'
  int jobNumber = 1;                                      // SpinEdit3, 'Registered Job Number'
  std::vector<std::string> head = std::vector<std::string>(10);  // 'Head'
  std::vector<std::string> tail = std::vector<std::string>(10);  // 'Tail'
  std::vector<std::string> coordinates;                          // the coordinate list
};

/// Shown when the head or tail file of a job number is missing (after the number n is chosen).
std::string missingJobFilesMessage(int jobNumber);

class ImportExportCommands {
 public:
  explicit ImportExportCommands(CommandContext context) : m_context(context) {}
  void attachFiles(FileCommands& files) { m_files = &files; }
  void attachSymmetry(const SymmetryCommands& symmetry) { m_symmetry = &symmetry; }

  /// An Import menu item: the open dialog in the working folder, then importFile.
  void importByDialog(ImportFormat format);
  /// Reads `file` in memory and makes it the structure, a new one with fresh instruction lines
  /// (nothing of the previous structure survives); its first save asks for a .ins name. A file
  /// that cannot be read leaves the structure as it was.
  void importFile(const std::filesystem::path& file, ImportFormat format);

  /// "Save Cartesian (->DFT etc.)": label and view coordinates in Å of every atom shown.
  void saveCartesian();
  /// "Save PDB": the atoms shown with CONECT records, CRYST1 and SCALE of the crystal frame.
  void savePdb();
  /// "Save XYZ (Label X Y Z)": the cell and the fractional coordinates of the file's atoms.
  void saveXyz();

  /// "Save CIF (current model)": the cell, the symmetry operators and the atom sites of the file
  /// (U values, occupancies, PART) as a CIF, so that other programs can regrow the crystal.
  void saveModelCif();

  /// "Save Fragment": the molecule of a Cartesian import, aligned with an atom at the view
  /// origin, as a fragment file of the program's fragments folder.
  void saveFragment();

  /// "Save texsan.ins/atoms.dat/atoms.pks": the three texsan files in the working folder, with
  /// the standard uncertainties of the listing file beside the structure.
  void saveTexsan();
  /// The same into `folder` (tavo-cli export), the listing still taken beside the structure.
  void saveTexsanInto(const std::filesystem::path& folder);

  /// "Save Gaussian Com (->DFT)": fills TForm25 (head1.inf and tail1.inf of the gaussian folder,
  /// the coordinates of the atoms shown without close copies) and shows it.
  void openGaussianWindow();
  const GaussianWindow& gaussianWindow() const { return m_gaussian; }
  /// The Gaussian input window (TForm25), declared.
  WindowDeclaration declareGaussianWindow();

 private:
  CommandContext m_context;
  /// The save dialog proposing `proposed`; writes `lines` through the one replace function.
  void writeExport(const std::filesystem::path& proposed, std::string_view filter,
                   const std::vector<std::string>& lines);

  /// The definitions of elems.inf, read again; ends the program when the file is missing.
  const model::ElementDefinitions& elementDefinitions();
  void chooseJobNumber(int jobNumber);
  void saveGaussianInput();
  std::filesystem::path gaussianFolder() const;

  FileCommands* m_files = nullptr;
  GaussianWindow m_gaussian;
  const SymmetryCommands* m_symmetry = nullptr;
};

}  // namespace tavo::workbench
