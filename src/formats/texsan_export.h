// The three files of the texsan package: texsan.ins, atoms.dat (with the standard uncertainties
// of SHELXL's listing) and atoms.pks.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::formats {

/// Told when every atom was written with its uncertainties.
inline constexpr std::string_view texsanDoneMessage = "Three Files Created! Without Any Errer";
/// Told after the listing file's name without "lst" when there is no listing.
inline constexpr std::string_view noListingMessage =
    "lst does not exists! Errors of the parameters will not be included in the atoms.dat!!";
inline constexpr std::string_view twoColumnMessage =
    "Check if your data is correct or not! Two-column data abnormally included in your LST";
inline constexpr std::string_view hydrogenProblemMessage = "there are some problems!!";

struct TexsanAtom {
  std::string label;
  int sfac = 0;
  std::string symbol;  // the element of its SFAC entry
  double x = 0, y = 0, z = 0, sof = 1;
  bool anisotropic = false;   // an atom whose ANIS card is still pending is isotropic
  std::array<double, 6> u{};  // U11 U22 U33 U23 U13 U12; u[0] is Uiso when isotropic
};

struct TexsanPeak {
  double x = 0, y = 0, z = 0, height = 0;
};

/// What the export reads from the structure. Optional lines are absent from the file read.
struct TexsanInput {
  std::string title;  // the TITL line
  std::optional<std::string> cell, zerr, sfac, unit, leastSquares, exti, fmap, plan;
  std::vector<std::string> lattSymm;  // the LATT lines, then the SYMM lines
  std::string hklf;
  double scale = 1;  // the first free variable
  std::vector<TexsanAtom> atoms, hydrogens;
  std::vector<TexsanPeak> peaks;
  /// The lines of the listing's last atom table, trimmed and without empty lines; nothing when
  /// there is no listing file.
  std::optional<std::vector<std::string>> listing;
  std::string dateTime;
};

struct TexsanFiles {
  std::vector<std::string> ins, dat, pks;
  std::vector<std::string> messages;         // shown as the files are made
  std::vector<std::string> withoutListing;   // atoms the listing gives no values for
  std::vector<std::string> unknownElements;  // SFAC symbols without a texsan element code
};

/// The atom table of a listing: the lines between the last atom-table heading and the last
/// "Final Structure Factor Calculation", trimmed, empty lines left out.
std::vector<std::string> listingAtomTable(const std::vector<std::string>& listingLines);

/// The element text of atoms.dat for an element symbol ("Cl" -> "   0.990000   *G1Y*0i0").
std::optional<std::string> texsanElementText(std::string_view symbol);

/// The three files. Atoms absent from the listing are written with zero uncertainties and named
/// in withoutListing.
TexsanFiles texsanFiles(const TexsanInput& input);

}  // namespace tavo::formats
