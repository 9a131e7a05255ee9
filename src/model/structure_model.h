// The one crystal structure the program holds: atoms, H atoms, peaks, riding groups, free
// variables, elements, cell, symmetry, bonds and the instruction lines written back on save.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/array_limits.h"
#include "model/atom_ref.h"
#include "model/cell_parameters.h"
#include "model/one_based.h"
#include "model/residue.h"
#include "model/vec3.h"
#include "text/text_grid.h"

namespace tavo::model {

/// Parameter numbers of the free-variable codes: 1 = x ... 10 = U12 (Uiso is 5).
enum Parameter : int { X = 1, Y, Z, Sof, U11, U22, U33, U23, U13, U12 };
using ParameterCodes = std::array<double, 11>;  // index 0 unused

/// A non-hydrogen atom (AtomTable entry). Entries above nonHCount up to workingAtomCount are
/// symmetry-generated copies: they carry label, sfac, the transformed position and displacement
/// parameters, part, unit and the view coordinates.
struct Atom {
  std::string label;                                            // at most 8 characters
  int sfac = 0;                                                 // 1-based ElementTable index
  double x = 0, y = 0, z = 0;                                   // fractional, decoded
  double sof = 0;                                               // decoded
  double u11 = 0, u22 = 0, u33 = 0, u23 = 0, u13 = 0, u12 = 0;  // Å²; u11 is Uiso when isotropic
  int aniso = 0;            // 1 anisotropic, 0 isotropic, -1 an ANIS card was added
  int part = 0;             // PART number in force when read (may be negative)
  std::string partSof;      // the occupancy word of "PART n sof" as written, "" when none
  std::string partComment;  // after "!" on that PART line, as written
  Residue residue;          // the RESI in force when read; number 0 outside any residue
  int afixGroup = 0;        // riding group of its H atoms; -1 an HFIX card was added
  int mark = 0;             // 1 = to be removed by the next purge
  ParameterCodes codes{};   // free-variable codes of parameters 1..10
  std::string comment;      // text after "!" on the atom line, without the "!"
  int unit = 0;             // 0 for an atom of the file; n for a copy of expansion unit n
  friend bool operator==(const Atom&, const Atom&) = default;
};

/// A hydrogen atom (HydrogenTable entry), always isotropic.
struct Hydrogen {
  std::string label;
  int sfac = 0;
  double x = 0, y = 0, z = 0;
  double sof = 0;
  double uiso = 0;    // a negative value (-1.2) is a multiple of the parent's Ueq
  int afixGroup = 0;  // riding group; 0 for a freely refined H
  int part = 0;
  std::string partSof;
  std::string partComment;
  Residue residue;  // the RESI in force when read (a riding H takes the one of its block)
  int mark = 0;
  ParameterCodes codes{};  // parameters 1..5 (x, y, z, sof, Uiso)
  std::string comment;
  /// Where a free H stands in the atom list: after AtomTable entry `afterAtom` (0 = before the
  /// first atom, -1 = after the last one). Not used for riding H atoms.
  int afterAtom = -1;
  int unit = 0;  // 0 for an H atom of the file; n for a copy of expansion unit n
  friend bool operator==(const Hydrogen&, const Hydrogen&) = default;
};

/// A difference-map peak (PeakTable entry); peaks have no label and are never coded.
struct Peak {
  double x = 0, y = 0, z = 0;
  double height = 0;  // e/Å³
  int mark = 0;
  friend bool operator==(const Peak&, const Peak&) = default;
};

/// One AFIX block of riding H atoms; its parent is the Atom with the same afixGroup.
struct RidingGroup {
  std::string afixCode;     // the AFIX number, at most 3 characters ("137", "43")
  std::string afixText;     // everything after "AFIX " as written ("137", "23 0.97 21")
  std::string afixComment;  // after "!" on the AFIX line, as written
  /// The line that closed the block in the file ("AFIX 0", "afix 0 ! end"); empty when the next
  /// AFIX card of a rigid group closed it, so that no AFIX 0 may be written between them.
  std::string closingLine = "AFIX 0";
  friend bool operator==(const RidingGroup&, const RidingGroup&) = default;
};

/// A card that stood inside the atom list (restraint, RESI, REM, HFIX, a rigid-group AFIX, a
/// FRAG block, ...), kept verbatim with its continuation lines and written back just before
/// the atom that followed it in the file.
struct AtomListCard {
  std::vector<std::string> lines;  // as read, continuation lines included
  AtomRef before;                  // kind Atom or Hydrogen; None = after the last atom
  friend bool operator==(const AtomListCard&, const AtomListCard&) = default;
};

/// An element of the SFAC cards with the values of its element definition.
struct Element {
  std::string symbol;    // at most 2 characters; upper case once matched ("CL")
  double unitCount = 0;  // the UNIT number at the same position
  double atomicWeight = 0;
  double radius = 0;  // Å
  int colorCode = 0;  // red in the low byte, blue in the high byte
  friend bool operator==(const Element&, const Element&) = default;
};

/// Indexes into the instruction lines, each the last line that begins with its card (0 = none).
struct LineMarkers {
  int cellLine = 0, zerrLine = 0, sfacLine = 0, unitLine = 0, lsLine = 0;
  int fmapLine = 0, planLine = 0, extiLine = 0, wghtLine = 0, spcgLine = 0;
  friend bool operator==(const LineMarkers&, const LineMarkers&) = default;
};

/// Row markers into FileLines, kept by the reader.
struct FileRowMarkers {
  int fvarRow = 0, firstAtomRow = 0, lastAtomRow = 0, firstPeakRow = 0, lastRow = 0;
};

/// One expansion operation: operation number in `ops`, lattice translation, text.
struct ExpansionOp {
  int op = 0;
  int ta = 0, tb = 0, tc = 0;
  std::string text;
};

/// The most operators a space group has (Fm-3m: 48 times four centrings).
inline constexpr int maxSymmetryOperators = 192;

/// The symmetry of the space group in use.
struct SymmetryOps {
  int opCount = 1;
  // 1-based; entry 1 is the identity. Each record: r11 r12 r13 t1 r21 r22 r23 t2 r31 r32 r33 t3,
  // the t in multiples of translationUnit.
  std::array<std::array<std::int8_t, 12>, maxSymmetryOperators + 1> ops{};
  double translationUnit = 0.5;
  std::string translationUnitText = "1/2";
  int spaceGroupNumber = 1;
  int settingNumber = 1;
  std::vector<ExpansionOp> expansionOps;
  /// Sets opCount 1 with the identity as operation 1 and the translation unit 1/2.
  void resetToIdentity();
};

/// A detected connection: two 1-based indexes into the tables named by its kind.
struct Bond {
  int first = 0;
  int second = 0;
  friend bool operator==(const Bond&, const Bond&) = default;
};

/// Kinds 1..4: atom-atom, H-atom, peak-atom, peak-peak; each holds at most con_max - 1 bonds.
struct BondList {
  std::array<std::vector<Bond>, 5> kinds;  // index 0 unused
  int count(int kind) const { return static_cast<int>(kinds.at(static_cast<size_t>(kind)).size()); }
};

/// The one structure of the process. Tables are addressed from 1; counts are held here.
class StructureModel {
 public:
  // Limits and tables.
  ArrayLimits limits;
  OneBased<Atom> atoms;          // AtomTable
  OneBased<Hydrogen> hydrogens;  // HydrogenTable
  OneBased<Peak> peaks;          // PeakTable
  OneBased<RidingGroup> ridingGroups;
  OneBased<double> fvar;       // FvarList: fvar[1] is the overall scale factor
  OneBased<Element> elements;  // ElementTable; elements[0].radius is the peak radius
  CellParameters cell;
  SymmetryOps symmetry;
  BondList bonds;
  std::vector<AtomListCard> atomListCards;

  // Instruction lines before the first FVAR (line 0 is TITL); continuation lines carry five
  // leading blanks. New cards go in at markers.lsLine.
  std::vector<std::string> instructionLines;
  LineMarkers markers;
  std::string hklfLine;
  std::string fvarComment;  // after "!" on the FVAR cards read, written on the first one
  // The rows between the HKLF card and END as written: the continuation of HKLF, and the REM,
  // blank and other lines that SHELXL ignores there but other programs keep (Olex2's extras).
  std::vector<std::string> hklfTrailer;

  // The lines of the file as read, trimmed, and the reader's row markers.
  std::vector<std::string> fileLines;
  FileRowMarkers rows;

  // View coordinates (Å, relative to the view origin) and selection flags per kind 0..3.
  std::array<OneBased<Vec3>, 4> view;
  std::array<OneBased<std::uint8_t>, 4> selected;

  // The main window's two-column working grid: renaming table, duplicate-label and
  // non-positive-definite lists.
  text::TextGrid workingGrid;

  // Counters.
  int nonHCount = 0;
  int workingAtomCount = 0;
  int hCount = 0;
  int workingHCount = 0;
  int peakCount = 0;
  int workingPeakCount = 0;
  int anisoCount = 0;
  int isoCount = 0;
  int ridingGroupCount = 0;
  int elementCount = 0;
  int fvarCount = 0;
  bool noFvar = false;

  std::string currentFile;    // full path of the opened instruction file
  std::string workingFolder;  // folder of the opened file
  std::string programFolder;  // folder of the settings files

  int lineCount() const { return static_cast<int>(instructionLines.size()); }

  /// Gives every table its capacity from `limits`; entries that fit keep their values. Memory is
  /// taken only as entries are used.
  void allocate();
  /// Zeroes every count, marker and the symmetry before a load.
  void resetForLoad();
  /// Inserts `text` at the L.S./CGLS line (after the last instruction line when there is none)
  /// and moves every marker below it down by one.
  /// Throws UserError naming cmd_max when the instruction lines are full.
  void insertInstructionLine(std::string text);

  /// Decodes a coded parameter value and records its code for entry `index` of table `kind`.
  double decodeParameter(double coded, AtomKind kind, int index, Parameter parameter);

  /// Adds an entry at the next free slot of a table, or throws UserError naming the limit
  /// and array_max.inf. Returns the new index.
  int addAtom();
  int addHydrogen();
  int addPeak();
  int addRidingGroup();
  int addElement();
  int addFvar(double value);

  /// The view position of an atom.
  Vec3& viewOf(AtomRef ref) {
    return view[static_cast<size_t>(ref.kind)][static_cast<size_t>(ref.index)];
  }
  const Vec3& viewOf(AtomRef ref) const {
    return view[static_cast<size_t>(ref.kind)][static_cast<size_t>(ref.index)];
  }
  /// The element symbol of an atom's SFAC number, "" when out of range.
  std::string_view symbolOf(int sfac) const;
};

/// The decoded value and code of one coded parameter value.
struct DecodedValue {
  double value = 0;
  double code = 0;
};

/// The free-variable decoding by SHELXL's rule (splitParameterCode): m = 0 free (code 0), m = ±1
/// fixed at p (code 10), otherwise tied (the code is the number as read). `fvar` holds
/// fvarCount + 1 entries or more; a free variable beyond it decodes with the value 0.
DecodedValue decodeFreeVariable(double coded, const OneBased<double>& fvar);
/// The number written back for decoded `value` with `code`: the value itself, value + 10 for a
/// fixed one (SHELXL reads p = value while |value| < 5), the code for a tied one.
double encodeFreeVariable(double value, double code);

/// The message of a table that would grow beyond its limit.
std::string limitExceededMessage(std::string_view what, std::string_view limitName, int limit);

}  // namespace tavo::model
