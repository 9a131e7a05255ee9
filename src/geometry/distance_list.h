// The "Interatomic Distances" window model: one row per detected connection.
#pragma once

#include <array>
#include <string_view>

#include "model/structure_model.h"
#include "text/text_grid.h"

namespace tavo::geometry {

inline constexpr std::string_view distanceWindowCaption = "Interatomic Distances";

/// What the five columns of the distance list hold, for the window's column headings (the grid
/// itself has no heading row).
inline constexpr std::array<std::string_view, 5> distanceListHeadings = {"No.", "Atom 1", "Atom 2",
                                                                         "Distance", "Radius sum"};

/// Five columns, no heading row: number within its kind, first name, second name, the distance
/// (first 6 characters of its text) and the radius sum; kind 1, then 2, 3 and 4 in list order.
/// Peaks are named "Pk." and their working index.
text::TextGrid ShowDistances(const model::StructureModel& structure);

}  // namespace tavo::geometry
