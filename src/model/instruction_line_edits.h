// Editing the instruction lines one line at a time (the job-control window): replacing,
// deleting and swapping lines, with the line markers found again after every edit.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/structure_model.h"

namespace tavo::model {

/// The line markers of `lines`: for each card the last line from 1 on that begins with it (upper
/// case ignored); a continuation line, an indented line and line 0 (TITL) never count. The
/// reader's rule, so that markers found again after an edit are those a reread would find.
LineMarkers findLineMarkers(const std::vector<std::string>& lines);

/// Finds structure.markers again from the instruction lines.
void updateLineMarkers(StructureModel& structure);

/// The text that line `row` gets from the edited `text`: trimmed, and a line that is part of a
/// card above it (a continuation line) or that was indented keeps its leading blanks, so it
/// stays what it was to SHELXL. Throws UserError for line 0 when the text is no TITL line.
std::string editedLineText(const StructureModel& structure, int row, std::string_view text);

/// Replaces line `row` by editedLineText and finds the markers again.
/// Throws UserError for a row out of range or a TITL line that would lose its TITL.
void replaceInstructionLine(StructureModel& structure, int row, std::string_view text);

/// The first and last line of the card that line `row` belongs to: a card line with the
/// continuation lines that follow it (and the comment lines inside it).
std::pair<int, int> cardLinesAround(const std::vector<std::string>& lines, int row);

/// Removes the card that line `row` belongs to, continuation lines included, so that no card is
/// left ending with "=" over the card below (later lines move up); finds the markers again.
/// Returns the number of lines removed. Throws UserError for line 0 (TITL) and a row out of
/// range.
int deleteInstructionCard(StructureModel& structure, int row);

/// Moves the card that line `row` belongs to, with its continuation lines, past the card above
/// (`up`) or below it, and finds the markers again. Returns the row of the moved line, or `row`
/// when the card cannot move (it would go above line 1, or it is the last card). Line 0 (TITL)
/// never moves: UserError.
int moveInstructionCard(StructureModel& structure, int row, bool up);

/// Shown when an edit would move or remove the TITL line.
inline constexpr std::string_view titlStaysMessage =
    "The TITL line is the first line of the file: it can be neither moved nor deleted.";
/// Shown when line 0 would be given a text that is no TITL line.
inline constexpr std::string_view titlTextMessage =
    "The first line must stay a TITL line: its text must begin with TITL.";

}  // namespace tavo::model
