// The OMIT and split tools over the SHELXL listing file.
#include "workbench/listing_commands.h"

#include <filesystem>
#include <optional>

#include "editing/atom_split.h"
#include "model/file_lines.h"
#include "model/instruction_line_edits.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/edit_step.h"

namespace tavo::workbench {

namespace {

/// h, k and l of an "OMIT h k l" card, if the line is one.
std::optional<std::array<int, 3>> omitIndexes(std::string_view line) {
  const std::vector<std::string_view> words = text::splitWords(line);
  if (words.size() != 4 || text::upper(words[0]) != "OMIT") return std::nullopt;
  std::array<int, 3> hkl{};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::optional<int> value = text::findInt(words[i + 1]);
    if (!value) return std::nullopt;
    hkl[i] = *value;
  }
  return hkl;
}

bool fileHoldsOmit(const model::StructureModel& s, const std::array<int, 3>& hkl) {
  for (const std::string& line : s.instructionLines) {
    if (omitIndexes(line) == hkl) return true;
  }
  return false;
}

}  // namespace

ListingCommands::ListingCommands(CommandContext context) : m_context(context) {
  // A listing belongs to one structure: another structure starts with empty lists.
  m_context.state.followLoad([this] {
    const bool omitShown = m_omit.visible;
    const bool splitShown = m_split.visible;
    m_omit = OmitWindow{};
    m_split = SplitWindow{};
    m_omit.visible = omitShown;
    m_split.visible = splitShown;
  });
}

bool ListingCommands::listingLines(std::vector<std::string>& lines) const {
  const model::StructureModel& s = m_context.state.structure;
  if (!m_context.state.loaded || s.currentFile.empty()) return false;
  const std::filesystem::path listing = model::listingFileOf(s.currentFile);
  std::error_code error;
  if (!std::filesystem::is_regular_file(listing, error)) {
    throw UserError(std::string(noListingMessage) + listing.string() +
                    " (SHELXL writes it beside the .ins file it refines).");
  }
  lines = model::loadRawFileLines(listing);
  return true;
}

void ListingCommands::markOmitsInFile() {
  const model::StructureModel& s = m_context.state.structure;
  for (std::size_t i = 0; i < m_omit.rows.size(); ++i) {
    if (m_omit.rows[i].reflection && fileHoldsOmit(s, m_omit.rows[i].hkl)) m_omit.used[i] = true;
  }
}

void ListingCommands::openOmit() {
  std::vector<std::string> lines;
  if (!listingLines(lines)) return;
  m_omit = OmitWindow{};
  m_omit.rows = model::disagreeableReflections(lines);
  m_omit.used.assign(m_omit.rows.size(), false);
  markOmitsInFile();
  m_omit.visible = true;
}

void ListingCommands::selectOmitRow(int row) {
  if (row < 0 || row >= static_cast<int>(m_omit.rows.size())) return;
  m_omit.selectedRow = row;
  const model::ReflectionRow& r = m_omit.rows[static_cast<std::size_t>(row)];
  if (!r.reflection) {
    m_omit.h = m_omit.k = m_omit.l = m_omit.resolution = "";
    return;
  }
  m_omit.h = std::to_string(r.hkl[0]);
  m_omit.k = std::to_string(r.hkl[1]);
  m_omit.l = std::to_string(r.hkl[2]);
  m_omit.resolution = r.resolution;
}

void ListingCommands::addOmit() {
  const int row = m_omit.selectedRow;
  if (row < 0 || row >= static_cast<int>(m_omit.rows.size())) return;
  const auto at = static_cast<std::size_t>(row);
  const model::ReflectionRow& r = m_omit.rows[at];
  if (!r.reflection || m_omit.used[at]) return;
  model::StructureModel& s = m_context.state.structure;
  const std::string card = "OMIT " + std::to_string(r.hkl[0]) + " " + std::to_string(r.hkl[1]) +
                           " " + std::to_string(r.hkl[2]);
  if (fileHoldsOmit(s, r.hkl)) {
    m_omit.used[at] = true;
    m_context.dialogs.message("The file already holds " + card + ".");
    return;
  }
  if (s.markers.lsLine == 0) {
    throw UserError("There is no L.S. or CGLS line in the file: the OMIT card has no place.");
  }
  EditStep step(m_context.state, "OMIT");
  s.insertInstructionLine(card);
  step.commit();
  m_omit.used[at] = true;
  m_context.state.notifyState();
}

void ListingCommands::exitOmit() {
  m_omit.visible = false;
  m_context.state.redraw();
}

void ListingCommands::openSplit() {
  std::vector<std::string> lines;
  if (!listingLines(lines)) return;
  m_split = SplitWindow{};
  m_split.rows = model::splitSuggestions(lines);
  m_split.added.assign(m_split.rows.size(), false);
  m_split.visible = true;
}

void ListingCommands::selectSplitRow(int row) {
  if (row < 0 || row >= static_cast<int>(m_split.rows.size())) return;
  m_split.selectedRow = row;
  const model::SplitSuggestion& s = m_split.rows[static_cast<std::size_t>(row)];
  m_split.label = s.label;
  m_split.firstLabel = s.label + "A";
  m_split.secondLabel = s.label + "B";
  const auto number = [](double v) { return text::formatFixed(v, 4); };
  m_split.x1 = number(s.first[0]);
  m_split.y1 = number(s.first[1]);
  m_split.z1 = number(s.first[2]);
  m_split.x2 = number(s.second[0]);
  m_split.y2 = number(s.second[1]);
  m_split.z2 = number(s.second[2]);
}

void ListingCommands::setNewLabel(bool first, std::string text) {
  (first ? m_split.firstLabel : m_split.secondLabel) = text::trimLine(text);
}

void ListingCommands::addSplit() {
  const int row = m_split.selectedRow;
  if (row < 0 || row >= static_cast<int>(m_split.rows.size())) return;
  if (m_split.added[static_cast<std::size_t>(row)]) return;
  WorkbenchState& state = m_context.state;
  state.dropCopies();
  model::StructureModel& s = state.structure;
  editing::SplitRequest request;
  for (int j = s.nonHCount; j >= 1 && request.source == 0; --j) {
    if (text::upper(s.atoms[j].label) == text::upper(m_split.label)) request.source = j;
  }
  if (request.source == 0) throw UserError("There is no atom " + m_split.label + " to split.");
  request.firstLabel = m_split.firstLabel;
  request.secondLabel = m_split.secondLabel;
  request.first = {text::parseDouble(m_split.x1), text::parseDouble(m_split.y1),
                   text::parseDouble(m_split.z1)};
  request.second = {text::parseDouble(m_split.x2), text::parseDouble(m_split.y2),
                    text::parseDouble(m_split.z2)};
  const std::string sourceLabel = s.atoms[request.source].label;
  state.selection.clear(s);
  EditStep step(state, "Split");
  const editing::SplitOutcome outcome = editing::splitAtom(s, request);
  step.commit();
  m_split.added[static_cast<std::size_t>(row)] = true;
  m_split.visible = false;  // a refused label leaves the window open for another one
  state.entriesMoved(outcome.hydrogensRemoved);
  state.entriesMoved(outcome.inserted);
  state.afterChange({.fractionalCoordinates = true, .resetView = true});
  const std::string notice = editing::splitNotice(sourceLabel, outcome);
  if (!notice.empty()) m_context.dialogs.message(notice);
}

void ListingCommands::exitSplit() {
  m_split.visible = false;
  m_context.state.redraw();
}

}  // namespace tavo::workbench
