// Disorder and residues made visible: PART components in colours of their own with a legend and
// a switch per component, and labels qualified by their residue number where a label repeats
// across residues.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/structure_model.h"
#include "view/canvas.h"

namespace tavo::view {

/// What the picture shows of PART components and residues.
struct PartDisplay {
  bool coloured = true;     // PART components in their colours (part 0 keeps the element's)
  std::vector<int> hidden;  // PART numbers whose atoms and bonds are not drawn
  std::vector<int> parts;   // the non-zero PART numbers of the structure, ascending
  std::vector<std::uint8_t> residueLabels[3];  // per kind 1, 2: 1 where the file entry's label
                                               // occurs in more than one residue

  bool hides(int part) const;
  /// The residue number to append to the label of entry `index` of `kind` (1 or 2; a symmetry
  /// copy counts as its file entry); 0 for none.
  int labelResidue(const model::StructureModel& structure, int kind, int index) const;
};

/// The colour of PART `part` (non-zero) from a fixed palette of eight; parts eight apart share
/// one, and a negative part takes the colour of its absolute value.
Color partColor(int part);

/// The name of that colour, as the legend window lists it ("blue").
std::string_view partColorName(int part);

/// The colour an atom of element colour `elementColor` in PART `part` is drawn with.
Color drawnColor(const PartDisplay* display, int part, Color elementColor);

/// Refreshes `parts` and `residueLabels` from the file entries of `structure`; the hidden parts
/// that are no longer present are dropped.
void followStructure(PartDisplay& display, const model::StructureModel& structure);

/// The legend in the top-left corner of the pane: a ball and "PART n" per component (", hidden"
/// after a hidden one); nothing while the colours are off or there is no PART.
void drawPartLegend(Canvas& canvas, const PartDisplay& display, int fontSize);

/// A label with its residue: "C1_2".
std::string residueLabel(std::string_view label, int residue);

}  // namespace tavo::view
