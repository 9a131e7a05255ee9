// The atom edits of Apply that change picked entries in place: PART, BeISO, Adjust, Adopt, and
// the centring and turning of the view for Center and AlignVec.
#pragma once

#include <string>
#include <vector>

#include "geometry/view_frame.h"
#include "model/atom_ref.h"
#include "model/structure_model.h"

namespace tavo::editing {

/// Shown for a picked copy whose label holds no "*".
inline constexpr const char* noStarInCopyMessage =
    "There is no * in the name of expanded atom!  Something Wrong!";

/// PART: every picked atom and H atom of the file gets PART `part` (its old "PART n sof" word and
/// comment go with the old number); H atoms riding on a picked atom follow it, so that no PART
/// card splits a riding group. Peaks are skipped.
void setPart(model::StructureModel& structure, const std::vector<model::AtomRef>& picked, int part);

/// BeISO: every picked non-H atom of the file becomes isotropic with Uiso 0.05 and the codes of
/// U22..U12 cleared; the code of U11 is kept, and a U11 tied to a free variable keeps its value,
/// which is what the file will hold. Other kinds are skipped.
void makeIsotropic(model::StructureModel& structure, const std::vector<model::AtomRef>& picked);

/// Refuses (UserError, nothing changed) new fractional coordinates of entry `ref` that the file
/// could not hold: a coordinate tied to a free variable is written as its code, and a free or
/// fixed one must stay inside (-5, 5), since SHELXL reads 5.3 as "fixed at -4.7".
void checkNewPosition(const model::StructureModel& structure, model::AtomRef ref,
                      const geometry::Fractional& position);

/// Adjust: every picked entry takes the fractional coordinates of its view position.
/// Throws UserError (checkNewPosition) before anything changes.
void adjustPositions(model::StructureModel& structure, const geometry::ViewFrame& frame,
                     const std::vector<model::AtomRef>& picked);

/// Adopt: each picked copy hands its position to the entry it was generated from (operator and
/// lattice translation of its unit applied to the source's coordinates, an anisotropic U turned
/// with the operator) and the two exchange their view positions. The H atoms riding on an adopted
/// atom move with it. Every new position is checked (checkNewPosition) before anything changes.
/// Returns the messages for copies skipped.
std::vector<std::string> adoptCopies(model::StructureModel& structure,
                                     const std::vector<model::AtomRef>& picked);

/// Center: subtracts `centre` from the view position of every shown entry and from view slots
/// 1..9.
void centreView(model::StructureModel& structure, geometry::ViewFrame& frame,
                const model::Vec3& centre);

/// One turn of the view: about the viewing axis (Z) or the vertical axis (Y), in radians.
struct ViewTurn {
  bool aboutViewingAxis = true;
  double angleRad = 0;
};

/// AlignVec's turns for vector `v` (from the first picked entry to the second, in the view):
/// the vector onto -X, then the final turn onto axis `axis` (1 X, 2 Y, 3 Z) with sense `sense`
/// (1 positive, 0 negative).
std::vector<ViewTurn> alignTurns(const model::Vec3& v, int axis, int sense);

}  // namespace tavo::editing
