// The job-control window, the line editor, the text editor, the file buffer and the relabelling
// of the cards after a rename.
#include "workbench/job_control_commands.h"

#include <algorithm>
#include <array>
#include <optional>

#include "model/backups.h"
#include "model/file_replace.h"
#include "model/instruction_line_edits.h"
#include "model/instruction_writer.h"
#include "model/shelxl_instructions.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/edit_step.h"

namespace tavo::workbench {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view jobControlStepName = "Job Control";
// The row the line editor selects when the file has no L.S./CGLS row.
constexpr int defaultEditorRow = 11;

constexpr std::array<JobCard, 7> cards = {{
    {"ACTA", "ACTA", "ACTA"},
    {"BOND", "BOND", "BOND"},
    {"All Aniso", "AllAniso", "ANIS"},
    {"SPEC", "SPEC", "SPEC 0.2"},
    {"TEMP (dC)", "TEMP", "TEMP 23"},
    {"BOND $H", "BONDH", "BOND $H"},
    {"CONF", "CONF", "CONF"},
}};

int clampRow(int row, std::size_t count) {
  return std::clamp(row, 0, std::max(static_cast<int>(count) - 1, 0));
}

const std::string& rowText(const std::vector<std::string>& rows, int row) {
  static const std::string none;
  return row >= 0 && row < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(row)]
                                                         : none;
}

bool sameLabel(std::string_view a, std::string_view b) {
  return text::upper(text::trimLine(a)) == text::upper(text::trimLine(b));
}

}  // namespace

std::span<const JobCard> jobCards() {
  return cards;
}

const JobCard* findJobCard(std::string_view name) {
  for (const JobCard& card : cards) {
    if (card.objectName == name || card.caption == name) return &card;
  }
  return nullptr;
}

// ---- the job-control window ----

const std::vector<std::string>& JobControlCommands::lines() const {
  return m_context.state.structure.instructionLines;
}

void JobControlCommands::showSelected() {
  m_window.selectedRow = clampRow(m_window.selectedRow, lines().size());
  m_window.editText = rowText(lines(), m_window.selectedRow);
}

void JobControlCommands::toggleWindow() {
  if (m_window.visible) return closeWindow();
  m_window.visible = true;
  showSelected();
}

void JobControlCommands::closeWindow() {
  m_window.visible = false;
  m_context.state.redraw();
}

void JobControlCommands::selectRow(int row) {
  m_window.selectedRow = row;
  showSelected();
}

void JobControlCommands::apply() {
  EditStep step(m_context.state, std::string(jobControlStepName));
  model::replaceInstructionLine(m_context.state.structure, m_window.selectedRow, m_window.editText);
  step.commit();
}

void JobControlCommands::deleteRow() {
  EditStep step(m_context.state, std::string(jobControlStepName));
  model::deleteInstructionCard(m_context.state.structure, m_window.selectedRow);
  step.commit();
  showSelected();
}

void JobControlCommands::moveUp() {
  EditStep step(m_context.state, std::string(jobControlStepName));
  m_window.selectedRow =
      model::moveInstructionCard(m_context.state.structure, m_window.selectedRow, true);
  step.commit();
  showSelected();
}

void JobControlCommands::moveDown() {
  EditStep step(m_context.state, std::string(jobControlStepName));
  m_window.selectedRow =
      model::moveInstructionCard(m_context.state.structure, m_window.selectedRow, false);
  step.commit();
  showSelected();
}

void JobControlCommands::insertCard(const JobCard& card) {
  if (!m_context.state.loaded) return;
  EditStep step(m_context.state, std::string(jobControlStepName));
  m_context.state.structure.insertInstructionLine(std::string(card.text));
  step.commit();
  showSelected();
}

void JobControlCommands::print() {
  m_context.dialogs.printLines(lines());
}

int JobControlCommands::relabelCommandLines(const std::vector<model::AtomRename>& renames) {
  model::StructureModel& s = m_context.state.structure;
  text::TextGrid table(1, 2);
  table.setRow(0, {std::string(oldNameHeading), std::string(newNameHeading)});
  for (const model::AtomRename& rename : renames) {
    const std::string& old = rename.atom.kind == model::AtomKind::Hydrogen
                                 ? s.hydrogens[rename.atom.index].label
                                 : s.atoms[rename.atom.index].label;
    table.setRow(table.rowCount(), {old, rename.newLabel});
  }
  const int changed = model::renameAtoms(s, renames);
  model::updateLineMarkers(s);
  s.workingGrid = std::move(table);
  if (changed > 0) m_context.dialogs.message(relabelledCardsMessage);
  return changed;
}

int JobControlCommands::relabelFromWorkingGrid() {
  const model::StructureModel& s = m_context.state.structure;
  std::vector<model::AtomRename> renames;
  for (int r = 1; r < s.workingGrid.rowCount() && s.workingGrid.columnCount() >= 2; ++r) {
    const std::string oldLabel = text::trimLine(s.workingGrid.cell(r, 0));
    const std::string newLabel = text::trimLine(s.workingGrid.cell(r, 1));
    if (oldLabel.empty() && newLabel.empty()) continue;
    const std::size_t before = renames.size();
    for (int i = 1; i <= s.nonHCount; ++i) {
      if (sameLabel(s.atoms[i].label, oldLabel))
        renames.push_back({{model::AtomKind::Atom, i}, newLabel});
    }
    for (int i = 1; i <= s.hCount; ++i) {
      if (sameLabel(s.hydrogens[i].label, oldLabel))
        renames.push_back({{model::AtomKind::Hydrogen, i}, newLabel});
    }
    if (renames.size() == before) throw UserError("No atom is labelled " + oldLabel + ".");
  }
  if (renames.empty()) return 0;
  return relabelCommandLines(renames);
}

// ---- the line editor ----

int JobControlCommands::titlRowOfEditor() const {
  for (std::size_t r = 0; r < m_editor.rows.size(); ++r) {
    if (model::isTitlLine(text::trimLine(m_editor.rows[r]))) return static_cast<int>(r);
  }
  return -1;
}

void JobControlCommands::checkEditorRowBelowTitl(int row) const {
  const int titl = titlRowOfEditor();
  if (titl >= 0 && row == titl) throw UserError(std::string(model::titlStaysMessage));
  if (titl >= 0 && row < titl) throw UserError(std::string(nothingAboveTitlMessage));
}

void JobControlCommands::openLineEditor() {
  const std::string& current = m_context.state.structure.currentFile;
  if (current.empty()) return;
  FileLineEditor editor;
  editor.rows = model::readLinesAsWritten(current);
  editor.targetName = current;
  int row = defaultEditorRow;
  for (std::size_t r = 0; r < editor.rows.size(); ++r) {
    const std::string& line = editor.rows[r];
    if (text::startsWithUpper(line, "L.S.") || text::startsWithUpper(line, "CGLS")) {
      row = static_cast<int>(r) + 1;
    }
  }
  editor.selectedRow = clampRow(row, editor.rows.size());
  editor.editText = rowText(editor.rows, editor.selectedRow);
  editor.visible = true;
  m_editor = std::move(editor);
}

void JobControlCommands::selectEditorRow(int row) {
  m_editor.selectedRow = clampRow(row, m_editor.rows.size());
  m_editor.editText = rowText(m_editor.rows, m_editor.selectedRow);
}

void JobControlCommands::editorApply() {
  const int row = m_editor.selectedRow;
  if (row < 0 || row >= static_cast<int>(m_editor.rows.size())) return;
  if (row == titlRowOfEditor() && !model::isTitlLine(text::trimLine(m_editor.editText))) {
    throw UserError(std::string(model::titlTextMessage));
  }
  m_editor.rows[static_cast<std::size_t>(row)] = m_editor.editText;
}

void JobControlCommands::editorAdd() {
  const int row = m_editor.selectedRow;
  if (row < 0 || row > static_cast<int>(m_editor.rows.size())) return;
  checkEditorRowBelowTitl(row);
  m_editor.rows.insert(m_editor.rows.begin() + row, std::string());
  m_editor.editText.clear();
}

void JobControlCommands::editorInsertCard(const JobCard& card) {
  const int row = m_editor.selectedRow;
  if (row < 0 || row > static_cast<int>(m_editor.rows.size())) return;
  checkEditorRowBelowTitl(row);
  m_editor.rows.insert(m_editor.rows.begin() + row, std::string(card.text));
  m_editor.editText = card.text;
}

void JobControlCommands::editorDelete() {
  const int row = m_editor.selectedRow;
  if (row < 0 || row >= static_cast<int>(m_editor.rows.size())) return;
  if (row == titlRowOfEditor()) throw UserError(std::string(model::titlStaysMessage));
  m_editor.rows.erase(m_editor.rows.begin() + row);
  selectEditorRow(row);
}

void JobControlCommands::editorMoveUp() {
  const int row = m_editor.selectedRow;
  if (row <= 0 || row >= static_cast<int>(m_editor.rows.size())) return;
  checkEditorRowBelowTitl(row - 1);
  std::swap(m_editor.rows[static_cast<std::size_t>(row)],
            m_editor.rows[static_cast<std::size_t>(row - 1)]);
  selectEditorRow(row - 1);
}

void JobControlCommands::editorMoveDown() {
  const int row = m_editor.selectedRow;
  if (row < 0 || row + 1 >= static_cast<int>(m_editor.rows.size())) return;
  checkEditorRowBelowTitl(row);
  std::swap(m_editor.rows[static_cast<std::size_t>(row)],
            m_editor.rows[static_cast<std::size_t>(row + 1)]);
  selectEditorRow(row + 1);
}

void JobControlCommands::saveLineEditor() {
  const int titl = titlRowOfEditor();
  if (titl < 0) throw UserError(std::string(noTitlToSaveMessage));
  fs::path target = m_editor.targetName;
  if (target.is_relative()) target = m_context.state.workingFolder() / target;
  std::vector<std::string> rows = m_editor.rows;
  const fs::path written = model::writeInstructionFileLines(
      target.string(), rows, static_cast<std::size_t>(titl), m_context.clock);
  m_editor.rows = std::move(rows);
  m_editor.targetName = written.string();
  m_context.state.structure.currentFile = written.string();
  m_context.state.setCaption();
  model::writeBakCopy(written);
}

void JobControlCommands::closeLineEditor() {
  m_context.dialogs.message(lineEditorCloseMessage);
  m_editor.visible = false;
  m_context.state.redraw();
}

// ---- the text editor ----

void JobControlCommands::openTextEditor() {
  const fs::path folder = m_context.state.structure.workingFolder.empty()
                              ? fs::current_path()
                              : fs::path(m_context.state.structure.workingFolder);
  const std::optional<fs::path> chosen = m_context.dialogs.chooseFileToOpen(folder, "*.*");
  if (!chosen) return;
  const std::vector<std::string> rows = model::readLinesAsWritten(*chosen);
  std::string joined;
  for (std::size_t r = 0; r < rows.size(); ++r)
    joined += (r == 0 ? "" : "\n") + rows[r];
  m_textEditor.file = *chosen;
  m_textEditor.text = std::move(joined);
  m_textEditor.caption = std::string(textEditorCaptionPrefix) + chosen->filename().string();
  m_textEditor.visible = true;
}

void JobControlCommands::saveTextEditor() {
  if (m_textEditor.file.empty()) return;
  std::string bytes = m_textEditor.text;
  if (!bytes.empty() && bytes.back() != '\n') bytes += '\n';
  model::replaceFileContents(m_textEditor.file, bytes);
  closeTextEditor();
}

void JobControlCommands::printTextEditor() {
  std::vector<std::string> rows;
  std::size_t start = 0;
  const std::string& text = m_textEditor.text;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    rows.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  m_context.dialogs.printLines(rows);
}

void JobControlCommands::closeTextEditor() {
  m_textEditor.visible = false;
  m_context.state.redraw();
}

// ---- the file buffer ----

void JobControlCommands::toggleFileBuffer() {
  m_fileBuffer.visible = !m_fileBuffer.visible;
  m_fileBuffer.menuCaption = m_fileBuffer.visible ? hideFileBufferCaption : showFileBufferCaption;
  if (!m_fileBuffer.visible) m_context.state.redraw();
}

}  // namespace tavo::workbench
