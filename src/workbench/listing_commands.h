// The two tools over the SHELXL listing file (name.lst): OMIT cards from the Most Disagreeable
// Reflections (TForm7) and split atoms from the displacement table (TForm8).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/listing_file.h"
#include "workbench/command_context.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

/// Shown, followed by the path looked for, when the open structure has no listing beside it.
inline constexpr std::string_view noListingMessage = "No listing file was found: ";

/// The window model of "Checking Disagreeable Reflections to be Removed using OMIT Card".
struct OmitWindow {
  bool visible = false;
  std::vector<model::ReflectionRow> rows;  // first column: the lines of the listing
  std::vector<bool> used;                  // second column: "Used"
  int selectedRow = -1;
  std::string h, k, l;     // "HKL"
  std::string resolution;  // "Resolution(A)"
};

/// The window model of "Find and Locate Disordered Atoms from the *.lst File".
struct SplitWindow {
  bool visible = false;
  std::vector<model::SplitSuggestion> rows;  // second column: the suggestion text
  std::vector<bool> added;                   // first column: "Added"
  int selectedRow = -1;
  std::string label;                    // "Split "
  std::string firstLabel, secondLabel;  // "into" ... "and" ...
  std::string x1, y1, z1, x2, y2, z2;   // the two positions (read-only fields)
};

class ListingCommands {
 public:
  explicit ListingCommands(CommandContext context);
  ListingCommands(const ListingCommands&) = delete;
  ListingCommands& operator=(const ListingCommands&) = delete;

  const OmitWindow& omitWindow() const { return m_omit; }
  const SplitWindow& splitWindow() const { return m_split; }

  /// "OMIT HKL using *.lst": the disagreeable reflections of the listing beside the open file;
  /// rows whose OMIT card the file already holds are marked "Used". Nothing happens without a
  /// structure; UserError naming the file looked for when there is no listing.
  void openOmit();
  /// Selecting a row: a reflection row fills h, k, l and the resolution; any other row empties
  /// them.
  void selectOmitRow(int row);
  /// "Add This for OMIT": inserts "OMIT h k l" above the L.S./CGLS line as one undoable step
  /// and marks the row "Used". Nothing for a row that is no reflection or is already used; a
  /// card the file already holds is not added twice (the user is told). UserError when the file
  /// has no L.S. or CGLS line.
  void addOmit();
  void exitOmit();

  /// "Split Atom using *.lst": the split suggestions of the listing beside the open file;
  /// UserError naming the file looked for when there is no listing.
  void openSplit();
  /// Selecting a suggestion: the label, the new labels label+"A" and label+"B", the positions.
  void selectSplitRow(int row);
  /// The user typed a new label ("into" field `first`, "and" field otherwise).
  void setNewLabel(bool first, std::string text);
  /// "Add these atoms to the List of  Coordinates": an expansion ends, the atom named in "Split "
  /// (the last of that label) is replaced by the two halves in PART 1 and PART 2 tied to a new free
  /// variable, as one undoable step; the row is marked "Added" and the window hides. UserError for
  /// a label that names no atom or that is refused, ConversionError for a field that is not a
  /// number; nothing changes then.
  void addSplit();
  void exitSplit();

 private:
  /// The lines of the open structure's listing; false without a structure, UserError without
  /// the file.
  bool listingLines(std::vector<std::string>& lines) const;
  void markOmitsInFile();

  CommandContext m_context;
  OmitWindow m_omit;
  SplitWindow m_split;
};

/// The OMIT window (TForm7) and the split window (TForm8), declared.
WindowDeclaration declareOmitWindow(ListingCommands& listing);
WindowDeclaration declareSplitWindow(ListingCommands& listing);

}  // namespace tavo::workbench
