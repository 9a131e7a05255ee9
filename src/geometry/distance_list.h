// The "Interatomic Distances" window model: one row per detected connection.
#pragma once

#include <string_view>

#include "model/structure_model.h"
#include "text/text_grid.h"

namespace tavo::geometry {

inline constexpr std::string_view distanceWindowCaption = "Interatomic Distances";

/// Five columns, no heading row: number within its kind, first name, second name, the distance
/// (first 6 characters of its text) and the radius sum; kind 1, then 2, 3 and 4 in list order.
/// Peaks are named "Pk." and their working index.
text::TextGrid ShowDistances(const model::StructureModel& structure);

}  // namespace tavo::geometry
