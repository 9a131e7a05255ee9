// Reading, matching, editing and saving the element definitions.
#include "model/element_definitions.h"

#include "model/dialogs.h"
#include "model/file_lines.h"
#include "model/file_replace.h"
#include "model/structure_model.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

constexpr int columnCount = 6;
const std::vector<std::string> headings = {"Lab 1", "Lab 2", "Lab 3", "AW", "Radius", "Color Code"};
const std::vector<std::string> newRow = {"NewElm1", "NewElm2", "NewElm3", "200", "1.2", "0"};

// The fields of one line, split at every tab; fields beyond the sixth are not used.
std::vector<std::string> splitAtTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (fields.size() < columnCount) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(
        line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return fields;
}

}  // namespace

ElementDefinitions::ElementDefinitions() : m_table(1, columnCount) {
  m_table.setRow(0, headings);
}

ElementDefinitions ElementDefinitions::load(const std::filesystem::path& programFolder) {
  const std::filesystem::path file = programFolder / elementDefinitionsFileName;
  if (!std::filesystem::exists(file))
    throw UserError(std::string(missingElementDefinitionsMessage));
  // Raw lines: a trimmed line would lose an empty last field and the tabs around it.
  const std::vector<std::string> lines = loadRawFileLines(file);
  ElementDefinitions definitions;
  definitions.m_table.resize(static_cast<int>(lines.size()) + 1, columnCount);
  for (std::size_t r = 0; r < lines.size(); ++r) {
    definitions.m_table.setRow(static_cast<int>(r) + 1, splitAtTabs(lines[r]));
  }
  return definitions;
}

std::optional<int> ElementDefinitions::findRow(std::string_view symbol) const {
  for (int r = 1; r < m_table.rowCount(); ++r) {
    if (m_table.cell(r, Lab1) == symbol || m_table.cell(r, Lab2) == symbol ||
        m_table.cell(r, Lab3) == symbol) {
      return r;
    }
  }
  return std::nullopt;
}

double ElementDefinitions::peakRadius() const {
  if (m_table.rowCount() < 2) return 0;
  return text::parseDouble(m_table.cell(1, Radius));
}

void ElementDefinitions::assignElementData(StructureModel& structure) const {
  if (structure.elements.capacity() >= 0) structure.elements[0].radius = peakRadius();
  for (int i = 1; i <= structure.elementCount; ++i) {
    Element& element = structure.elements[i];
    for (int r = 1; r < m_table.rowCount(); ++r) {
      if (element.symbol != m_table.cell(r, Lab1) && element.symbol != m_table.cell(r, Lab2) &&
          element.symbol != m_table.cell(r, Lab3)) {
        continue;
      }
      element.atomicWeight = text::parseDouble(m_table.cell(r, AtomicWeight));
      element.radius = text::parseDouble(m_table.cell(r, Radius));
      element.colorCode = text::parseInt(m_table.cell(r, ColorCode));
      element.symbol = text::upper(element.symbol);
    }
  }
}

const std::string& ElementDefinitions::selectCell(int row, int column) {
  m_selectedRow = row;
  m_selectedColumn = column;
  return m_table.cell(row, column);
}

void ElementDefinitions::apply(std::string_view editText, StructureModel& structure) {
  if (m_selectedRow < 1 || m_selectedRow >= m_table.rowCount()) return;
  m_table.setCell(m_selectedRow, m_selectedColumn, std::string(editText));
  assignElementData(structure);
}

std::optional<std::string> ElementDefinitions::chooseColor(Dialogs& dialogs,
                                                           StructureModel& structure) {
  if (m_selectedColumn != ColorCode || m_selectedRow < 1 || m_selectedRow >= m_table.rowCount()) {
    return std::nullopt;
  }
  const int current = text::findInt(m_table.cell(m_selectedRow, ColorCode)).value_or(0);
  const std::optional<int> chosen = dialogs.chooseColor(current);
  if (!chosen) return std::nullopt;
  m_table.setCell(m_selectedRow, ColorCode, std::to_string(*chosen));
  assignElementData(structure);
  return m_table.cell(m_selectedRow, ColorCode);
}

void ElementDefinitions::addRow() {
  m_table.setRow(m_table.rowCount(), newRow);
}

void ElementDefinitions::save(const std::filesystem::path& programFolder) const {
  std::string content;
  for (int r = 1; r < m_table.rowCount(); ++r) {
    for (int c = 0; c < columnCount; ++c) {
      if (c > 0) content += '\t';
      content += m_table.cell(r, c);
    }
    content += "\r\n";
  }
  replaceFileContents(programFolder / elementDefinitionsFileName, content);
}

}  // namespace tavo::model
